#include "core/query/CreaSelect.h"
#include "support/TabellaCasi.h"

// The boxes of the filter panel as typed.
struct Intervallo {
    QString da{}, a{};
};
struct Caselle {
    QString comune{}, provincia{}, zona{};
    Intervallo altitudine{}, gradiGiorno{}, latitudine{}, longitudine{}, irradianza{};
};

// The filter panel as the user leaves it, and the conditions of the search it runs (its columns
// are seen where a search reads an archive).
struct Caso {
    const char* nome;
    bool nascosto = false; // the panel is hidden
    bool tutti = false;    // "tutti i comuni:" is checked
    Caselle caselle{};
    // What follows "From Comuni WHERE " before " Order By COM_NAME"; empty: no WHERE.
    QString dove{};
    QString errore{}; // the message instead of a query
};
Q_DECLARE_METATYPE(Caso)
// clang-format off
const Caso Casi[] = {
    {.nome = "inizio del nome, spazi attorno", .caselle = {.comune = "  ROMA "}, .dove = "(COM_NAME LIKE 'ROMA%')"},
    {.nome = "provincia, zona, altitudine minima", .caselle = {.provincia = "TO", .zona = "E", .altitudine = {.da = "500"}},
     .dove = "(COM_PROV LIKE 'TO%') AND (COM_ZONE = 'E') AND (COM_ALT >= 500)"},
    {.nome = "intervalli in ordine, spazi attorno, decimali arrotondati",
     .caselle = {.gradiGiorno = {.da = "2100", .a = "3000"}, .latitudine = {.a = " 46 "}, .longitudine = {.a = "-12,5"}, .irradianza = {.a = "4000"}},
     .dove = "(COM_DEGDAY >= 2100 AND COM_DEGDAY <= 3000) AND (COM_LATI_G <= 46) AND (COM_LONG_G <= -12) AND (Irradianza <= 4000)"},
    {.nome = "pannello nascosto: nessun filtro né errore", .nascosto = true, .caselle = {.comune = "ROMA", .altitudine = {.da = "abc"}}},
    {.nome = "tutti i comuni: nessun filtro né errore", .tutti = true, .caselle = {.provincia = "MI", .altitudine = {.da = "40000"}}},
    {.nome = "caselle di soli spazi: nessun filtro", .caselle = {.comune = "  ", .provincia = " ", .zona = "  ", .irradianza = {" ", " "}}},
    {.nome = "apostrofi doppi solo nel nome, caratteri jolly lasciati", .caselle = {.comune = "%Ca' d'_", .provincia = "_'"},
     .dove = "(COM_NAME LIKE '%Ca'' d''_%') AND (COM_PROV LIKE '_'%')"},
    {.nome = "non numero: il primo errore", .caselle = {.comune = "X", .altitudine = {.da = "1x", .a = "99999"}},
     .errore = "Tipo non corrispondente: «1x» non è un numero."},
    {.nome = "oltre 16 bit", .caselle = {.irradianza = {.a = "32767,5"}}, .errore = "Overflow: il valore 32767,5 è fuori dall'intervallo consentito."},
};
// clang-format on

class TCreaSelect : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void testo_data() { Righe(Casi); }
    void testo() {
        QFETCH(Caso, caso);
        const Caselle& c = caso.caselle;
        const auto r = [](const Intervallo& i) { return IntervalloRicerca{i.da, i.a}; };
        const Esito<QString> query = Ricerca::CreaSelect(
            {!caso.nascosto, caso.tutti, c.comune, c.provincia, c.zona, r(c.altitudine),
             r(c.gradiGiorno), r(c.latitudine), r(c.longitudine), r(c.irradianza)});
        // The columns left out, so that a failure shows where the conditions differ.
        const QString inizio = Ricerca::ElencoColonne + "From Comuni";
        const QString visto = query.ok() ? query.valore() : query.errore().descrizione;
        const QString dove = caso.dove.isEmpty() ? "" : " WHERE " + caso.dove;
        QCOMPARE(visto.startsWith(inizio) ? visto.mid(inizio.size()) : visto,
                 caso.errore.isEmpty() ? dove + " Order By COM_NAME" : caso.errore);
    }
};

QTEST_GUILESS_MAIN(TCreaSelect)
#include "tst_creaSelect.moc"
