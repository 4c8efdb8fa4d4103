#include "FrmElenco.h"

#include "GrigliaElenco.h"
#include "PannelloFiltri.h"
#include "app/Global.h"
#include "app/Messaggi.h"
#include "app/ServiziFinestra.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QPushButton* Pulsante(QWidget* genitore, const char* nome, const QString& testo,
                      QStyle::StandardPixmap figura) {
    auto* pulsante = new QPushButton(genitore->style()->standardIcon(figura), testo, genitore);
    pulsante->setObjectName(QLatin1String(nome));
    pulsante->setIconSize(QSize(20, 20));
    pulsante->setMinimumHeight(34);
    return pulsante;
}

} // namespace

FrmElenco::FrmElenco() {
    setObjectName(QStringLiteral("frmElenco"));
    setWindowTitle(Global::TitoloProgramma);
    CostruisciControlli();
    CollegaReazioni();
    ImpostaOrdineTab();
    CreaCommand1();
    // Wide enough for the whole grid and for the filter panel when it is shown.
    const int larghezza = qMax(GrdLista->LarghezzaTotale() + 2 * GrdLista->frameWidth() +
                                   GrdLista->verticalScrollBar()->sizeHint().width(),
                               fraCerca->sizeHint().width());
    resize(larghezza + 2 * layout()->contentsMargins().left(), 720);
}

void FrmElenco::CostruisciControlli() {
    cmdCerca =
        Pulsante(this, "cmdCerca", QStringLiteral("Cerca"), QStyle::SP_FileDialogContentsView);
    cmdDettagli = Pulsante(this, "cmdDettagli", QStringLiteral("Visualizza Dettagli"),
                           QStyle::SP_FileDialogDetailedView);
    cmdNuovo =
        Pulsante(this, "cmdNuovo", QStringLiteral("Inserisci nuovo comune"), QStyle::SP_FileIcon);
    cmdContinua =
        Pulsante(this, "cmdContinua", QStringLiteral("Continua"), QStyle::SP_ArrowForward);
    cmdStampa =
        Pulsante(this, "cmdStampa", QStringLiteral("Stampa"), QStyle::SP_FileDialogListView);
    cmdEsci = Pulsante(this, "cmdEsci", QStringLiteral("Esci"), QStyle::SP_DialogCloseButton);

    // Beside the buttons, a frame without border with the count and the traffic light.
    auto* fraStato = new QFrame(this);
    fraStato->setFrameShape(QFrame::NoFrame);
    lblNumComuni = new QLabel(fraStato);
    lblNumComuni->setObjectName(QStringLiteral("lblNumComuni"));
    lblNumComuni->setMinimumWidth(110);
    lblNumComuni->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    imgSemaforo = new QLabel(fraStato);
    imgSemaforo->setObjectName(QStringLiteral("imgSemaforo"));
    imgSemaforo->setFixedSize(25, 25); // 375 twips
    imgSemaforo->setScaledContents(true);
    auto* stato = new QHBoxLayout(fraStato);
    stato->setContentsMargins(8, 0, 0, 0);
    stato->addWidget(lblNumComuni);
    stato->addWidget(imgSemaforo);

    GrdLista = new GrigliaElenco(this);
    GrdLista->setObjectName(QStringLiteral("GrdLista"));

    fraCerca = new PannelloFiltri(this);
    fraCerca->hide();

    FraCarico = new QFrame(this);
    FraCarico->setObjectName(QStringLiteral("FraCarico"));
    FraCarico->setFrameShape(QFrame::NoFrame);
    auto* carico = new QVBoxLayout(FraCarico);
    auto* elaborazione = new QLabel(QStringLiteral("...elaborazione in corso..."), FraCarico);
    auto* attendere = new QLabel(QStringLiteral("Attendere prego."), FraCarico);
    QFont grassetto = elaborazione->font();
    grassetto.setBold(true);
    grassetto.setPointSizeF(grassetto.pointSizeF() * 1.3);
    elaborazione->setFont(grassetto);
    attendere->setFont(grassetto);
    carico->addWidget(elaborazione, 0, Qt::AlignHCenter);
    carico->addWidget(attendere, 0, Qt::AlignHCenter);
    FraCarico->hide();

    // Only parks the focus: a box outside the visible part of the window.
    txtHide = new QLineEdit(this);
    txtHide->setObjectName(QStringLiteral("txtHide"));
    txtHide->setGeometry(-400, -400, 20, 20);

    auto* pulsanti = new QHBoxLayout;
    for (QPushButton* pulsante : {cmdCerca, cmdDettagli, cmdNuovo, cmdContinua, cmdStampa, cmdEsci})
        pulsanti->addWidget(pulsante);
    pulsanti->addWidget(fraStato);
    pulsanti->addStretch();

    // The filter panel and the processing frame take the same place below the grid.
    auto* sotto = new QGridLayout;
    sotto->addWidget(fraCerca, 0, 0);
    sotto->addWidget(FraCarico, 0, 0);

    auto* finestra = new QVBoxLayout(this);
    finestra->addLayout(pulsanti);
    finestra->addWidget(GrdLista, 1);
    finestra->addLayout(sotto);
}

