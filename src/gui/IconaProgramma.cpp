#include "gui/IconaProgramma.h"

#include <QGuiApplication>

QIcon IconaProgramma() {
    QIcon icona;
    for (const int lato : {16, 24, 32, 48, 64, 128, 256})
        icona.addFile(QStringLiteral(":/icona/kelvaro-%1.png").arg(lato), QSize(lato, lato));
    return icona;
}

void ImpostaIdentitaDesktop() {
    QGuiApplication::setWindowIcon(IconaProgramma());
    QGuiApplication::setDesktopFileName(QStringLiteral(KELVARO_ID_DESKTOP));
}
