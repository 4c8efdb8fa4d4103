#include "calc/Distanza.h"
#include "calc/GradiGiorno.h"
#include "calc/Irradianza.h"
#include "calc/ListaCapoluoghi.h"
#include "calc/Riferimento.h"

#include <QtTest>
#include <cmath>

namespace {

// A capital or locality at g° p' of latitude, lg° lp' of longitude, with its irradiation.
DatiComune Luogo(int g, int p, int lg = 9, int lp = 0, QString prov = "MI", float hdh = 0,
                 float hbh = 0) {
    DatiComune d;
    d.LatiG = qint16(g), d.LatiP = qint16(p), d.LongG = qint16(lg), d.LongP = qint16(lp);
    d.Prov = prov, d.Hdh = hdh, d.Hbh = hbh;
    d.CalcolaRadianti();
    return d;
}

// A result as one text: its value, or the kind of error.
template <typename T> QString Testo(const Esito<T>& e) {
    static const QMap<CodiceErrore, QString> nomi{{CodiceErrore::Overflow, "overflow"},
                                                  {CodiceErrore::DivisionePerZero, "div0"},
                                                  {CodiceErrore::ArgomentoNonValido, "arg"},
                                                  {CodiceErrore::IndiceFuoriIntervallo, "indice"},
                                                  {CodiceErrore::TipoNonCorrispondente, "tipo"}};
    return e.ok() ? QString::number(e.valore(), 'g', 10) : nomi.value(e.errore().codice);
}

// Whole km computed here on the long-double sphere from the same single-precision angles.
QString KmIndipendenti(const DatiComune& a, const DatiComune& b) {
    const long double c =
        sinl(a.LatRad) * sinl(b.LatRad) +
        cosl(a.LatRad) * cosl(b.LatRad) * cosl((long double)a.LongRad - b.LongRad);
    const long double km = acosl(c) * 6360.0L;
    return km - floorl(km) > 1e-3L ? QString::number(qint64(km)) : "al limite";
}

// The irradiance of the straight line through the two capitals, in long double.
QString IrradianzaIndipendente(const DatiComune& c1, const DatiComune& c2, int g, int p) {
    const long double f1 = c1.LatiG + c1.LatiP / 60.0L, f2 = c2.LatiG + c2.LatiP / 60.0L;
    const long double t = (g + p / 60.0L - f1) / (f2 - f1);
    const long double h = (c1.Hdh + c1.Hbh + t * (c2.Hdh + c2.Hbh - c1.Hdh - c1.Hbh)) * 11.57L;
    return h - floorl(h) > 1e-2L ? QString::number(qint64(h)) : "al limite";
}

} // namespace

Q_DECLARE_METATYPE(DatiComune)