void FrmElenco::CollegaReazioni() {
    connect(cmdCerca, &QPushButton::clicked, this, &FrmElenco::cmdCerca_Click);
    connect(cmdEsci, &QPushButton::clicked, this, &FrmElenco::cmdEsci_Click);
    connect(cmdStampa, &QPushButton::clicked, this, &FrmElenco::cmdStampa_Click);
    connect(fraCerca->cmdCercaFra, &QPushButton::clicked, this, &FrmElenco::cmdCercaFra_Click);
    connect(cmdDettagli, &QPushButton::clicked, this, &FrmElenco::cmdDettagli_Click);
    connect(cmdNuovo, &QPushButton::clicked, this, &FrmElenco::cmdNuovo_Click);
    connect(cmdContinua, &QPushButton::clicked, this, &FrmElenco::cmdContinua_Click);

    // Check boxes react to every change of value, the program's own included.
    connect(fraCerca->chkAllC, &QCheckBox::stateChanged, this, &FrmElenco::chkAllC_Click);
    connect(fraCerca->ChkAltitudC, &QCheckBox::stateChanged, this, &FrmElenco::ChkAltitudC_Click);
    connect(fraCerca->ChkGGiornoC, &QCheckBox::stateChanged, this, &FrmElenco::ChkGGiornoC_Click);
    connect(fraCerca->ChkLatitudC, &QCheckBox::stateChanged, this, &FrmElenco::ChkLatitudC_Click);
    connect(fraCerca->ChkLongitudC, &QCheckBox::stateChanged, this, &FrmElenco::ChkLongitudC_Click);
    connect(fraCerca->chkIrraC, &QCheckBox::stateChanged, this, &FrmElenco::chkIrraC_Click);

    const std::pair<QLineEdit*, void (FrmElenco::*)()> cambi[] = {
        {fraCerca->txtComuneC, &FrmElenco::txtComuneC_Change},
        {fraCerca->txtProvC, &FrmElenco::txtProvC_Change},
        {fraCerca->txtZonaC, &FrmElenco::txtZonaC_Change},
        {fraCerca->txtAltitudMinC, &FrmElenco::txtAltitudMinC_Change},
        {fraCerca->txtAltitudMaxC, &FrmElenco::txtAltitudMaxC_Change},
        {fraCerca->txtGGiornoMinC, &FrmElenco::txtGGiornoMinC_Change},
        {fraCerca->txtGGiornoMaxC, &FrmElenco::txtGGiornoMaxC_Change},
        {fraCerca->txtLatitudMinC, &FrmElenco::txtLatitudMinC_Change},
        {fraCerca->txtLatitudMaxC, &FrmElenco::txtLatitudMaxC_Change},
        {fraCerca->txtLongitudMinC, &FrmElenco::txtLongitudMinC_Change},
        {fraCerca->txtLongitudMaxC, &FrmElenco::txtLongitudMaxC_Change},
        {fraCerca->txtIrraMinC, &FrmElenco::txtIrraMinC_Change},
        {fraCerca->txtIrraMaxC, &FrmElenco::txtIrraMaxC_Change},
    };
    for (const auto& [casella, reazione] : cambi) {
        connect(casella, &QLineEdit::textChanged, this, reazione);
        casella->installEventFilter(this);
    }

    connect(GrdLista, &GrigliaElenco::MouseDown, this, [this](int b, int s, double x, double y) {
        GrdLista_MouseDown(qint16(b), qint16(s), float(x), float(y));
    });
    connect(GrdLista, &GrigliaElenco::KeyDown, this, [this](int codice, int s) {
        qint16 KeyCode = qint16(codice);
        GrdLista_KeyDown(KeyCode, qint16(s));
    });
    connect(GrdLista, &GrigliaElenco::RowColChange, this, &FrmElenco::GrdLista_RowColChange);
    connect(GrdLista, &GrigliaElenco::DblClick, this, &FrmElenco::GrdLista_DblClick);
}

