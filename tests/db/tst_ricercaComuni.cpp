#include "core/query/CreaSelect.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/LetturaComune.h"
#include "db/RicercaComuni.h"
#include "support/ArchivioProva.h"
#include "support/TabellaCasi.h"

#include <sqlite3.h>

// One numeric cell read into a 16-bit field.
struct Cella {
    const char* nome;
    QString sql; // the cell's value in SQL
    int letto = 0;
    std::optional<CodiceErrore> errore{};
};
Q_DECLARE_METATYPE(Cella)
// clang-format off
const Cella Celle[] = {
    {.nome = "null", .sql = "NULL", .letto = 0},
    {.nome = "metà al pari in giù", .sql = "12.5", .letto = 12},
    {.nome = "testo con spazi", .sql = "' 42 '", .letto = 42},
    {.nome = "intero oltre", .sql = "32768", .errore = CodiceErrore::Overflow},
    {.nome = "oltre dopo l'arrotondamento", .sql = "32767.5", .errore = CodiceErrore::Overflow},
    {.nome = "testo", .sql = "'abc'", .errore = CodiceErrore::TipoNonCorrispondente},
};
// clang-format on

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
// clang-format off
const Esecuzione Esecuzioni[] = {
    {.nome = "tutti", .comuni = {{.nome = "MONZA", .prov = "MI"}}, .elenco = {"MONZA", "PRIMO"},
     .stampa = {"MONZA", "PRIMO"}},
    // Without rows the list holds one empty element.
    {.nome = "nessuno", .dove = "WHERE COM_NAME LIKE 'X%'", .elenco = {""}, .stampa = {}},
    {.nome = "spazi attorno ai nomi",
     .comuni = {{.nome = "  RHO ", .prov = "MI"}, {.nome = "\tCANTÙ\u00A0", .prov = "CO"}},
     .dove = "WHERE COM_NAME <> 'PRIMO' Order By COM_PROV", .elenco = {"CANTÙ", "RHO"},
     .stampa = {"CANTÙ", "RHO"}},
    // A failure keeps the previous printed list.
    {.nome = "query vuota", .dove = "", .riuscita = false, .elenco = {""}, .stampa = {"PRIMO"}},
    // A value out of range in the third row: the list holds what was read, then blanks.
    {.nome = "errore a metà",
     .comuni = {{.nome = "SECONDO"}, {.nome = "TERZO", .altitudine = 99999}, {.nome = "ULTIMO"}},
     .riuscita = false, .elenco = {"PRIMO", "SECONDO", "TERZO", ""}, .stampa = {"PRIMO"}},
};
// clang-format on

// The printed list's row of a municipality, its columns from Comune to Irradianza: codes at
// their width, coordinates as degrees and primes, Null values as blanks and zeros.
struct RigaStampa {
    const char* nome;
    std::optional<ComuneProva> comune{}; // nothing: a row with only the name SENZA
    QStringList stampata{};
};
Q_DECLARE_METATYPE(RigaStampa)
// clang-format off
const RigaStampa RigheStampa[] = {
    {.nome = "valori",
     .comune = ComuneProva{.nome = "MONZA", .prov = "M", .zona = "E", .altitudine = 162,
                           .gradiGiorno = 2404, .latiG = -3, .latiP = 7, .longG = 9, .longP = 16,
                           .irradianza = 1300},
     .stampata = {"MONZA", "M ", "E", "162", "2404", "-3° 7'", "9° 16'", "1300"}},
    {.nome = "valori null", .stampata = {"SENZA", "  ", " ", "0", "0", "0° 0'", "0° 0'", "0"}},
};
// clang-format on

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
        // Texts trimmed, codes cut or padded to their width, '2404' and '4,5' read as typed
        // numbers, 121.5 rounded to even, -1 as true.
        QCOMPARE(d.Nome, "Milano");
        QCOMPARE(d.Prov, "MI");
        QCOMPARE(d.Zona, "E");
        QCOMPARE(d.RifProv, "AB");
        QCOMPARE(d.ProvVicina1, "  ");
        QCOMPARE(d.ProvVicina2, "B ");
        QCOMPARE(d.RifNome, "Rif");
        QCOMPARE(d.GradiGiorno, 2404);
        QCOMPARE(d.Altitudine, 122);
        QCOMPARE(d.LatiP, 30);
        QCOMPARE(d.LongP, 11);
        QCOMPARE(d.Irradianza, 1300);
        QCOMPARE(d.Hdh, 4.5f);
        QCOMPARE(d.Hbh, 6.25f);
        QVERIFY(d.Capoluogo);
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
        QCOMPARE(Elenco(elenco), Elenco(caso.elenco));
        // Whatever happened, the transaction is over and another program may write at once.
        QVERIFY(sqlite3_get_autocommit(db));
        QVERIFY(Archivio::Apri("Altro", archivio.percorso(), 0).ok());
        QVERIFY(IniziaTransazione(Archivio::Maniglia("Altro")).ok());
        Archivio::Chiudi("Altro");
        Archivio::Chiudi("Ricerca");
        QCOMPARE(
            Elenco(archivio.testi("SELECT Comune FROM RicElComuni WHERE RicId = 1 ORDER BY rowid")),
            Elenco(caso.stampa));
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
        const QStringList colonne = {"Comune",      "Prov",       "Zona",        "Altitudine",
                                     "GradiGiorno", "Latitudine", "Longitudine", "Irradianza"};
        for (int i = 0; i < colonne.size(); ++i) {
            const QString letto =
                archivio.testi("SELECT " + colonne[i] + " FROM RicElComuni").join(", ");
            QCOMPARE(std::pair(colonne[i], letto), std::pair(colonne[i], caso.stampata.value(i)));
        }
    }
};

QTEST_GUILESS_MAIN(TRicercaComuni)
#include "tst_ricercaComuni.moc"
