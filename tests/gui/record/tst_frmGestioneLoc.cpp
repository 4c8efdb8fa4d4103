#include "core/Global.h"
#include "db/Connessione.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/record/FrmGestioneLoc.h"
#include "gui/search/FinestraElencoProva.h"
#include "support/TabellaCasi.h"

#include <QPushButton>
#include <QtTest>
#include <functional>

using Scheda = IstanzaCondivisa<FrmGestioneLoc>;

namespace {

// The capitals carry made-up irradiation. At 45° 30', between PAVIA (45° 00', Hdh 6, Hbh 8) and
// SONDRIO (46° 00', Hdh 5, Hbh 7), Hd = 5.5 and Hb = 7.5: the irradiance is 13 × 11.57 = 150.
// MILANO's irradiance is not the 151 of its capitals: a recomputation shows. PIOVERA, merged
// after the last official table, has no zone and no degree days.
// clang-format off
const QList<ComuneProva> Comuni{
    {.nome = "PAVIA", .prov = "PV", .hdh = 6, .hbh = 8, .capoluogo = true},
    {.nome = "SONDRIO", .prov = "SO", .latiG = 46, .hdh = 5, .hbh = 7, .capoluogo = true},
    {.nome = "ROMA", .prov = "RM", .zona = "D", .altitudine = 20, .gradiGiorno = 1415, .latiG = 41, .latiP = 54, .longG = 12, .longP = 29,
     .hdh = 9, .hbh = 9, .capoluogo = true, .rifNome = "LATINA", .rifProv = "LT", .irradianza = 208, .provVicina1 = "RM", .provVicina2 = "PV"},
    {.nome = "MILANO", .prov = "MI", .latiP = 28, .longP = 11, .irradianza = 1300, .provVicina1 = "PV", .provVicina2 = "SO"},
    {.nome = "RHO", .prov = "MI", .latiP = 32, .longP = 2},
    {.nome = "PIOVERA", .prov = "AL", .zona = "", .gradiGiorno = 0, .latiP = 59, .longP = 45},
    {.nome = "ISOLATO", .prov = "XX", .latiG = 0, .longG = 0},
};
// clang-format on

// The expected message boxes: each text is the beginning of the one shown.
using enum IconaMessaggio;
Messaggio Errore(const QString& inizio) {
    return {.testo = inizio, .icona = Esclamazione};
}
// clang-format off
const Messaggio Salvato{.testo = "Salvataggio dei dati eseguito correttamente.", .icona = Informazione};
const Messaggio NonSalvato{.testo = "Si è verificato un errore durante il salvataggio dei dati.", .icona = Informazione};
const Messaggio Insufficienti{.testo = "Dati non sufficienti.", .icona = Informazione};
const Messaggio DomandaCoordinate{.testo = "Senza coordinate geografiche", .pulsanti = PulsantiMessaggio::SiNo, .icona = Informazione};
const Messaggio Salvare{.testo = "Salvare le modifiche?", .pulsanti = PulsantiMessaggio::SiNoAnnulla, .icona = Domanda};
const Messaggio SenzaGradiGiorno{.testo = "PIOVERA (AL) non ha i gradi giorno", .icona = Informazione};
const Messaggio Cancellare{.testo = "L'operazione eliminerà tutti i dati", .pulsanti = PulsantiMessaggio::SiNoAnnulla, .icona = Domanda,
                           .predefinita = RispostaMessaggio::No};
// clang-format on

// A message box as a failure shows it: its text, icon, buttons and the answer of Enter alone.
QString Forma(const Messaggio& m) {
    static const char* const icone[] = {"nessuna", "informazione", "domanda", "esclamazione"};
    static const char* const pulsanti[] = {"Ok", "Sì No", "Sì No Annulla"};
    return QString("«%1» (icona %2, pulsanti %3, Invio %4)")
        .arg(m.testo, icone[int(m.icona)], pulsanti[int(m.pulsanti)],
             m.predefinita == RispostaMessaggio::No ? "No" : "Sì");
}

// The messages shown that differ from the expected ones.
QStringList DifferenzeMessaggi(const QList<Messaggio>& attesi, const QList<Messaggio>& visti) {
    QStringList d;
    for (qsizetype i = 0; i < qMax(attesi.size(), visti.size()); ++i) {
        Messaggio inizio = visti.value(i);
        inizio.testo.truncate(attesi.value(i).testo.size());
        if (i >= attesi.size() || i >= visti.size() || Forma(inizio) != Forma(attesi[i]))
            d << QString("messaggio %1: atteso %2, visto %3")
                     .arg(i + 1)
                     .arg(i < attesi.size() ? Forma(attesi[i]) : "nessuno",
                          i < visti.size() ? Forma(visti[i]) : "nessuno");
    }
    return d;
}

enum class Stato { Vista, Modifica, Nuova, Chiusa };

FrmGestioneLoc* Aperta() {
    return Scheda::Caricata() && Scheda::Ottieni().isVisible() ? &Scheda::Ottieni() : nullptr;
}

// How the window differs from a window in `stato`: ModoScheda, the buttons enabled and of equal
// width, every box and selector locked or not, the calculation panel shown.
QStringList DifferenzeStato(Stato stato, bool conCalcolo) {
    FrmGestioneLoc* f = Aperta();
    if (stato == Stato::Chiusa)
        return {f ? "la scheda è aperta" : "", Global::ModoScheda ? "ModoScheda non azzerato" : "",
                Global::RicercaRiferimento ? "RicercaRiferimento non azzerato" : ""};
    if (!f)
        return {"la scheda si è chiusa"};
    QStringList d;
    if (Global::ModoScheda != int(stato))
        d << "ModoScheda " + QString::number(Global::ModoScheda);
    const bool vista = stato == Stato::Vista;
    const QStringList abilitati = vista ? QStringList{"cmdModifica", "cmdCanc", "cmdEsci"}
                                        : QStringList{"cmdAnnulla", "cmdSalva", "cmdEsci"};
    const int larghezza = f->findChild<QPushButton*>("cmdEsci")->width();
    for (const QString nome : {"cmdModifica", "cmdAnnulla", "cmdSalva", "cmdCanc", "cmdEsci"}) {
        const QPushButton* p = f->findChild<QPushButton*>(nome);
        if (p->isEnabled() != abilitati.contains(nome))
            d << nome + (p->isEnabled() ? " abilitato" : " disabilitato");
        if (p->width() != larghezza)
            d << QString("%1 largo %2, cmdEsci %3").arg(nome).arg(p->width()).arg(larghezza);
    }
    // Every other box is filled only by the program.
    const QStringList modificabili{"txtComune", "txtProv",  "txtGGiorno", "txtAltitudine",
                                   "txtLatiG",  "txtLatiP", "txtLongiG",  "txtLongiP"};
    for (const QLineEdit* c : f->findChildren<QLineEdit*>())
        if (c->isReadOnly() != (vista || !modificabili.contains(c->objectName())))
            d << c->objectName() + (c->isReadOnly() ? " bloccato" : " sbloccato");
    for (const SelettoreBloccabile* c : f->findChildren<SelettoreBloccabile*>())
        if (c->Bloccato() != vista)
            d << c->objectName() + (c->Bloccato() ? " bloccato" : " sbloccato");
    if (f->findChild<QWidget*>("fraCalcola")->isVisible() != conCalcolo)
        d << "fraCalcola visibile: " + QString::number(!conCalcolo);
    return d;
}

// One thing the user does in the record window, or a look at one of its controls.
using Passi = QList<std::function<void(class SchedaProva&)>>;

// The record window over a main window whose archive holds Comuni and `altri`.
class SchedaProva : public FinestraElencoProva {
public:
    explicit SchedaProva(const QList<ComuneProva>& altri = {})
        : FinestraElencoProva(Comuni + altri) {}
    ~SchedaProva() {
        Scheda::Scarica();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <typename T> static T* c(const QString& nome) { return Aperta()->findChild<T*>(nome); }
    QStringList differenze; // what the controls showed otherwise than expected

    void fai(const QList<Passi>& passi) {
        for (const Passi& gruppo : passi)
            for (const auto& passo : gruppo)
                if (Aperta()) // once the window has closed the rest does not run
                    passo(*this);
    }
    // The stored row of a municipality, or an empty one.
    ComuneProva riga(const QString& nome) {
        const auto id = archivio.testi("SELECT COM_ID FROM Comuni WHERE COM_NAME = '" + nome + "'");
        return archivio.comune(id.value(0).toLongLong()).value_or(ComuneProva{});
    }
};

// Replaces a box's text by typing.
Passi Scrive(const QString& casella, const QString& testo) {
    return {[=](SchedaProva& p) {
        QLineEdit* c = p.c<QLineEdit>(casella);
        c->setFocus();
        c->selectAll();
        QTest::keyClicks(c, testo);
    }};
}
// Tab in a control.
Passi Esce(const QString& controllo) {
    return {[=](SchedaProva& p) {
        p.c<QWidget>(controllo)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }};
}
Passi Preme(const QString& pulsante) {
    return {[=](SchedaProva& p) { QTest::mouseClick(p.c<QPushButton>(pulsante), Qt::LeftButton); }};
}
// The answer to the next question (Sì when none is given).
Passi Risponde(RispostaMessaggio risposta) {
    return {[=](SchedaProva& p) { p.messaggi.rispondi(risposta); }};
}
Passi Seleziona(const QString& selettore, int voce) {
    return {[=](SchedaProva& p) { p.c<QComboBox>(selettore)->setCurrentIndex(voce); }};
}
// SQL on another connection, which stays open (a BEGIN IMMEDIATE holds the lock).
Passi Sql(const QString& testo) {
    return {[=](SchedaProva& p) { QVERIFY(p.archivio.esegui(testo)); }};
}
// What a box or selector shows at this point.
Passi Mostra(const QString& controllo, const QString& testo) {
    return {[=](SchedaProva& p) {
        const QWidget* c = p.c<QWidget>(controllo);
        const QString v = c->property(c->inherits("QComboBox") ? "currentText" : "text").toString();
        if (v != testo)
            p.differenze << QString("%1: atteso «%2», visto «%3»").arg(controllo, testo, v);
    }};
}
const Passi Chiude{[](SchedaProva&) { Aperta()->close(); }}; // the window system's close control
const Passi Nasconde{[](SchedaProva&) { Aperta()->hide(); }};
const Passi SenzaArchivio{[](SchedaProva&) { Global::PercorsoDB += ".manca"; }};
// Tab from the focused control through every control, round once.
const Passi Giro(24, [](auto&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); });
Passi Coordinate(QString latiG, QString latiP, QString longG, QString longP) {
    return Scrive("txtLatiG", latiG) + Scrive("txtLatiP", latiP) + Scrive("txtLongiG", longG) +
           Scrive("txtLongiP", longP);
}
// The data of a new locality: name, province and altitude.
Passi Nuova(const QString& metri) {
    return Scrive("txtComune", "nuova") + Scrive("txtProv", "pr") + Scrive("txtAltitudine", metri);
}
struct Caso {
    const char* nome;
    QList<ComuneProva> altri{}; // more municipalities in the archive
    QString apre{};             // the municipality opened; empty: a new locality
    QList<Passi> passi{};
    QList<Messaggio> messaggi{};
    Stato stato = Stato::Vista;
    // The opened municipality as stored afterwards (unchanged by default).
    std::function<void(ComuneProva&)> salvato = [](ComuneProva&) {};
    ComuneProva nuova{}; // the new locality as stored (empty: none stored)
};

using enum RispostaMessaggio;
// clang-format off
const Caso Casi[] = {
    {.nome = "senza capoluoghi elencati né irradiazione: nessun errore, nessuna irradianza", .apre = "RHO",
     .passi = {Esce("txtLatiG"), Esce("txtLongiP"), Preme("cmdModifica"), Scrive("txtAltitudine", "130"), Preme("cmdSalva"),
               Sql("UPDATE Comuni SET Hdh = NULL, Hbh = NULL"), Preme("cmdModifica"), Esce("txtLongiP"), Preme("cmdSalva")},
     .messaggi = {Salvato, Salvato}, .salvato = [](ComuneProva& c) { c.altitudine = 130; }},
    {.nome = "capoluoghi: restano dopo gli elenchi ricostruiti e dopo una coppia rifiutata", .apre = "MILANO",
     .passi = {Preme("cmdModifica"), Scrive("txtLatiP", "28"), Esce("txtLatiP"), Mostra("cboProvVicina1", "PV (53 Km)"),
               Mostra("cboProvVicina2", "SO (60 Km)"), Seleziona("cboProvVicina1", 2), Mostra("cboProvVicina1", "PV (53 Km)"),
               Mostra("txtIrradianza", "1300"), Preme("cmdSalva")}, .messaggi = {Errore("la distanza tra il comune e la I provincia"), Salvato}},
    {.nome = "irradianza alla latitudine scritta", .apre = "ISOLATO",
     .passi = {Preme("cmdModifica"), Coordinate("45", "30", "9", "0"), Esce("txtLongiP"), Preme("cmdSalva"), Mostra("txtIrradianza", "150")},
     .messaggi = {Salvato}, .salvato = [](ComuneProva& c) {
         std::tie(c.latiG, c.latiP, c.longG, c.irradianza, c.provVicina1, c.provVicina2) = std::tuple(45, 30, 9, 150, "PV", "SO"); }},
    {.nome = "numeri letti come li salva l'archivio, un testo rifiutato", .apre = "MILANO",
     .passi = {Preme("cmdModifica"), Scrive("txtAltitudine", "abc"), Preme("cmdSalva"), Mostra("txtAltitudine", "abc"),
               Scrive("txtGGiorno", "2100.5"), Esce("txtGGiorno"), Mostra("txtZona", "D"), Scrive("txtAltitudine", "1.200"), Preme("cmdSalva"),
               Mostra("txtGGiorno", "2100"), Mostra("txtAltitudine", "1200")},
     .messaggi = {{.testo = "Nella casella «Altitudine» non c'è un numero.", .icona = Informazione}, Salvato},
     .salvato = [](ComuneProva& c) { std::tie(c.zona, c.gradiGiorno, c.altitudine) = std::tuple("D", 2100, 1200); }},
    {.nome = "zona vuota, poi oltre 16 bit: il salvataggio non avviene e nulla cambia", .apre = "PIOVERA",
     .passi = {Preme("cmdModifica"), Preme("cmdSalva"), Scrive("txtGGiorno", "40000"), Esce("txtGGiorno"), Mostra("txtZona", "F"), Preme("cmdSalva")},
     .messaggi = {Insufficienti, Errore("Overflow"), NonSalvato}, .stato = Stato::Modifica},
    {.nome = "annulla: i valori salvati, senza gli elenchi ricostruiti nel frattempo; chiusura della finestra: Sì salva e chiude",
     .apre = "MILANO", .passi = {Preme("cmdModifica"), Scrive("txtAltitudine", "30"), Preme("cmdSalva"), Preme("cmdModifica"),
               Coordinate("41", "54", "12", "29"), Esce("txtLongiP"), Preme("cmdAnnulla"), Mostra("txtAltitudine", "30"),
               Mostra("txtIrradianza", "1300"), Mostra("cboProvVicina1", "PV (53 Km)"), Preme("cmdModifica"), Chiude},
     .messaggi = {Salvato, Salvare, Salvato}, .stato = Stato::Chiusa, .salvato = [](ComuneProva& c) { c.altitudine = 30; }},
    {.nome = "uscita senza salvataggio: la scheda resta aperta con quanto scritto",
     .passi = {Scrive("txtComune", "nuova"), Preme("cmdEsci"), Mostra("txtComune", "NUOVA"), Scrive("txtProv", "pr"),
               Scrive("txtGGiorno", "2000"), Esce("txtGGiorno"), Scrive("txtAltitudine", "100"), Risponde(Si), Risponde(No), Preme("cmdEsci"),
               Sql("BEGIN IMMEDIATE"), Preme("cmdEsci"), Mostra("txtAltitudine", "100")},
     .messaggi = {Salvare, Insufficienti, Salvare, DomandaCoordinate, Salvare, DomandaCoordinate, Errore(""), NonSalvato}, .stato = Stato::Nuova},
    // At 300 m: MILANO (2000 GG, 100 m) gives 2000 + 1.66 × 200 = 2332, ROMA (1415 GG, 20 m) 1415 + 1.66 × 280 = 1879.8 in zone
    // D. PIOVERA, at the first point typed, has no degree days: it is never the reference. RHO is the nearest to the last point.
    {.nome = "riferimento dalle coordinate, cercato di nuovo quando cambiano; la nuova salvata e modificata",
     .passi = {Nuova("300"), Coordinate("45", "59", "9", "45"), Preme("cmdCalcola"), Mostra("txtComuneRif", "MILANO"),
               Mostra("txtGGiorno", "2332"), Coordinate("41", "54", "12", "29"), Preme("cmdCalcola"), Mostra("txtComuneRif", "ROMA"),
               Mostra("txtGGiorno", "1880"), Mostra("txtZona", "D"), Coordinate("45", "30", "9", "0"), Esce("txtLongiP"),
               Preme("cmdCalcola"), Preme("cmdSalva"), Preme("cmdModifica"), Scrive("txtAltitudine", "130"), Preme("cmdSalva")},
     .messaggi = {Salvato, Salvato}, .nuova = {.nome = "NUOVA", .prov = "PR", .zona = "D", .altitudine = 130, .gradiGiorno = 2332,
                                               .latiG = 45, .latiP = 30, .rifNome = "RHO", .rifProv = "MI", .irradianza = 150,
                                               .provVicina1 = "PV", .provVicina2 = "SO"}},
    // Around each typed point the locality one degree away is the reference; the one beyond would be nearer by the packed
    // measure (3830 − 370 > 3830 − 3659).
    {.nome = "riferimento entro un grado a sud, nord, est e ovest",
     .altri = {{.nome = "SUD", .latiG = 37, .longG = 16}, {.nome = "OLTRE", .latiG = 36, .latiP = 59, .longG = 16},
               {.nome = "NORD", .latiG = 34, .longG = 16}, {.nome = "OLTRE", .latiG = 35, .longG = 16},
               {.nome = "EST", .latiG = 38, .latiP = 30, .longG = 23, .longP = 59}, {.nome = "OLTRE", .latiG = 38, .latiP = 30, .longG = 24},
               {.nome = "OVEST", .latiG = 38, .latiP = 30, .longG = 27, .longP = 59},
               {.nome = "OLTRE", .latiG = 38, .latiP = 30, .longG = 26, .longP = 9}},
     .passi = {Nuova("100"), Coordinate("38", "30", "16", "0"), Preme("cmdCalcola"), Mostra("txtComuneRif", "SUD"),
               Coordinate("33", "30", "16", "0"), Preme("cmdCalcola"), Mostra("txtComuneRif", "NORD"),
               Coordinate("38", "30", "22", "0"), Preme("cmdCalcola"), Mostra("txtComuneRif", "EST"),
               Coordinate("38", "30", "28", "0"), Preme("cmdCalcola"), Mostra("txtComuneRif", "OVEST")}, .stato = Stato::Nuova},
    {.nome = "cancella: Annulla e No non cancellano", .apre = "MILANO",
     .passi = {Risponde(Annulla), Preme("cmdCanc"), Risponde(No), Preme("cmdCanc")}, .messaggi = {Cancellare, Cancellare}},
    {.nome = "cancella senza archivio: due messaggi, la scheda resta aperta", .apre = "MILANO", .passi = {SenzaArchivio, Preme("cmdCanc")},
     .messaggi = {Cancellare, Errore(""), Errore("Il comune non è stato cancellato.")}},
    {.nome = "giro con il Tab in vista e in modifica: nulla cambia", .apre = "ROMA",
     .passi = {Giro, Preme("cmdModifica"), Giro, Preme("cmdSalva")}, .messaggi = {Salvato}},
};
// clang-format on

// Runs a command of the main window; when it shows the record window, runs `passi` there and
// hides the window if they leave it open. Whether the window was shown.
bool Mostrata(SchedaProva& prova, const std::function<void()>& comando, const Passi& passi = {}) {
    bool mostrata = false;
    QTimer::singleShot(0, [&] {
        mostrata = Aperta() && QTest::qWaitForWindowActive(Aperta());
        prova.fai({passi, Nasconde});
    });
    comando();
    QCoreApplication::processEvents();
    return mostrata;
}

void DoppioClic(FinestraElencoProva& prova, const QString& nome) {
    GrigliaElenco* g = prova.griglia();
    const QModelIndex cella = g->model()->index(qMax(int(prova.celle(1).indexOf(nome)), 0), 0);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(cella).center());
}

} // namespace

