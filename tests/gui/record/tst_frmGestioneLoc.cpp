#include "core/Global.h"
#include "db/Connessione.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/MessaggiQt.h"
#include "gui/record/FrmGestioneLoc.h"
#include "gui/search/FinestraElencoProva.h"

#include <QPushButton>
#include <QtTest>
#include <functional>

using Scheda = IstanzaCondivisa<FrmGestioneLoc>;

namespace {

// The capitals carry made-up irradiation. At 45° 30', between PAVIA (45° 00', Hdh 6, Hbh 8) and
// SONDRIO (46° 00', Hdh 5, Hbh 7), Hd = 5.5 and Hb = 7.5: the irradiance is 13 × 11.57 = 150.
const QList<ComuneProva> Comuni{
    {.nome = "PAVIA", .prov = "PV", .hdh = 6, .hbh = 8, .capoluogo = true},
    {.nome = "SONDRIO", .prov = "SO", .latiG = 46, .hdh = 5, .hbh = 7, .capoluogo = true},
    {.nome = "ROMA",
     .prov = "RM",
     .zona = "D",
     .altitudine = 20,
     .gradiGiorno = 1415,
     .latiG = 41,
     .latiP = 54,
     .longG = 12,
     .longP = 29,
     .hdh = 9,
     .hbh = 9,
     .capoluogo = true,
     .rifNome = "LATINA",
     .rifProv = "LT",
     .irradianza = 208,
     .provVicina1 = "RM",
     .provVicina2 = "PV"},
    // Its irradiance is not the 151 of its capitals: a recomputation shows.
    {.nome = "MILANO",
     .prov = "MI",
     .latiP = 28,
     .longP = 11,
     .irradianza = 1300,
     .provVicina1 = "PV",
     .provVicina2 = "SO"},
    {.nome = "RHO", .prov = "MI", .latiP = 32, .longP = 2},
    // Merged after the last official table: no zone, no degree days.
    {.nome = "PIOVERA", .prov = "AL", .zona = "", .gradiGiorno = 0, .latiP = 59, .longP = 45},
    {.nome = "ISOLATO", .prov = "XX", .latiG = 0, .longG = 0},
};

struct Atteso {
    QString inizio; // the text starts with it
    IconaMessaggio icona = IconaMessaggio::Informazione;
    PulsantiMessaggio pulsanti = PulsantiMessaggio::Ok;
    QMessageBox::ButtonRole invio = QMessageBox::AcceptRole; // what Enter alone presses
};
Atteso Avviso(const QString& inizio) {
    return {inizio};
}
Atteso Errore(const QString& inizio) {
    return {inizio, IconaMessaggio::Esclamazione};
}
const Atteso Salvato = Avviso("Salvataggio dei dati eseguito correttamente.");
const Atteso NonSalvato = Avviso("Si è verificato un errore durante il salvataggio dei dati.");
const Atteso Insufficienti = Avviso("Dati non sufficienti.");
const Atteso DomandaCoordinate{"Senza coordinate geografiche non è possibile calcolare",
                               IconaMessaggio::Informazione, PulsantiMessaggio::SiNo,
                               QMessageBox::YesRole};
const Atteso Salvare{"Salvare le modifiche?", IconaMessaggio::Domanda,
                     PulsantiMessaggio::SiNoAnnulla, QMessageBox::YesRole};
const Atteso Cancellare{
    "L'operazione eliminerà tutti i dati riguardanti il seguente comune: ", IconaMessaggio::Domanda,
    PulsantiMessaggio::SiNoAnnulla, QMessageBox::NoRole};

// The messages shown that differ from the expected ones, each with its text and icon.
QStringList DifferenzeMessaggi(const QList<Atteso>& attesi, const QList<Messaggio>& visti) {
    static const char* const icone[] = {"nessuna", "informazione", "domanda", "esclamazione"};
    QStringList d;
    for (qsizetype i = 0; i < qMax(attesi.size(), visti.size()); ++i) {
        const QString atteso = i < attesi.size() ? "«" + attesi[i].inizio + "…»" : "nessuno";
        if (i >= visti.size()) {
            d << QString("messaggio %1: atteso %2, non mostrato").arg(i + 1).arg(atteso);
            continue;
        }
        const Messaggio& m = visti[i];
        const auto box = CreaFinestraMessaggio(m);
        if (i >= attesi.size() || !m.testo.startsWith(attesi[i].inizio) ||
            m.icona != attesi[i].icona || m.pulsanti != attesi[i].pulsanti ||
            box->buttonRole(box->defaultButton()) != attesi[i].invio)
            d << QString("messaggio %1: atteso %2, visto «%3» con l'icona %4")
                     .arg(i + 1)
                     .arg(atteso, m.testo, icone[int(m.icona)]);
    }
    return d;
}

enum class Stato { Vista, Modifica, Nuova, Chiusa };

FrmGestioneLoc* Aperta() {
    return Scheda::Caricata() && Scheda::Ottieni().isVisible() ? &Scheda::Ottieni() : nullptr;
}

// How the window differs from a window in `stato`: ModoScheda, the buttons enabled and of equal
// width, every box and selector locked or not (and able to take the cursor), the calculation
// panel shown.
QStringList DifferenzeStato(Stato stato, bool conCalcolo) {
    FrmGestioneLoc* f = Aperta();
    if (stato == Stato::Chiusa)
        return QStringList{f ? "la scheda è ancora aperta" : ""} +
               QStringList{Global::ModoScheda || Global::RicercaRiferimento
                               ? "ModoScheda o RicercaRiferimento non azzerati"
                               : ""};
    if (!f)
        return {"la scheda si è chiusa"};
    QStringList d{Global::ModoScheda == int(stato)
                      ? ""
                      : "ModoScheda " + QString::number(Global::ModoScheda)};
    const bool vista = stato == Stato::Vista;
    const int larghezza = f->findChild<QPushButton*>("cmdEsci")->width();
    for (const auto& [nome, abilitato] : {std::pair{"cmdModifica", vista},
                                          {"cmdAnnulla", !vista},
                                          {"cmdSalva", !vista},
                                          {"cmdCanc", vista},
                                          {"cmdEsci", true}}) {
        const QPushButton* p = f->findChild<QPushButton*>(nome);
        if (p->isEnabled() != abilitato)
            d << QString("%1 %2").arg(nome, abilitato ? "disabilitato" : "abilitato");
        if (p->width() != larghezza)
            d << QString("%1 largo %2, cmdEsci %3").arg(nome).arg(p->width()).arg(larghezza);
    }
    int i = 0;
    for (const char* nome :
         {"txtComune", "txtProv", "txtGGiorno", "txtAltitudine", "txtLatiG", "txtLatiP",
          "txtLongiG", "txtLongiP", "cboProvVicina1", "cboProvVicina2", "txtZona", "txtIrradianza",
          "txtComLocRif", "txtProvLocRif", "txtComuneRif", "txtProvRif"}) {
        const bool sempre = i++ >= 10;
        QWidget* c = f->findChild<QWidget*>(nome);
        const auto* casella = qobject_cast<QLineEdit*>(c);
        const bool bloccato =
            casella ? casella->isReadOnly() : static_cast<SelettoreBloccabile*>(c)->Bloccato();
        if (bloccato != (sempre || vista))
            d << QString("%1 %2").arg(nome, bloccato ? "bloccato" : "sbloccato");
        if (!(c->focusPolicy() & Qt::TabFocus))
            d << QString("%1 non prende il cursore").arg(nome);
    }
    if (f->findChild<QWidget*>("fraCalcola")->isVisible() != conCalcolo)
        d << "fraCalcola visibile: " + QString::number(!conCalcolo);
    return d;
}

// The record window over a main window whose archive holds Comuni and `altri`.
class SchedaProva : public FinestraElencoProva {
public:
    explicit SchedaProva(const QList<ComuneProva>& altri = {})
        : FinestraElencoProva(Comuni + altri) {}
    ~SchedaProva() {
        Scheda::Scarica();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static qint32 Indice(const QString& nome) {
        const auto& l = Global::ElencoComuni;
        return qint32(std::ranges::find(l, nome, &DatiComune::Nome) - l.begin());
    }
    template <typename T> static T* c(const QString& nome) { return Aperta()->findChild<T*>(nome); }
    bool avviata = false;   // a step has opened the window
    QString aperto;         // the municipality opened
    QStringList differenze; // what the controls showed otherwise than expected

    void apri(const QString& nome) {
        avviata = true;
        aperto = nome;
        Global::ModoScheda = nome.isEmpty() ? 2 : 0;
        Global::IndiceComune = Indice(nome);
        Scheda::Ottieni().show();
        QVERIFY(QTest::qWaitForWindowActive(&Scheda::Ottieni()));
    }
    void fai(const QList<QList<std::function<void(SchedaProva&)>>>& passi) {
        for (const auto& gruppo : passi)
            for (const auto& passo : gruppo) {
                // Once the window has closed the rest does not run: the differences say so.
                if (avviata && !Aperta())
                    return;
                passo(*this);
            }
    }
    // The stored row of a municipality, or none.
    std::optional<ComuneProva> riga(const QString& nome) {
        const QString id =
            archivio.testi("SELECT COM_ID FROM Comuni WHERE COM_NAME = '" + nome + "'").value(0);
        const std::optional<ComuneProva> c =
            id.isEmpty() ? std::nullopt : archivio.comune(id.toLongLong());
        archivio.chiudi();
        return c;
    }
};

// One thing the user does in the record window, or a look at one of its controls.
using Passi = QList<std::function<void(SchedaProva&)>>;
// Opens the record window on a listed municipality, or empty for a new locality ("").
Passi Apre(const QString& nome) {
    return {[=](SchedaProva& p) { p.apri(nome); }};
}
// Replaces a box's text by typing.
Passi Scrive(const QString& casella, const QString& testo) {
    return {[=](SchedaProva& p) {
        QLineEdit* c = p.c<QLineEdit>(casella);
        c->setFocus();
        c->selectAll();
        QTest::keyClick(c, Qt::Key_Delete);
        QTest::keyClicks(c, testo);
    }};
}
// Tab in a control, or in the focused one.
Passi Esce(const QString& controllo = {}) {
    return {[=](SchedaProva& p) {
        if (!controllo.isEmpty())
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
// The user chooses entry `voce` of capital selector 1 or 2.
Passi Seleziona(int selettore, int voce) {
    const QString nome = "cboProvVicina" + QString::number(selettore);
    return {[=](SchedaProva& p) { p.c<QComboBox>(nome)->setCurrentIndex(voce); }};
}
// SQL on another connection, which stays open (a BEGIN IMMEDIATE holds the lock).
Passi Sql(const QString& testo) {
    return {[=](SchedaProva& p) { QVERIFY(p.archivio.esegui(testo)); }};
}
// A municipality picked in the main window as the reference: the window comes back.
Passi Prende(const QString& nome) {
    return {[=](SchedaProva&) {
        Global::RicercaRiferimento = 1;
        Global::IndiceRiferimento = SchedaProva::Indice(nome);
        FrmGestioneLoc* f = Aperta();
        f->hide();
        f->show();
    }};
}
// What a box or selector shows at this point.
Passi Mostra(const QString& controllo, const QString& testo) {
    return {[=](SchedaProva& p) {
        QWidget* c = p.c<QWidget>(controllo);
        const auto* selettore = qobject_cast<QComboBox*>(c);
        const QString visto =
            selettore ? selettore->currentText() : static_cast<QLineEdit*>(c)->text();
        if (visto != testo)
            p.differenze << QString("%1: atteso «%2», visto «%3»").arg(controllo, testo, visto);
    }};
}
const Passi Chiude{[](SchedaProva&) { Aperta()->close(); }}; // the window system's close control
const Passi SenzaArchivio{[](SchedaProva&) { Global::PercorsoDB += ".manca"; }};
// Tab from the focused control through every control, round once.
const Passi Giro(24, Esce().first());
Passi Coordinate(const QString& latiG, const QString& latiP, const QString& longG,
                 const QString& longP) {
    return Scrive("txtLatiG", latiG) + Scrive("txtLatiP", latiP) + Scrive("txtLongiG", longG) +
           Scrive("txtLongiP", longP);
}
// A new locality: name, province and altitude.
Passi Nuova(const QString& altitudine) {
    return Apre("") + Scrive("txtComune", "nuova") + Scrive("txtProv", "pr") +
           Scrive("txtAltitudine", altitudine);
}

struct Caso {
    const char* nome;
    QList<ComuneProva> altri{}; // more municipalities in the archive
    QList<Passi> passi{};
    QList<Atteso> messaggi{};
    Stato stato = Stato::Vista;
    // The opened municipality as stored afterwards (unchanged when empty).
    std::function<void(ComuneProva&)> salvato{};
    std::optional<ComuneProva> nuova{}; // the new locality as stored (none: not stored)
};

ComuneProva Localita(const char* nome, int latiG, int latiP, int longG, int longP) {
    return {.nome = nome, .latiG = latiG, .latiP = latiP, .longG = longG, .longP = longP};
}

const QList<Caso>& Casi() {
    using enum RispostaMessaggio;
    static const QList<Caso> casi{
        {.nome = "senza capoluoghi elencati né irradiazione: nessun errore, nessuna irradianza",
         .passi = {Apre("RHO"), Esce("txtLatiG"), Esce("txtLongiP"), Preme("cmdModifica"),
                   Scrive("txtAltitudine", "130"), Preme("cmdSalva"),
                   Sql("UPDATE Comuni SET Hdh = NULL, Hbh = NULL"), Preme("cmdModifica"),
                   Esce("txtLongiP"), Preme("cmdSalva")},
         .messaggi = {Salvato, Salvato},
         .salvato = [](ComuneProva& c) { c.altitudine = 130; }},
        {.nome = "capoluoghi: restano dopo gli elenchi ricostruiti e dopo una coppia rifiutata",
         .passi = {Apre("MILANO"), Preme("cmdModifica"), Scrive("txtLatiP", "28"), Esce("txtLatiP"),
                   Mostra("cboProvVicina1", "PV (53 Km)"), Mostra("cboProvVicina2", "SO (60 Km)"),
                   Seleziona(1, 2), Mostra("cboProvVicina1", "PV (53 Km)"),
                   Mostra("txtIrradianza", "1300"), Preme("cmdSalva")},
         .messaggi = {Errore("la distanza tra il comune e la I provincia"), Salvato}},
        {.nome = "irradianza alla latitudine scritta",
         .passi = {Apre("ISOLATO"), Preme("cmdModifica"), Coordinate("45", "30", "9", "0"),
                   Esce("txtLongiP"), Preme("cmdSalva"), Mostra("txtIrradianza", "150")},
         .messaggi = {Salvato},
         .salvato =
             [](ComuneProva& c) {
                 std::tie(c.latiG, c.latiP, c.longG, c.irradianza) = std::tuple(45, 30, 9, 150);
                 std::tie(c.provVicina1, c.provVicina2) = std::pair("PV", "SO");
             }},
        {.nome = "numeri letti come li salva l'archivio, un testo rifiutato",
         .passi = {Apre("MILANO"), Preme("cmdModifica"), Scrive("txtAltitudine", "abc"),
                   Preme("cmdSalva"), Mostra("txtAltitudine", "abc"),
                   Scrive("txtGGiorno", "2100.5"), Esce("txtGGiorno"), Mostra("txtZona", "D"),
                   Scrive("txtAltitudine", "1.200"), Preme("cmdSalva"),
                   Mostra("txtGGiorno", "2100"), Mostra("txtAltitudine", "1200")},
         .messaggi = {Avviso("Nella casella «Altitudine» non c'è un numero."), Salvato},
         .salvato =
             [](ComuneProva& c) {
                 std::tie(c.zona, c.gradiGiorno, c.altitudine) = std::tuple("D", 2100, 1200);
             }},
        {.nome = "oltre 16 bit: il salvataggio fallisce e nulla cambia",
         .passi = {Apre("MILANO"), Preme("cmdModifica"), Scrive("txtGGiorno", "40000"),
                   Esce("txtGGiorno"), Mostra("txtZona", "F"), Preme("cmdSalva")},
         .messaggi = {Errore("Overflow"), NonSalvato},
         .stato = Stato::Modifica},
        {.nome = "zona vuota: dato obbligatorio",
         .passi = {Apre("PIOVERA"), Preme("cmdModifica"), Preme("cmdSalva")},
         .messaggi = {Insufficienti},
         .stato = Stato::Modifica},
        {.nome = "annulla: i valori salvati, senza gli elenchi ricostruiti nel frattempo",
         .passi = {Apre("MILANO"), Preme("cmdModifica"), Scrive("txtAltitudine", "30"),
                   Preme("cmdSalva"), Preme("cmdModifica"), Coordinate("41", "54", "12", "29"),
                   Esce("txtLongiP"), Preme("cmdAnnulla"), Mostra("txtAltitudine", "30"),
                   Mostra("txtIrradianza", "1300"), Mostra("cboProvVicina1", "PV (53 Km)"),
                   Preme("cmdModifica"), Preme("cmdSalva")},
         .messaggi = {Salvato, Salvato},
         .salvato = [](ComuneProva& c) { c.altitudine = 30; }},
        {.nome = "uscita senza salvataggio: la scheda resta aperta con quanto scritto",
         .passi = {Apre(""), Scrive("txtComune", "nuova"), Preme("cmdEsci"),
                   Mostra("txtComune", "NUOVA"), Scrive("txtProv", "pr"),
                   Scrive("txtGGiorno", "2000"), Esce("txtGGiorno"), Scrive("txtAltitudine", "100"),
                   Risponde(Si), Risponde(No), Preme("cmdEsci"), Sql("BEGIN IMMEDIATE"),
                   Preme("cmdEsci"), Mostra("txtAltitudine", "100")},
         .messaggi = {Salvare, Insufficienti, Salvare, DomandaCoordinate, Salvare,
                      DomandaCoordinate, Errore(""), NonSalvato},
         .stato = Stato::Nuova},
        {.nome = "chiusura della finestra: Sì salva e chiude",
         .passi = {Apre("MILANO"), Preme("cmdModifica"), Scrive("txtAltitudine", "130"), Chiude},
         .messaggi = {Salvare, Salvato},
         .stato = Stato::Chiusa,
         .salvato = [](ComuneProva& c) { c.altitudine = 130; }},
        // MILANO 2000 GG (zone D), 100 m: at 300 m 2000 + 1.66 × 200 = 2332. ROMA 1415 GG in
        // zone D, 20 m: 1415 + 1.66 × 280 = 1879.8.
        {.nome = "riferimento: dalle coordinate, cercato di nuovo quando cambiano; scelto, resta",
         .passi = {Nuova("300"), Coordinate("45", "59", "9", "45"), Preme("cmdCalcola"),
                   Mostra("txtComuneRif", "MILANO"), Mostra("txtGGiorno", "2332"),
                   Coordinate("41", "54", "12", "29"), Preme("cmdCalcola"),
                   Mostra("txtComuneRif", "ROMA"), Mostra("txtGGiorno", "1880"),
                   Mostra("txtZona", "D"), Prende("MILANO"), Preme("cmdCalcola"),
                   Mostra("txtGGiorno", "2332"), Mostra("txtComLocRif", "MILANO")},
         .stato = Stato::Nuova},
        // Around each typed point the locality one degree away is the reference; the one
        // beyond would be nearer by the packed measure (3830 − 370 > 3830 − 3659).
        {.nome = "riferimento entro un grado a sud, nord, est e ovest",
         .altri = {Localita("SUD", 37, 0, 16, 0), Localita("OLTRE", 36, 59, 16, 0),
                   Localita("NORD", 34, 0, 16, 0), Localita("OLTRE", 35, 0, 16, 0),
                   Localita("EST", 38, 30, 23, 59), Localita("OLTRE", 38, 30, 24, 0),
                   Localita("OVEST", 38, 30, 27, 59), Localita("OLTRE", 38, 30, 26, 9)},
         .passi = {Nuova("100"), Coordinate("38", "30", "16", "0"), Preme("cmdCalcola"),
                   Mostra("txtComuneRif", "SUD"), Coordinate("33", "30", "16", "0"),
                   Preme("cmdCalcola"), Mostra("txtComuneRif", "NORD"),
                   Coordinate("38", "30", "22", "0"), Preme("cmdCalcola"),
                   Mostra("txtComuneRif", "EST"), Coordinate("38", "30", "28", "0"),
                   Preme("cmdCalcola"), Mostra("txtComuneRif", "OVEST")},
         .stato = Stato::Nuova},
        {.nome = "cancella: Annulla e No non cancellano",
         .passi = {Apre("MILANO"), Risponde(Annulla), Preme("cmdCanc"), Risponde(No),
                   Preme("cmdCanc")},
         .messaggi = {Cancellare, Cancellare}},
        {.nome = "cancella senza archivio: due messaggi, la scheda resta aperta",
         .passi = {Apre("MILANO"), SenzaArchivio, Preme("cmdCanc")},
         .messaggi = {Cancellare, Errore(""), Errore("Il comune non è stato cancellato.")}},
        {.nome = "giro con il Tab in vista e in modifica: nulla cambia",
         .passi = {Apre("ROMA"), Giro, Preme("cmdModifica"), Giro, Preme("cmdSalva")},
         .messaggi = {Salvato}},
        {.nome = "nuova dal riferimento più vicino, salvata e modificata",
         .passi = {Nuova("300"), Coordinate("45", "30", "9", "0"), Esce("txtLongiP"),
                   Preme("cmdCalcola"), Preme("cmdSalva"), Preme("cmdModifica"),
                   Scrive("txtAltitudine", "130"), Preme("cmdSalva")},
         .messaggi = {Salvato, Salvato},
         .nuova = ComuneProva{.nome = "NUOVA",
                              .prov = "PR",
                              .zona = "D",
                              .altitudine = 130,
                              .gradiGiorno = 2332,
                              .latiG = 45,
                              .latiP = 30,
                              .rifNome = "RHO",
                              .rifProv = "MI",
                              .irradianza = 150,
                              .provVicina1 = "PV",
                              .provVicina2 = "SO"}},
    };
    return casi;
}

} // namespace

class TFrmGestioneLoc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void scheda_data();
    void scheda();
    void dallElenco();
};

void TFrmGestioneLoc::scheda_data() {
    QTest::addColumn<int>("caso");
    for (int i = 0; i < Casi().size(); ++i)
        QTest::newRow(Casi()[i].nome) << i;
}

void TFrmGestioneLoc::scheda() {
    QFETCH(int, caso);
    const Caso& c = Casi()[caso];
    SchedaProva prova(c.altri);
    prova.fai(c.passi);

    QStringList d = prova.differenze + DifferenzeMessaggi(c.messaggi, prova.messaggi.mostrati()) +
                    DifferenzeStato(c.stato, prova.aperto.isEmpty());
    if (!prova.aperto.isEmpty()) {
        ComuneProva atteso = *std::ranges::find(Comuni, prova.aperto, &ComuneProva::nome);
        if (c.salvato)
            c.salvato(atteso);
        const std::optional<ComuneProva> visto = prova.riga(prova.aperto);
        d << (visto ? DifferenzeComune(atteso, *visto) : QStringList{"riga cancellata"});
    }
    const std::optional<ComuneProva> nuova = prova.riga("NUOVA");
    if (nuova.has_value() != c.nuova.has_value())
        d << QString("riga NUOVA salvata: %1").arg(nuova.has_value());
    else if (nuova)
        d << DifferenzeComune(*c.nuova, *nuova);
    d.removeAll(QString());
    QVERIFY2(d.isEmpty(), qPrintable(d.join("; ")));
    QVERIFY(!Global::Cnn());
}

// Runs `azioni` on the record window as soon as a command of the main window shows it
// modally; a watchdog hides the window if the test goes wrong, so that nothing hangs.
static void QuandoAppare(std::function<void()> azioni) {
    QTimer::singleShot(0, [azioni] {
        QTimer::singleShot(20000, [] {
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->hide();
        });
        (void)QTest::qWaitForWindowActive(QApplication::activeModalWidget());
        azioni();
    });
}

// Whether a command shows the record window; if it does, the window is hidden at once.
static bool SiApre(const std::function<void()>& comando) {
    bool aperta = false;
    QTimer::singleShot(0, [&aperta] {
        if (QWidget* modale = QApplication::activeModalWidget()) {
            aperta = true;
            modale->hide();
        }
    });
    comando();
    QCoreApplication::processEvents();
    return aperta;
}

static void DoppioClic(FinestraElencoProva& prova, const QString& nome) {
    GrigliaElenco* g = prova.griglia();
    const int riga = int(prova.celle(1).indexOf(nome));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {},
                       g->visualRect(g->model()->index(qMax(riga, 0), 0)).center());
}

// A new locality whose reference is picked in the main window's list, saved, opened again from
// the list and deleted; then a search that finds nothing, whose empty row opens nothing.
void TFrmGestioneLoc::dallElenco() {
    SchedaProva prova;
    prova.esegui({Clic("cmdCerca")});
    QuandoAppare([&] {
        prova.fai({Scrive("txtComune", "nuova"), Scrive("txtProv", "pr"),
                   Scrive("txtAltitudine", "300"), Preme("cmdRiferimento")});
    });
    prova.esegui({Clic("cmdNuovo")});
    QVERIFY(prova.w<QPushButton>("cmdContinua")->isEnabled());
    // No row selected yet: nothing is taken. A locality without degree days is refused.
    QVERIFY(!SiApre([&] { prova.esegui({Clic("cmdContinua")}); }));
    const int piovera = int(prova.celle(1).indexOf("PIOVERA")) + 1;
    QVERIFY(!SiApre([&] { prova.esegui({ClicRiga(piovera), Clic("cmdContinua")}); }));

    QString riferimento;
    QuandoAppare([&] {
        riferimento = Aperta()->findChild<QLineEdit*>("txtComuneRif")->text();
        prova.fai({Preme("cmdCalcola"), Preme("cmdSalva"), Preme("cmdEsci")});
    });
    DoppioClic(prova, "MILANO");
    QCOMPARE(riferimento, "MILANO");
    // 2000 GG in zone D: 2000 + 1.66 × (300 − 100) = 2332.
    const ComuneProva nuova = prova.riga("NUOVA").value_or(ComuneProva{});
    QCOMPARE(nuova.gradiGiorno, 2332);
    QCOMPARE(nuova.rifNome, "MILANO");
    // The list is searched again, with the new locality.
    QVERIFY(prova.celle(1).contains("NUOVA"));

    QuandoAppare([&] { prova.fai({Preme("cmdCanc")}); });
    DoppioClic(prova, "NUOVA");
    QVERIFY(!prova.celle(1).contains("NUOVA") && !prova.riga("NUOVA"));

    // A row chosen, then a search that finds nothing: its empty row opens nothing.
    prova.esegui({ClicRiga(1), Scrivi("txtComuneC", "ZZZ"), Invio("txtComuneC")});
    QVERIFY(!SiApre([&] { prova.esegui({Clic("cmdDettagli")}); }));
    prova.esegui({ClicRiga(1)});
    QVERIFY(!prova.w<QPushButton>("cmdDettagli")->isEnabled());
    QVERIFY(!SiApre([&] { DoppioClic(prova, ""); }));
    const QStringList m = DifferenzeMessaggi(
        {Avviso("PIOVERA (AL) non ha i gradi giorno"), DomandaCoordinate, Salvato, Cancellare},
        prova.messaggi.mostrati());
    QVERIFY2(m.isEmpty(), qPrintable(m.join("; ")));
}

QTEST_MAIN(TFrmGestioneLoc)
#include "tst_frmGestioneLoc.moc"
