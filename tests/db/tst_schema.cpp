#include "db/Istruzione.h"
#include "db/Schema.h"
#include "support/ArchivioProva.h"
#include "support/FileSolaLettura.h"

#include <QtTest>

// The tables of a new archive and the rules they keep for every writer.
class TSchema : public QObject {
    Q_OBJECT
private slots:
    void colonne_data() {
        // The other parts of the program read and write these columns by name; the row's name
        // is the table's.
        QTest::addColumn<QString>("attese");
        QTest::newRow("Comuni")
            << "COM_ID COM_PROV COM_NAME COM_ZONE COM_DEGDAY COM_ALT COM_LATI_G "
               "COM_LATI_P COM_LONG_G COM_LONG_P COM_RIFER_NAME COM_RIFER_PROV "
               "Hdh Hbh capoluogo ProvVicina1 ProvVicina2 Irradianza";
        QTest::newRow("RicComuni")
            << "RicId Comune Prov Zona AltitudineMinEt AltitudineMin AltitudineMaxEt AltitudineMax "
               "GradiGiornoMinEt GradiGiornoMin GradiGiornoMaxEt GradiGiornoMax LatitudineMinEt "
               "LatitudineMin LatitudineMaxEt LatitudineMax LongitudineMinEt LongitudineMin "
               "LongitudineMaxEt LongitudineMax IrradianzaMinEt IrradianzaMin IrradianzaMaxEt "
               "IrradianzaMax NumRec";
        QTest::newRow("RicElComuni") << "RicId IdComune Comune Prov Zona Altitudine GradiGiorno "
                                        "Latitudine Longitudine Irradianza";
    }

    void colonne() {
        QFETCH(QString, attese);
        ArchivioProva archivio;
        QVERIFY(archivio.valido());
        QCOMPARE(
            archivio.testi(
                QString("SELECT name FROM pragma_table_info('%1')").arg(QTest::currentDataTag())),
            attese.split(' '));
    }

    void nuovoComune() {
        ArchivioProva archivio;
        const qint64 primo = archivio.aggiungiComune("ROMA", "RM");
        const qint64 secondo = archivio.aggiungiComune("MILANO", "MI");
        QVERIFY(primo > 0 && secondo > primo);
        QCOMPARE(archivio.valore("SELECT capoluogo FROM Comuni WHERE COM_NAME = 'ROMA'"),
                 QVariant(qint64(0)));
        // A deleted key is never given again, as the original archive's counter behaved.
        QVERIFY(archivio.esegui(QString("DELETE FROM Comuni WHERE COM_ID = %1").arg(secondo)));
        QVERIFY(archivio.aggiungiComune("TORINO", "TO") > secondo);
    }

    void testiVuotiNelleTabelleDiStampa() {
        // The printed list's header row holds empty texts, never Null, where nothing is written.
        ArchivioProva archivio;
        QVERIFY(archivio.esegui("INSERT INTO RicComuni (RicId, NumRec) VALUES (1, '0 Comuni')"));
        QCOMPARE(archivio.valore("SELECT Zona FROM RicComuni"), QVariant(QString("")));
        QVERIFY(archivio.esegui("INSERT INTO RicElComuni (RicId, Comune, Prov, Zona) "
                                "VALUES (1, '', '', '')"));
    }

    void valoriFuoriMisura_data() {
        // Whole numbers keep the 16-bit (32-bit for the irradiance) range, codes their width.
        QTest::addColumn<QString>("inserimento"); // column and value
        QTest::addColumn<bool>("accettato");
        QTest::newRow("altitudine al massimo") << "(COM_ALT) VALUES (32767" << true;
        QTest::newRow("altitudine oltre") << "(COM_ALT) VALUES (32768" << false;
        QTest::newRow("gradi giorno al minimo") << "(COM_DEGDAY) VALUES (-32768" << true;
        QTest::newRow("gradi giorno sotto") << "(COM_DEGDAY) VALUES (-32769" << false;
        QTest::newRow("provincia di due lettere") << "(COM_PROV) VALUES ('MI'" << true;
        QTest::newRow("provincia di tre") << "(COM_PROV) VALUES ('MIL'" << false;
        QTest::newRow("zona di due") << "(COM_ZONE) VALUES ('EF'" << false;
        QTest::newRow("irradianza al massimo") << "(Irradianza) VALUES (2147483647" << true;
        QTest::newRow("irradianza oltre") << "(Irradianza) VALUES (2147483648" << false;
        QTest::newRow("Null") << "(COM_ALT) VALUES (NULL" << true;
    }

    void valoriFuoriMisura() {
        QFETCH(QString, inserimento);
        QFETCH(bool, accettato);
        ArchivioProva archivio;
        if (!accettato)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("non accetta il valore"));
        QCOMPARE(archivio.esegui("INSERT INTO Comuni " + inserimento + ")"), accettato);
    }

    void nomiOrdinatiConAccenti() {
        // The archive's own connection sorts and compares names with the Italian collation.
        ArchivioProva archivio;
        for (const char* nome : {"FORLIMPOPOLI", "FORLÌ", "ÀGLIÈ", "AGLIANO", "Forli"})
            archivio.aggiungiComune(nome, "XX");
        QCOMPARE(archivio.testi("SELECT COM_NAME FROM Comuni Order By COM_NAME"),
                 QStringList({"AGLIANO", "ÀGLIÈ", "Forli", "FORLÌ", "FORLIMPOPOLI"}));
        QCOMPARE(archivio.testi("SELECT COM_NAME FROM Comuni WHERE COM_NAME = 'forlì'"),
                 QStringList({"FORLÌ"}));
    }

    void archivioNonCreato_data() {
        // An archive that cannot be completed leaves no file behind. The row's name is the case.
        QTest::addColumn<QString>("errore");
        QTest::newRow("cartella mancante")
            << "Impossibile creare l'archivio «%1»: la cartella non esiste.";
        QTest::newRow("cartella in sola lettura")
            << "Impossibile creare l'archivio «%1»: non si può scrivere nella cartella «%2».";
        QTest::newRow("riempimento fallito") << "riga 3: valore non valido";
    }

    void archivioNonCreato() {
        QFETCH(QString, errore);
        const QString caso = QTest::currentDataTag();
        QTemporaryDir base;
        const QString cartella = base.filePath("cartella");
        const QString percorso = cartella + "/nuovo.db";
        if (caso != "cartella mancante")
            QVERIFY(QDir().mkdir(cartella));
        if (caso == "cartella in sola lettura") {
            RendiSolaLettura(cartella);
            QFile prova(cartella + "/prova");
            if (prova.open(QIODevice::WriteOnly)) {
                prova.remove();
                QSKIP("Il sistema non permette di rendere la cartella in sola lettura.");
            }
        }
        const EsitoOperazione esito = Schema::CreaArchivio(percorso, [](sqlite3* db) {
            EseguiSql(db, "INSERT INTO Comuni (COM_NAME) VALUES ('ROMA')");
            return EsitoOperazione(ErroreRuntime::Database("riga 3: valore non valido"));
        });
        if (caso == "cartella in sola lettura") {
            RendiScrivibile(cartella);
            QFile::setPermissions(cartella, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QVERIFY(!esito.ok());
        QCOMPARE(esito.errore().descrizione,
                 errore.replace("%1", percorso).replace("%2", cartella));
        QCOMPARE(QFileInfo::exists(cartella), caso != "cartella mancante");
        QVERIFY(QDir(cartella).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
};

QTEST_GUILESS_MAIN(TSchema)
#include "tst_schema.moc"
