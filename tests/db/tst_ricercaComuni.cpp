#include "core/query/CreaSelect.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/LetturaComune.h"
#include "db/RicercaComuni.h"
#include "support/ArchivioProva.h"

#include <QtTest>
#include <sqlite3.h>

Q_DECLARE_METATYPE(CodiceErrore)

// A row of the archive becomes a DatiComune; a search fills the list and replaces the printed
// list's rows in one transaction, and leaves the archive free for others whatever happens.
class TRicercaComuni : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void rigaCompleta() {
        ArchivioProva archivio;
        Istruzione query(
            archivio.db(),
            "SELECT 7 AS COM_ID, ' MI ' AS com_prov, '  Milano  ' AS COM_NAME, "
            "'E' AS COM_ZONE, '2404' AS COM_DEGDAY, 121.5 AS COM_ALT, 45 AS "
            "COM_LATI_G, 30 AS COM_LATI_P, 9 AS COM_LONG_G, 11 AS COM_LONG_P, 'Rif' AS "
            "COM_RIFER_NAME, 'ABC' AS COM_RIFER_PROV, 1300 AS Irradianza, NULL AS "
            "ProvVicina1, 'B' AS ProvVicina2, '4,5' AS Hdh, 6.25 AS Hbh, -1 AS "
            "capoluogo");
        QVERIFY(query.passo());
        DatiComune d;
        QVERIFY(LetturaComune::Comune(query, LetturaComune::Colonne::DellaQuery(query), d).ok());
        QCOMPARE(QStringList({QString::number(d.Id), d.Prov, d.Nome, d.Zona, d.RifNome, d.RifProv,
                              d.ProvVicina1, d.ProvVicina2}),
                 QStringList({"7", "MI", "Milano", "E", "Rif", "AB", "  ", "B "}));
        QCOMPARE(QList<int>({d.GradiGiorno, d.Altitudine, d.LatiG, d.LatiP, d.LongG, d.LongP,
                             d.Irradianza, d.Capoluogo}),
                 QList<int>({2404, 122, 45, 30, 9, 11, 1300, 1}));
        QCOMPARE(d.Hdh, 4.5f);
        QCOMPARE(d.Hbh, 6.25f);
        // 3.14 stands for pi: 45° 30' is 0.7937222 rad here, 0.7941248 with the true value.
        QVERIFY(qAbs(d.LatRad - 0.7937222) < 1e-7 && qAbs(d.LongRad - 0.1601982) < 1e-7);
    }

    void celleNumeriche_data() {
        QTest::addColumn<QString>("valore");
        QTest::addColumn<int>("atteso");
        QTest::addColumn<CodiceErrore>("errore"); // Database: no error
        const auto ok = CodiceErrore::Database;
        QTest::newRow("null") << "NULL" << 0 << ok;
        QTest::newRow("metà al pari in giù") << "12.5" << 12 << ok;
        QTest::newRow("testo con spazi") << "' 42 '" << 42 << ok;
        QTest::newRow("intero oltre") << "32768" << 0 << CodiceErrore::Overflow;
        QTest::newRow("oltre dopo l'arrotondamento") << "32767.5" << 0 << CodiceErrore::Overflow;
        QTest::newRow("testo") << "'abc'" << 0 << CodiceErrore::TipoNonCorrispondente;
    }
    void celleNumeriche() {
        QFETCH(QString, valore);
        QFETCH(int, atteso);
        QFETCH(CodiceErrore, errore);
        ArchivioProva archivio;
        Istruzione query(archivio.db(), "SELECT " + valore);
        QVERIFY(query.passo());
        const Esito<qint16> letto = LetturaComune::Intero16(query, 0);
        QCOMPARE(letto.ok() ? CodiceErrore::Database : letto.errore().codice, errore);
        QCOMPARE(letto.valoreOppure(0), atteso);
    }

    void ricerche_data() {
        // Before each row a first search has listed PRIMO; the row adds its comuni (values of
        // name, province, zone, altitude, degree days, coordinates, irradiance) and searches.
        QTest::addColumn<QString>("valori");
        QTest::addColumn<QString>("query"); // "tutti": the whole archive
        QTest::addColumn<QString>("elenco");
        QTest::addColumn<QStringList>("stampa");
        const QString primo = "PRIMO|AA|E|100|2000|45° 0'|9° 0'|0";
        QTest::newRow("tutti") << "('ROMA','RM','D',20,1415,41,54,12,29,0), "
                                  "('MONZA','M','E',162,2404,-3,7,9,16,1300)"
                               << "tutti"
                               << "MONZA|PRIMO|ROMA"
                               << QStringList{"MONZA|M |E|162|2404|-3° 7'|9° 16'|1300", primo,
                                              "ROMA|RM|D|20|1415|41° 54'|12° 29'|0"};
        QTest::newRow("nessuno") << ""
                                 << "WHERE (COM_NAME LIKE 'X%') Order By COM_NAME"
                                 << "" << QStringList{};
        QTest::newRow("valori null") << "('SENZA', NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
                                        "NULL, NULL)"
                                     << "WHERE COM_NAME = 'senza'"
                                     << "SENZA" << QStringList{"SENZA|  | |0|0|0° 0'|0° 0'|0"};
        QTest::newRow("spazi attorno ai nomi")
            << "('  RHO ','MI','E',1,1,1,1,1,1,1), (char(9) || 'CANTÙ' || char(160),'CO','E',1,1,"
               "1,1,1,1,1)"
            << "WHERE COM_ALT = 1 Order By COM_PROV"
            << "CANTÙ|RHO"
            << QStringList{"CANTÙ|CO|E|1|1|1° 1'|1° 1'|1", "RHO|MI|E|1|1|1° 1'|1° 1'|1"};
        // Failures keep the previous printed list; the list holds what was read, then blanks.
        QTest::newRow("query vuota") << ""
                                     << ""
                                     << "" << QStringList{primo};
        QTest::newRow("errore a metà") << "('SECONDO','BB','E',1,1,1,1,1,1,1), ('TERZO','CC','E',"
                                          "99999,1,1,1,1,1,1), ('ULTIMO','DD','E',1,1,1,1,1,1,1)"
                                       << "errore"
                                       << "PRIMO|SECONDO|TERZO|" << QStringList{primo};
    }
    void ricerche() {
        QFETCH(QString, valori);
        QFETCH(QString, query);
        QFETCH(QString, elenco);
        QFETCH(QStringList, stampa);
        ArchivioProva archivio;
        archivio.aggiungiComune("PRIMO", "AA");
        QVERIFY(Archivio::Apri("Ricerca", archivio.percorso()).ok());
        sqlite3* db = Archivio::Maniglia("Ricerca");
        QList<DatiComune> trovati;
        QVERIFY(RicercaComuni::Esegui(db, Ricerca::SelectTuttiIComuni, trovati).esito.ok());
        // The altitude check is dropped so that a value out of range can reach the reading.
        if (query == "errore")
            archivio.esegui("CREATE TABLE C AS SELECT * FROM Comuni; DROP TABLE Comuni; "
                            "ALTER TABLE C RENAME TO Comuni");
        if (!valori.isEmpty())
            QVERIFY(archivio.esegui("INSERT INTO Comuni (COM_NAME, COM_PROV, COM_ZONE, COM_ALT, "
                                    "COM_DEGDAY, COM_LATI_G, COM_LATI_P, COM_LONG_G, COM_LONG_P, "
                                    "Irradianza) VALUES " +
                                    valori));
        const QString testo = query == "tutti" || query == "errore" ? Ricerca::SelectTuttiIComuni
                              : query.isEmpty()                     ? QString()
                                                : Ricerca::ElencoColonne + "From Comuni " + query;
        const RicercaComuni::Risultato r = RicercaComuni::Esegui(db, testo, trovati);
        QCOMPARE(r.esito.ok(), !testo.isEmpty() && query != "errore");
        QStringList nomi;
        for (const DatiComune& d : trovati)
            nomi << d.Nome;
        QCOMPARE(nomi.join('|'), elenco);
        // Whatever happened, the transaction is over and another program may write at once.
        QVERIFY(sqlite3_get_autocommit(db));
        QVERIFY(Archivio::Apri("Altro", archivio.percorso(), 0).ok());
        QVERIFY(IniziaTransazione(Archivio::Maniglia("Altro")).ok());
        Archivio::Chiudi("Altro");
        Archivio::Chiudi("Ricerca");
        QCOMPARE(archivio.testi("SELECT Comune || '|' || Prov || '|' || Zona || '|' || Altitudine "
                                "|| '|' || GradiGiorno || '|' || Latitudine || '|' || Longitudine "
                                "|| '|' || Irradianza FROM RicElComuni WHERE RicId = 1 ORDER BY "
                                "rowid"),
                 stampa);
    }
};

QTEST_GUILESS_MAIN(TRicercaComuni)
#include "tst_ricercaComuni.moc"
