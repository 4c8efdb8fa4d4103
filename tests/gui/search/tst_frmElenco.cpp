#include "core/Global.h"
#include "core/query/CriteriRicerca.h"
#include "db/Connessione.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FinestraElencoProva.h"
#include "support/TabellaCasi.h"

#include <QDialog>
#include <QtTest>

// The filter panel as the user sees it. The ranges other than `spuntato` are unchecked with
// their ">=" box locked and empty; the one checked has that box free, holding `da`.
struct StatoPannello {
    QString comune{}, provincia{}, zona{};
    QString spuntato{}, da{};
    bool tutti = false;
    bool visibile = true;
};

// The controls of the panel that differ from `atteso`, each named; empty when none.
QString DifferenzePannello(FinestraElencoProva& p, const StatoPannello& atteso) {
    QStringList d;
    const auto confronta = [&](const QString& nome, const QString& visto, const QString& voluto) {
        if (visto != voluto)
            d << QString("%1: atteso «%2», visto «%3»").arg(nome, voluto, visto);
    };
    const auto testo = [&](const QString& nome) { return p.w<QLineEdit>(nome)->text(); };
    const auto sino = [](bool vero, const char* si, const char* no) { return vero ? si : no; };
    confronta("txtComuneC", testo("txtComuneC"), atteso.comune);
    confronta("txtProvC", testo("txtProvC"), atteso.provincia);
    confronta("txtZonaC", testo("txtZonaC"), atteso.zona);
    for (const DefinizioneIntervallo& i : IntervalliRicerca) {
        const bool spuntato = atteso.spuntato == i.spunta;
        confronta(i.spunta, sino(p.w<QCheckBox>(i.spunta)->isChecked(), "spuntata", "vuota"),
                  sino(spuntato, "spuntata", "vuota"));
        confronta(i.da, sino(p.w<QLineEdit>(i.da)->isReadOnly(), "bloccata", "libera"),
                  sino(spuntato, "libera", "bloccata"));
        confronta(i.da, testo(i.da), spuntato ? atteso.da : "");
    }
    confronta("chkAllC", sino(p.w<QCheckBox>("chkAllC")->isChecked(), "spuntata", "vuota"),
              sino(atteso.tutti, "spuntata", "vuota"));
    confronta("fraCerca", sino(p.w("fraCerca")->isVisible(), "visibile", "nascosto"),
              sino(atteso.visibile, "visibile", "nascosto"));
    return d.join("; ");
}

// After the panel is shown, actions then a last one: the searches the last one causes and the
// panel afterwards.
struct Azioni {
    const char* nome;
    QList<Azione> prima{};
    Azione ultima{};
    int ricerche = 0;
    StatoPannello pannello{};
};
Q_DECLARE_METATYPE(Azioni)
// clang-format off
const Azioni SequenzeDiAzioni[] = {
    {.nome = "scrivere senza ricerca interattiva", .ultima = Scrivi("txtComuneC", "ro"),
     .pannello = {.comune = "ro"}},
    {.nome = "Invio in un intervallo",
     .prima = {Clic("ChkGGiornoC"), Scrivi("txtGGiornoMinC", "9")},
     .ultima = Invio("txtGGiornoMinC"), .ricerche = 1,
     .pannello = {.spuntato = "ChkGGiornoC", .da = "9"}},
    {.nome = "interattiva: una ricerca per lettera", .prima = {Clic("chkInter")},
     .ultima = Scrivi("txtComuneC", "rom"), .ricerche = 3, .pannello = {.comune = "rom"}},
    {.nome = "scrivere toglie tutti i comuni", .prima = {Clic("chkAllC"), Clic("chkInter")},
     .ultima = Scrivi("txtProvC", "m"), .ricerche = 2, .pannello = {.provincia = "m"}},
    {.nome = "tutti i comuni svuota i filtri",
     .prima = {Scrivi("txtComuneC", "ro"), Clic("chkIrraC"), Scrivi("txtIrraMinC", "5"),
               Clic("chkInter")},
     .ultima = Clic("chkAllC"), .ricerche = 1, .pannello = {.tutti = true}},
    {.nome = "un intervallo toglie tutti i comuni", .prima = {Clic("chkAllC")},
     .ultima = Clic("ChkAltitudC"), .pannello = {.spuntato = "ChkAltitudC"}},
    {.nome = "togliere un intervallo pieno lo svuota",
     .prima = {Clic("ChkLatitudC"), Scrivi("txtLatitudMinC", "4"), Scrivi("txtLatitudMaxC", "6"),
               Clic("chkInter")},
     .ultima = Clic("ChkLatitudC"), .ricerche = 2},
    {.nome = "maiuscolo in uscita, interattiva",
     .prima = {Clic("chkInter"), Scrivi("txtComuneC", "forlì")}, .ultima = Tab("txtComuneC"),
     .ricerche = 1, .pannello = {.comune = "FORLÌ"}},
    {.nome = "lunghezza massima, maiuscolo",
     .prima = {Scrivi("txtProvC", "fcx"), Tab("txtProvC"), Scrivi("txtZonaC", "de")},
     .ultima = Tab("txtZonaC"), .pannello = {.provincia = "FC", .zona = "D"}},
    {.nome = "nascondere il pannello svuota e cerca",
     .prima = {Scrivi("txtComuneC", "r"), Scrivi("txtProvC", "m"), Clic("chkInter")},
     .ultima = Clic("cmdCerca"), .ricerche = 2, .pannello = {.visibile = false}},
    {.nome = "mostrare il pannello non cerca", .prima = {Clic("cmdCerca")},
     .ultima = Clic("cmdCerca")},
    {.nome = "Invio sul pulsante Cerca", .ultima = Invio("cmdCercaFra"), .ricerche = 1},
};
// clang-format on

