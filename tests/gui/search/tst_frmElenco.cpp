#include "core/Global.h"
#include "core/query/CriteriRicerca.h"
#include "db/Connessione.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FinestraElencoProva.h"
#include "support/Confronta.h"
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

// Compares the panel with `atteso` control by control: a difference fails the test naming the
// control ("pannello: campo txtProvC: atteso «FC», visto «fc»").
void ConfrontaPannello(FinestraElencoProva& p, const StatoPannello& atteso) {
    const auto testo = [&](const QString& nome) { return p.w<QLineEdit>(nome)->text(); };
    CONFRONTA("pannello", "txtComuneC", testo("txtComuneC"), atteso.comune);
    CONFRONTA("pannello", "txtProvC", testo("txtProvC"), atteso.provincia);
    CONFRONTA("pannello", "txtZonaC", testo("txtZonaC"), atteso.zona);
    for (const DefinizioneIntervallo& i : IntervalliRicerca) {
        const bool spuntato = atteso.spuntato == i.spunta;
        CONFRONTA("pannello", i.spunta + QString(" spuntata"),
                  p.w<QCheckBox>(i.spunta)->isChecked(), spuntato);
        CONFRONTA("pannello", i.da + QString(" bloccata"), p.w<QLineEdit>(i.da)->isReadOnly(),
                  !spuntato);
        CONFRONTA("pannello", i.da, testo(i.da), spuntato ? atteso.da : QString());
    }
    CONFRONTA("pannello", "chkAllC spuntata", p.w<QCheckBox>("chkAllC")->isChecked(), atteso.tutti);
    CONFRONTA("pannello", "fraCerca visibile", p.w("fraCerca")->isVisible(), atteso.visibile);
}

// clang-format off
// From the grid, one round of Tab over the enabled controls with the panel shown.
const QStringList GiroTab = {"chkInter", "txtIrraMaxC", "txtIrraMinC", "chkIrraC", "txtHide", "cmdCerca", "cmdDettagli", "cmdNuovo",
    "cmdStampa", "cmdEsci", "txtComuneC", "txtProvC", "txtZonaC", "ChkAltitudC", "txtAltitudMinC", "txtAltitudMaxC", "ChkGGiornoC",
    "txtGGiornoMinC", "txtGGiornoMaxC", "ChkLatitudC", "txtLatitudMinC", "txtLatitudMaxC", "ChkLongitudC", "txtLongitudMinC",
    "txtLongitudMaxC", "chkAllC", "cmdCercaFra", "GrdLista"};
const QStringList PerNome = {"AOSTA", "CORTINA D'AMPEZZO", "FORLÌ", "FORLIMPOPOLI", "lampedusa e linosa", "MILANO", "RHO", "ROMA",
                             "SANT'ANGELO LODIGIANO", "SENZA COORDINATE"};
// clang-format on

