#include "core/query/CreaSelect.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/LetturaComune.h"
#include "db/RicercaComuni.h"
#include "support/ArchivioProva.h"
#include "support/TabellaCasi.h"

#include <sqlite3.h>

// The fields of a record that a municipality of the tests names.
ComuneProva Prova(const DatiComune& d) {
    return {d.Nome,    d.Prov,    d.Zona,       d.Altitudine,  d.GradiGiorno, d.LatiG,
            d.LatiP,   d.LongG,   d.LongP,      d.Hdh,         d.Hbh,         d.Capoluogo,
            d.RifNome, d.RifProv, d.Irradianza, d.ProvVicina1, d.ProvVicina2};
}

// One numeric cell read into a 16-bit field.
struct Cella {
    const char* nome;
    QString sql; // the cell's value in SQL
    int letto = 0;
    std::optional<CodiceErrore> errore{};
};
Q_DECLARE_METATYPE(Cella)
const Cella Celle[] = {
    {.nome = "null", .sql = "NULL", .letto = 0},
    {.nome = "metà al pari in giù", .sql = "12.5", .letto = 12},
    {.nome = "testo con spazi", .sql = "' 42 '", .letto = 42},
    {.nome = "intero oltre", .sql = "32768", .errore = CodiceErrore::Overflow},
    {.nome = "oltre dopo l'arrotondamento", .sql = "32767.5", .errore = CodiceErrore::Overflow},
    {.nome = "testo", .sql = "'abc'", .errore = CodiceErrore::TipoNonCorrispondente},
};

// A search after a first one that listed PRIMO: the municipalities added before it, the
// conditions after "From Comuni " (or the whole archive), and what the list and the printed
// list hold afterwards.
struct Esecuzione {
    const char* nome;
    QList<ComuneProva> comuni = {};
    QString dove = "tutti"; // "tutti": the whole archive; "": an empty query
    bool riuscita = true;
    QStringList elenco{};
    QStringList stampa{}; // names in the printed list's rows
};
Q_DECLARE_METATYPE(Esecuzione)
const Esecuzione Esecuzioni[] = {
    {.nome = "tutti",
     .comuni = {{.nome = "MONZA", .prov = "MI"}},
     .elenco = {"MONZA", "PRIMO"},
     .stampa = {"MONZA", "PRIMO"}},
    // Without rows the list holds one empty element.
    {.nome = "nessuno", .dove = "WHERE COM_NAME LIKE 'X%'", .elenco = {""}, .stampa = {}},
    {.nome = "spazi attorno ai nomi",
     .comuni = {{.nome = "  RHO ", .prov = "MI"}, {.nome = "\tCANTÙ\u00A0", .prov = "CO"}},
     .dove = "WHERE COM_NAME <> 'PRIMO' Order By COM_PROV",
     .elenco = {"CANTÙ", "RHO"},
     .stampa = {"CANTÙ", "RHO"}},
    // A failure keeps the previous printed list.
    {.nome = "query vuota", .dove = "", .riuscita = false, .elenco = {""}, .stampa = {"PRIMO"}},
    // A value out of range in the third row: the list holds what was read, then blanks.
    {.nome = "errore a metà",
     .comuni = {{.nome = "SECONDO"}, {.nome = "TERZO", .altitudine = 99999}, {.nome = "ULTIMO"}},
     .riuscita = false,
     .elenco = {"PRIMO", "SECONDO", "TERZO", ""},
     .stampa = {"PRIMO"}},
};

