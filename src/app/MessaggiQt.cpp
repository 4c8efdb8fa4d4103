#include "MessaggiQt.h"

#include <QApplication>
#include <QMessageBox>
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

RispostaMessaggio MessaggiQt::mostra(const Messaggio& messaggio) {
    QString testo = messaggio.testo;
    testo.replace(QChar(13), QChar('\n'));
    const QString titolo =
        messaggio.titolo.isEmpty() ? QCoreApplication::applicationName() : messaggio.titolo;

    QWidget* genitore = QApplication::activeModalWidget();
    if (!genitore)
        genitore = QApplication::activeWindow();
    QMessageBox box(IconaQt(messaggio.icona), titolo, testo, QMessageBox::NoButton, genitore);

    // The buttons carry Italian captions whether or not Qt's own translation is installed.
    QPushButton* ok = nullptr;
    QPushButton* si = nullptr;
    QPushButton* no = nullptr;
    QPushButton* annulla = nullptr;
    if (messaggio.pulsanti == PulsantiMessaggio::Ok) {
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    } else {
        si = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        if (messaggio.pulsanti == PulsantiMessaggio::SiNoAnnulla)
            annulla = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    }
    box.setDefaultButton(ok ? ok : si);
    box.setEscapeButton(ok ? ok : annulla ? annulla : no);
    box.exec();

    const auto* premuto = box.clickedButton();
    if (premuto == si)
        return RispostaMessaggio::Si;
    if (premuto == no)
        return RispostaMessaggio::No;
    if (premuto == annulla)
        return RispostaMessaggio::Annulla;
    return RispostaMessaggio::Ok;
}
