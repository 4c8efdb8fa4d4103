#include "app/FrmSplash.h"

#include <QtTest>

class TSplash : public QObject {
    Q_OBJECT
private slots:
    void posizioneCentrata_data();
    void posizioneCentrata();
    void finestra();
    void pausaZeroElaboraGliEventi();
    void pausaDiUnSecondo();
};

void TSplash::posizioneCentrata_data() {
    QTest::addColumn<QRect>("schermo");
    QTest::addColumn<QPoint>("attesa");
    QTest::newRow("schermo comune") << QRect(0, 0, 1920, 1080) << QPoint(710, 347);
    QTest::newRow("secondo schermo") << QRect(1920, 0, 1280, 1024) << QPoint(2310, 319);
    QTest::newRow("schermo piu' piccolo") << QRect(0, 0, 400, 300) << QPoint(-50, -42);
}

void TSplash::posizioneCentrata() {
    QFETCH(QRect, schermo);
    QFETCH(QPoint, attesa);
    QCOMPARE(FrmSplash::PosizioneCentrata(schermo, QSize(500, 385)), attesa);
}

void TSplash::finestra() {
    FrmSplash splash;
    splash.Form_Load();
    QCOMPARE(splash.size(), QSize(500, 385));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.cursor().shape(), Qt::BusyCursor);
    QVERIFY(splash.screen());
    QCOMPARE(splash.geometry().center(), splash.screen()->geometry().center());
    const QImage figura = splash.grab().toImage();
    QVERIFY(figura.pixelColor(250, 10) != QColor(Qt::white)); // the title picture is drawn
}

void TSplash::pausaZeroElaboraGliEventi() {
    FrmSplash splash;
    splash.SetPause(0);
    bool eseguito = false;
    QMetaObject::invokeMethod(
        &splash, [&] { eseguito = true; }, Qt::QueuedConnection);
    splash.Action();
    QVERIFY(eseguito);
}

void TSplash::pausaDiUnSecondo() {
    // Events keep running during the pause: a timer fires inside it.
    FrmSplash splash;
    splash.SetPause(1);
    bool scattato = false;
    QTimer::singleShot(50, &splash, [&] { scattato = true; });
    splash.Action();
    QVERIFY(scattato);
}

QTEST_MAIN(TSplash)
#include "tst_splash.moc"
