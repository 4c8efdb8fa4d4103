// The record window's controls, layout, tab order and routing of keys, focus and closing.
#include "gui/record/FrmGestioneLoc.h"

#include "core/Global.h"
#include "gui/FrmInformazioni.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/ServiziFinestra.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLineEdit* Casella(QWidget* genitore, const char* nome, int larghezza, int lunghezza = 0) {
    auto* casella = new QLineEdit(genitore);
    casella->setObjectName(QLatin1String(nome));
    casella->setFixedWidth(larghezza);
    if (lunghezza > 0)
        casella->setMaxLength(lunghezza);
    return casella;
}

QLabel* Etichetta(const QString& testo, QWidget* genitore) {
    return new QLabel(testo, genitore);
}

} // namespace

void SelettoreBloccabile::showPopup() {
    if (!bloccato_)
        QComboBox::showPopup();
}

void SelettoreBloccabile::mousePressEvent(QMouseEvent* evento) {
    setFocus(Qt::MouseFocusReason);
    if (!bloccato_)
        QComboBox::mousePressEvent(evento);
}

void SelettoreBloccabile::keyPressEvent(QKeyEvent* evento) {
    const bool navigazione = evento->key() == Qt::Key_Tab || evento->key() == Qt::Key_Backtab;
    if (!bloccato_ || navigazione)
        QComboBox::keyPressEvent(evento);
}

void SelettoreBloccabile::wheelEvent(QWheelEvent* evento) {
    if (!bloccato_)
        QComboBox::wheelEvent(evento);
}

FrmGestioneLoc::FrmGestioneLoc() {
    setObjectName(QStringLiteral("frmGestioneLoc"));
    setWindowTitle(Global::TitoloProgramma);
    setModal(true);
    CostruisciControlli();
    ImpostaOrdineTab();
    CollegaReazioni();
    ServiziFinestra::InvioPremeIPulsanti(this);
    CollegaInformazioniAF1(this);
}

