#include "core/query/CreaSelect.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/LetturaComune.h"
#include "db/RicercaComuni.h"
#include "support/ArchivioProva.h"
#include "support/Confronta.h"

// A row of the archive becomes a DatiComune; a search fills the list and replaces the printed
// list's rows in one transaction, and leaves the archive free for others whatever happens.
class TRicercaComuni : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void rigaCompleta() {
        ArchivioProva archivio;
        Istruzione query(archivio.db(),
                         "SELECT ' MI ' AS com_prov, '  Milano  ' AS COM_NAME, 'E' AS "
                         "COM_ZONE, ' 2404 ' AS COM_DEGDAY, 121.5 AS COM_ALT, 45 AS COM_LATI_G, 30 "
                         "AS COM_LATI_P, 9 AS COM_LONG_G, 11 AS COM_LONG_P, 'Rif' AS "
                         "COM_RIFER_NAME, 'ABC' AS COM_RIFER_PROV, 1300 AS Irradianza, NULL AS "
                         "ProvVicina1, 'B' AS ProvVicina2, '4,5' AS Hdh, 6.25 AS Hbh, -1 AS "
                         "capoluogo");
        QVERIFY(query.passo());
        DatiComune d;
        QVERIFY(LetturaComune::Comune(query, LetturaComune::Colonne::DellaQuery(query), d).ok());
        // Texts trimmed, codes cut or padded to their width, ' 2404 ' and '4,5' read as typed
        // numbers, 121.5 rounded to even, -1 as true.
        // clang-format off
        const ComuneProva letto = {.nome = d.Nome, .prov = d.Prov, .zona = d.Zona, .altitudine = d.Altitudine, .gradiGiorno = d.GradiGiorno,
                                   .latiG = d.LatiG, .latiP = d.LatiP, .longG = d.LongG, .longP = d.LongP, .hdh = d.Hdh, .hbh = d.Hbh,
                                   .capoluogo = d.Capoluogo, .rifNome = d.RifNome, .rifProv = d.RifProv, .irradianza = d.Irradianza,
                                   .provVicina1 = d.ProvVicina1, .provVicina2 = d.ProvVicina2};
        const ComuneProva atteso = {.nome = "Milano", .prov = "MI", .zona = "E", .altitudine = 122, .gradiGiorno = 2404, .latiG = 45, .latiP = 30,
                                    .longG = 9, .longP = 11, .hdh = 4.5, .hbh = 6.25, .capoluogo = true, .rifNome = "Rif", .rifProv = "AB",
                                    .irradianza = 1300, .provVicina1 = "  ", .provVicina2 = "B "};
        // clang-format on
        CONFRONTA("riga", "campi", DifferenzeComune(atteso, letto), QStringList());
        // 3.14 stands for pi: 45° 30' is 0.7937222 rad here, 0.7941248 with the true value.
        CONFRONTA("riga", "LatRad in decimilionesimi", qRound(d.LatRad * 1e7), 7937222);
        CONFRONTA("riga", "LongRad in decimilionesimi", qRound(d.LongRad * 1e7), 1601982);
    }

    void ricerche() {
        // A search after a first one that listed PRIMO: the comuni added before it, its query,
        // and what the list and the printed list hold afterwards.
        struct Caso {
            const char* nome;
            QList<ComuneProva> comuni = {};
            QString query = Ricerca::SelectTuttiIComuni;
            bool riuscita = true;
            QStringList elenco = {};
            QStringList stampa = {}; // names in the printed list's rows
        };
        // clang-format off
        const Caso casi[] = {
            {.nome = "tutti", .comuni = {{.nome = "MONZA", .prov = "MI"}}, .elenco = {"MONZA", "PRIMO"}, .stampa = {"MONZA", "PRIMO"}},
            // Without rows the list holds one empty element.
            {.nome = "nessuno", .query = Ricerca::ElencoColonne + "From Comuni WHERE COM_NAME LIKE 'X%'", .elenco = {""}, .stampa = {}},
            // A failure keeps the previous printed list.
            {.nome = "query vuota", .query = "", .riuscita = false, .elenco = {""}, .stampa = {"PRIMO"}},
            // A value out of range in the third row: the list holds what was read, then blanks.
            {.nome = "errore a metà", .comuni = {{.nome = "SECONDO"}, {.nome = "TERZO", .altitudine = 99999}, {.nome = "ULTIMO"}},
             .riuscita = false, .elenco = {"PRIMO", "SECONDO", "TERZO", ""}, .stampa = {"PRIMO"}},
        };
        // clang-format on
        for (const Caso& caso : casi) {
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
            CONFRONTA(caso.nome, "riuscita",
                      RicercaComuni::Esegui(db, caso.query, trovati).esito.ok(), caso.riuscita);
            QStringList elenco;
            for (const DatiComune& d : trovati)
                elenco << d.Nome;
            CONFRONTA(caso.nome, "elenco", elenco, caso.elenco);
            // Whatever happened, the transaction is over and another program may write at once.
            QVERIFY(Archivio::Apri("Altro", archivio.percorso(), 0).ok());
            CONFRONTA(caso.nome, "scrittura di un altro",
                      IniziaTransazione(Archivio::Maniglia("Altro")).ok(), true);
            Archivio::Chiudi("Altro");
            Archivio::Chiudi("Ricerca");
            CONFRONTA(
                caso.nome, "stampa",
                archivio.testi("SELECT Comune FROM RicElComuni WHERE RicId = 1 ORDER BY rowid"),
                caso.stampa);
        }
    }

    void rigaStampa() {
        // The printed list's rows of a comune with values and of one with only its name (Null
        // elsewhere), column by column: the name trimmed, codes at their width, coordinates as
        // degrees and primes, Null values as blanks and zeros.
        ArchivioProva archivio;
        // clang-format off
        const QStringList colonne = {"Comune", "Prov", "Zona", "Altitudine", "GradiGiorno", "Latitudine", "Longitudine", "Irradianza"};
        const QStringList monza = {"MONZA", "M ", "E", "162", "2404", "-3° 7'", "9° 16'", "1300"};
        const QStringList senza = {"SENZA", "  ", " ", "0", "0", "0° 0'", "0° 0'", "0"};
        archivio.aggiungi({.nome = "\tMONZA\u00A0", .prov = "M", .zona = "E", .altitudine = 162, .gradiGiorno = 2404, .latiG = -3, .latiP = 7,
                           .longG = 9, .longP = 16, .irradianza = 1300});
        // clang-format on
        QVERIFY(archivio.esegui("INSERT INTO Comuni (COM_NAME) VALUES ('SENZA')"));
        QList<DatiComune> trovati;
        QVERIFY(
            RicercaComuni::Esegui(archivio.db(), Ricerca::SelectTuttiIComuni, trovati).esito.ok());
        for (int i = 0; i < colonne.size(); ++i)
            CONFRONTA(colonne[i], "MONZA e SENZA",
                      archivio.testi("SELECT " + colonne[i] + " FROM RicElComuni ORDER BY rowid"),
                      (QStringList{monza[i], senza[i]}));
    }
};

QTEST_GUILESS_MAIN(TRicercaComuni)
#include "tst_ricercaComuni.moc"