// Actions after the panel is shown: the searches they cause and the panel afterwards; when
// `celle` are given, the column then checked from row 1, the current row's name and whether a
// row is shown selected.
struct Azioni {
    const char* nome;
    QList<Azione> azioni;
    int ricerche = 0;
    StatoPannello pannello{};
    int colonna = 1;
    QStringList celle{};
    QString corrente{};
    bool evidenziata = false;
};
Q_DECLARE_METATYPE(Azioni)
// clang-format off
const Azioni SequenzeDiAzioni[] = {
    {.nome = "scrivere senza ricerca interattiva", .azioni = {Scrivi("txtComuneC", "ro")}, .pannello = {.comune = "ro"}},
    {.nome = "Invio in un intervallo", .azioni = {Clic("ChkGGiornoC"), Scrivi("txtGGiornoMinC", "9"), Invio("txtGGiornoMinC")},
     .ricerche = 1, .pannello = {.spuntato = "ChkGGiornoC", .da = "9"}},
    {.nome = "interattiva: scrivere toglie tutti i comuni e cerca",
     .azioni = {Clic("chkAllC"), Clic("chkInter"), Scrivi("txtProvC", "m")}, .ricerche = 2, .pannello = {.provincia = "m"}},
    {.nome = "tutti i comuni svuota i filtri",
     .azioni = {Scrivi("txtComuneC", "ro"), Clic("chkIrraC"), Scrivi("txtIrraMinC", "5"), Clic("chkInter"), Clic("chkAllC")},
     .ricerche = 1, .pannello = {.tutti = true}},
    {.nome = "un intervallo toglie tutti i comuni", .azioni = {Clic("chkAllC"), Clic("ChkAltitudC")},
     .pannello = {.spuntato = "ChkAltitudC"}},
    {.nome = "togliere un intervallo pieno lo svuota", .azioni = {Clic("ChkLatitudC"), Scrivi("txtLatitudMinC", "4"),
     Scrivi("txtLatitudMaxC", "6"), Clic("chkInter"), Clic("ChkLatitudC")}, .ricerche = 2},
    {.nome = "interattiva: una ricerca per lettera, maiuscolo in uscita",
     .azioni = {Clic("chkInter"), Scrivi("txtComuneC", "forlì"), Tab("txtComuneC")}, .ricerche = 6, .pannello = {.comune = "FORLÌ"}},
    {.nome = "lunghezza massima, maiuscolo", .azioni = {Scrivi("txtProvC", "fcx"), Tab("txtProvC"), Scrivi("txtZonaC", "de"), Tab("txtZonaC")},
     .pannello = {.provincia = "FC", .zona = "D"}},
    {.nome = "nascondere il pannello: una ricerca per casella svuotata", .azioni = {Scrivi("txtComuneC", "r"), Scrivi("txtProvC", "m"),
     Clic("chkInter"), Clic("cmdCerca")}, .ricerche = 2, .pannello = {.visibile = false}},
    {.nome = "Invio sul pulsante Cerca", .azioni = {Invio("cmdCercaFra")}, .ricerche = 1},
    {.nome = "cambiare colonna riordina in crescente", .azioni = {ClicIntestazione(3), ClicIntestazione(4), ClicIntestazione(3)},
     .colonna = 3, .celle = {" ", "A", "D", "D", "D", "E", "E", "E", "E", "F"}, .corrente = "SENZA COORDINATE"},
    {.nome = "numeri, vuoti prima", .azioni = {ClicIntestazione(8)}, .colonna = 8,
     .celle = {"", "", "", "", "900", "1200", "1300", "1450", "1500", "2100"}, .corrente = "FORLIMPOPOLI"},
    // By name from the last; 0 degrees shows no coordinate.
    {.nome = "latitudine non si ordina", .azioni = {ClicIntestazione(1), ClicIntestazione(1), ClicRiga(3), ClicIntestazione(6)}, .colonna = 6,
     .celle = {"", "45° 14'", "41° 54'", "45° 32'", "45° 28'", "35° 30'", "44° 11'", "44° 13'", "46° 32'", "45° 44'"}, .corrente = "ROMA"},
    {.nome = "solo il tasto sinistro sceglie", .azioni = {ClicRiga(4), ClicRiga(7, Qt::RightButton), ClicRiga(2, Qt::MiddleButton)},
     .celle = PerNome, .corrente = "FORLIMPOPOLI", .evidenziata = true},
    {.nome = "lettera nella colonna ordinata", .azioni = {ClicIntestazione(2), Scrivi("GrdLista", "M")}, .colonna = 2,
     .celle = {"AG", "AO", "BL", "FC", "FC", "LO", "MI", "MI", "RM", "XX"}, .corrente = "MILANO", .evidenziata = true},
    {.nome = "una ricerca riordina per nome", .azioni = {ClicIntestazione(1), ClicIntestazione(1), Invio("txtComuneC")},
     .ricerche = 1, .celle = PerNome, .corrente = "AOSTA"},
};
// clang-format on

// A search after a first one (zone E, row 2 chosen): the filters added, or the archive gone,
// then Enter; the names found and the messages shown (a part of each; %1 the archive's path).
struct Ricerca {
    const char* nome;
    QList<Azione> filtri{};
    bool archivioSparito = false;
    QStringList nomi{};
    QStringList messaggi{};
};
Q_DECLARE_METATYPE(Ricerca)
// clang-format off
const Ricerca Ricerche[] = {
    {.nome = "zona e provincia", .filtri = {Scrivi("txtProvC", "mi")}, .nomi = {"MILANO", "RHO"}},
    {.nome = "nessuno", .filtri = {Scrivi("txtComuneC", "QQ")}},
    {.nome = "non numero", .filtri = {Clic("ChkGGiornoC"), Scrivi("txtGGiornoMinC", "abc")},
     .messaggi = {"Tipo non corrispondente: «abc» non è un numero.", "L'istruzione SQL è vuota"}},
    {.nome = "archivio sparito", .archivioSparito = true, .messaggi = {"Impossibile aprire l'archivio «%1».\rIl file non esiste."}},
};
// clang-format on

