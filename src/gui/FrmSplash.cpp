#include "gui/FrmSplash.h"

#include "gui/ServiziFinestra.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QThread>

FrmSplash::FrmSplash()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    , immagine_(QStringLiteral(":/immagini/titolo.jpg")) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(500, 385);
    QPalette sfondo = palette();
    sfondo.setColor(QPalette::Window, Qt::white);
    setPalette(sfondo);
    setAutoFillBackground(true);
}

void FrmSplash::Form_Load() {
    if (const QScreen* schermo = screen())
        move(PosizioneCentrata(schermo->geometry(), size()));
    setCursor(Qt::BusyCursor);
}

void FrmSplash::SetPause(qint16 iInterval) {
    pausa_ = iInterval;
}

void FrmSplash::Action() {
    // A monotonic clock: the pause also ends when it spans midnight.
    QElapsedTimer orologio;
    orologio.start();
    const qint64 fine = qint64(pausa_) * 1000;
    do {
        ServiziFinestra::ElaboraEventi();
        const qint64 mancano = fine - orologio.elapsed();
        if (mancano > 0)
            QThread::msleep(static_cast<unsigned long>(qMin<qint64>(mancano, 10)));
    } while (orologio.elapsed() < fine);
}

QPoint FrmSplash::PosizioneCentrata(const QRect& schermo, const QSize& finestra) {
    return {schermo.x() + (schermo.width() - finestra.width()) / 2,
            schermo.y() + (schermo.height() - finestra.height()) / 2};
}

void FrmSplash::paintEvent(QPaintEvent*) {
    QPainter pittore(this);
    pittore.drawPixmap(0, 0, immagine_);
}
