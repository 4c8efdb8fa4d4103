#include "gui/preview/AnteprimaElenco.h"

#include "core/Global.h"
#include "core/Messaggi.h"
#include "gui/ServiziFinestra.h"
#include "gui/preview/EsportaElenco.h"
#include "report/DisegnoReport.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPageRanges>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

AnteprimaElenco::AnteprimaElenco(Report::DatiReport dati, QWidget* genitore)
    : QDialog(genitore)
    , dati_(std::move(dati))
    , stampante_(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("AnteprimaElenco"));
    setWindowTitle(Global::TitoloProgramma + QStringLiteral(" - Anteprima di stampa"));
    stampante_.setPageSize(QPageSize(QPageSize::A4));
    stampante_.setDocName(QStringLiteral("ELENCO COMUNI"));

    anteprima_ = new QPrintPreviewWidget(&stampante_, this);
    anteprima_->setObjectName(QStringLiteral("anteprima"));
    connect(anteprima_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* stampante) {
        const Esito<int> pagine = Report::DisegnaReport(*stampante, Report::RepElComuni(), dati_);
        if (!pagine.ok())
            MostraErrore(pagine.errore().descrizione);
    });
    connect(anteprima_, &QPrintPreviewWidget::previewChanged, this,
            &AnteprimaElenco::AggiornaPagina);

    auto* barra = new QToolBar(this);
    barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* stampa = Comando("cmdStampa", QStringLiteral("Stampa..."), "printer");
    auto* pdf = Comando("cmdEsportaPdf", QStringLiteral("Esporta PDF..."), "");
    auto* csv = Comando("cmdEsportaCsv", QStringLiteral("Esporta CSV..."), "");
    auto* larghezza =
        Comando("cmdAdattaLarghezza", QStringLiteral("Adatta alla larghezza"), "zoom-fit-width");
    auto* intera = Comando("cmdPaginaIntera", QStringLiteral("Pagina intera"), "zoom-fit-page");
    auto* piu = Comando("cmdIngrandisci", QStringLiteral("Ingrandisci"), "zoom-in");
    auto* meno = Comando("cmdRiduci", QStringLiteral("Riduci"), "zoom-out");
    auto* prima = Comando("cmdPrimaPagina", QStringLiteral("Prima pagina"), "go-first");
    auto* precedente =
        Comando("cmdPaginaPrecedente", QStringLiteral("Pagina precedente"), "go-previous");
    auto* successiva =
        Comando("cmdPaginaSuccessiva", QStringLiteral("Pagina successiva"), "go-next");
    auto* ultima = Comando("cmdUltimaPagina", QStringLiteral("Ultima pagina"), "go-last");
    auto* chiudi = Comando("cmdChiudi", QStringLiteral("Chiudi"), "");
    pdf->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    csv->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    chiudi->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    lblPagina_ = new QLabel(this);
    lblPagina_->setObjectName(QStringLiteral("lblPagina"));
    lblPagina_->setContentsMargins(8, 0, 8, 0);

    barra->addAction(stampa);
    barra->addAction(pdf);
    barra->addAction(csv);
    barra->addSeparator();
    for (QAction* comando : {larghezza, intera, piu, meno})
        barra->addAction(comando);
    barra->addSeparator();
    barra->addAction(prima);
    barra->addAction(precedente);
    barra->addWidget(lblPagina_);
    barra->addAction(successiva);
    barra->addAction(ultima);
    barra->addSeparator();
    barra->addAction(chiudi);
    // Zoom and navigation show only their pictures; their names are in the tooltips.
    for (QAction* comando : {larghezza, intera, piu, meno, prima, precedente, successiva, ultima})
        qobject_cast<QToolButton*>(barra->widgetForAction(comando))
            ->setToolButtonStyle(Qt::ToolButtonIconOnly);

    connect(stampa, &QAction::triggered, this, &AnteprimaElenco::Stampa);
    connect(pdf, &QAction::triggered, this, &AnteprimaElenco::EsportaPdf);
    connect(csv, &QAction::triggered, this, &AnteprimaElenco::EsportaCsv);
    connect(larghezza, &QAction::triggered, anteprima_, &QPrintPreviewWidget::fitToWidth);
    connect(intera, &QAction::triggered, anteprima_, &QPrintPreviewWidget::fitInView);
    connect(piu, &QAction::triggered, anteprima_, [this] { anteprima_->zoomIn(); });
    connect(meno, &QAction::triggered, anteprima_, [this] { anteprima_->zoomOut(); });
    connect(prima, &QAction::triggered, this, [this] { anteprima_->setCurrentPage(1); });
    connect(precedente, &QAction::triggered, this,
            [this] { anteprima_->setCurrentPage(anteprima_->currentPage() - 1); });
    connect(successiva, &QAction::triggered, this,
            [this] { anteprima_->setCurrentPage(anteprima_->currentPage() + 1); });
    connect(ultima, &QAction::triggered, this,
            [this] { anteprima_->setCurrentPage(anteprima_->pageCount()); });
    connect(chiudi, &QAction::triggered, this, &QDialog::accept);
    // The current page changes with the commands and with scrolling; the preview tells only of
    // new pages, so the page number follows its scroll bars as well.
    if (auto* vista = anteprima_->findChild<QAbstractScrollArea*>()) {
        for (QScrollBar* barra : {vista->verticalScrollBar(), vista->horizontalScrollBar()})
            connect(barra, &QScrollBar::valueChanged, this, &AnteprimaElenco::AggiornaPagina);
    }

    ImpostaTastiera(barra);

    auto* finestra = new QVBoxLayout(this);
    finestra->setContentsMargins(0, 0, 0, 0);
    finestra->addWidget(barra);
    finestra->addWidget(anteprima_, 1);
    anteprima_->fitToWidth();
    resize(900, 900);
}