void FrmGestioneLoc::CostruisciControlli() {
    cmdModifica = ServiziFinestra::CreaPulsante(
        this, "cmdModifica", QStringLiteral("Modifica dati"), QStyle::SP_FileDialogStart);
    cmdAnnulla = ServiziFinestra::CreaPulsante(this, "cmdAnnulla", QStringLiteral("Annulla"),
                                               QStyle::SP_DialogCancelButton);
    cmdSalva = ServiziFinestra::CreaPulsante(this, "cmdSalva", QStringLiteral("Salva"),
                                             QStyle::SP_DialogSaveButton);
    cmdCanc = ServiziFinestra::CreaPulsante(this, "cmdCanc", QStringLiteral("Cancella comune"),
                                            QStyle::SP_TrashIcon);
    cmdEsci = ServiziFinestra::CreaPulsante(
        this, "cmdEsci", QStringLiteral("Torna all'elenco dei comuni"), QStyle::SP_ArrowBack);

    fraCerca = new QFrame(this);
    fraCerca->setObjectName(QStringLiteral("fraCerca"));
    fraCerca->setFrameShape(QFrame::StyledPanel);
    QWidget* f = fraCerca;
    txtComune = Casella(f, "txtComune", 260);
    txtProv = Casella(f, "txtProv", 40, 2);
    txtZona = Casella(f, "txtZona", 30);
    txtGGiorno = Casella(f, "txtGGiorno", 70);
    txtAltitudine = Casella(f, "txtAltitudine", 70);
    txtLatiG = Casella(f, "txtLatiG", 36, 2);
    txtLatiP = Casella(f, "txtLatiP", 36, 2);
    txtLongiG = Casella(f, "txtLongiG", 36, 2);
    txtLongiP = Casella(f, "txtLongiP", 36, 2);
    txtComLocRif = Casella(f, "txtComLocRif", 260);
    txtProvLocRif = Casella(f, "txtProvLocRif", 40, 2);
    cboProvVicina1 = new SelettoreBloccabile(f);
    cboProvVicina1->setObjectName(QStringLiteral("cboProvVicina1"));
    cboProvVicina1->setMinimumWidth(130);
    cboProvVicina2 = new SelettoreBloccabile(f);
    cboProvVicina2->setObjectName(QStringLiteral("cboProvVicina2"));
    cboProvVicina2->setMinimumWidth(130);
    txtIrradianza = Casella(f, "txtIrradianza", 70);
    LstDistanze = new QListWidget(f);
    LstDistanze->setObjectName(QStringLiteral("LstDistanze"));
    LstDistanze->setSortingEnabled(true);
    LstDistanze->hide();

    auto* dati = new QGridLayout(fraCerca);
    int riga = 0;
    auto aggiungi = [&](const QString& etichetta, std::initializer_list<QWidget*> controlli) {
        QLabel* nome = Etichetta(etichetta, f);
        nome->setBuddy(*controlli.begin()); // a screen reader's name for the row's first box
        dati->addWidget(nome, riga, 0, Qt::AlignRight);
        auto* fila = new QHBoxLayout;
        for (QWidget* controllo : controlli)
            fila->addWidget(controllo);
        fila->addStretch();
        dati->addLayout(fila, riga++, 1);
    };
    aggiungi(QStringLiteral("comune:"), {txtComune});
    aggiungi(QStringLiteral("provincia:"), {txtProv});
    aggiungi(QStringLiteral("zona:"), {txtZona});
    aggiungi(QStringLiteral("Gradi Giorno"), {txtGGiorno});
    aggiungi(QStringLiteral("Altitudine"), {txtAltitudine, Etichetta(QStringLiteral("m"), f)});
    aggiungi(QStringLiteral("Latitudine"), {txtLatiG, Etichetta(QStringLiteral("°"), f), txtLatiP,
                                            Etichetta(QStringLiteral("'"), f)});
    aggiungi(QStringLiteral("Longitudine"), {txtLongiG, Etichetta(QStringLiteral("°"), f),
                                             txtLongiP, Etichetta(QStringLiteral("'"), f)});
    aggiungi(QStringLiteral("Località di riferimento:"), {txtComLocRif, txtProvLocRif});
    aggiungi(QStringLiteral("Capoluogo 1:"), {cboProvVicina1});
    aggiungi(QStringLiteral("Capoluogo 2:"), {cboProvVicina2});
    aggiungi(QStringLiteral("Irradianza:"), {txtIrradianza});
    dati->addWidget(
        Etichetta(QStringLiteral(
                      "Per il calcolo dell'irradianza sono necessarie le coordinate geografiche."),
                  f),
        riga++, 0, 1, 2);
    fraCalcola = CostruisciCalcolo(f);
    dati->addWidget(fraCalcola, 0, 2, riga, 1, Qt::AlignTop);
    dati->setColumnStretch(2, 1);
    // Where a label stands for several boxes, each box says which part it holds.
    const std::pair<QWidget*, const char*> nomiAccessibili[] = {
        {txtLatiG, "Latitudine, gradi"},
        {txtLatiP, "Latitudine, primi"},
        {txtLongiG, "Longitudine, gradi"},
        {txtLongiP, "Longitudine, primi"},
        {txtProvLocRif, "Località di riferimento, provincia"},
        {txtComuneRif, "Località di riferimento per il calcolo"},
        {txtProvRif, "Località di riferimento per il calcolo, provincia"},
        {LstDistanze, "Capoluoghi per distanza"}};
    for (const auto& [controllo, nome] : nomiAccessibili)
        controllo->setAccessibleName(QString::fromUtf8(nome));

    // One row of equal buttons, each as wide as the widest caption needs, in every state.
    auto* pulsanti = new QHBoxLayout;
    int larghezza = 0;
    for (QPushButton* p : {cmdModifica, cmdAnnulla, cmdSalva, cmdCanc, cmdEsci})
        larghezza = qMax(larghezza, p->sizeHint().width());
    for (QPushButton* p : {cmdModifica, cmdAnnulla, cmdSalva, cmdCanc, cmdEsci}) {
        p->setMinimumWidth(larghezza);
        pulsanti->addWidget(p, 1);
    }
    auto* finestra = new QVBoxLayout(this);
    finestra->addLayout(pulsanti);
    finestra->addWidget(fraCerca, 1);
}

QFrame* FrmGestioneLoc::CostruisciCalcolo(QWidget* genitore) {
    auto* pannello = new QFrame(genitore);
    pannello->setObjectName(QStringLiteral("fraCalcola"));
    pannello->setFrameShape(QFrame::StyledPanel);
    auto* colonna = new QVBoxLayout(pannello);
    for (const char* riga :
         {"Se non sono noti i Gradi Giorno della nuova località che si "
          "desidera inserire,",
          "tramite il pulsante LOCALITA' DI RIFERIMENTO,",
          "è possibile selezionare una località di riferimento,",
          "oppure inserire le coordinate geografiche,", "quindi premere il pulsante CALCOLA."})
        colonna->addWidget(Etichetta(QString::fromUtf8(riga), pannello));

    fraRiferimento = new QFrame(pannello);
    fraRiferimento->setObjectName(QStringLiteral("fraRiferimento"));
    fraRiferimento->setFrameShape(QFrame::StyledPanel);
    txtComuneRif = Casella(fraRiferimento, "txtComuneRif", 220);
    txtProvRif = Casella(fraRiferimento, "txtProvRif", 40);
    auto* riferimento = new QHBoxLayout(fraRiferimento);
    riferimento->addWidget(Etichetta(QStringLiteral("località di riferimento:"), fraRiferimento));
    riferimento->addWidget(txtComuneRif);
    riferimento->addWidget(txtProvRif);
    riferimento->addStretch();
    colonna->addWidget(fraRiferimento);

    cmdRiferimento = ServiziFinestra::CreaPulsante(pannello, "cmdRiferimento",
                                                   QStringLiteral("Località di riferimento"),
                                                   QStyle::SP_ArrowForward);
    cmdCalcola = ServiziFinestra::CreaPulsante(pannello, "cmdCalcola", QStringLiteral("Calcola"),
                                               QStyle::SP_BrowserReload);
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(cmdRiferimento);
    comandi->addWidget(cmdCalcola);
    comandi->addStretch();
    colonna->addLayout(comandi);
    colonna->addStretch();
    return pannello;
}

