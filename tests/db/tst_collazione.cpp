#include "db/CollazioneItaliana.h"
#include "db/Istruzione.h"

#include <QtTest>
#include <sqlite3.h>

// Names sort and compare without regard to case, accented letters included. Sorting inside
// the archive is checked with the archive's tables (tst_schema).
class TCollazione : public QObject {
    Q_OBJECT

    static int Segno(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

private slots:
    void confronta_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("segno");
        QTest::newRow("maiuscole e minuscole, accentate") << "Forlì" << QString("FORLÌ") << 0;
        QTest::newRow("accento dopo la lettera semplice") << "FORLI" << QString("FORLÌ") << -1;
        // Letters first: the accent decides only between equal letters.
        QTest::newRow("accentata prima della parola piu' lunga")
            << "FORLÌ" << QString("FORLIMPOPOLI") << -1;
        QTest::newRow("accentata non in fondo all'alfabeto") << "CANTÙ" << QString("CANTZ") << -1;
        QTest::newRow("spazio prima delle lettere") << "SAN MARCO" << QString("SANARICA") << -1;
        QTest::newRow("vuoto prima di tutto") << "" << QString("A") << -1;
        QTest::newRow("grave prima di acuto") << "PERCHÈ" << QString("PERCHÉ") << -1;
    }

    void confronta() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, segno);
        QCOMPARE(Segno(CollazioneItaliana::Confronta(a, b)), segno);
        QCOMPARE(Segno(CollazioneItaliana::Confronta(b, a)), -segno);
        // The same order on the UTF-8 bytes that SQLite hands over.
        const QByteArray ua = a.toUtf8();
        const QByteArray ub = b.toUtf8();
        QCOMPARE(Segno(CollazioneItaliana::ConfrontaUtf8(ua.constData(), int(ua.size()),
                                                         ub.constData(), int(ub.size()))),
                 segno);
    }

    void somiglia_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("modello");
        QTest::addColumn<bool>("atteso");
        QTest::newRow("prefisso") << "ROMA" << QString("RO%") << true;
        QTest::newRow("accentata minuscola") << "FORLÌ" << QString("forlì%") << true;
        QTest::newRow("accento conta") << "FORLÌ" << QString("FORLI") << false;
        QTest::newRow("un carattere") << "ROMA" << QString("R_MA") << true;
        QTest::newRow("molti in mezzo") << "SANT'ANGELO LODIGIANO" << QString("SANT%LODI%") << true;
        QTest::newRow("ritorno all'ultimo percento") << "ABABAC" << QString("%ABAC") << true;
        QTest::newRow("testo piu' corto") << "RO" << QString("ROMA%") << false;
        QTest::newRow("percento solo, testo vuoto") << "" << QString("%") << true;
        QTest::newRow("modello vuoto, testo vuoto") << "" << QString("") << true;
        QTest::newRow("modello vuoto, testo pieno") << "A" << QString("") << false;
    }

    void somiglia() {
        QFETCH(QString, testo);
        QFETCH(QString, modello);
        QFETCH(bool, atteso);
        QCOMPARE(CollazioneItaliana::Somiglia(testo, modello), atteso);
    }

    void likeInSql_data() {
        QTest::addColumn<QString>("condizione");
        QTest::addColumn<int>("righe");
        QTest::newRow("minuscolo accentato") << "n LIKE 'forlì%'" << 1;
        QTest::newRow("prefisso comune") << "n LIKE 'FORL%'" << 2;
        QTest::newRow("un carattere di due byte") << "n LIKE 'FORL_'" << 1;
        QTest::newRow("escape") << "n LIKE '100\\%%' ESCAPE '\\'" << 1;
        QTest::newRow("null") << "n LIKE NULL" << 0;
    }

    void likeInSql() {
        QFETCH(QString, condizione);
        QFETCH(int, righe);
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
        QCOMPARE(CollazioneItaliana::Registra(db), SQLITE_OK);
        QVERIFY(EseguiSql(db, "CREATE TABLE t (n TEXT); INSERT INTO t VALUES ('FORLÌ'), "
                              "('FORLIMPOPOLI'), ('100% SOLE'), ('1000 SOLI')")
                    .ok());
        {
            Istruzione query(db, "SELECT count(*) FROM t WHERE " + condizione);
            QVERIFY(query.passo());
            QCOMPARE(query.intero(0), righe);
        }
        sqlite3_close(db);
    }
};

QTEST_GUILESS_MAIN(TCollazione)
#include "tst_collazione.moc"