QAction* AnteprimaElenco::Comando(const char* nome, const QString& testo, const char* icona) {
    // The pictures of Qt's own print preview: the desktop theme's, else those inside Qt.
    const QString immagine = QLatin1String(icona);
    QIcon figura = QIcon::fromTheme(immagine);
    if (figura.isNull() && !immagine.isEmpty()) {
        const QString cartella =
            QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/");
        figura.addFile(cartella + immagine + QStringLiteral("-24.png"), QSize(24, 24));
        figura.addFile(cartella + immagine + QStringLiteral("-32.png"), QSize(32, 32));
    }
    auto* comando = new QAction(figura, testo, this);
    comando->setObjectName(QLatin1String(nome));
    comando->setToolTip(testo);
    return comando;
}

namespace {

// The keys of the toolbar's commands, and how their tooltips name them.
struct TastiComando {
    const char* comando;
    QList<QKeySequence> tasti;
    const char* nome;
};

const QList<TastiComando>& Tasti() {
    static const QList<TastiComando> tasti = {
        {"cmdStampa", {Qt::CTRL | Qt::Key_P}, "Ctrl+P"},
        {"cmdEsportaPdf", {Qt::CTRL | Qt::Key_S}, "Ctrl+S"},
        {"cmdEsportaCsv", {Qt::CTRL | Qt::Key_E}, "Ctrl+E"},
        {"cmdAdattaLarghezza", {Qt::Key_L}, "L"},
        {"cmdPaginaIntera", {Qt::Key_I}, "I"},
        {"cmdIngrandisci", {Qt::Key_Plus, QKeySequence::ZoomIn}, "+ o Ctrl+rotellina"},
        {"cmdRiduci", {Qt::Key_Minus, QKeySequence::ZoomOut}, "\u2212 o Ctrl+rotellina"},
        {"cmdPrimaPagina", {Qt::Key_Home}, "Home"},
        {"cmdPaginaPrecedente", {Qt::Key_PageUp}, "Pag\u2191"},
        {"cmdPaginaSuccessiva", {Qt::Key_PageDown}, "Pag\u2193"},
        {"cmdUltimaPagina", {Qt::Key_End}, "Fine"},
        {"cmdChiudi", {Qt::Key_Escape}, "Esc"},
    };
    return tasti;
}

} // namespace