void FrmElenco::ImpostaOrdineTab() {
    PannelloFiltri* p = fraCerca;
    QWidget* const ordine[] = {txtHide,
                               cmdCerca,
                               cmdDettagli,
                               cmdNuovo,
                               cmdContinua,
                               cmdStampa,
                               cmdEsci,
                               p->txtComuneC,
                               p->txtProvC,
                               p->txtZonaC,
                               p->ChkAltitudC,
                               p->txtAltitudMinC,
                               p->txtAltitudMaxC,
                               p->ChkGGiornoC,
                               p->txtGGiornoMinC,
                               p->txtGGiornoMaxC,
                               p->ChkLatitudC,
                               p->txtLatitudMinC,
                               p->txtLatitudMaxC,
                               p->ChkLongitudC,
                               p->txtLongitudMinC,
                               p->txtLongitudMaxC,
                               p->chkAllC,
                               p->cmdCercaFra,
                               GrdLista,
                               p->chkInter,
                               p->txtIrraMaxC,
                               p->txtIrraMinC,
                               p->chkIrraC};
    for (size_t i = 1; i < std::size(ordine); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);
}

void FrmElenco::CambiaSemaforo(qint16 colore) {
    QString immagine;
    if (colore == 0)
        immagine = Global::ImgSemRosso;
    else if (colore == 1)
        immagine = Global::ImgSemGiallo;
    else if (colore == 2)
        immagine = Global::ImgSemVerde;
    const EsitoOperazione esito =
        ServiziFinestra::CaricaImmagine(imgSemaforo, Global::PercorsoImmagini + immagine);
    if (!esito.ok())
        MostraErrore(esito.errore().descrizione);
    imgSemaforo->setFixedSize(25, 25);
}

void FrmElenco::Form_Activate() {
    txtHide->setFocus();
    cmdCerca->setEnabled(true);
    cmdDettagli->setEnabled(false);
    cmdNuovo->setEnabled(Global::RicercaRiferimento == 0);
    cmdContinua->setEnabled(Global::RicercaRiferimento == 1);
    cmdStampa->setEnabled(Global::RicercaRiferimento == 0);
    cmdEsci->setEnabled(true);
}

void FrmElenco::cmdEsci_Click() {
    ServiziFinestra::TerminaProgramma();
}

bool FrmElenco::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(evento);
}

void FrmElenco::paintEvent(QPaintEvent* evento) {
    QWidget::paintEvent(evento);
    // The first paint fills the grid; it runs right after this paint, not inside it, since it
    // processes window events itself.
    if (primapaint_ && !paintProgrammato_) {
        paintProgrammato_ = true;
        QMetaObject::invokeMethod(this, &FrmElenco::Form_Paint, Qt::QueuedConnection);
    }
}

bool FrmElenco::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* casella = qobject_cast<QLineEdit*>(oggetto);
    if (casella && evento->type() == QEvent::KeyPress) {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        qint16 KeyCode = (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter)
                             ? qint16(13)
                             : qint16(tasto->key() & 0x7fff);
        Filtro_KeyDown(KeyCode, qint16(tasto->modifiers() & Qt::ShiftModifier ? 1 : 0));
    } else if (casella && evento->type() == QEvent::FocusOut) {
        if (casella == fraCerca->txtComuneC)
            txtComuneC_LostFocus();
        else if (casella == fraCerca->txtProvC)
            txtProvC_LostFocus();
        else if (casella == fraCerca->txtZonaC)
            txtZonaC_LostFocus();
    }
    return QWidget::eventFilter(oggetto, evento);
}