// In interactive mode, after typing "ro" in txtComuneC, a click on a button arrives whole.
struct ClicDopo {
    const char* nome;
    QString bersaglio;
    StatoPannello pannello{};
    int terminazioni = 0;
};
Q_DECLARE_METATYPE(ClicDopo)
// clang-format off
const ClicDopo ClicDopoLaScrittura[] = {
    {.nome = "tutti i comuni", .bersaglio = "chkAllC", .pannello = {.tutti = true}},
    {.nome = "Esci", .bersaglio = "cmdEsci", .pannello = {.comune = "RO"}, .terminazioni = 1},
};
// clang-format on

// The ten municipalities of the test window, by name.
// clang-format off
const QStringList PerNome = {"AOSTA", "CORTINA D'AMPEZZO", "FORLÌ", "FORLIMPOPOLI",
                             "lampedusa e linosa", "MILANO", "RHO", "ROMA",
                             "SANT'ANGELO LODIGIANO", "SENZA COORDINATE"};
// clang-format on

// Filters typed after the panel is shown and row 5 chosen, then Enter: the names found.
struct Filtri {
    const char* nome;
    QList<Azione> azioni;
    QStringList nomi{};
};
Q_DECLARE_METATYPE(Filtri)
// clang-format off
const Filtri RicercheConFiltri[] = {
    {.nome = "inizio del nome", .azioni = {Scrivi("txtComuneC", "r")}, .nomi = {"RHO", "ROMA"}},
    {.nome = "provincia e zona", .azioni = {Scrivi("txtProvC", "mi"), Scrivi("txtZonaC", "e")},
     .nomi = {"MILANO", "RHO"}},
    {.nome = "nessuno", .azioni = {Scrivi("txtComuneC", "QQ")}},
};
// clang-format on

// A municipality's row in the grid, its cells in the grid's order from "Prov" to "Irradianza".
struct Celle {
    const char* nome;
    QStringList celle;
};
Q_DECLARE_METATYPE(Celle)
// clang-format off
const Celle CelleDiRiga[] = {
    {.nome = "FORLÌ", .celle = {"FC", "D", "34", "2087", "44° 13'", "12° 2'", "1450"}},
    // A blank zone; no coordinates for 0 degrees, no irradiance of 0.
    {.nome = "SENZA COORDINATE", .celle = {"XX", " ", "0", "0", "", "", ""}},
};
// clang-format on

