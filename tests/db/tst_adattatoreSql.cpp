#include "db/AdattatoreSql.h"

#include <QtTest>

class TAdattatoreSql : public QObject {
    Q_OBJECT
private slots:
    void adatta_data();
    void adatta();
};

void TAdattatoreSql::adatta_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("capoluoghi") << "Select * From Comuni Where capoluogo <> No Order By COM_PROV"
                                << "Select * From Comuni Where capoluogo <> 0 Order By COM_PROV";
    QTest::newRow("vero e falso") << "x = True AND y = False OR z = Yes"
                                  << "x = -1 AND y = 0 OR z = -1";
    QTest::newRow("maiuscole e minuscole") << "a <> NO and b = tRuE"
                                           << "a <> 0 and b = -1";
    QTest::newRow("parole che contengono no") << "Select Nome, NoteNo, ProvVicina1 From T"
                                              << "Select Nome, NoteNo, ProvVicina1 From T";
    QTest::newRow("testo tra apici intatto") << "COM_NAME LIKE 'NO%' AND x = No"
                                             << "COM_NAME LIKE 'NO%' AND x = 0";
    QTest::newRow("apice raddoppiato") << "n = 'Sant''Angelo No' AND c = No"
                                       << "n = 'Sant''Angelo No' AND c = 0";
    QTest::newRow("virgolette, quadre, accenti gravi")
        << "SELECT \"No\", [True], `Yes` FROM t WHERE a = yes"
        << "SELECT \"No\", [True], `Yes` FROM t WHERE a = -1";
    QTest::newRow("numeri con lettere") << "x = 1e5 AND y = 2No"
                                        << "x = 1e5 AND y = 2No";
    QTest::newRow("apice non chiuso") << "x = 'No"
                                      << "x = 'No";
    QTest::newRow("testo vuoto") << ""
                                 << "";
    QTest::newRow("gia' SQLite") << "Delete from RicElComuni Where RicId = 1"
                                 << "Delete from RicElComuni Where RicId = 1";
}

void TAdattatoreSql::adatta() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(AdattaSql(jet), sqlite);
}

QTEST_GUILESS_MAIN(TAdattatoreSql)
#include "tst_adattatoreSql.moc"