void FrmGestioneLoc::ImpostaOrdineTab() {
    QWidget* const ordine[] = {
        txtComune,      txtProv,       txtZona,      txtGGiorno,   txtAltitudine,  txtLatiG,
        txtLatiP,       txtLongiG,     txtLongiP,    txtComLocRif, txtProvLocRif,  cboProvVicina1,
        cboProvVicina2, txtIrradianza, txtComuneRif, txtProvRif,   cmdRiferimento, cmdCalcola,
        cmdModifica,    cmdAnnulla,    cmdSalva,     cmdCanc,      cmdEsci};
    for (size_t i = 1; i < std::size(ordine); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);
}

void FrmGestioneLoc::CollegaReazioni() {
    connect(cmdModifica, &QPushButton::clicked, this, &FrmGestioneLoc::cmdModifica_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &FrmGestioneLoc::cmdAnnulla_Click);
    connect(cmdSalva, &QPushButton::clicked, this, &FrmGestioneLoc::cmdSalva_Click);
    connect(cmdCanc, &QPushButton::clicked, this, &FrmGestioneLoc::cmdCanc_Click);
    connect(cmdEsci, &QPushButton::clicked, this, &FrmGestioneLoc::cmdEsci_Click);
    connect(cmdRiferimento, &QPushButton::clicked, this, &FrmGestioneLoc::cmdRiferimento_Click);
    connect(cmdCalcola, &QPushButton::clicked, this, &FrmGestioneLoc::cmdCalcola_Click);
    // A selector reacts to every change of its entry, the program's own included.
    for (QComboBox* selettore : {cboProvVicina1, cboProvVicina2})
        connect(selettore, &QComboBox::currentIndexChanged, this,
                &FrmGestioneLoc::cboProvVicina_Click);
    for (QWidget* controllo : std::initializer_list<QWidget*>{
             txtComune, txtProv, txtGGiorno, txtLatiG, txtLatiP, txtLongiG, txtLongiP})
        controllo->installEventFilter(this);
}

bool FrmGestioneLoc::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* coordinata = qobject_cast<QLineEdit*>(oggetto);
    if (coordinata != txtLatiG && coordinata != txtLatiP && coordinata != txtLongiG &&
        coordinata != txtLongiP)
        coordinata = nullptr;
    if (evento->type() == QEvent::FocusIn && coordinata)
        testoInIngresso_ = coordinata->text();
    if (evento->type() == QEvent::FocusOut &&
        ServiziFinestra::FocusVersoAltroControllo(static_cast<QFocusEvent*>(evento))) {
        if (oggetto == txtComune)
            txtComune_LostFocus();
        else if (oggetto == txtProv)
            txtProv_LostFocus();
        else if (oggetto == txtGGiorno)
            txtGGiorno_LostFocus();
        else if (coordinata)
            Coordinata_LostFocus(coordinata);
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FrmGestioneLoc::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // The window becomes active each time it is shown: first opened, or shown again after a
    // reference was picked in the main window. A message box closing over it is no activation,
    // so the focus that a command gives a box stays there.
    Form_Activate();
}

void FrmGestioneLoc::closeEvent(QCloseEvent* evento) {
    // The window system's close control runs the leave command, with its question.
    evento->ignore();
    cmdEsci_Click();
}

void FrmGestioneLoc::keyPressEvent(QKeyEvent* evento) {
    // Escape does not close the window: leaving goes through "Torna all'elenco dei comuni".
    if (evento->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(evento);
}

void FrmGestioneLoc::Form_Load() {
    InCaricamento = true;
    AbilitaPulsanti(Global::ModoScheda);
    fraCalcola->setVisible(Global::ModoScheda == 2);
    CaricaDati();
    BloccaCampiTesto(Global::ModoScheda == 0);
    InCaricamento = false;
}

void FrmGestioneLoc::Form_Activate() {
    txtComune->setFocus();
    if (Global::RicercaRiferimento != 1 || Global::IndiceRiferimento < 0 ||
        Global::IndiceRiferimento >= Global::ElencoComuni.size())
        return;
    const DatiComune& rif = Global::ElencoComuni.at(Global::IndiceRiferimento);
    riferimento_ = rif;
    coordinateRiferimento_.reset();
    txtComuneRif->setText(rif.Nome);
    txtProvRif->setText(rif.Prov);
}

void FrmGestioneLoc::AbilitaPulsanti(qint16 modo) {
    cmdModifica->setEnabled(modo == 0);
    cmdAnnulla->setEnabled(modo > 0);
    cmdSalva->setEnabled(modo > 0);
    cmdCanc->setEnabled(modo == 0);
    cmdEsci->setEnabled(true);
}

void FrmGestioneLoc::Scarica() {
    hide();
    if (IstanzaCondivisa<FrmGestioneLoc>::Caricata())
        IstanzaCondivisa<FrmGestioneLoc>::Scarica();
}
