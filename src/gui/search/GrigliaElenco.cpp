#include "gui/search/GrigliaElenco.h"

#include "gui/search/ModelloGriglia.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

int Modificatori(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

int Pulsante(Qt::MouseButton pulsante) {
    switch (pulsante) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

} // namespace

GrigliaElenco::GrigliaElenco(QWidget* genitore)
    : QTableView(genitore)
    , modello_(new ModelloGriglia) {
    modello_->setParent(this);
    setModel(modello_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Tab and Shift+Tab leave the grid for the next and previous control; they never move the
    // current cell.
    setTabKeyNavigation(false);
    // A screen reader names the grid and reads each cell with its column's heading (the
    // model's header texts).
    setAccessibleName(QStringLiteral("Elenco dei comuni"));

    QHeaderView* intestazione = horizontalHeader();
    intestazione->setSectionsClickable(false);
    intestazione->setHighlightSections(false);
    intestazione->setSectionResizeMode(QHeaderView::Fixed);
    intestazione->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    intestazione->viewport()->installEventFilter(this);

    QHeaderView* colonnaFissa = verticalHeader();
    colonnaFissa->setSectionsClickable(false);
    colonnaFissa->setSectionResizeMode(QHeaderView::Fixed);
    colonnaFissa->setDefaultSectionSize(fontMetrics().height() + 4);
    colonnaFissa->viewport()->installEventFilter(this);
    ImpostaLarghezze();
    ImpostaEvidenziazione(false);
}

int GrigliaElenco::Pixel(int twip) const {
    const double fattoreCarattere = qMax(1.0, fontMetrics().averageCharWidth() / 5.5);
    return qRound(twip * fattoreCarattere / TwipPerPixel);
}

void GrigliaElenco::ImpostaLarghezze() {
    verticalHeader()->setFixedWidth(Pixel(LarghezzeTwip[0]));
    for (int colonna = 1; colonna < 9; ++colonna)
        setColumnWidth(colonna - 1, Pixel(LarghezzeTwip[colonna]));
}

int GrigliaElenco::LarghezzaTotale() const {
    int totale = 0;
    for (int colonna = 0; colonna < 9; ++colonna)
        totale += Larghezza(colonna);
    return totale;
}

int GrigliaElenco::Larghezza(int colonna) const {
    return colonna == 0 ? verticalHeader()->width() : columnWidth(colonna - 1);
}

int GrigliaElenco::AltezzaIntestazione() const {
    return horizontalHeader()->height();
}

int GrigliaElenco::RigheDati() const {
    return modello_->RigheDati();
}

bool GrigliaElenco::RigaConComune(int riga) const {
    return riga >= 1 && riga <= RigheDati() && !modello_->TestoCella(riga, 1).isEmpty();
}

int GrigliaElenco::Riga() const {
    return currentIndex().isValid() ? currentIndex().row() + 1 : 1;
}

int GrigliaElenco::Colonna() const {
    return currentIndex().isValid() ? currentIndex().column() + 1 : 1;
}

void GrigliaElenco::ImpostaCella(int riga, int colonna) {
    const QModelIndex indice = modello_->index(riga - 1, colonna - 1);
    if (indice.isValid())
        selectionModel()->setCurrentIndex(indice, QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
}

int GrigliaElenco::RigaInAlto() const {
    return verticalScrollBar()->value() + 1;
}

void GrigliaElenco::ImpostaRigaInAlto(int riga) {
    verticalScrollBar()->setValue(riga - 1);
}

int GrigliaElenco::RigheVisibili() const {
    const int altezzaRiga = qMax(1, verticalHeader()->defaultSectionSize());
    return qMax(1, viewport()->height() / altezzaRiga);
}

void GrigliaElenco::ImpostaRidisegno(bool attivo) {
    // The whole grid, headers included: with only the viewport switched off, Qt still painted it
    // when the window was painted meanwhile.
    setUpdatesEnabled(attivo);
    if (attivo)
        viewport()->update();
}

void GrigliaElenco::ImpostaEvidenziazione(bool attiva) {
    // With the highlight off the selection stays, painted in the grid's ordinary colours: the
    // style paints a selected row's background itself, before any cell.
    evidenziazione_ = attiva;
    QPalette tavolozza = palette();
    const QPalette desktop = QApplication::palette(this);
    for (const auto gruppo : {QPalette::Active, QPalette::Inactive}) {
        tavolozza.setBrush(gruppo, QPalette::Highlight,
                           desktop.brush(gruppo, attiva ? QPalette::Highlight : QPalette::Base));
        tavolozza.setBrush(
            gruppo, QPalette::HighlightedText,
            desktop.brush(gruppo, attiva ? QPalette::HighlightedText : QPalette::Text));
    }
    setPalette(tavolozza);
    viewport()->update();
}

void GrigliaElenco::mousePressEvent(QMouseEvent* evento) {
    // The pressed cell becomes current first, so the reaction reads the row that was pressed.
    // Only the left button chooses a cell.
    if (evento->button() == Qt::LeftButton)
        QTableView::mousePressEvent(evento);
    emit MouseDown(Pulsante(evento->button()), Modificatori(evento->modifiers()),
                   evento->position().x() + Larghezza(0),
                   evento->position().y() + AltezzaIntestazione());
}

void GrigliaElenco::mouseMoveEvent(QMouseEvent* evento) {
    if (!(evento->buttons() & ~Qt::LeftButton))
        QTableView::mouseMoveEvent(evento);
}

void GrigliaElenco::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton)
        QTableView::mouseReleaseEvent(evento);
}

void GrigliaElenco::mouseDoubleClickEvent(QMouseEvent* evento) {
    if (evento->button() != Qt::LeftButton)
        return;
    QTableView::mouseDoubleClickEvent(evento);
    emit DblClick();
}

void GrigliaElenco::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() >= Qt::Key_A && evento->key() <= Qt::Key_Z) {
        emit KeyDown(evento->key(), Modificatori(evento->modifiers()));
        return;
    }
    QTableView::keyPressEvent(evento);
}

void GrigliaElenco::currentChanged(const QModelIndex& attuale, const QModelIndex& precedente) {
    QTableView::currentChanged(attuale, precedente);
    emit RowColChange();
}

bool GrigliaElenco::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        if (oggetto == horizontalHeader()->viewport()) {
            emit MouseDown(Pulsante(mouse->button()), Modificatori(mouse->modifiers()),
                           mouse->position().x() + Larghezza(0) + horizontalScrollBar()->value(),
                           mouse->position().y());
            return true;
        }
        if (oggetto == verticalHeader()->viewport()) {
            // A press on the fixed column makes its row current, as a press on a cell does.
            const int riga = rowAt(int(mouse->position().y()));
            if (riga >= 0 && mouse->button() == Qt::LeftButton)
                ImpostaCella(riga + 1, Colonna());
            emit MouseDown(Pulsante(mouse->button()), Modificatori(mouse->modifiers()),
                           mouse->position().x(), mouse->position().y() + AltezzaIntestazione());
            return true;
        }
    }
    return QTableView::eventFilter(oggetto, evento);
}

int ColonnaIntestazioneCliccata(double x, const int (&larghezze)[9]) {
    int somma = larghezze[0];
    for (int k = 1; k <= 5; ++k) {
        if (x > somma && x < somma + larghezze[k])
            return k;
        somma += larghezze[k];
    }
    somma += larghezze[6] + larghezze[7];
    return x > somma ? 8 : 0;
}