class TCalcoli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void arcCos_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("atteso");
        for (double x : {1.0, 0.0, 0.5, -0.999})
            QTest::addRow("%g", x) << x << QString::number(double(acosl(x)), 'g', 10);
        QTest::newRow("un soffio sopra 1") << 1.0000000000000002 << "arg";
        QTest::newRow("-1") << -1.0 << "div0";
        QTest::newRow("-1.5") << -1.5 << "arg";
        QTest::newRow("NaN") << qQNaN() << "arg";
    }
    void arcCos() {
        QFETCH(double, x);
        QTEST(Testo(ArcCos(x)), "atteso");
    }

    void distanzaKm_data() {
        QTest::addColumn<DatiComune>("a");
        QTest::addColumn<DatiComune>("b");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("un grado: 110.95") << Luogo(45, 0) << Luogo(46, 0) << "110";
        QTest::newRow("99.85 giù") << Luogo(40, 0) << Luogo(40, 54) << "99";
        QTest::newRow("stesso punto") << Luogo(45, 28, 9, 11) << Luogo(45, 28, 9, 11) << "0";
        // Here the cosine of the same point comes out a hair above 1.
        QTest::newRow("coseno oltre 1") << Luogo(36, 58, 9, 11) << Luogo(36, 58, 9, 11) << "arg";
        const DatiComune mi = Luogo(45, 28, 9, 11), bg = Luogo(45, 42, 9, 40),
                         ao = Luogo(45, 44, 7, 19), pa = Luogo(38, 7, 13, 22);
        QTest::newRow("MI-BG") << mi << bg << KmIndipendenti(mi, bg);
        QTest::newRow("AO-PA") << ao << pa << KmIndipendenti(ao, pa);
    }
    void distanzaKm() {
        QFETCH(DatiComune, a);
        QFETCH(DatiComune, b);
        QTEST(Testo(DistanzaKm(a, b)), "atteso");
    }

    void latCapoluogo() {
        const QList<DatiComune> capoluoghi{Luogo(41, 54), Luogo(45, 0)};
        QCOMPARE(Testo(LatCapoluogo(capoluoghi, 0)), "41.90000153"); // 41.9 in single precision
        QCOMPARE(Testo(LatCapoluogo(capoluoghi, 2)), "indice");
        QCOMPARE(Testo(LatCapoluogo(capoluoghi, -1)), "indice");
    }

    void calcolaZona() {
        const char* righe[][2] = {{"600", "A"},  {"600.5", "B"}, {"600,5", "B"}, {"601", "B"},
                                  {"900", "B"},  {"1400", "C"},  {"2100", "D"},  {"3000", "E"},
                                  {"3001", "F"}, {"0", "A"},     {"-5", "A"},    {"", ""},
                                  {"abc", ""}};
        for (const auto& r : righe)
            QVERIFY2(CalcolaZona(r[0]) == r[1], r[0]);
    }

    void calcolaGradiGiorno_data() {
        QTest::addColumn<int>("hr");
        QTest::addColumn<int>("gr");
        QTest::addColumn<int>("hn");
        QTest::addColumn<QString>("atteso"); // zone, corrected degree days
        QTest::newRow("stessa quota") << 300 << 2000 << 300 << "D 2000";
        QTest::newRow("D +250") << 100 << 2000 << 350 << "D 2415";
        QTest::newRow("D -250") << 350 << 2000 << 100 << "D 1585";
        QTest::newRow("E +100") << 0 << 2500 << 100 << "E 2683";
        QTest::newRow("E -100") << 200 << 2500 << 100 << "E 2317";
        QTest::newRow("F +100") << 0 << 3100 << 100 << "F 3465";
        QTest::newRow("zona del riferimento") << 0 << 2050 << 500 << "D 2880";
        QTest::newRow("A, B, C") << 0 << 500 << 100 << "A 605";
        QTest::newRow("B +100") << 0 << 800 << 100 << "B 921";
        QTest::newRow("C -100") << 100 << 1000 << 0 << "C 863";
        QTest::newRow("2591.5 al pari") << 0 << 2500 << 50 << "E 2592";
        QTest::newRow("2592.5 al pari") << 0 << 2501 << 50 << "E 2592";
        QTest::newRow("oltre 16 bit") << 0 << 32000 << 1000 << "F overflow";
    }
    void calcolaGradiGiorno() {
        QFETCH(int, hr);
        QFETCH(int, gr);
        QFETCH(int, hn);
        const GradiGiornoCorretti r = CalcolaGradiGiorno(qint16(hr), qint16(gr), qint16(hn));
        QTEST(r.Zona + ' ' + Testo(r.GradiGiorno), "atteso");
    }

    void scegliRiferimento_data() {
        // Typed "g p lg lp" (_ an empty box); rows "name prov g p lg lp" separated by ';'.
        QTest::addColumn<QString>("digitate");
        QTest::addColumn<QString>("righe");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("4550-455 = 4095 < 4096") << "45 50 9 0"
                                                << "LONTANA XX 45 5 9 1;VICINA YY 45 5 9 0"
                                                << "VICINA YY";
        QTest::newRow("parità") << "45 0 9 0"
                                << "A AA 45 1 9 0;B BB 45 0 9 1"
                                << "A AA";
        QTest::newRow("45 vale 45") << "45 _ 9 0"
                                    << "A AA 45 0 9 0;B BB 4 5 9 0"
                                    << "B BB";
        QTest::newRow("nessuna riga") << "45 0 9 0"
                                      << ""
                                      << " ";
        QTest::newRow("riga non numerica") << "45 0 9 0"
                                           << "A AA x 1 9 0"
                                           << "tipo";
    }
    void scegliRiferimento() {
        QFETCH(QString, digitate);
        QFETCH(QString, righe);
        const QStringList t = digitate.replace('_', "").split(' ');
        QList<RigaRiferimento> lista;
        for (const QString& r : righe.split(';', Qt::SkipEmptyParts)) {
            const QStringList c = r.split(' ');
            lista.append({c[0], c[1], c[2], c[3], c[4], c[5]});
        }
        const Esito<Riferimento> r =
            ScegliRiferimento(CoordinataCompatta(t[0], t[1]).valore(),
                              CoordinataCompatta(t[2], t[3]).valore(), lista);
        QTEST(r.ok() ? r.valore().Nome + ' ' + r.valore().Prov : QString("tipo"), "atteso");
    }

    void elencoDistanze() {
        // Along one meridian 1' is 1.849 km: 3' 5.5, 7' 12.9, 67' 123.9, 668' 1235.2.
        QList<DatiComune> cap;
        for (auto [primi, prov] :
             {std::pair{668, "RM"}, {7, "MI"}, {0, "CO"}, {67, "PV"}, {3, "BG"}, {3, "AA"}})
            cap.append(Luogo(40 + primi / 60, primi % 60, 9, 0, prov));
        const ElencoDistanze e = CalcolaElencoDistanze(cap[2].LatRad, cap[2].LongRad, cap);
        QCOMPARE(e.Voci, QStringList({"   0 AAA CO", "   5 AAA AA", "   5 AAA BG", "  12 AAA MI",
                                      " 123 AAA PV", "1235 AAA RM"}));
        QCOMPARE(VociCapoluoghi(e.Voci).join(','),
                 "CO (0 Km),AA (5 Km),BG (5 Km),MI (12 Km),PV (123 Km),RM (1235 Km)");
        QVERIFY(e.Errori.isEmpty());
    }

    void controlloSceltaProv_data() {
        QTest::addColumn<QString>("voce1");
        QTest::addColumn<QString>("voce2");
        QTest::addColumn<QString>("atteso"); // accepted (1/0) and message, or the error
        QTest::newRow("stessa") << "MI (40 Km)"
                                << " MI (40 Km) "
                                << "0 Le due province devono essere diverse";
        QTest::newRow("pari distanza") << "MI (40 Km)"
                                       << "BG (40 Km)"
                                       << "1 ";
        QTest::newRow("prima più lontana")
            << "MI (41 Km)"
            << "BG (40 Km)"
            << "0 la distanza tra il comune e la I provincia \rdeve essere minore della distanza "
               "tra il comune e la II provincia";
        QTest::newRow("confronto numerico") << "MI (999 Km)"
                                            << "BG (1234 Km)"
                                            << "1 ";
        QTest::newRow("senza numero") << "MI (x Km)"
                                      << "BG (40 Km)"
                                      << "tipo";
    }
    void controlloSceltaProv() {
        QFETCH(QString, voce1);
        QFETCH(QString, voce2);
        const Esito<SceltaProvince> s = ControlloSceltaProv(voce1, voce2);
        QTEST(s.ok() ? QString::number(s.valore().Accettata) + ' ' + s.valore().Messaggio
                     : QString("tipo"),
              "atteso");
    }

    void cercaCapoluoghi_data() {
        QTest::addColumn<QString>("province");
        QTest::addColumn<QString>("voci");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("BT dopo BA") << "BA BT BT MI"
                                    << "BT BA"
                                    << "1 0";
        QTest::newRow("l'ultimo BT prima dell'arresto") << "BT BT MI"
                                                        << "BT MI"
                                                        << "1 2";
        QTest::newRow("arresto al secondo") << "BA BT BT"
                                            << "BA BT"
                                            << "0 1";
        QTest::newRow("mancante") << "BA MI"
                                  << "XX MI"
                                  << "-1 1";
    }
    void cercaCapoluoghi() {
        QFETCH(QString, province);
        QFETCH(QString, voci);
        QList<DatiComune> cap;
        for (const QString& p : province.split(' '))
            cap.append(Luogo(45, 0, 9, 0, p));
        const IndiciCapoluoghi i =
            CercaCapoluoghi(voci.left(2) + " (3 Km)", voci.right(2) + " (9 Km)", cap);
        QTEST(QString("%1 %2").arg(i.i1).arg(i.i2), "atteso");
        if (i.i1 < 0)
            QCOMPARE(Testo(CalcolaIrradianza(cap, i, 45, 0)), "indice");
    }

    void calcolaIrradianza_data() {
        QTest::addColumn<DatiComune>("c1");
        QTest::addColumn<DatiComune>("c2");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("atteso");
        const DatiComune a = Luogo(45, 0, 9, 0, "AA", 6, 8), b = Luogo(46, 0, 9, 0, "BB", 5, 7);
        const DatiComune rm = Luogo(41, 54, 0, 0, "RM", 6.12f, 9.87f),
                         fi = Luogo(43, 47, 0, 0, "FI", 5.43f, 8.21f),
                         pa = Luogo(38, 7, 0, 0, "PA", 6.7f, 11.3f);
        QTest::newRow("esempio: 150.41") << a << b << 45 << 30 << "150";
        QTest::newRow("fuori dalla fascia: 16 × 11.57") << a << b << 44 << 0 << "185";
        QTest::newRow("stessa latitudine")
            << a << Luogo(45, 0, 12, 0, "CC", 4, 4) << 45 << 0 << "div0";
        QTest::newRow("oltre 32 bit")
            << a << Luogo(46, 0, 9, 0, "BB", 2e9f, 7) << 45 << 30 << "overflow";
        QTest::newRow("RM-FI") << rm << fi << 42 << 25 << IrradianzaIndipendente(rm, fi, 42, 25);
        QTest::newRow("RM-PA") << rm << pa << 40 << 11 << IrradianzaIndipendente(rm, pa, 40, 11);
    }
    void calcolaIrradianza() {
        QFETCH(DatiComune, c1);
        QFETCH(DatiComune, c2);
        QFETCH(int, g);
        QFETCH(int, p);
        QTEST(Testo(CalcolaIrradianza(c1, c2, qint16(g), qint16(p))), "atteso");
    }
};

QTEST_GUILESS_MAIN(TCalcoli)
#include "tst_calcoli.moc"
