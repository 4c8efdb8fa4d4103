#include "gui/MessaggiQt.h"

#include "gui/IconaProgramma.h"

#include <QApplication>
#include <QPushButton>

namespace {

QMessageBox::Icon IconaQt(IconaMessaggio icona) {
    switch (icona) {
    case IconaMessaggio::Informazione:
        return QMessageBox::Information;
    case IconaMessaggio::Domanda:
        return QMessageBox::Question;
    case IconaMessaggio::Esclamazione:
        return QMessageBox::Warning;
    case IconaMessaggio::Nessuna:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::unique_ptr<QMessageBox> CreaFinestraMessaggio(const Messaggio& messaggio, QWidget* genitore) {
    QString testo = messaggio.testo;
    testo.replace(QChar(13), QChar('\n'));
    const QString titolo =
        messaggio.titolo.isEmpty() ? QCoreApplication::applicationName() : messaggio.titolo;
    auto box = std::make_unique<QMessageBox>(IconaQt(messaggio.icona), titolo, testo,
                                             QMessageBox::NoButton, genitore);
    box->setWindowIcon(IconaProgramma());
    // The buttons carry Italian captions whether or not Qt's own translation is installed; each
    // button's role tells the answer.
    if (messaggio.pulsanti == PulsantiMessaggio::Ok) {
        QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
    } else {
        QPushButton* si = box->addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
        QPushButton* no = box->addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box->setDefaultButton(messaggio.predefinita == RispostaMessaggio::No ? no : si);
        box->setEscapeButton(no);
        if (messaggio.pulsanti == PulsantiMessaggio::SiNoAnnulla)
            box->setEscapeButton(
                box->addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole));
    }
    if (!messaggio.altroPulsante.isEmpty())
        box->addButton(messaggio.altroPulsante, QMessageBox::ActionRole);
    return box;
}

RispostaMessaggio RispostaDelPulsante(const QMessageBox& box) {
    switch (box.buttonRole(box.clickedButton())) {
    case QMessageBox::YesRole:
        return RispostaMessaggio::Si;
    case QMessageBox::NoRole:
        return RispostaMessaggio::No;
    case QMessageBox::RejectRole:
        return RispostaMessaggio::Annulla;
    case QMessageBox::ActionRole:
        return RispostaMessaggio::Altro;
    default:
        return RispostaMessaggio::Ok;
    }
}

RispostaMessaggio MessaggiQt::mostra(const Messaggio& messaggio) {
    QWidget* genitore = QApplication::activeModalWidget();
    if (!genitore)
        genitore = QApplication::activeWindow();
    const std::unique_ptr<QMessageBox> box = CreaFinestraMessaggio(messaggio, genitore);
    box->exec();
    return RispostaDelPulsante(*box);
}
