#include "db/Istruzione.h"
#include "db/LetturaComune.h"

#include <QtTest>
#include <sqlite3.h>

// A row of the archive becomes a DatiComune under the archive's rules.
class TLetturaComune : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void interi_data();
    void interi();
    void codici_data();
    void codici();
    void rigaCompleta();
    void rigaDiSoliNull();
    void erroreLasciaICampiLetti();

private:
    sqlite3* db = nullptr;
};

void TLetturaComune::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
}

void TLetturaComune::cleanupTestCase() {
    sqlite3_close(db);
}

void TLetturaComune::interi_data() {
    QTest::addColumn<QString>("valore");
    QTest::addColumn<bool>("riuscito");
    QTest::addColumn<int>("atteso");
    QTest::newRow("intero") << "500" << true << 500;
    QTest::newRow("null") << "NULL" << true << 0;
    QTest::newRow("reale, meta' al pari in giu'") << "12.5" << true << 12;
    QTest::newRow("reale, meta' al pari in su'") << "13.5" << true << 14;
    QTest::newRow("reale arrotondato") << "500.7" << true << 501;
    QTest::newRow("limite superiore") << "32767" << true << 32767;
    QTest::newRow("oltre il limite") << "32768" << false << 0;
    QTest::newRow("limite inferiore") << "-32768" << true << -32768;
    QTest::newRow("reale oltre dopo l'arrotondamento") << "32767.5" << false << 0;
    QTest::newRow("testo numerico") << "' 42 '" << true << 42;
    QTest::newRow("testo non numerico") << "'abc'" << false << 0;
}

void TLetturaComune::interi() {
    QFETCH(QString, valore);
    QFETCH(bool, riuscito);
    QFETCH(int, atteso);
    Istruzione query(db, "SELECT " + valore);
    QVERIFY(query.passo());
    const Esito<qint16> letto = LetturaComune::Intero16(query, 0);
    QCOMPARE(letto.ok(), riuscito);
    if (riuscito)
        QCOMPARE(int(letto.valore()), atteso);
}

void TLetturaComune::codici_data() {
    QTest::addColumn<QString>("valore");
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("provincia") << "'MI'" << 2 << "MI";
    QTest::newRow("null") << "NULL" << 2 << "  ";
    QTest::newRow("vuoto") << "''" << 2 << "  ";
    QTest::newRow("spazi attorno") << "' M '" << 2 << "M ";
    QTest::newRow("troppo lungo") << "'ABC'" << 2 << "AB";
    QTest::newRow("zona") << "'E'" << 1 << "E";
    QTest::newRow("zona lunga") << "'EF'" << 1 << "E";
    QTest::newRow("accentata") << "'È'" << 2 << "È ";
    QTest::newRow("numero") << "12" << 2 << "12";
    QTest::newRow("numero lungo") << "345" << 2 << "34";
    QTest::newRow("tabulazione") << "char(9) || 'X'" << 2 << "X ";
}

void TLetturaComune::codici() {
    QFETCH(QString, valore);
    QFETCH(int, larghezza);
    QFETCH(QString, atteso);
    // Twice in one query: the second reading of the same code gives the same text.
    Istruzione query(db, "SELECT " + valore + ", " + valore);
    QVERIFY(query.passo());
    QCOMPARE(LetturaComune::Codice(query, 0, larghezza), atteso);
    QCOMPARE(LetturaComune::Codice(query, 1, larghezza), atteso);
}

