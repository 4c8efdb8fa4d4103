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

// The filter panel as the user leaves it, and the conditions of the search it runs.
struct Caso {
    const char* nome;
    bool nascosto = false; // the panel is hidden
    bool tutti = false;    // "tutti i comuni:" is checked
    Caselle caselle{};
    // What follows "From Comuni WHERE " before " Order By COM_NAME"; empty: no WHERE.
    QString dove{};
    QString errore{}; // the message instead of a query
};

// Every search reads the same eighteen columns.
const QString Colonne =
    "Select COM_ID, COM_PROV, COM_NAME, COM_ZONE, COM_DEGDAY, COM_ALT, "
    "COM_LATI_G, COM_LATI_P, COM_LONG_G, COM_LONG_P, COM_RIFER_NAME, "
    "COM_RIFER_PROV, Irradianza, ProvVicina1, ProvVicina2, Hdh, Hbh, capoluogo ";
Q_DECLARE_METATYPE(Caso)
// clang-format off
const Caso Casi[] = {
    {.nome = "inizio del nome", .caselle = {.comune = "ROMA"}, .dove = "(COM_NAME LIKE 'ROMA%')"},
    {.nome = "provincia, zona, minimo",
     .caselle = {.provincia = "TO", .zona = "E", .altitudine = {.da = "500"}},
     .dove = "(COM_PROV LIKE 'TO%') AND (COM_ZONE = 'E') AND (COM_ALT >= 500)"},
    {.nome = "intervallo intero, solo massimo",
     .caselle = {.gradiGiorno = {.da = "2100", .a = "3000"}, .irradianza = {.a = "4000"}},
     .dove = "(COM_DEGDAY >= 2100 AND COM_DEGDAY <= 3000) AND (Irradianza <= 4000)"},
    {.nome = "pannello nascosto: nessun filtro, nessun errore", .nascosto = true,
     .caselle = {.comune = "ROMA", .altitudine = {.da = "abc"}}},
    {.nome = "tutti i comuni: nessun filtro, nessun errore", .tutti = true,
     .caselle = {.provincia = "MI", .altitudine = {.da = "40000"}}},
    {.nome = "caselle di soli spazi: nessun filtro",
     .caselle = {.comune = "  ", .provincia = " ", .zona = "  ", .irradianza = {" ", " "}}},
    {.nome = "spazi attorno", .caselle = {.comune = "  Ro ", .latitudine = {.da = "  7 "}},
     .dove = "(COM_NAME LIKE 'Ro%') AND (COM_LATI_G >= 7)"},
    {.nome = "decimali arrotondati", .caselle = {.longitudine = {.a = "-12,5"}},
     .dove = "(COM_LONG_G <= -12)"},
    {.nome = "apostrofi raddoppiati solo nel nome",
     .caselle = {.comune = "Sant'Angelo d'", .provincia = "A'"},
     .dove = "(COM_NAME LIKE 'Sant''Angelo d''%') AND (COM_PROV LIKE 'A'%')"},
    {.nome = "caratteri jolly lasciati", .caselle = {.comune = "%A_", .provincia = "_"},
     .dove = "(COM_NAME LIKE '%A_%') AND (COM_PROV LIKE '_%')"},
    {.nome = "non numero: il primo errore",
     .caselle = {.comune = "X", .altitudine = {.da = "1x", .a = "99999"}},
     .errore = "Tipo non corrispondente: «1x» non è un numero."},
    {.nome = "oltre 16 bit", .caselle = {.irradianza = {.a = "32767,5"}},
     .errore = "Overflow: il valore 32767,5 è fuori dall'intervallo consentito."},
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
        CriteriRicerca criteri;
        criteri.pannelloVisibile = !caso.nascosto, criteri.tuttiIComuni = caso.tutti;
        criteri.comune = c.comune, criteri.provincia = c.provincia, criteri.zona = c.zona;
        criteri.altitudine = {c.altitudine.da, c.altitudine.a};
        criteri.gradiGiorno = {c.gradiGiorno.da, c.gradiGiorno.a};
        criteri.latitudine = {c.latitudine.da, c.latitudine.a};
        criteri.longitudine = {c.longitudine.da, c.longitudine.a};
        criteri.irradianza = {c.irradianza.da, c.irradianza.a};
        const Esito<QString> query = Ricerca::CreaSelect(criteri);
        if (!caso.errore.isEmpty()) {
            QVERIFY2(!query.ok(), qPrintable("query invece dell'errore: " + query.valore()));
            QCOMPARE(query.errore().descrizione, caso.errore);
            return;
        }
        QVERIFY2(query.ok(), qPrintable("errore: " + query.errore().descrizione));
        const QString inizio = Colonne + "From Comuni";
        QVERIFY2(query.valore().startsWith(inizio), qPrintable(query.valore()));
        QCOMPARE(query.valore().mid(inizio.size()),
                 (caso.dove.isEmpty() ? "" : " WHERE " + caso.dove) + " Order By COM_NAME");
    }
};

QTEST_GUILESS_MAIN(TCreaSelect)
#include "tst_creaSelect.moc"
