#include "ServiziFinestra.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>

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
    QCoreApplication::processEvents(QEventLoop::AllEvents);
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