Q_DECLARE_METATYPE(Caso)

class TFrmGestioneLoc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void scheda_data() { Righe(Casi); }
    void scheda();
    void dallElenco();
};

void TFrmGestioneLoc::scheda() {
    QFETCH(Caso, caso);
    SchedaProva prova(caso.altri);
    Global::ModoScheda = caso.apre.isEmpty() ? 2 : 0;
    const auto& l = Global::ElencoComuni;
    Global::IndiceComune = qint32(std::ranges::find(l, caso.apre, &DatiComune::Nome) - l.begin());
    Scheda::Ottieni().show();
    QVERIFY(QTest::qWaitForWindowActive(&Scheda::Ottieni()));
    prova.fai(caso.passi);
    QStringList d = prova.differenze +
                    DifferenzeMessaggi(caso.messaggi, prova.messaggi.mostrati()) +
                    DifferenzeStato(caso.stato, caso.apre.isEmpty());
    ComuneProva atteso = caso.apre.isEmpty()
                             ? caso.nuova
                             : *std::ranges::find(Comuni, caso.apre, &ComuneProva::nome);
    caso.salvato(atteso);
    d << DifferenzeComune(atteso, prova.riga(caso.apre.isEmpty() ? "NUOVA" : caso.apre));
    d.removeAll(QString());
    QVERIFY2(d.isEmpty(), qPrintable(d.join("; ")));
    QVERIFY(!Global::Cnn());
}