// A failed search: the fault, then the messages shown.
enum class Guasto { Testo, ArchivioSparito, ArchivioBloccato };
struct Errore {
    const char* nome;
    Guasto guasto;
    QString gradiGiorno{};  // typed in the ">=" box of the degree days
    QStringList messaggi{}; // a part of each text; %1 the archive's path
};
Q_DECLARE_METATYPE(Errore)
// clang-format off
const Errore Errori[] = {
    {.nome = "non numero", .guasto = Guasto::Testo, .gradiGiorno = "abc",
     .messaggi = {"Tipo non corrispondente: «abc» non è un numero.", "L'istruzione SQL è vuota"}},
    {.nome = "oltre 16 bit", .guasto = Guasto::Testo, .gradiGiorno = "32767,5",
     .messaggi = {"Overflow: il valore 32767,5 è fuori dall'intervallo consentito.",
                  "L'istruzione SQL è vuota"}},
    {.nome = "archivio sparito", .guasto = Guasto::ArchivioSparito,
     .messaggi = {"Impossibile aprire l'archivio «%1».\rIl file non esiste."}},
    {.nome = "archivio bloccato", .guasto = Guasto::ArchivioBloccato,
     .messaggi = {"bloccato da un altro programma"}},
};
// clang-format on

// Grid actions after the panel is shown: the column then checked from row 1, the current row's
// name and whether a row is shown selected.
struct AzioniGriglia {
    const char* nome;
    QList<Azione> azioni;
    int colonna = 1;
    QStringList celle;
    QString corrente;
    bool evidenziata = false;
};
Q_DECLARE_METATYPE(AzioniGriglia)
// clang-format off
const AzioniGriglia InGriglia[] = {
    {.nome = "cambiare colonna riordina in crescente",
     .azioni = {ClicIntestazione(3), ClicIntestazione(4), ClicIntestazione(3)}, .colonna = 3,
     .celle = {" ", "A", "D", "D", "D", "E", "E", "E", "E", "F"}, .corrente = "SENZA COORDINATE"},
    {.nome = "secondo clic: decrescente", .azioni = {ClicIntestazione(5), ClicIntestazione(5)},
     .colonna = 5,
     .celle = {"4225", "2850", "2532", "2420", "2404", "2087", "2082", "1415", "568", "0"},
     .corrente = "CORTINA D'AMPEZZO"},
    {.nome = "numeri, vuoti prima", .azioni = {ClicIntestazione(8)}, .colonna = 8,
     .celle = {"", "", "", "", "900", "1200", "1300", "1450", "1500", "2100"},
     .corrente = "FORLIMPOPOLI"},
    {.nome = "latitudine non si ordina",
     .azioni = {ClicIntestazione(4), ClicRiga(3), ClicIntestazione(6)}, .colonna = 4,
     .celle = {"0", "16", "20", "30", "34", "73", "122", "158", "583", "1224"}, .corrente = "ROMA"},
    {.nome = "solo il tasto sinistro sceglie",
     .azioni = {ClicRiga(4), ClicRiga(7, Qt::RightButton), ClicRiga(2, Qt::MiddleButton)},
     .celle = PerNome, .corrente = "FORLIMPOPOLI", .evidenziata = true},
    {.nome = "lettera nella colonna ordinata", .azioni = {ClicIntestazione(2), Lettera('M')},
     .colonna = 2, .celle = {"AG", "AO", "BL", "FC", "FC", "LO", "MI", "MI", "RM", "XX"},
     .corrente = "MILANO", .evidenziata = true},
    {.nome = "una ricerca riordina per nome",
     .azioni = {ClicIntestazione(1), ClicIntestazione(1), Invio("txtComuneC")}, .celle = PerNome,
     .corrente = "AOSTA"},
};
// clang-format on

// Header clicks with column widths 10, 100, 20, 20, 30, 40, 50, 50, 30: the column sorted.
struct Intestazione {
    double x;
    int colonna;
};

