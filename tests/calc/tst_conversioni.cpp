#include "calc/Conversioni.h"

#include <QtTest>
#include <cmath>

namespace {

const QLocale Italiano(QLocale::Italian, QLocale::Italy);
const QLocale Inglese(QLocale::English, QLocale::UnitedStates);

// What a conversion to a whole number should give: a value or the kind of error.
enum Atteso { Valore, Overflow, NonNumero };

} // namespace

Q_DECLARE_METATYPE(Atteso)

class Tconversioni : public QObject {
    Q_OBJECT

    template <typename T>
    static void VerificaEsito(const Esito<T>& esito, Atteso atteso, qint64 valore) {
        switch (atteso) {
        case Valore:
            QVERIFY2(esito.ok(), qPrintable(esito.errore().descrizione));
            QCOMPARE(static_cast<qint64>(esito.valore()), valore);
            break;
        case Overflow:
            QVERIFY(!esito.ok());
            QCOMPARE(esito.errore().codice, CodiceErrore::Overflow);
            QVERIFY(!esito.errore().descrizione.isEmpty());
            break;
        case NonNumero:
            QVERIFY(!esito.ok());
            QCOMPARE(esito.errore().codice, CodiceErrore::TipoNonCorrispondente);
            break;
        }
    }

private slots:
    void initTestCase() { QLocale::setDefault(Italiano); }

    void arrotondaPari_data() {
        QTest::addColumn<double>("valore");
        QTest::addColumn<double>("atteso");
        QTest::newRow("12.5 al pari sotto") << 12.5 << 12.0;
        QTest::newRow("13.5 al pari sopra") << 13.5 << 14.0;
        QTest::newRow("0.5 a zero") << 0.5 << 0.0;
        QTest::newRow("-0.5 a meno zero") << -0.5 << -0.0;
        QTest::newRow("-2.5 al pari") << -2.5 << -2.0;
        QTest::newRow("appena sopra la metà") << 12.500001 << 13.0;
    }

    void arrotondaPari() {
        QFETCH(double, valore);
        QFETCH(double, atteso);
        const double arrotondato = Conversioni::ArrotondaPari(valore);
        QCOMPARE(arrotondato, atteso);
        QCOMPARE(std::signbit(arrotondato), std::signbit(atteso));
    }

    void inIntero_data() {
        // The 16-bit limits are checked with the texts below, which go through the same rule.
        QTest::addColumn<int>("bit");
        QTest::addColumn<double>("valore");
        QTest::addColumn<Atteso>("atteso");
        QTest::addColumn<qint64>("intero");
        QTest::newRow("16: NaN") << 16 << qQNaN() << Overflow << 0LL;
        QTest::newRow("32: oltre 16 bit") << 32 << 40000.5 << Valore << 40000LL;
        QTest::newRow("32: massimo arrotondato giù")
            << 32 << 2147483647.4 << Valore << 2147483647LL;
        QTest::newRow("32: massimo + 0.5") << 32 << 2147483647.5 << Overflow << 0LL;
        QTest::newRow("32: minimo - 0.5 al pari") << 32 << -2147483648.5 << Valore << -2147483648LL;
    }

    void inIntero() {
        QFETCH(int, bit);
        QFETCH(double, valore);
        QFETCH(Atteso, atteso);
        QFETCH(qint64, intero);
        if (bit == 16)
            VerificaEsito(Conversioni::InIntero16(valore), atteso, intero);
        else
            VerificaEsito(Conversioni::InIntero32(valore), atteso, intero);
    }

    void testoInNumero_data() {
        // A typed text as a number (when it is one) and as a 16-bit whole number.
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("valore");
        QTest::addColumn<Atteso>("atteso");
        QTest::addColumn<int>("intero");
        QTest::newRow("0500") << "0500" << Italiano << 500.0 << Valore << 500;
        QTest::newRow("500,7") << "500,7" << Italiano << 500.7 << Valore << 501;
        QTest::newRow("12,5 al pari") << "12,5" << Italiano << 12.5 << Valore << 12;
        QTest::newRow("13,5 al pari") << "13,5" << Italiano << 13.5 << Valore << 14;
        QTest::newRow("-0,5") << "-0,5" << Italiano << -0.5 << Valore << 0;
        QTest::newRow("0,5") << "0,5" << Italiano << 0.5 << Valore << 0;
        QTest::newRow("minimo") << "-32768" << Italiano << -32768.0 << Valore << -32768;
        QTest::newRow("massimo") << "32767" << Italiano << 32767.0 << Valore << 32767;
        QTest::newRow("32767,5 va a 32768") << "32767,5" << Italiano << 32767.5 << Overflow << 0;
        QTest::newRow("-32768,5 al pari") << "-32768,5" << Italiano << -32768.5 << Valore << -32768;
        QTest::newRow("minimo - 1") << "-32769" << Italiano << -32769.0 << Overflow << 0;
        QTest::newRow("40000") << "40000" << Italiano << 40000.0 << Overflow << 0;
        QTest::newRow("spazi e tabulazioni attorno") << " \t7 " << Italiano << 7.0 << Valore << 7;
        QTest::newRow("migliaia e decimali") << "1.000,5" << Italiano << 1000.5 << Valore << 1000;
        QTest::newRow("punto decimale di riserva") << "12.5" << Italiano << 12.5 << Valore << 12;
        QTest::newRow("esponente") << "1e3" << Italiano << 1000.0 << Valore << 1000;
        QTest::newRow("lettere") << "abc" << Italiano << 0.0 << NonNumero << 0;
        QTest::newRow("numero seguito da testo") << "12 m" << Italiano << 0.0 << NonNumero << 0;
        QTest::newRow("solo spazi") << "   " << Italiano << 0.0 << NonNumero << 0;
        QTest::newRow("inf") << "inf" << Italiano << 0.0 << NonNumero << 0;
        QTest::newRow("oltre il double") << "1e400" << Italiano << 0.0 << NonNumero << 0;
        QTest::newRow("inglese 500.7") << "500.7" << Inglese << 500.7 << Valore << 501;
        QTest::newRow("inglese migliaia") << "1,000" << Inglese << 1000.0 << Valore << 1000;
        QTest::newRow("inglese 500,7 migliaia errate")
            << "500,7" << Inglese << 0.0 << NonNumero << 0;
    }

