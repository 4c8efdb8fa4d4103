#include "db/CollazioneItaliana.h"
#include "db/Istruzione.h"

#include <QtTest>
#include <sqlite3.h>

// Names sort and compare without regard to case, accented letters included.
class TCollazione : public QObject {
    Q_OBJECT
private slots:
    void confronta_data();
    void confronta();
    void somiglia_data();
    void somiglia();
    void ordinamentoInSql();
    void likeInSql_data();
    void likeInSql();

private:
    static int Segno(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }
};

void TCollazione::confronta_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("segno");
    QTest::newRow("uguali") << "ROMA"
                            << "ROMA" << 0;
    QTest::newRow("maiuscole e minuscole") << "Roma"
                                           << "ROMA" << 0;
    QTest::newRow("accentate, maiuscole e minuscole") << "Forlì"
                                                      << "FORLÌ" << 0;
    QTest::newRow("accento dopo la lettera semplice") << "FORLI"
                                                      << "FORLÌ" << -1;
    QTest::newRow("accentata prima della parola piu' lunga") << "FORLÌ"
                                                             << "FORLIMPOPOLI" << -1;
    QTest::newRow("accentata non in fondo all'alfabeto") << "CANTÙ"
                                                         << "CANTZ" << -1;
    QTest::newRow("prefisso prima") << "ROMA"
                                    << "ROMANO" << -1;
    QTest::newRow("spazio prima delle lettere") << "SAN MARCO"
                                                << "SANARICA" << -1;
    QTest::newRow("apostrofo prima delle lettere") << "SANT'ANGELO"
                                                   << "SANTA MARIA" << -1;
    QTest::newRow("vuoto prima di tutto") << ""
                                          << "A" << -1;
    QTest::newRow("grave prima di acuto") << "PERCHÈ"
                                          << "PERCHÉ" << -1;
    QTest::newRow("c cediglia dopo c") << "FRANÇOIS"
                                       << "FRANCOIS" << 1;
}

void TCollazione::confronta() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, segno);
    QCOMPARE(Segno(CollazioneItaliana::Confronta(a, b)), segno);
    QCOMPARE(Segno(CollazioneItaliana::Confronta(b, a)), -segno);
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    QCOMPARE(Segno(CollazioneItaliana::ConfrontaUtf8(ua.constData(), int(ua.size()), ub.constData(),
                                                     int(ub.size()))),
             segno);
}

void TCollazione::somiglia_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("modello");
    QTest::addColumn<bool>("atteso");
    QTest::newRow("prefisso") << "ROMA"
                              << "RO%" << true;
    QTest::newRow("prefisso minuscolo") << "ROMA"
                                        << "ro%" << true;
    QTest::newRow("accentata minuscola") << "FORLÌ"
                                         << "forlì%" << true;
    QTest::newRow("accento conta") << "FORLÌ"
                                   << "FORLI" << false;
    QTest::newRow("un carattere") << "ROMA"
                                  << "R_MA" << true;
    QTest::newRow("un carattere accentato") << "CANTÙ"
                                            << "CANT_" << true;
    QTest::newRow("molti in mezzo") << "SANT'ANGELO LODIGIANO"
                                    << "SANT%LODI%" << true;
    QTest::newRow("non corrisponde") << "MILANO"
                                     << "RO%" << false;
    QTest::newRow("percento solo") << ""
                                   << "%" << true;
    QTest::newRow("modello vuoto, testo vuoto") << ""
                                                << "" << true;
    QTest::newRow("modello vuoto, testo pieno") << "A"
                                                << "" << false;
    QTest::newRow("testo piu' corto") << "RO"
                                      << "ROMA%" << false;
    QTest::newRow("ritorno all'ultimo percento") << "ABABAC"
                                                 << "%ABAC" << true;
    QTest::newRow("apostrofo") << "SANT'ANNA"
                               << "SANT'%" << true;
}

void TCollazione::somiglia() {
    QFETCH(QString, testo);
    QFETCH(QString, modello);
    QFETCH(bool, atteso);
    QCOMPARE(CollazioneItaliana::Somiglia(testo, modello), atteso);
}

void TCollazione::ordinamentoInSql() {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
    QCOMPARE(CollazioneItaliana::Registra(db), SQLITE_OK);
    QVERIFY(EseguiSql(db, "CREATE TABLE t (n TEXT COLLATE ITALIANO); "
                          "INSERT INTO t VALUES ('FORLIMPOPOLI'), ('forlì'), ('ÀGLIÈ'), "
                          "('FORLI'), ('Zoagli'), ('AGLIANO')")
                .ok());
    QStringList ordine;
    {
        Istruzione query(db, "SELECT n FROM t ORDER BY n");
        while (query.passo())
            ordine << query.testo(0);
        QVERIFY(query.esito().ok());
    }
    QCOMPARE(ordine, QStringList({"AGLIANO", "ÀGLIÈ", "FORLI", "forlì", "FORLIMPOPOLI", "Zoagli"}));
    {
        Istruzione uguale(db, "SELECT count(*) FROM t WHERE n = 'FORLÌ'");
        QVERIFY(uguale.passo());
        QCOMPARE(uguale.intero(0), 1);
    }
    sqlite3_close(db);
}

void TCollazione::likeInSql_data() {
    QTest::addColumn<QString>("condizione");
    QTest::addColumn<int>("righe");
    QTest::newRow("minuscolo accentato") << "n LIKE 'forlì%'" << 1;
    QTest::newRow("prefisso comune") << "n LIKE 'FORL%'" << 2;
    QTest::newRow("carattere singolo") << "n LIKE 'FORL_'" << 1;
    QTest::newRow("escape") << "n LIKE '100\\%%' ESCAPE '\\'" << 1;
    QTest::newRow("null") << "n LIKE NULL" << 0;
    QTest::newRow("percento come jolly") << "n LIKE '%%'" << 4;
}

void TCollazione::likeInSql() {
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

QTEST_GUILESS_MAIN(TCollazione)
#include "tst_collazione.moc"
