#include "gui/search/FinestraElencoProva.h"

#include <QPushButton>
#include <QtTest>

// The hidden maintenance command of the main window on a small archive: capitals CC 44° (first
// in the table), AA 45°, BB 46° and ZZ 45° 10' (the nearest to M1, but without Hdh), all on the
// same meridian; M2, 1° east, already holds its right values.
class TFrmElencoBatch : public QObject {
    Q_OBJECT
private slots:
    void comando_data() {
        QTest::addColumn<QString>("sql");    // run after the window has listed the archive
        QTest::addColumn<QString>("attesi"); // the messages shown, separated by '|'
        QTest::addColumn<QString>("vicine"); // nearby capitals and irradiance, by name
        const QString invariate = "AAA - - 0,BBB - - 0,CCC - - 0,M1 - - 0,M2 AA BB 115,"
                                  "MEZZO - - 0,ZZZ - - 0";
        // (Hdh + Hbh) × 11.57 rounded down: AAA at AA 10 → 115.7; BBB at BB 8 → 92.56; M1 45° 20'
        // 10 - 2/3 → 107.99; ZZZ 45° 10' 10 - 1/3 → 111.84; MEZZO 44° 30', as near to AA as to
        // CC, 4.5 + 6.5 → 127.27.
        QTest::newRow("ricalcolo") << ""
                                   << "FINITO"
                                   << "AAA AA BB 115,BBB BB AA 92,CCC CC AA 138,M1 AA BB 107,M2 "
                                      "AA BB 115,MEZZO AA CC 127,ZZZ AA BB 111";
        QTest::newRow("riga sparita")
            << "DELETE FROM Comuni WHERE COM_NAME = 'MEZZO'"
            << "non trovo MEZZO|5 MEZZO" << QString(invariate).remove("MEZZO - - 0,");
        QTest::newRow("stessa latitudine")
            << "UPDATE Comuni SET COM_LATI_G = 45, COM_LONG_G = 10 WHERE COM_NAME = 'BBB'"
            << "Divisione per zero: i due capoluoghi più vicini a AAA, AAA (AA, 45° 0') e BBB (BB, "
               "45° 0'), hanno la stessa latitudine. Correggere le coordinate o l'irradiazione di "
               "uno dei due.|0 AAA"
            << invariate;
        QTest::newRow("un solo capoluogo")
            << "UPDATE Comuni SET Hbh = 0 WHERE COM_NAME <> 'AAA'"
            << "Meno di due capoluoghi di provincia hanno i dati di irradiazione (Hdh e Hbh "
               "maggiori di 0): impossibile scegliere i due capoluoghi vicini. Caricare prima "
               "l'irradiazione dei capoluoghi.|0 AAA"
            << invariate;
        QTest::newRow("archivio bloccato") << "BEGIN IMMEDIATE"
                                           << "" << invariate;
    }
    void comando() {
        QFETCH(QString, sql);
        QFETCH(QString, attesi);
        QFETCH(QString, vicine);
        FinestraElencoProva prova({"CCC,CC,,0,0,44,0,9,0,0", "BBB,BB,,0,0,46,0,9,0,0",
                                   "AAA,AA,,0,0,45,0,9,0,0", "ZZZ,ZZ,,0,0,45,10,9,0,0",
                                   "M1,M1,,0,0,45,20,9,0,0", "M2,M2,,0,0,45,0,10,0,115",
                                   "MEZZO,ME,,0,0,44,30,9,0,0"});
        ArchivioProva& a = prova.archivio;
        QVERIFY(a.esegui("UPDATE Comuni SET capoluogo = -1, Hdh = 49 - COM_LATI_G, Hbh = 51 - "
                         "COM_LATI_G WHERE length(COM_NAME) = 3; UPDATE Comuni SET Hdh = 0 WHERE "
                         "COM_PROV = 'ZZ'; UPDATE Comuni SET ProvVicina1 = 'AA', ProvVicina2 = "
                         "'BB' WHERE COM_NAME = 'M2'; CREATE TABLE Scritture (n); CREATE TRIGGER "
                         "t AFTER UPDATE ON Comuni BEGIN INSERT INTO Scritture VALUES (1); END;"));
        QVERIFY(sql.isEmpty() || a.esegui(sql));
        const qint64 prima = a.conta("Scritture"), scritture = attesi == "FINITO" ? 6 : 0;
        QVERIFY(prova.w<QPushButton>("Command1")->isHidden());
        // A second run finds everything in place (or fails the same way) and writes nothing.
        for (int volta = 0; volta < 2; ++volta) {
            prova.w<QPushButton>("Command1")->click();
            QCOMPARE(prova.messaggi.testi().join('|'), attesi);
            prova.messaggi.svuota();
            QCOMPARE(a.conta("Scritture") - prima, scritture);
        }
        QCOMPARE(a.testi("SELECT printf('%s %s %s %d', COM_NAME, ifnull(ProvVicina1, '-'), "
                         "ifnull(ProvVicina2, '-'), irradianza) FROM Comuni ORDER BY 1")
                     .join(','),
                 vicine);
    }
};

QTEST_MAIN(TFrmElencoBatch)
#include "tst_frmElencoBatch.moc"
