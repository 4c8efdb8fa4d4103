// The main window's controls and their layout: the six buttons with the count and the traffic
// light beside them, the grid, and below it the filter panel and the processing frame.
#include "gui/FrmInformazioni.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/GrigliaElenco.h"
#include "gui/search/PannelloFiltri.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

void FrmElenco::CostruisciControlli() {
    cmdCerca = ServiziFinestra::CreaPulsante(this, "cmdCerca", QStringLiteral("Cerca"),
                                             QStyle::SP_FileDialogContentsView);
    cmdDettagli =
        ServiziFinestra::CreaPulsante(this, "cmdDettagli", QStringLiteral("Visualizza Dettagli"),
                                      QStyle::SP_FileDialogDetailedView);
    cmdNuovo = ServiziFinestra::CreaPulsante(
        this, "cmdNuovo", QStringLiteral("Inserisci nuovo comune"), QStyle::SP_FileIcon);
    cmdContinua = ServiziFinestra::CreaPulsante(this, "cmdContinua", QStringLiteral("Continua"),
                                                QStyle::SP_ArrowForward);
    cmdStampa = ServiziFinestra::CreaPulsante(this, "cmdStampa", QStringLiteral("Stampa"),
                                              QStyle::SP_FileDialogListView);
    // A printer: the desktop theme's picture, else the one of Qt's own print preview.
    cmdStampa->setIcon(QIcon::fromTheme(
        QStringLiteral("document-print"),
        QIcon(
            QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/printer-32.png"))));
    cmdEsci = ServiziFinestra::CreaPulsante(this, "cmdEsci", QStringLiteral("Esci"),
                                            QStyle::SP_DialogCloseButton);

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
    // Its accessible description follows the light (CambiaSemaforo).
    imgSemaforo->setAccessibleName(QStringLiteral("Semaforo"));
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
    txtHide->setAccessibleName(QStringLiteral("Inizio della finestra"));
    txtHide->setAccessibleDescription(QStringLiteral("Tab porta ai pulsanti e ai filtri."));

    // F1 opens "Informazioni" without a button of its own.
    CollegaInformazioniAF1(this);

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