// A new locality whose reference is picked in the main window's list, saved, opened again from
// the list and deleted; then a search that finds nothing, whose empty row opens nothing.
void TFrmGestioneLoc::dallElenco() {
    SchedaProva p;
    p.esegui({Clic("cmdCerca")});
    QVERIFY(Mostrata(
        p, [&] { p.esegui({Clic("cmdNuovo")}); }, Nuova("300") + Preme("cmdRiferimento")));
    QVERIFY(p.w<QPushButton>("cmdContinua")->isEnabled());
    // No row selected yet: nothing is taken. A locality without degree days is refused.
    QVERIFY(!Mostrata(p, [&] { p.esegui({Clic("cmdContinua")}); }));
    const int piovera = int(p.celle(1).indexOf("PIOVERA")) + 1;
    QVERIFY(!Mostrata(p, [&] { p.esegui({ClicRiga(piovera), Clic("cmdContinua")}); }));
    // 2000 GG in zone D: 2000 + 1.66 × (300 − 100) = 2332.
    QVERIFY(Mostrata(
        p, [&] { DoppioClic(p, "MILANO"); },
        Mostra("txtComuneRif", "MILANO") + Preme("cmdCalcola") + Preme("cmdSalva") +
            Mostra("txtGGiorno", "2332") + Preme("cmdEsci")));
    // The list is searched again, with the new locality.
    QVERIFY(p.celle(1).contains("NUOVA"));
    QVERIFY(Mostrata(
        p, [&] { DoppioClic(p, "NUOVA"); }, Preme("cmdCanc")));
    QVERIFY(!p.celle(1).contains("NUOVA") && p.riga("NUOVA").nome.isEmpty());
    // A row chosen, then a search that finds nothing: its empty row opens nothing.
    p.esegui({ClicRiga(1), Scrivi("txtComuneC", "ZZZ"), Invio("txtComuneC")});
    QVERIFY(!Mostrata(p, [&] { p.esegui({Clic("cmdDettagli")}); }));
    QVERIFY(!Mostrata(p, [&] { DoppioClic(p, ""); }));
    const QList<Messaggio> attesi{SenzaGradiGiorno, DomandaCoordinate, Salvato, Cancellare};
    const QStringList d = p.differenze + DifferenzeMessaggi(attesi, p.messaggi.mostrati());
    QVERIFY2(d.isEmpty(), qPrintable(d.join("; ")));
}

QTEST_MAIN(TFrmGestioneLoc)
#include "tst_frmGestioneLoc.moc"
