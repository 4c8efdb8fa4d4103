#include "db/DatiComune.h"

#include <QtTest>

class TDatiComune : public QObject {
    Q_OBJECT
private slots:
    void testoFisso_data();
    void testoFisso();
    void radianti_data();
    void radianti();
    void testoCoordinata_data();
    void testoCoordinata();
    void recordVuoto();
};

void TDatiComune::testoFisso_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("vuoto, due caratteri") << "" << 2 << "  ";
    QTest::newRow("corto, riempito") << "M" << 2 << "M ";
    QTest::newRow("giusto") << "MI" << 2 << "MI";
    QTest::newRow("lungo, tagliato") << "ABC" << 2 << "AB";
    QTest::newRow("zona vuota") << "" << 1 << " ";
    QTest::newRow("zona lunga") << "EF" << 1 << "E";
}

void TDatiComune::testoFisso() {
    QFETCH(QString, testo);
    QFETCH(int, larghezza);
    QFETCH(QString, atteso);
    QCOMPARE(TestoFisso(testo, larghezza), atteso);
}

void TDatiComune::radianti_data() {
    QTest::addColumn<double>("gradi");
    QTest::addColumn<double>("primi");
    QTest::addColumn<double>("atteso");
    // 3.14 stands for pi: 45° 30' is 0.793722 rad here, 0.794125 with the true value.
    QTest::newRow("45 30") << 45.0 << 30.0 << 0.793722;
    QTest::newRow("zero") << 0.0 << 0.0 << 0.0;
    QTest::newRow("un grado") << 1.0 << 0.0 << 0.0174444;
    QTest::newRow("solo primi") << 0.0 << 30.0 << 0.0087222;
    QTest::newRow("primi decimali") << 45.0 << 30.5 << 0.7938676;
}

void TDatiComune::radianti() {
    QFETCH(double, gradi);
    QFETCH(double, primi);
    QFETCH(double, atteso);
    const float radianti = GradiPrimiInRadianti(gradi, primi);
    QVERIFY2(qAbs(radianti - atteso) < 5e-7, qPrintable(QString::number(radianti, 'g', 9)));
}

void TDatiComune::testoCoordinata_data() {
    QTest::addColumn<int>("gradi");
    QTest::addColumn<int>("primi");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("normale") << 45 << 28 << "45° 28'";
    QTest::newRow("primi senza zero iniziale") << 45 << 7 << "45° 7'";
    QTest::newRow("primi zero") << 45 << 0 << "45° 0'";
    QTest::newRow("senza coordinate") << 0 << 0 << "0° 0'";
    QTest::newRow("negativo") << -3 << 5 << "-3° 5'";
    QTest::newRow("estremi a 16 bit") << -32768 << 32767 << "-32768° 32767'";
}

void TDatiComune::testoCoordinata() {
    QFETCH(int, gradi);
    QFETCH(int, primi);
    QFETCH(QString, atteso);
    QCOMPARE(TestoCoordinata(qint16(gradi), qint16(primi)), atteso);
}

void TDatiComune::recordVuoto() {
    // The fixed-width fields hold their width from the start, as the empty search result shows.
    const DatiComune vuoto;
    QCOMPARE(vuoto.Prov, QString("  "));
    QCOMPARE(vuoto.Zona, QString(" "));
    QCOMPARE(vuoto.RifProv, QString("  "));
    QCOMPARE(vuoto.ProvVicina1, QString("  "));
    QCOMPARE(vuoto.ProvVicina2, QString("  "));
    QVERIFY(vuoto.Nome.isEmpty());
}

QTEST_GUILESS_MAIN(TDatiComune)
#include "tst_datiComune.moc"
