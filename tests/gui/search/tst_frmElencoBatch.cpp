#include "gui/search/FinestraElencoProva.h"
#include "support/TabellaCasi.h"

#include <QPushButton>

// The archive after a successful run of the batch: capitals AA 45°, BB 46° and CC 44° (first
// in the table) on meridian 9°, with Hdh = 49 - degrees and Hbh = 51 - degrees, and ZZ 45° 10',
// the nearest to M1 but without Hdh. M2 is 1° east. MEZZO is as near to AA as to CC; PARI is
// 370.97 km from BB and 370.20 km from CC (worked out apart on the sphere). The batch stores the
// two nearest capitals with irradiation data and (Hdh + Hbh) × 11.57 on the straight line
// through them, rounded down.
// clang-format off
const QList<ComuneProva> Ricalcolate = {
    // 12 × 11.57 = 138.84
    {.nome = "CCC", .prov = "CC", .latiG = 44, .hdh = 5, .hbh = 7, .capoluogo = true, .irradianza = 138, .provVicina1 = "CC", .provVicina2 = "AA"},
    // 8 × 11.57 = 92.56
    {.nome = "BBB", .prov = "BB", .latiG = 46, .hdh = 3, .hbh = 5, .capoluogo = true, .irradianza = 92, .provVicina1 = "BB", .provVicina2 = "AA"},
    // BB and CC at 110.95 km
    {.nome = "AAA", .prov = "AA", .latiG = 45, .hdh = 4, .hbh = 6, .capoluogo = true, .irradianza = 115, .provVicina1 = "AA", .provVicina2 = "BB"},
    // 9 2/3 × 11.57 = 111.84
    {.nome = "ZZZ", .prov = "ZZ", .latiG = 45, .latiP = 10, .hbh = 6, .capoluogo = true, .irradianza = 111, .provVicina1 = "AA", .provVicina2 = "BB"},
    // 9 1/3 × 11.57 = 107.99
    {.nome = "M1", .prov = "M1", .latiG = 45, .latiP = 20, .irradianza = 107, .provVicina1 = "AA", .provVicina2 = "BB"},
    {.nome = "M2", .prov = "M2", .latiG = 45, .longG = 10, .irradianza = 115, .provVicina1 = "AA", .provVicina2 = "BB"},
    // 11 × 11.57 = 127.27: CC, met after AA at the same 55 km, does not take the first place.
    {.nome = "MEZZO", .prov = "ME", .latiG = 44, .latiP = 30, .irradianza = 127, .provVicina1 = "AA", .provVicina2 = "CC"},
    // 10.2 × 11.57 = 118.01: CC, met after BB at the same 370 km though nearer, does not take
    // the second place.
    {.nome = "PARI", .prov = "PA", .latiG = 44, .latiP = 54, .longG = 13, .longP = 30, .irradianza = 118, .provVicina1 = "AA", .provVicina2 = "BB"},
};
// clang-format on

// The archive before the batch: the rows of Ricalcolate without the batch's three columns, but
// for M2, which already holds its right values.
QList<ComuneProva> Archivio() {
    QList<ComuneProva> comuni = Ricalcolate;
    for (ComuneProva& c : comuni)
        if (c.nome != "M2")
            std::tie(c.irradianza, c.provVicina1, c.provVicina2) = std::tuple(0, "", "");
    return comuni;
}

// A run of the hidden maintenance command, twice, after `sql`: the messages of each run. It
// succeeds on the archive as listed (no `sql`), and the archive ends as Ricalcolate; otherwise
// it is unchanged.
struct Esecuzione {
    const char* nome;
    QString sql{}; // run after the window has listed the archive
    QStringList messaggi{};
};
Q_DECLARE_METATYPE(Esecuzione)
// clang-format off
const Esecuzione Esecuzioni[] = {
    {.nome = "ricalcolo", .messaggi = {"FINITO"}},
    // MEZZO is the sixth of the list, by name.
    {.nome = "riga sparita", .sql = "DELETE FROM Comuni WHERE COM_NAME = 'MEZZO'", .messaggi = {"non trovo MEZZO", "5 MEZZO"}},
    {.nome = "stessa latitudine", .sql = "UPDATE Comuni SET COM_LATI_G = 45, COM_LONG_G = 10 WHERE COM_NAME = 'BBB'",
     .messaggi = {"Divisione per zero: i due capoluoghi più vicini a AAA, AAA (AA, 45° 0') e BBB (BB, 45° 0'), hanno la stessa "
                  "latitudine. Correggere le coordinate o l'irradiazione di uno dei due.", "0 AAA"}},
    {.nome = "un solo capoluogo", .sql = "UPDATE Comuni SET Hbh = 0 WHERE COM_NAME <> 'AAA'",
     .messaggi = {"Meno di due capoluoghi di provincia hanno i dati di irradiazione (Hdh e Hbh maggiori di 0): impossibile scegliere "
                  "i due capoluoghi vicini. Caricare prima l'irradiazione dei capoluoghi.", "0 AAA"}},
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
        FinestraElencoProva prova(Archivio());
        ArchivioProva& a = prova.archivio;
        QVERIFY(a.esegui("CREATE TABLE Scritture (n); CREATE TRIGGER t AFTER UPDATE ON Comuni "
                         "BEGIN INSERT INTO Scritture VALUES (1); END;"));
        QVERIFY(caso.sql.isEmpty() || a.esegui(caso.sql));
        QVERIFY(prova.w<QPushButton>("Command1")->isHidden());
        // The first run writes the rows whose values change, all but M2; a second one finds
        // everything in place (or fails the same way) and writes nothing.
        for (const qint64 scritture : {caso.sql.isEmpty() ? 7 : 0, 0}) {
            QVERIFY(a.esegui("DELETE FROM Scritture"));
            prova.w<QPushButton>("Command1")->click();
            QVERIFY2(prova.messaggi.testi() == caso.messaggi, qPrintable(prova.messaggi.elenco()));
            prova.messaggi.svuota();
            QCOMPARE(a.conta("Scritture"), scritture);
        }
        // A failed run has written nothing (its writes are undone with their records in
        // Scritture); a successful one leaves the rows of Ricalcolate.
        for (qsizetype i = 0; caso.sql.isEmpty() && i < Ricalcolate.size(); ++i) {
            const QStringList d =
                DifferenzeComune(Ricalcolate[i], a.comune(i + 1).value_or(ComuneProva{}));
            QVERIFY2(d.isEmpty(), qPrintable(Ricalcolate[i].nome + ": " + d.join("; ")));
        }
    }
};

QTEST_MAIN(TFrmElencoBatch)
#include "tst_frmElencoBatch.moc"
