#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/Schema.h"
#include "support/ArchivioProva.h"

#include <QtTest>

class TSchema : public QObject {
    Q_OBJECT
private slots:
    void colonne_data();
    void colonne();
    void nuovoComune();
    void testiVuotiNelleTabelleDiStampa();
    void valoriFuoriMisuraRifiutati_data();
    void valoriFuoriMisuraRifiutati();
    void nomiOrdinatiConAccenti();
    void nonSovrascriveUnArchivio();
    void cartellaMancante();
    void riempimentoFallitoNonLasciaFile();
    void riempimentoNellaStessaTransazione();
};

void TSchema::colonne_data() {
    QTest::addColumn<QString>("tabella");
    QTest::addColumn<QStringList>("attese");
    QTest::newRow("Comuni") << "Comuni"
                            << QStringList{
                                   "COM_ID",      "COM_PROV",   "COM_NAME",       "COM_ZONE",
                                   "COM_DEGDAY",  "COM_ALT",    "COM_LATI_G",     "COM_LATI_P",
                                   "COM_LONG_G",  "COM_LONG_P", "COM_RIFER_NAME", "COM_RIFER_PROV",
                                   "Hdh",         "Hbh",        "capoluogo",      "ProvVicina1",
                                   "ProvVicina2", "Irradianza"};
    QTest::newRow("RicComuni") << "RicComuni"
                               << QStringList{"RicId",
                                              "Comune",
                                              "Prov",
                                              "Zona",
                                              "AltitudineMinEt",
                                              "AltitudineMin",
                                              "AltitudineMaxEt",
                                              "AltitudineMax",
                                              "GradiGiornoMinEt",
                                              "GradiGiornoMin",
                                              "GradiGiornoMaxEt",
                                              "GradiGiornoMax",
                                              "LatitudineMinEt",
                                              "LatitudineMin",
                                              "LatitudineMaxEt",
                                              "LatitudineMax",
                                              "LongitudineMinEt",
                                              "LongitudineMin",
                                              "LongitudineMaxEt",
                                              "LongitudineMax",
                                              "IrradianzaMinEt",
                                              "IrradianzaMin",
                                              "IrradianzaMaxEt",
                                              "IrradianzaMax",
                                              "NumRec"};
    QTest::newRow("RicElComuni") << "RicElComuni"
                                 << QStringList{"RicId",       "IdComune",   "Comune",
                                                "Prov",        "Zona",       "Altitudine",
                                                "GradiGiorno", "Latitudine", "Longitudine",
                                                "Irradianza"};
}

void TSchema::colonne() {
    QFETCH(QString, tabella);
    QFETCH(QStringList, attese);
    ArchivioProva archivio;
    QVERIFY(archivio.valido());
    const QStringList trovate =
        archivio.testi(QString("SELECT name FROM pragma_table_info('%1')").arg(tabella));
    QCOMPARE(trovate, attese);
}

void TSchema::nuovoComune() {
    ArchivioProva archivio;
    const qint64 primo = archivio.aggiungiComune("ROMA", "RM");
    const qint64 secondo = archivio.aggiungiComune("MILANO", "MI");
    QVERIFY(primo > 0);
    QVERIFY(secondo > primo);
    QCOMPARE(archivio.valore(QString("SELECT capoluogo FROM Comuni WHERE COM_ID = %1").arg(primo)),
             QVariant(qint64(0)));
    // A deleted key is never given again, as the original archive's counter behaved.
    QVERIFY(archivio.esegui(QString("DELETE FROM Comuni WHERE COM_ID = %1").arg(secondo)));
    QVERIFY(archivio.aggiungiComune("TORINO", "TO") > secondo);
}

void TSchema::testiVuotiNelleTabelleDiStampa() {
    ArchivioProva archivio;
    QVERIFY(archivio.esegui("INSERT INTO RicComuni (RicId, Comune, Prov, NumRec) "
                            "VALUES (1, '', '', '0 Comuni')"));
    QVERIFY(archivio.esegui("INSERT INTO RicElComuni (RicId, Comune, Prov, Zona) "
                            "VALUES (1, '', '', '')"));
    QCOMPARE(archivio.valore("SELECT Zona FROM RicComuni").toString(), QString(""));
    QCOMPARE(archivio.conta("RicElComuni"), 1);
}

