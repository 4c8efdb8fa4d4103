#include "calc/Conversioni.h"

#include <QtTest>
#include <cmath>
#include <limits>

namespace {

const QLocale Italiano(QLocale::Italian, QLocale::Italy);
const QLocale Inglese(QLocale::English, QLocale::UnitedStates);

constexpr double Infinito = std::numeric_limits<double>::infinity();
constexpr double NonNumero = std::numeric_limits<double>::quiet_NaN();

// What a conversion to a whole number should give: a value or the kind of error.
enum class Atteso { Valore, Overflow, TipoNonCorrispondente };

} // namespace

Q_DECLARE_METATYPE(Atteso)

class Tconversioni : public QObject {
    Q_OBJECT

    template <typename T>
    static void VerificaEsito(const Esito<T>& esito, Atteso atteso, qint64 valore) {
        switch (atteso) {
        case Atteso::Valore:
            QVERIFY2(esito.ok(), qPrintable(esito.errore().descrizione));
            QCOMPARE(static_cast<qint64>(esito.valore()), valore);
            break;
        case Atteso::Overflow:
            QVERIFY(!esito.ok());
            QCOMPARE(esito.errore().codice, CodiceErrore::Overflow);
            QVERIFY(!esito.errore().descrizione.isEmpty());
            break;
        case Atteso::TipoNonCorrispondente:
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
        QTest::newRow("-2.5 al pari") << -2.5 << -2.0;
        QTest::newRow("-3.5 al pari") << -3.5 << -4.0;
        QTest::newRow("appena sotto la metà") << 12.499999 << 12.0;
        QTest::newRow("appena sopra la metà") << 12.500001 << 13.0;
        QTest::newRow("intero invariato") << 7.0 << 7.0;
        QTest::newRow("negativo vicino") << -7.4 << -7.0;
    }

    void arrotondaPari() {
        QFETCH(double, valore);
        QFETCH(double, atteso);
        QCOMPARE(Conversioni::ArrotondaPari(valore), atteso);
    }

    void arrotondaPariMenoMezzoDaMenoZero() {
        const double zero = Conversioni::ArrotondaPari(-0.5);
        QCOMPARE(zero, 0.0);
        QVERIFY(std::signbit(zero));
    }

    void inIntero16_data() {
        QTest::addColumn<double>("valore");
        QTest::addColumn<Atteso>("atteso");
        QTest::addColumn<int>("intero");
        QTest::newRow("massimo arrotondato giù") << 32767.4 << Atteso::Valore << 32767;
        QTest::newRow("massimo + 0.5 va a 32768") << 32767.5 << Atteso::Overflow << 0;
        QTest::newRow("massimo esatto") << 32767.0 << Atteso::Valore << 32767;
        QTest::newRow("32768") << 32768.0 << Atteso::Overflow << 0;
        QTest::newRow("minimo - 0.5 al pari") << -32768.5 << Atteso::Valore << -32768;
        QTest::newRow("minimo - 0.6") << -32768.6 << Atteso::Overflow << 0;
        QTest::newRow("-32769") << -32769.0 << Atteso::Overflow << 0;
        QTest::newRow("12.5") << 12.5 << Atteso::Valore << 12;
        QTest::newRow("13.5") << 13.5 << Atteso::Valore << 14;
        QTest::newRow("-0.4") << -0.4 << Atteso::Valore << 0;
        QTest::newRow("NaN") << NonNumero << Atteso::Overflow << 0;
        QTest::newRow("+inf") << Infinito << Atteso::Overflow << 0;
        QTest::newRow("-inf") << -Infinito << Atteso::Overflow << 0;
        QTest::newRow("enorme") << 1e300 << Atteso::Overflow << 0;
    }

    void inIntero16() {
        QFETCH(double, valore);
        QFETCH(Atteso, atteso);
        QFETCH(int, intero);
        VerificaEsito(Conversioni::InIntero16(valore), atteso, intero);
    }

    void inIntero32_data() {
        QTest::addColumn<double>("valore");
        QTest::addColumn<Atteso>("atteso");
        QTest::addColumn<qint64>("intero");
        QTest::newRow("massimo arrotondato giù")
            << 2147483647.4 << Atteso::Valore << qint64(2147483647);
        QTest::newRow("massimo + 0.5") << 2147483647.5 << Atteso::Overflow << qint64(0);
        QTest::newRow("minimo - 0.5 al pari")
            << -2147483648.5 << Atteso::Valore << qint64(-2147483648LL);
        QTest::newRow("minimo - 0.6") << -2147483648.6 << Atteso::Overflow << qint64(0);
        QTest::newRow("oltre 16 bit") << 40000.5 << Atteso::Valore << qint64(40000);
        QTest::newRow("1.5") << 1.5 << Atteso::Valore << qint64(2);
        QTest::newRow("NaN") << NonNumero << Atteso::Overflow << qint64(0);
        QTest::newRow("-inf") << -Infinito << Atteso::Overflow << qint64(0);
    }

    void inIntero32() {
        QFETCH(double, valore);
        QFETCH(Atteso, atteso);
        QFETCH(qint64, intero);
        VerificaEsito(Conversioni::InIntero32(valore), atteso, intero);
    }

    void testoInNumero_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("numero");
        QTest::addColumn<double>("valore");
        QTest::newRow("virgola decimale") << "500,7" << Italiano << true << 500.7;
        QTest::newRow("zeri iniziali") << "0500" << Italiano << true << 500.0;
        QTest::newRow("spazi attorno") << " 7 " << Italiano << true << 7.0;
        QTest::newRow("tabulazioni attorno") << "\t7\t" << Italiano << true << 7.0;
        QTest::newRow("separatore delle migliaia") << "1.000" << Italiano << true << 1000.0;
        QTest::newRow("migliaia e decimali") << "1.000,5" << Italiano << true << 1000.5;
        QTest::newRow("punto decimale di riserva") << "12.5" << Italiano << true << 12.5;
        QTest::newRow("esponente") << "1e3" << Italiano << true << 1000.0;
        QTest::newRow("negativo") << "-0,5" << Italiano << true << -0.5;
        QTest::newRow("segno più") << "+5" << Italiano << true << 5.0;
        QTest::newRow("lettere") << "abc" << Italiano << false << 0.0;
        QTest::newRow("numero seguito da testo") << "12 m" << Italiano << false << 0.0;
        QTest::newRow("vuoto") << "" << Italiano << false << 0.0;
        QTest::newRow("solo spazi") << "   " << Italiano << false << 0.0;
        QTest::newRow("inf") << "inf" << Italiano << false << 0.0;
        QTest::newRow("nan") << "nan" << Italiano << false << 0.0;
        QTest::newRow("oltre il double") << "1e400" << Italiano << false << 0.0;
        QTest::newRow("inglese punto decimale") << "500.7" << Inglese << true << 500.7;
        QTest::newRow("inglese migliaia") << "1,000" << Inglese << true << 1000.0;
        QTest::newRow("inglese virgola sola") << "500,7" << Inglese << false << 0.0;
    }