// The main window as the user drives it with keyboard and mouse: the searches each action causes
// and the panel afterwards, focus and activation, what a search leaves in the window, the list
// and the printed list's rows, also when the input or the archive is bad; sorting, letters and
// clicks in the grid.
class TFrmElenco : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void azioni_data() { Righe(SequenzeDiAzioni); }
    void azioni() {
        QFETCH(Azioni, caso);
        FinestraElencoProva prova;
        prova.esegui(QList<Azione>{Clic("cmdCerca")} + caso.prima);
        QCOMPARE(prova.esegui({caso.ultima}), caso.ricerche);
        const QString differenze = DifferenzePannello(prova, caso.pannello);
        QVERIFY2(differenze.isEmpty(), qPrintable(differenze));
        QVERIFY2(prova.messaggi.mostrati().isEmpty(), qPrintable(prova.messaggi.elenco()));
    }

    // The first click after typing reaches its control whole, after the lost-focus reaction and
    // its search. Press and release come queued, as from the window system.
    void clicDopoLaScrittura_data() { Righe(ClicDopoLaScrittura); }
    void clicDopoLaScrittura() {
        QFETCH(ClicDopo, caso);
        FinestraElencoProva prova;
        prova.esegui({Clic("cmdCerca"), Clic("chkInter"), Scrivi("txtComuneC", "ro")});
        auto* bersaglio = prova.w<QAbstractButton>(caso.bersaglio);
        PostaClic(prova.finestra().windowHandle(),
                  bersaglio->mapTo(&prova.finestra(), FinestraElencoProva::PuntoDiClic(bersaglio)));
        QTRY_VERIFY2(DifferenzePannello(prova, caso.pannello).isEmpty(),
                     qPrintable(DifferenzePannello(prova, caso.pannello)));
        QCOMPARE(prova.terminazioni, caso.terminazioni);
        QVERIFY(!bersaglio->isDown());
    }

    // One round of Tab visits every enabled control once, the grid included; Shift+Tab goes the
    // same round backwards and never moves the grid's row.
    void ordineTab() {
        FinestraElencoProva prova;
        prova.esegui({Clic("cmdCerca"), ClicRiga(3)});
        QStringList avanti, indietro;
        for (QStringList* giro : {&avanti, &indietro})
            for (int i = 0; i < 60; ++i) {
                *giro << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(),
                                giro == &avanti ? Qt::Key_Tab : Qt::Key_Backtab);
            }
        const int n = int(avanti.indexOf(avanti[0], 1));
        const QStringList giro = avanti.mid(0, n);
        QCOMPARE(QSet<QString>(giro.begin(), giro.end()).size(), n);
        QVERIFY(giro.contains("GrdLista") && giro.contains("chkIrraC"));
        QCOMPARE(avanti.mid(n, n), giro);
        for (int k = 0, s = int(giro.indexOf(indietro[0])); k < 60; ++k)
            QCOMPARE(indietro[k], giro[((s - k) % n + n) % n]);
        QCOMPARE(prova.griglia()->currentIndex().row(), 2);
    }

    // Form_Activate runs when the window is shown and when another window of the program hands
    // the activation back; not on the return from another application, which also leaves the box
    // that had the focus without its lost-focus reaction.
    void attivazione() {
        FinestraElencoProva prova;
        const auto abilitati = [&] {
            QStringList nomi;
            for (const char* nome :
                 {"cmdCerca", "cmdDettagli", "cmdNuovo", "cmdContinua", "cmdStampa", "cmdEsci"})
                if (prova.w(nome)->isEnabled())
                    nomi << nome;
            return nomi;
        };
        const auto fuoco = [&] { return prova.finestra().focusWidget()->objectName(); };
        prova.esegui({Clic("cmdCerca"), ClicRiga(2), Scrivi("txtComuneC", "ro")});
        PostaAttivazione(nullptr);
        QTRY_VERIFY(!prova.finestra().isActiveWindow());
        PostaAttivazione(prova.finestra().windowHandle());
        QTRY_VERIFY(prova.finestra().isActiveWindow());
        QCOMPARE(fuoco(), "txtComuneC");
        QCOMPARE(prova.w<QLineEdit>("txtComuneC")->text(), "ro");
        QCOMPARE(Elenco(abilitati()),
                 Elenco({"cmdCerca", "cmdDettagli", "cmdNuovo", "cmdStampa", "cmdEsci"}));
        // While a reference is picked, a hand-over from the record window.
        Global::RicercaRiferimento = 1;
        QDialog scheda(&prova.finestra());
        scheda.show();
        QTRY_VERIFY(scheda.isActiveWindow());
        scheda.hide();
        PostaAttivazione(prova.finestra().windowHandle());
        QTRY_COMPARE(fuoco(), "txtHide");
        QCOMPARE(Elenco(abilitati()), Elenco({"cmdCerca", "cmdContinua", "cmdEsci"}));
        prova.finestra().hide();
        Global::RicercaRiferimento = 0;
        prova.finestra().show();
        QCOMPARE(fuoco(), "txtHide");
        QCOMPARE(Elenco(abilitati()), Elenco({"cmdCerca", "cmdNuovo", "cmdStampa", "cmdEsci"}));
    }

    // The count, the names in the grid and in the printed list's rows, the list; red, yellow
    // while the grid fills (when something was found), green; row 1 current and not shown as
    // selected; the connection closed; the default pointer.
    void risultati_data() { Righe(RicercheConFiltri); }
    void risultati() {
        QFETCH(Filtri, caso);
        FinestraElencoProva prova;
        prova.esegui(QList<Azione>{Clic("cmdCerca"), ClicRiga(5)} + caso.azioni);
        prova.luci();
        QCOMPARE(prova.esegui({Invio("txtComuneC")}), 1);
        const qsizetype n = caso.nomi.size();
        QCOMPARE(prova.conteggio(), n == 1 ? QString("1 Comune") : QString("%1 Comuni").arg(n));
        // A grid without municipalities shows one blank row.
        QCOMPARE(Elenco(prova.celle(1)), Elenco(caso.nomi.isEmpty() ? QStringList{""} : caso.nomi));
        QCOMPARE(Elenco(prova.archivio.testi("SELECT Comune FROM RicElComuni ORDER BY rowid")),
                 Elenco(caso.nomi));
        const bool trovati = !caso.nomi.isEmpty();
        QCOMPARE(Global::ElencoComuni.size(), qMax(1, caso.nomi.size()));
        QCOMPARE(prova.luci(), trovati ? QStringList({"rosso", "giallo", "verde"})
                                       : QStringList({"rosso", "verde"}));
        QCOMPARE(prova.griglia()->currentIndex().row(), trovati ? 0 : -1);
        QVERIFY(!prova.griglia()->Evidenziazione());
        QCOMPARE(Global::Cnn(), nullptr);
        QCOMPARE(ServiziFinestra::PuntatoreAttuale(), ServiziFinestra::Puntatore::Predefinito);
        QVERIFY2(prova.messaggi.mostrati().isEmpty(), qPrintable(prova.messaggi.elenco()));
    }

    void celle_data() { Righe(CelleDiRiga); }
    void celle() {
        QFETCH(Celle, caso);
        FinestraElencoProva prova;
        const int riga = int(prova.celle(1).indexOf(caso.nome)) + 1;
        QVERIFY2(riga > 0, caso.nome);
        const ModelloGriglia* m = prova.griglia()->modello();
        // Each cell with its column's header.
        for (int colonna = 2; colonna <= 8; ++colonna)
            QCOMPARE(std::pair(m->TestoCella(0, colonna), m->TestoCella(riga, colonna)),
                     std::pair(m->TestoCella(0, colonna), caso.celle.value(colonna - 2)));
    }

    // A failed search: its messages, an empty list, the previous printed-list rows kept, the
    // archive neither created nor left locked, the window idle again.
    void errori_data() { Righe(Errori); }
    void errori() {
        QFETCH(Errore, caso);
        FinestraElencoProva prova;
        prova.esegui({Clic("cmdCerca"), Scrivi("txtComuneC", "R"), Invio("txtComuneC"),
                      Clic("ChkGGiornoC")});
        const QString percorso = Global::PercorsoDB;
        if (caso.guasto == Guasto::ArchivioSparito)
            QVERIFY(QFile::rename(percorso, percorso + ".altrove"));
        else if (caso.guasto == Guasto::ArchivioBloccato)
            QVERIFY(prova.archivio.esegui("BEGIN EXCLUSIVE"));
        else
            prova.esegui({Scrivi("txtGGiornoMinC", caso.gradiGiorno)});
        prova.esegui({Invio("txtComuneC")});
        const QList<Messaggio>& mostrati = prova.messaggi.mostrati();
        QVERIFY2(mostrati.size() == caso.messaggi.size(), qPrintable(prova.messaggi.elenco()));
        for (int i = 0; i < mostrati.size(); ++i) {
            QVERIFY2(mostrati[i].testo.contains(caso.messaggi[i].arg(percorso)),
                     qPrintable(prova.messaggi.elenco()));
            QVERIFY2(mostrati[i].icona == IconaMessaggio::Esclamazione,
                     qPrintable(prova.messaggi.elenco()));
        }
        QCOMPARE(prova.conteggio(), "0 Comuni");
        QCOMPARE(Elenco(prova.celle(1)), Elenco({""}));
        QCOMPARE(prova.semaforo(), "verde");
        QCOMPARE(Global::Cnn(), nullptr);
        QCOMPARE(QFile::rename(percorso + ".altrove", percorso),
                 caso.guasto == Guasto::ArchivioSparito);
        QVERIFY(caso.guasto != Guasto::ArchivioBloccato || prova.archivio.esegui("ROLLBACK"));
        QVERIFY(prova.archivio.esegui("BEGIN IMMEDIATE") && prova.archivio.esegui("ROLLBACK"));
        QCOMPARE(Elenco(prova.archivio.testi("SELECT Comune FROM RicElComuni")),
                 Elenco({"RHO", "ROMA"}));
    }

    void griglia_data() { Righe(InGriglia); }
    void griglia() {
        QFETCH(AzioniGriglia, caso);
        FinestraElencoProva prova;
        GrigliaElenco* g = prova.griglia();
        prova.esegui(QList<Azione>{Clic("cmdCerca")} + caso.azioni);
        QCOMPARE(Elenco(prova.celle(caso.colonna)), Elenco(caso.celle));
        QCOMPARE(g->modello()->TestoCella(g->Riga(), 1), caso.corrente);
        QCOMPARE(g->Evidenziazione(), caso.evidenziata);
        QVERIFY(prova.w("cmdDettagli")->isEnabled() || !caso.evidenziata);
    }

    // A header click picks a column strictly inside it; borders, the fixed column and the two
    // coordinate columns pick none.
    void colonnaCliccata() {
        const int larghezze[9] = {10, 100, 20, 20, 30, 40, 50, 50, 30};
        const Intestazione clic[] = {{.x = 10, .colonna = 0},  {.x = 10.5, .colonna = 1},
                                     {.x = 110, .colonna = 0}, {.x = 149.9, .colonna = 3},
                                     {.x = 219, .colonna = 5}, {.x = 220, .colonna = 0},
                                     {.x = 300, .colonna = 0}, {.x = 320, .colonna = 0},
                                     {.x = 321, .colonna = 8}, {.x = 900, .colonna = 8}};
        for (const Intestazione& c : clic)
            QCOMPARE(std::pair(c.x, ColonnaIntestazioneCliccata(c.x, larghezze)),
                     std::pair(c.x, c.colonna));
    }

    // The list element of the current row is found by name and province, whatever the order of
    // the grid: the first of two equal ones; while picking a reference it goes to
    // IndiceRiferimento.
    void indiceDellaRigaCorrente() {
        FinestraElencoProva prova({{.nome = "CASTRO", .prov = "BG", .altitudine = 190},
                                   {.nome = "CASTRO", .prov = "BG", .altitudine = 300},
                                   {.nome = "CASTRO", .prov = "LE", .altitudine = 98},
                                   {.nome = "ZERI", .prov = "MS", .altitudine = 700}});
        // By altitude, from the highest: ZERI, CASTRO BG 300, CASTRO BG 190, CASTRO LE.
        prova.esegui({ClicIntestazione(4), ClicIntestazione(4), ClicRiga(2)});
        prova.finestra().CercaIndiceComune();
        QCOMPARE(prova.griglia()->Colonna(), 2);
        Global::RicercaRiferimento = 1;
        prova.esegui({ClicRiga(4)});
        prova.finestra().CercaIndiceComune();
        QCOMPARE(Global::IndiceComune, 0);
        QCOMPARE(Global::IndiceRiferimento, 2);
        QVERIFY(!prova.w("cmdDettagli")->isEnabled());
    }
};

QTEST_MAIN(TFrmElenco)
#include "tst_frmElenco.moc"