    void testoInNumero() {
        QFETCH(QString, testo);
        QFETCH(QLocale, locale);
        QFETCH(double, valore);
        QFETCH(Atteso, atteso);
        QFETCH(int, intero);
        const bool numero = atteso != NonNumero;
        const auto letto = Conversioni::TestoInNumero(testo, locale);
        QCOMPARE(letto.has_value(), numero);
        if (numero)
            QCOMPARE(*letto, valore);
        QCOMPARE(Conversioni::ENumerico(testo, locale), numero);
        const auto esito = Conversioni::TestoInIntero16(testo, locale);
        VerificaEsito(esito, atteso, intero);
        if (!numero)
            QVERIFY(esito.errore().descrizione.contains(testo));
        // Without a locale argument the default locale (Italian here) is used.
        if (locale == QLocale()) {
            QCOMPARE(Conversioni::TestoInNumero(testo), letto);
            QCOMPARE(Conversioni::ENumerico(testo), numero);
            VerificaEsito(Conversioni::TestoInIntero16(testo), atteso, intero);
        }
    }

    void valoreIniziale_data() {
        // The leading number of a text as Val reads it, and what a save stores from a box with
        // that text: the trimmed text read as Val reads it, rounded halves to even to 16 bits.
        QTest::addColumn<QString>("testo");
        QTest::addColumn<double>("valore");
        QTest::addColumn<Atteso>("atteso");
        QTest::addColumn<int>("intero");
        QTest::newRow("numero e unità") << "12.5 m" << 12.5 << Valore << 12;
        QTest::newRow("spazi, tabulazioni, a capo") << "\t1 3\n5" << 135.0 << Valore << 135;
        QTest::newRow("ritorno a capo ferma") << "1\r2" << 1.0 << Valore << 1;
        QTest::newRow("ritorno a capo prima, tolto dalla casella")
            << "\r100 " << 0.0 << Valore << 100;
        QTest::newRow("lettere") << "abc" << 0.0 << Valore << 0;
        QTest::newRow("doppio segno") << "--5" << 0.0 << Valore << 0;
        QTest::newRow("segno più staccato") << "+ 5" << 5.0 << Valore << 5;
        QTest::newRow("negativo, solo decimali") << "-.5" << -0.5 << Valore << 0;
        QTest::newRow("punto solo") << "." << 0.0 << Valore << 0;
        QTest::newRow("la virgola ferma") << "13,5" << 13.0 << Valore << 13;
        QTest::newRow("secondo punto ferma") << "13.5.3" << 13.5 << Valore << 14;
        QTest::newRow("decimali, esponente con spazi") << "1.5 e 2 kg" << 150.0 << Valore << 150;
        QTest::newRow("esponente E negativo") << "25E-1" << 2.5 << Valore << 2;
        QTest::newRow("esponente D") << "2D2" << 200.0 << Valore << 200;
        QTest::newRow("esponente d con segno") << "2d+2" << 200.0 << Valore << 200;
        QTest::newRow("esponente con solo segno") << "1e-" << 1.0 << Valore << 1;
        QTest::newRow("cifre non latine ferma")
            << QString::fromUtf8("1\u0662") << 1.0 << Valore << 1;
        QTest::newRow("massimo + 0.5") << "32767.5" << 32767.5 << Overflow << 0;
        QTest::newRow("minimo - 0.5") << "-32768.5" << -32768.5 << Valore << -32768;
        QTest::newRow("40000") << "40000" << 40000.0 << Overflow << 0;
        QTest::newRow("oltre il double") << "1e400" << qInf() << Overflow << 0;
        QTest::newRow("oltre il double, negativo") << "-1e400" << -qInf() << Overflow << 0;
        QTest::newRow("sotto il double") << "1e-400" << 0.0 << Valore << 0;
    }

    void valoreIniziale() {
        QFETCH(QString, testo);
        QFETCH(double, valore);
        QFETCH(Atteso, atteso);
        QFETCH(int, intero);
        QCOMPARE(Conversioni::ValoreIniziale(testo), valore);
        VerificaEsito(Conversioni::InteroDiCasella(testo), atteso, intero);
    }
};

QTEST_GUILESS_MAIN(Tconversioni)
#include "tst_conversioni.moc"