void AnteprimaElenco::ImpostaTastiera(QToolBar* barra) {
    for (const TastiComando& t : Tasti()) {
        if (auto* comando = findChild<QAction*>(QLatin1String(t.comando))) {
            comando->setShortcuts(t.tasti);
            comando->setShortcutContext(Qt::WindowShortcut);
            comando->setToolTip(QStringLiteral("%1 (%2)").arg(comando->text().remove(u'.'),
                                                              QString::fromUtf8(t.nome)));
        }
    }
    // Toolbar buttons take no focus of their own: here Tab reaches each of them.
    for (QToolButton* pulsante : barra->findChildren<QToolButton*>()) {
        pulsante->setFocusPolicy(Qt::TabFocus);
        pulsante->installEventFilter(this);
    }
    if (auto* vista = anteprima_->findChild<QAbstractScrollArea*>())
        vista->viewport()->installEventFilter(this);
    installEventFilter(this);
    AggiornaPagina();
}

bool AnteprimaElenco::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::Wheel) {
        auto* rotella = static_cast<QWheelEvent*>(evento);
        if (rotella->modifiers() & Qt::ControlModifier) {
            if (rotella->angleDelta().y() > 0)
                anteprima_->zoomIn();
            else if (rotella->angleDelta().y() < 0)
                anteprima_->zoomOut();
            return true;
        }
    } else if (evento->type() == QEvent::WindowUnblocked && oggetto == this) {
        // Without a window manager (the program on Xvfb) nobody gives the keyboard back when
        // a dialog opened from here closes: the preview then takes it back itself.
        const QWindow* fuoco = QGuiApplication::focusWindow();
        if (!fuoco || !fuoco->isVisible())
            activateWindow();
    } else if (evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        auto* pulsante = qobject_cast<QToolButton*>(oggetto);
        if (pulsante && (tasto == Qt::Key_Return || tasto == Qt::Key_Enter)) {
            pulsante->click();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void AnteprimaElenco::AggiornaPagina() {
    const int pagina = anteprima_->currentPage();
    lblPagina_->setText(QStringLiteral("Pagina %1 di %2").arg(pagina).arg(anteprima_->pageCount()));
    // First and previous lead nowhere from page 1, next and last nowhere from the last page.
    for (const char* nome : {"cmdPrimaPagina", "cmdPaginaPrecedente"})
        findChild<QAction*>(QLatin1String(nome))->setEnabled(pagina > 1);
    for (const char* nome : {"cmdPaginaSuccessiva", "cmdUltimaPagina"})
        findChild<QAction*>(QLatin1String(nome))->setEnabled(pagina < anteprima_->pageCount());
}

void AnteprimaElenco::Stampa() {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        MsgBox(QStringLiteral("Nessuna stampante è installata su questo computer.") + QChar(13) +
                   QStringLiteral("Per stampare l'elenco altrove, salvarlo con «Esporta PDF»."),
               PulsantiMessaggio::Ok, IconaMessaggio::Esclamazione, Global::Titolo);
        return;
    }
    QPrintDialog dialogo(&stampante_, this);
    if (dialogo.exec() == QDialog::Accepted)
        anteprima_->print();
    // The pages chosen for this print do not limit the preview.
    stampante_.setPageRanges(QPageRanges());
}

bool AnteprimaElenco::EsportaPdf() {
    return EsportaElenco::Esporta(this, EsportaElenco::Formato::Pdf, dati_, filtri_);
}

bool AnteprimaElenco::EsportaCsv() {
    return EsportaElenco::Esporta(this, EsportaElenco::Formato::Csv, dati_, filtri_);
}
