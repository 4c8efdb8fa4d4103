#include "gui/ServiziFinestra.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

namespace ServiziFinestra {
namespace {

std::function<void()>& Terminazione() {
    static std::function<void()> termina = [] { QCoreApplication::exit(0); };
    return termina;
}

} // namespace

QColor ColoreFacciaPulsante() {
    return QApplication::palette().color(QPalette::Button);
}

QColor ColoreSfondoFinestra() {
    return QApplication::palette().color(QPalette::Base);
}

void ImpostaSfondo(QWidget* controllo, const QColor& colore) {
    QPalette tavolozza = controllo->palette();
    tavolozza.setColor(QPalette::Base, colore);
    controllo->setPalette(tavolozza);
}

void ImpostaBloccata(QLineEdit* casella, bool bloccata) {
    casella->setReadOnly(bloccata);
    ImpostaSfondo(casella, bloccata ? ColoreFacciaPulsante() : ColoreSfondoFinestra());
}

void ElaboraEventi() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

namespace {

// Sees the keys that the focused control of its window leaves unhandled (a push button
// leaves Enter to its parents) and clicks the focused push button on Enter.
class InvioSuPulsante : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress)
            return false;
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        auto* pulsante = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if ((tasto->key() != Qt::Key_Return && tasto->key() != Qt::Key_Enter) || !pulsante ||
            pulsante->window() != parent() || tasto->isAutoRepeat())
            return false;
        pulsante->click();
        return true;
    }
};

} // namespace

void InvioPremeIPulsanti(QWidget* finestra) {
    finestra->installEventFilter(new InvioSuPulsante(finestra));
}

QPushButton* CreaPulsante(QWidget* genitore, const char* nome, const QString& testo,
                          QStyle::StandardPixmap figura) {
    auto* pulsante = new QPushButton(genitore->style()->standardIcon(figura), testo, genitore);
    pulsante->setObjectName(QLatin1String(nome));
    pulsante->setIconSize(QSize(20, 20));
    pulsante->setMinimumHeight(34);
    pulsante->setAutoDefault(false);
    return pulsante;
}

bool FocusVersoAltroControllo(const QFocusEvent* evento) {
    const Qt::FocusReason motivo = evento->reason();
    return motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason &&
           motivo != Qt::MenuBarFocusReason;
}

void ImpostaPuntatore(Puntatore puntatore) {
    // The pointer is set, not stacked: the last call decides.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (puntatore == Puntatore::FrecciaClessidra)
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    else if (puntatore == Puntatore::Clessidra)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

Puntatore PuntatoreAttuale() {
    const QCursor* cursore = QGuiApplication::overrideCursor();
    if (!cursore)
        return Puntatore::Predefinito;
    return cursore->shape() == Qt::WaitCursor ? Puntatore::Clessidra : Puntatore::FrecciaClessidra;
}

EsitoOperazione CaricaImmagine(QLabel* immagine, const QString& percorso) {
    if (!QFileInfo(percorso).isFile())
        return ErroreRuntime::FileNonTrovato(percorso);
    QPixmap figura;
    if (!figura.load(percorso))
        return ErroreRuntime::ImmagineNonValida(percorso);
    immagine->setPixmap(figura);
    return {};
}

void MostraModale(QDialog* finestra) {
    finestra->exec();
}

void TerminaProgramma() {
    Terminazione()();
}

void ImpostaTerminazione(std::function<void()> termina) {
    Terminazione() = std::move(termina);
}

} // namespace ServiziFinestra