void TLetturaComune::rigaCompleta() {
    Istruzione query(db, "SELECT 7 AS COM_ID, ' MI ' AS com_prov, '  Milano  ' AS COM_NAME, "
                         "'E' AS COM_ZONE, 2404 AS COM_DEGDAY, 122 AS COM_ALT, 45 AS COM_LATI_G, "
                         "28 AS COM_LATI_P, 9 AS COM_LONG_G, 11 AS COM_LONG_P, "
                         "'Rif' AS COM_RIFER_NAME, 'ABC' AS COM_RIFER_PROV, 1300 AS Irradianza, "
                         "'MI' AS ProvVicina1, 'B' AS ProvVicina2, 4.5 AS Hdh, 6.25 AS Hbh, "
                         "-1 AS capoluogo");
    QVERIFY(query.passo());
    DatiComune d;
    QVERIFY(LetturaComune::Comune(query, LetturaComune::Colonne::DellaQuery(query), d).ok());
    QCOMPARE(d.Id, 7);
    QCOMPARE(d.Prov, QString("MI"));
    QCOMPARE(d.Nome, QString("Milano"));
    QCOMPARE(d.Zona, QString("E"));
    QCOMPARE(d.GradiGiorno, qint16(2404));
    QCOMPARE(d.Altitudine, qint16(122));
    QCOMPARE(d.LatiG, qint16(45));
    QCOMPARE(d.LatiP, qint16(28));
    QCOMPARE(d.LongG, qint16(9));
    QCOMPARE(d.LongP, qint16(11));
    QCOMPARE(d.RifNome, QString("Rif"));
    QCOMPARE(d.RifProv, QString("AB"));
    QCOMPARE(d.Irradianza, 1300);
    QCOMPARE(d.ProvVicina1, QString("MI"));
    QCOMPARE(d.ProvVicina2, QString("B "));
    QCOMPARE(d.Hdh, 4.5f);
    QCOMPARE(d.Hbh, 6.25f);
    QVERIFY(d.Capoluogo);
    QCOMPARE(d.LatRad, GradiPrimiInRadianti(45, 28));
    QCOMPARE(d.LongRad, GradiPrimiInRadianti(9, 11));
}

void TLetturaComune::rigaDiSoliNull() {
    Istruzione query(db, "SELECT 1 AS COM_ID, NULL AS COM_PROV, NULL AS COM_NAME, NULL AS "
                         "COM_ZONE, NULL AS COM_DEGDAY, NULL AS COM_ALT, NULL AS COM_LATI_G, "
                         "NULL AS COM_LATI_P, NULL AS COM_LONG_G, NULL AS COM_LONG_P, NULL AS "
                         "COM_RIFER_NAME, NULL AS COM_RIFER_PROV, NULL AS Irradianza, NULL AS "
                         "ProvVicina1, NULL AS ProvVicina2, NULL AS Hdh, NULL AS Hbh, NULL AS "
                         "capoluogo");
    QVERIFY(query.passo());
    DatiComune d;
    QVERIFY(LetturaComune::Comune(query, LetturaComune::Colonne::DellaQuery(query), d).ok());
    QCOMPARE(d.Prov, QString("  "));
    QCOMPARE(d.Zona, QString(" "));
    QCOMPARE(d.Nome, QString());
    QCOMPARE(d.Altitudine, qint16(0));
    QCOMPARE(d.LatiG, qint16(0));
    QCOMPARE(d.Irradianza, 0);
    QCOMPARE(d.Hdh, 0.0f);
    QVERIFY(!d.Capoluogo);
    QCOMPARE(d.LatRad, 0.0f);
}

void TLetturaComune::erroreLasciaICampiLetti() {
    Istruzione query(db, "SELECT 3 AS COM_ID, 'ROMA' AS COM_NAME, 20 AS COM_ALT, "
                         "40000 AS COM_DEGDAY, 41 AS COM_LATI_G");
    QVERIFY(query.passo());
    DatiComune d;
    const EsitoOperazione esito =
        LetturaComune::Comune(query, LetturaComune::Colonne::DellaQuery(query), d);
    QVERIFY(!esito.ok());
    QCOMPARE(esito.errore().codice, CodiceErrore::Overflow);
    QCOMPARE(d.Nome, QString("ROMA"));
    QCOMPARE(d.Altitudine, qint16(20));
    QCOMPARE(d.LatiG, qint16(0)); // read after the failing column: not reached
}

QTEST_GUILESS_MAIN(TLetturaComune)
#include "tst_letturaComune.moc"
