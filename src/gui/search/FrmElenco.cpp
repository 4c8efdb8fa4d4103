// The main window's wiring: controls to their reactions, and the focus order.
#include "gui/search/FrmElenco.h"

#include "core/Global.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/GrigliaElenco.h"
#include "gui/search/PannelloFiltri.h"

#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

FrmElenco::FrmElenco() {
    setObjectName(QStringLiteral("frmElenco"));
    setWindowTitle(Global::TitoloProgramma);
    CostruisciControlli();
    CollegaReazioni();
    ImpostaOrdineTab();
    CreaCommand1();
    SeguiAttivazioni();
    ServiziFinestra::InvioPremeIPulsanti(this);
    // Wide enough for the whole grid and for the filter panel when it is shown.
    const int larghezza = qMax(GrdLista->LarghezzaTotale() + 2 * GrdLista->frameWidth() +
                                   GrdLista->verticalScrollBar()->sizeHint().width(),
                               fraCerca->sizeHint().width());
    resize(larghezza + 2 * layout()->contentsMargins().left(), 720);
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