// The main window as the user drives it with keyboard and mouse: the searches each action causes
// and the panel afterwards, focus and activation, what a search leaves in the window, the list
// and the printed list's rows, also when the input or the archive is bad; sorting, letters and
// clicks in the grid.
class TFrmElenco : public QObject {
    Q_OBJECT
private slots:
    void azioni_data() { Righe(SequenzeDiAzioni); }
    void azioni() {
        QFETCH(Azioni, caso);
        FinestraElencoProva prova;
        QCOMPARE(prova.esegui({Clic("cmdCerca")}), 0);
        QCOMPARE(prova.esegui(caso.azioni), caso.ricerche);
        ConfrontaPannello(prova, caso.pannello);
        QVERIFY2(prova.messaggi.mostrati().isEmpty(), qPrintable(prova.messaggi.elenco()));
        if (caso.celle.isEmpty())
            return;
        GrigliaElenco* g = prova.griglia();
        QCOMPARE(Elenco(prova.celle(caso.colonna)), Elenco(caso.celle));
        QCOMPARE(g->modello()->TestoCella(g->Riga(), 1), caso.corrente);
        QCOMPARE(g->Evidenziazione(), caso.evidenziata);
        QVERIFY(prova.w("cmdDettagli")->isEnabled() || !caso.evidenziata);
    }