void TSchema::valoriFuoriMisuraRifiutati_data() {
    QTest::addColumn<QString>("colonna");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<bool>("accettato");
    QTest::newRow("altitudine al limite") << "COM_ALT"
                                          << "32767" << true;
    QTest::newRow("altitudine oltre") << "COM_ALT"
                                      << "32768" << false;
    QTest::newRow("gradi giorno minimi") << "COM_DEGDAY"
                                         << "-32768" << true;
    QTest::newRow("gradi giorno sotto") << "COM_DEGDAY"
                                        << "-32769" << false;
    QTest::newRow("provincia di due") << "COM_PROV"
                                      << "'MI'" << true;
    QTest::newRow("provincia di tre") << "COM_PROV"
                                      << "'MIL'" << false;
    QTest::newRow("zona di due") << "COM_ZONE"
                                 << "'EF'" << false;
    QTest::newRow("irradianza a 32 bit") << "Irradianza"
                                         << "2147483647" << true;
    QTest::newRow("irradianza oltre") << "Irradianza"
                                      << "2147483648" << false;
    QTest::newRow("null") << "COM_ALT"
                          << "NULL" << true;
}

void TSchema::valoriFuoriMisuraRifiutati() {
    QFETCH(QString, colonna);
    QFETCH(QString, valore);
    QFETCH(bool, accettato);
    ArchivioProva archivio;
    if (!accettato)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("non accetta il valore"));
    QCOMPARE(archivio.esegui(QString("INSERT INTO Comuni (%1) VALUES (%2)").arg(colonna, valore)),
             accettato);
}

void TSchema::nomiOrdinatiConAccenti() {
    ArchivioProva archivio;
    for (const char* nome : {"FORLIMPOPOLI", "FORLÌ", "ÀGLIÈ", "AGLIANO", "Forli"})
        archivio.aggiungiComune(nome, "XX");
    const QStringList ordine = archivio.testi("SELECT COM_NAME FROM Comuni Order By COM_NAME");
    QCOMPARE(ordine, QStringList({"AGLIANO", "ÀGLIÈ", "Forli", "FORLÌ", "FORLIMPOPOLI"}));
    QCOMPARE(archivio.valore("SELECT count(*) FROM Comuni WHERE COM_NAME LIKE 'forlì%'").toInt(),
             1);
}

void TSchema::nonSovrascriveUnArchivio() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("mio.db");
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("dati dell'utente");
    file.close();

    const EsitoOperazione esito = Schema::CreaArchivio(percorso);
    QVERIFY(!esito.ok());
    QCOMPARE(esito.errore().descrizione,
             QString("L'archivio «%1» esiste già: non viene sovrascritto.").arg(percorso));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("dati dell'utente"));
    QCOMPARE(QDir(cartella.path()).entryList(QDir::Files), QStringList({"mio.db"}));
}

void TSchema::cartellaMancante() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("manca/mio.db");
    const EsitoOperazione esito = Schema::CreaArchivio(percorso);
    QVERIFY(!esito.ok());
    QVERIFY(esito.errore().descrizione.contains("la cartella non esiste"));
    QVERIFY(!QFileInfo::exists(cartella.filePath("manca")));
}

void TSchema::riempimentoFallitoNonLasciaFile() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("nuovo.db");
    const EsitoOperazione esito = Schema::CreaArchivio(percorso, [](sqlite3* db) {
        EseguiSql(db, "INSERT INTO Comuni (COM_NAME) VALUES ('ROMA')");
        return EsitoOperazione(ErroreRuntime::Database("riga 3: valore non valido"));
    });
    QVERIFY(!esito.ok());
    QCOMPARE(esito.errore().descrizione, QString("riga 3: valore non valido"));
    QVERIFY(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TSchema::riempimentoNellaStessaTransazione() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("nuovo.db");
    QVERIFY(Schema::CreaArchivio(percorso, [](sqlite3* db) {
                return EseguiSql(db, "INSERT INTO Comuni (COM_NAME, capoluogo) VALUES ('ROMA', "
                                     "True)");
            }).ok());
    QVERIFY(Archivio::Apri("Verifica", percorso).ok());
    {
        Istruzione query(Archivio::Maniglia("Verifica"),
                         "SELECT count(*) FROM Comuni WHERE capoluogo <> No");
        QVERIFY(query.passo());
        QCOMPARE(query.intero(0), 1);
    }
    Archivio::Chiudi("Verifica");
    QCOMPARE(QDir(cartella.path()).entryList(QDir::Files), QStringList({"nuovo.db"}));
}

QTEST_GUILESS_MAIN(TSchema)
#include "tst_schema.moc"