// The printed list's row of a municipality: codes at their width, coordinates as degrees and
// primes, Null values as blanks and zeros.
struct Stampata {
    QString comune, prov, zona, altitudine, gradiGiorno, latitudine, longitudine, irradianza;
};
struct RigaStampa {
    const char* nome;
    std::optional<ComuneProva> comune{}; // nothing: a row with only the name SENZA
    Stampata stampata;
};
Q_DECLARE_METATYPE(RigaStampa)
const RigaStampa RigheStampa[] = {
    {.nome = "valori",
     .comune = ComuneProva{.nome = "MONZA",
                           .prov = "M",
                           .zona = "E",
                           .altitudine = 162,
                           .gradiGiorno = 2404,
                           .latiG = -3,
                           .latiP = 7,
                           .longG = 9,
                           .longP = 16,
                           .irradianza = 1300},
     .stampata = {.comune = "MONZA",
                  .prov = "M ",
                  .zona = "E",
                  .altitudine = "162",
                  .gradiGiorno = "2404",
                  .latitudine = "-3° 7'",
                  .longitudine = "9° 16'",
                  .irradianza = "1300"}},
    {.nome = "valori null",
     .stampata = {.comune = "SENZA",
                  .prov = "  ",
                  .zona = " ",
                  .altitudine = "0",
                  .gradiGiorno = "0",
                  .latitudine = "0° 0'",
                  .longitudine = "0° 0'",
                  .irradianza = "0"}},
};

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
        // Texts trimmed, codes at their width, 121.5 rounded to even, '4,5' read as typed.
        const ComuneProva milano = {.nome = "Milano",
                                    .prov = "MI",
                                    .zona = "E",
                                    .altitudine = 122,
                                    .gradiGiorno = 2404,
                                    .latiG = 45,
                                    .latiP = 30,
                                    .longG = 9,
                                    .longP = 11,
                                    .hdh = 4.5,
                                    .hbh = 6.25,
                                    .capoluogo = true,
                                    .rifNome = "Rif",
                                    .rifProv = "AB",
                                    .irradianza = 1300,
                                    .provVicina1 = "  ",
                                    .provVicina2 = "B "};
        const QStringList differenze = DifferenzeComune(milano, Prova(d));
        QVERIFY2(differenze.isEmpty(), qPrintable(differenze.join("; ")));
        QCOMPARE(d.Id, 7);
        // 3.14 stands for pi: 45° 30' is 0.7937222 rad here, 0.7941248 with the true value.
        QVERIFY2(qAbs(d.LatRad - 0.7937222) < 1e-7, qPrintable(QString::number(d.LatRad)));
        QVERIFY2(qAbs(d.LongRad - 0.1601982) < 1e-7, qPrintable(QString::number(d.LongRad)));
    }

    void celleNumeriche_data() { Righe(Celle); }
    void celleNumeriche() {
        QFETCH(Cella, caso);
        ArchivioProva archivio;
        Istruzione query(archivio.db(), "SELECT " + caso.sql);
        QVERIFY(query.passo());
        const Esito<qint16> letto = LetturaComune::Intero16(query, 0);
        QCOMPARE(letto.ok() ? std::nullopt : std::optional(letto.errore().codice), caso.errore);
        QCOMPARE(letto.valoreOppure(0), caso.letto);
    }

    void ricerche_data() { Righe(Esecuzioni); }
    void ricerche() {
        QFETCH(Esecuzione, caso);
        ArchivioProva archivio;
        archivio.aggiungi({.nome = "PRIMO", .prov = "AA"});
        QVERIFY(Archivio::Apri("Ricerca", archivio.percorso()).ok());
        sqlite3* db = Archivio::Maniglia("Ricerca");
        QList<DatiComune> trovati;
        QVERIFY(RicercaComuni::Esegui(db, Ricerca::SelectTuttiIComuni, trovati).esito.ok());
        // Without the altitude check a value out of range can reach the reading.
        QVERIFY(archivio.esegui("CREATE TABLE C AS SELECT * FROM Comuni; DROP TABLE Comuni; "
                                "ALTER TABLE C RENAME TO Comuni"));
        for (const ComuneProva& comune : caso.comuni)
            archivio.aggiungi(comune);
        const QString query = caso.dove == "tutti" ? Ricerca::SelectTuttiIComuni
                              : caso.dove.isEmpty()
                                  ? QString()
                                  : Ricerca::ElencoColonne + "From Comuni " + caso.dove;
        QCOMPARE(RicercaComuni::Esegui(db, query, trovati).esito.ok(), caso.riuscita);
        QStringList elenco;
        for (const DatiComune& d : trovati)
            elenco << d.Nome;
        QCOMPARE(elenco, caso.elenco);
        // Whatever happened, the transaction is over and another program may write at once.
        QVERIFY(sqlite3_get_autocommit(db));
        QVERIFY(Archivio::Apri("Altro", archivio.percorso(), 0).ok());
        QVERIFY(IniziaTransazione(Archivio::Maniglia("Altro")).ok());
        Archivio::Chiudi("Altro");
        Archivio::Chiudi("Ricerca");
        QCOMPARE(archivio.testi("SELECT Comune FROM RicElComuni WHERE RicId = 1 ORDER BY rowid"),
                 caso.stampa);
    }

    void rigaStampa_data() { Righe(RigheStampa); }
    void rigaStampa() {
        QFETCH(RigaStampa, caso);
        ArchivioProva archivio;
        QVERIFY(caso.comune ? archivio.aggiungi(*caso.comune) > 0
                            : archivio.esegui("INSERT INTO Comuni (COM_NAME) VALUES ('SENZA')"));
        QList<DatiComune> trovati;
        QVERIFY(
            RicercaComuni::Esegui(archivio.db(), Ricerca::SelectTuttiIComuni, trovati).esito.ok());
        const std::pair<QString, QString Stampata::*> campi[] = {
            {"Comune", &Stampata::comune},
            {"Prov", &Stampata::prov},
            {"Zona", &Stampata::zona},
            {"Altitudine", &Stampata::altitudine},
            {"GradiGiorno", &Stampata::gradiGiorno},
            {"Latitudine", &Stampata::latitudine},
            {"Longitudine", &Stampata::longitudine},
            {"Irradianza", &Stampata::irradianza}};
        for (const auto& [colonna, campo] : campi) {
            const QStringList letto = archivio.testi("SELECT " + colonna + " FROM RicElComuni");
            QCOMPARE(colonna + ": " + letto.join(", "), colonna + ": " + caso.stampata.*campo);
        }
    }
};

QTEST_GUILESS_MAIN(TRicercaComuni)
#include "tst_ricercaComuni.moc"