    // From the grid, one round of Tab visits every enabled control once in the order of GiroTab;
    // Shift+Tab goes back to the panel's search button. Neither moves the grid's row.
    void ordineTab() {
        FinestraElencoProva prova;
        prova.esegui({Clic("cmdCerca"), ClicRiga(3)});
        QStringList visti;
        for (; visti.size() < GiroTab.size(); visti << QApplication::focusWidget()->objectName())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(Elenco(visti), Elenco(GiroTab));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), "cmdCercaFra");
        QCOMPARE(prova.griglia()->currentIndex().row(), 2);
    }

    // Form_Activate runs when the window is shown and when another window of the program hands
    // the activation back; not on the return from another application, which also leaves the box
    // that had the focus without its lost-focus reaction. In interactive mode the first click
    // after typing then reaches its check box whole, after that reaction and its search (press
    // and release come queued, as from the window system). Esci ends the program.
    void attivazione() {
        FinestraElencoProva prova;
        FrmElenco& f = prova.finestra();
        prova.esegui({Clic("cmdCerca"), Clic("chkInter"), ClicRiga(2), Scrivi("txtComuneC", "ro")});
        PostaAttivazione(nullptr);
        QTRY_VERIFY(!f.isActiveWindow());
        PostaAttivazione(f.windowHandle());
        QTRY_VERIFY(f.isActiveWindow());
        QCOMPARE(f.focusWidget()->objectName(), "txtComuneC");
        QCOMPARE(prova.w<QLineEdit>("txtComuneC")->text(), "ro");
        QVERIFY(prova.w("cmdDettagli")->isEnabled());
        auto* tutti = prova.w<QCheckBox>("chkAllC");
        PostaClic(f.windowHandle(), tutti->mapTo(&f, FinestraElencoProva::PuntoDiClic(tutti)));
        QTRY_VERIFY(tutti->isChecked());
        ConfrontaPannello(prova, {.tutti = true});
        QVERIFY(!tutti->isDown());
        // While a reference is picked, a hand-over from the record window.
        Global::RicercaRiferimento = 1;
        QDialog scheda(&f);
        scheda.show();
        QTRY_VERIFY(scheda.isActiveWindow());
        scheda.hide();
        PostaAttivazione(f.windowHandle());
        QTRY_COMPARE(f.focusWidget()->objectName(), "txtHide");
        QVERIFY(prova.w("cmdContinua")->isEnabled());
        QVERIFY(!prova.w("cmdNuovo")->isEnabled() && !prova.w("cmdStampa")->isEnabled());
        // Continua takes nothing while no row is shown selected (row 1 has no degree days).
        prova.esegui({ClicIntestazione(5), Clic("cmdContinua")});
        QVERIFY2(prova.messaggi.mostrati().isEmpty(), qPrintable(prova.messaggi.elenco()));
        f.hide();
        Global::RicercaRiferimento = 0;
        f.show();
        QVERIFY(!prova.w("cmdContinua")->isEnabled());
        QVERIFY(prova.w("cmdNuovo")->isEnabled() && prova.w("cmdStampa")->isEnabled());
        prova.esegui({Clic("cmdEsci")});
        QCOMPARE(prova.terminazioni, 1);
    }

    // The count, the names in the grid, the list; red, yellow while the grid fills (when
    // something was found), green; row 1 current and not shown as selected; the connection
    // closed; the default pointer; the messages, with the exclamation icon. The printed list's
    // rows are those found, or after a failure those of the search before; the archive is neither
    // created nor left locked.
    void ricerca_data() { Righe(Ricerche); }
    void ricerca() {
        QFETCH(Ricerca, caso);
        FinestraElencoProva prova;
        const QStringList zonaE = {"AOSTA", "MILANO", "RHO", "SANT'ANGELO LODIGIANO"};
        prova.esegui({Clic("cmdCerca"), Scrivi("txtZonaC", "e"), Invio("txtZonaC"), ClicRiga(2)});
        prova.esegui(caso.filtri);
        const QString percorso = Global::PercorsoDB;
        QVERIFY(!caso.archivioSparito || QFile::rename(percorso, percorso + ".altrove"));
        prova.luci();
        QCOMPARE(prova.esegui({Invio("txtComuneC")}), 1);
        const bool trovati = !caso.nomi.isEmpty();
        QCOMPARE(prova.conteggio(), QString("%1 Comuni").arg(caso.nomi.size()));
        // A grid without municipalities shows one blank row.
        QCOMPARE(Elenco(prova.celle(1)), Elenco(trovati ? caso.nomi : QStringList{""}));
        QCOMPARE(prova.luci(), trovati ? QStringList({"rosso", "giallo", "verde"})
                                       : QStringList({"rosso", "verde"}));
        QCOMPARE(prova.griglia()->currentIndex().row(), trovati ? 0 : -1);
        QVERIFY(!prova.griglia()->Evidenziazione());
        QCOMPARE(Global::Cnn(), nullptr);
        QCOMPARE(ServiziFinestra::PuntatoreAttuale(), ServiziFinestra::Puntatore::Predefinito);
        const QList<Messaggio>& mostrati = prova.messaggi.mostrati();
        QVERIFY2(mostrati.size() == caso.messaggi.size(), qPrintable(prova.messaggi.elenco()));
        for (qsizetype i = 0; i < mostrati.size(); ++i)
            QVERIFY2(mostrati[i].testo.contains(caso.messaggi[i].arg(percorso)) &&
                         mostrati[i].icona == IconaMessaggio::Esclamazione,
                     qPrintable(prova.messaggi.elenco()));
        QCOMPARE(QFile::rename(percorso + ".altrove", percorso), caso.archivioSparito);
        QVERIFY(prova.archivio.esegui("BEGIN IMMEDIATE") && prova.archivio.esegui("ROLLBACK"));
        QCOMPARE(Elenco(prova.archivio.testi("SELECT Comune FROM RicElComuni ORDER BY rowid")),
                 Elenco(caso.messaggi.isEmpty() ? caso.nomi : zonaE));
    }

    // With column widths 10, 100, 20, 20, 30, 40, 50, 50, 30, a header click picks a column
    // strictly inside it; borders, the fixed column and the two coordinate columns pick none.
    void colonnaCliccata() {
        const int larghezze[9] = {10, 100, 20, 20, 30, 40, 50, 50, 30};
        struct Intestazione {
            double x;
            int colonna;
        };
        const Intestazione clic[] = {{.x = 10, .colonna = 0},  {.x = 10.5, .colonna = 1},
                                     {.x = 110, .colonna = 0}, {.x = 219, .colonna = 5},
                                     {.x = 220, .colonna = 0}, {.x = 300, .colonna = 0},
                                     {.x = 320, .colonna = 0}, {.x = 321, .colonna = 8}};
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
