#include "gui/search/FinestraElencoProva.h"
#include "support/TabellaCasi.h"

#include <QPushButton>
#include <QtTest>

// The archive of the batch: capitals AA 45°, BB 46° and CC 44° (first in the table) on meridian
// 9°, with Hdh = 49 - degrees and Hbh = 51 - degrees, and ZZ 45° 10', the nearest to M1 but
// without Hdh. M2, 1° east, already holds its right values. MEZZO is as near to AA as to CC;
// PARI is 370.97 km from BB and 370.20 km from CC (worked out apart on the sphere).
// clang-format off
const QList<ComuneProva> Archivio = {
    {.nome = "CCC", .prov = "CC", .latiG = 44, .hdh = 5, .hbh = 7, .capoluogo = true},
    {.nome = "BBB", .prov = "BB", .latiG = 46, .hdh = 3, .hbh = 5, .capoluogo = true},
    {.nome = "AAA", .prov = "AA", .latiG = 45, .hdh = 4, .hbh = 6, .capoluogo = true},
    {.nome = "ZZZ", .prov = "ZZ", .latiG = 45, .latiP = 10, .hbh = 6, .capoluogo = true},
    {.nome = "M1", .prov = "M1", .latiG = 45, .latiP = 20},
    {.nome = "M2", .prov = "M2", .latiG = 45, .longG = 10, .irradianza = 115, .provVicina1 = "AA",
     .provVicina2 = "BB"},
    {.nome = "MEZZO", .prov = "ME", .latiG = 44, .latiP = 30},
    {.nome = "PARI", .prov = "PA", .latiG = 44, .latiP = 54, .longG = 13, .longP = 30},
};
// clang-format on

// What a successful run stores, in the order of Archivio: the two nearest capitals with
// irradiation data and (Hdh + Hbh) × 11.57 on the straight line through them, rounded down.
struct Vicine {
    QString provVicina1, provVicina2;
    int irradianza;
};
const Vicine Ricalcolate[] = {
    {.provVicina1 = "CC", .provVicina2 = "AA", .irradianza = 138}, // 12 × 11.57 = 138.84
    {.provVicina1 = "BB", .provVicina2 = "AA", .irradianza = 92},  // 8 × 11.57 = 92.56
    {.provVicina1 = "AA", .provVicina2 = "BB", .irradianza = 115}, // BB and CC at 110.95 km
    {.provVicina1 = "AA", .provVicina2 = "BB", .irradianza = 111}, // 9 2/3 × 11.57 = 111.84
    {.provVicina1 = "AA", .provVicina2 = "BB", .irradianza = 107}, // 9 1/3 × 11.57 = 107.99
    {.provVicina1 = "AA", .provVicina2 = "BB", .irradianza = 115},
    // CC, met after AA at the same 55 km, does not take the first place.
    {.provVicina1 = "AA", .provVicina2 = "CC", .irradianza = 127}, // 11 × 11.57 = 127.27
    // CC, met after BB at the same 370 km though nearer, does not take the second place.
    {.provVicina1 = "AA", .provVicina2 = "BB", .irradianza = 118}, // 10.2 × 11.57 = 118.01
};

// A run of the hidden maintenance command, twice: the messages of each run and whether the
// archive ends with the values of Ricalcolate (otherwise it is unchanged).
struct Esecuzione {
    const char* nome;
    QString sql{}; // run after the window has listed the archive
    QStringList messaggi{};
    bool ricalcolato = false;
};
Q_DECLARE_METATYPE(Esecuzione)
// clang-format off
const Esecuzione Esecuzioni[] = {
    {.nome = "ricalcolo", .messaggi = {"FINITO"}, .ricalcolato = true},
    // MEZZO is the sixth of the list, by name.
    {.nome = "riga sparita", .sql = "DELETE FROM Comuni WHERE COM_NAME = 'MEZZO'",
     .messaggi = {"non trovo MEZZO", "5 MEZZO"}},
    {.nome = "stessa latitudine",
     .sql = "UPDATE Comuni SET COM_LATI_G = 45, COM_LONG_G = 10 WHERE COM_NAME = 'BBB'",
     .messaggi = {"Divisione per zero: i due capoluoghi più vicini a AAA, AAA (AA, 45° 0') e BBB "
                  "(BB, 45° 0'), hanno la stessa latitudine. Correggere le coordinate o "
                  "l'irradiazione di uno dei due.",
                  "0 AAA"}},
    {.nome = "un solo capoluogo", .sql = "UPDATE Comuni SET Hbh = 0 WHERE COM_NAME <> 'AAA'",
     .messaggi = {"Meno di due capoluoghi di provincia hanno i dati di irradiazione (Hdh e Hbh "
                  "maggiori di 0): impossibile scegliere i due capoluoghi vicini. Caricare prima "
                  "l'irradiazione dei capoluoghi.",
                  "0 AAA"}},
    // Reading the capitals fails: the command ends without a message.
    {.nome = "archivio bloccato", .sql = "BEGIN IMMEDIATE"},
};
// clang-format on

// The hidden maintenance command of the main window on a small archive.
class TFrmElencoBatch : public QObject {
    Q_OBJECT
private slots:
    void comando_data() { Righe(Esecuzioni); }
    void comando() {
        QFETCH(Esecuzione, caso);
        FinestraElencoProva prova(Archivio);
        ArchivioProva& a = prova.archivio;
        QVERIFY(a.esegui("CREATE TABLE Scritture (n); CREATE TRIGGER t AFTER UPDATE ON Comuni "
                         "BEGIN INSERT INTO Scritture VALUES (1); END;"));
        QVERIFY(caso.sql.isEmpty() || a.esegui(caso.sql));
        qint64 prima = a.conta("Scritture");
        QVERIFY(prova.w<QPushButton>("Command1")->isHidden());
        // A second run finds everything in place (or fails the same way) and writes nothing:
        // the first writes the rows whose values change, all but M2.
        for (const qint64 scritture : {caso.ricalcolato ? 7 : 0, 0}) {
            prova.w<QPushButton>("Command1")->click();
            QVERIFY2(prova.messaggi.testi() == caso.messaggi, qPrintable(prova.messaggi.elenco()));
            prova.messaggi.svuota();
            QCOMPARE(a.conta("Scritture") - prima, scritture);
            prima += scritture;
        }
        // After a failure every row keeps the batch's three columns; after a run the rows are
        // those of Archivio with the values of Ricalcolate.
        for (qsizetype i = 0; i < Archivio.size(); ++i) {
            const std::optional<ComuneProva> visto = a.comune(i + 1);
            QVERIFY2(visto || caso.sql.startsWith("DELETE"), qPrintable(Archivio[i].nome));
            ComuneProva atteso = caso.ricalcolato ? Archivio[i] : visto.value_or(Archivio[i]);
            const Vicine vicine = caso.ricalcolato
                                      ? Ricalcolate[i]
                                      : Vicine{Archivio[i].provVicina1, Archivio[i].provVicina2,
                                               Archivio[i].irradianza};
            atteso.provVicina1 = vicine.provVicina1;
            atteso.provVicina2 = vicine.provVicina2;
            atteso.irradianza = vicine.irradianza;
            const QStringList differenze = DifferenzeComune(atteso, visto.value_or(atteso));
            QVERIFY2(differenze.isEmpty(), qPrintable(atteso.nome + ": " + differenze.join("; ")));
        }
    }
};

QTEST_MAIN(TFrmElencoBatch)
#include "tst_frmElencoBatch.moc"