    void testoInNumero() {
        QFETCH(QString, testo);
        QFETCH(QLocale, locale);
        QFETCH(bool, numero);
        QFETCH(double, valore);
        const auto letto = Conversioni::TestoInNumero(testo, locale);
        QCOMPARE(letto.has_value(), numero);
        if (numero)
            QCOMPARE(*letto, valore);
        QCOMPARE(Conversioni::ENumerico(testo, locale), numero);
        // Without a locale argument the default locale (Italian here) is used.
        if (locale == QLocale()) {
            QCOMPARE(Conversioni::TestoInNumero(testo), letto);
            QCOMPARE(Conversioni::ENumerico(testo), numero);
        }
    }

    void testoInIntero16_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<Atteso>("atteso");
        QTest::addColumn<int>("intero");
        QTest::newRow("0500") << "0500" << Italiano << Atteso::Valore << 500;
        QTest::newRow("500,7") << "500,7" << Italiano << Atteso::Valore << 501;
        QTest::newRow("12,5 al pari") << "12,5" << Italiano << Atteso::Valore << 12;
        QTest::newRow("13,5 al pari") << "13,5" << Italiano << Atteso::Valore << 14;
        QTest::newRow("spazi attorno") << " 7 " << Italiano << Atteso::Valore << 7;
        QTest::newRow("-0,5") << "-0,5" << Italiano << Atteso::Valore << 0;
        QTest::newRow("0,5") << "0,5" << Italiano << Atteso::Valore << 0;
        QTest::newRow("1,5") << "1,5" << Italiano << Atteso::Valore << 2;
        QTest::newRow("2,5") << "2,5" << Italiano << Atteso::Valore << 2;
        QTest::newRow("minimo") << "-32768" << Italiano << Atteso::Valore << -32768;
        QTest::newRow("massimo") << "32767" << Italiano << Atteso::Valore << 32767;
        QTest::newRow("massimo + 1") << "32768" << Italiano << Atteso::Overflow << 0;
        QTest::newRow("minimo - 1") << "-32769" << Italiano << Atteso::Overflow << 0;
        QTest::newRow("40000") << "40000" << Italiano << Atteso::Overflow << 0;
        QTest::newRow("lettere") << "abc" << Italiano << Atteso::TipoNonCorrispondente << 0;
        QTest::newRow("vuoto") << "" << Italiano << Atteso::TipoNonCorrispondente << 0;
        QTest::newRow("inglese 500.7") << "500.7" << Inglese << Atteso::Valore << 501;
        QTest::newRow("inglese 500,7 migliaia errate")
            << "500,7" << Inglese << Atteso::TipoNonCorrispondente << 0;
    }

    void testoInIntero16() {
        QFETCH(QString, testo);
        QFETCH(QLocale, locale);
        QFETCH(Atteso, atteso);
        QFETCH(int, intero);
        const auto esito = Conversioni::TestoInIntero16(testo, locale);
        VerificaEsito(esito, atteso, intero);
        if (atteso == Atteso::TipoNonCorrispondente && !testo.isEmpty())
            QVERIFY(esito.errore().descrizione.contains(testo));
        if (locale == QLocale()) {
            const auto predefinito = Conversioni::TestoInIntero16(testo);
            VerificaEsito(predefinito, atteso, intero);
        }
    }

    void valoreIniziale_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<double>("atteso");
        QTest::newRow("numero e unità") << "12.5 m" << 12.5;
        QTest::newRow("spazi fra le cifre") << " 1 2 3" << 123.0;
        QTest::newRow("tabulazioni e a capo fra le cifre") << "\t1\n2\t3" << 123.0;
        QTest::newRow("lettere") << "abc" << 0.0;
        QTest::newRow("vuoto") << "" << 0.0;
        QTest::newRow("solo segno") << "-" << 0.0;
        QTest::newRow("doppio segno") << "--5" << 0.0;
        QTest::newRow("segno più") << "+5" << 5.0;
        QTest::newRow("segno staccato") << "- 5" << -5.0;
        QTest::newRow("la virgola ferma") << "1,5" << 1.0;
        QTest::newRow("solo decimali") << ".5" << 0.5;
        QTest::newRow("negativo solo decimali") << "-.5" << -0.5;
        QTest::newRow("punto solo") << "." << 0.0;
        QTest::newRow("secondo punto ferma") << "1.2.3" << 1.2;
        QTest::newRow("esponente e") << "1e3" << 1000.0;
        QTest::newRow("esponente E negativo") << "25E-1" << 2.5;
        QTest::newRow("esponente D") << "2D2" << 200.0;
        QTest::newRow("esponente d con segno") << "2d+2" << 200.0;
        QTest::newRow("esponente senza cifre") << "1e" << 1.0;
        QTest::newRow("esponente con solo segno") << "1e-" << 1.0;
        QTest::newRow("esponente poi lettere") << "1ex" << 1.0;
        QTest::newRow("esponente con spazi") << "1 e 3" << 1000.0;
        QTest::newRow("decimali poi esponente") << "1.5e2 kg" << 150.0;
        QTest::newRow("ritorno a capo ferma") << "1\r2" << 1.0;
        QTest::newRow("zeri iniziali") << "0500" << 500.0;
        QTest::newRow("cifre non latine ferma") << QString::fromUtf8("1\u0662") << 1.0;
        QTest::newRow("oltre il double") << "1e400" << Infinito;
        QTest::newRow("oltre il double negativo") << "-1e400" << -Infinito;
        QTest::newRow("sotto il double") << "1e-400" << 0.0;
    }

    void valoreIniziale() {
        QFETCH(QString, testo);
        QFETCH(double, atteso);
        QCOMPARE(Conversioni::ValoreIniziale(testo), atteso);
    }

    void interoDiCasella_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<Atteso>("atteso");
        QTest::addColumn<int>("intero");
        QTest::newRow("12.5 al pari") << "12.5" << Atteso::Valore << 12;
        QTest::newRow("13.5 al pari") << "13.5" << Atteso::Valore << 14;
        QTest::newRow("2.5") << "2.5" << Atteso::Valore << 2;
        QTest::newRow("3.5") << "3.5" << Atteso::Valore << 4;
        QTest::newRow("massimo") << "32767.4" << Atteso::Valore << 32767;
        QTest::newRow("massimo + 0.5") << "32767.5" << Atteso::Overflow << 0;
        QTest::newRow("minimo - 0.5") << "-32768.5" << Atteso::Valore << -32768;
        QTest::newRow("40000") << "40000" << Atteso::Overflow << 0;
        QTest::newRow("1e400") << "1e400" << Atteso::Overflow << 0;
        QTest::newRow("lettere") << "abc" << Atteso::Valore << 0;
        QTest::newRow("vuoto") << "" << Atteso::Valore << 0;
        QTest::newRow("unità dopo") << "100 m" << Atteso::Valore << 100;
        QTest::newRow("virgola italiana ignorata") << "12,7" << Atteso::Valore << 12;
        QTest::newRow("spazi e a capo attorno") << " \t100\n " << Atteso::Valore << 100;
    }

    void interoDiCasella() {
        QFETCH(QString, testo);
        QFETCH(Atteso, atteso);
        QFETCH(int, intero);
        VerificaEsito(Conversioni::InteroDiCasella(testo), atteso, intero);
    }
};

QTEST_GUILESS_MAIN(Tconversioni)
#include "tst_conversioni.moc"
