#include "core/calc/Distanza.h"
#include "core/calc/GradiGiorno.h"
#include "core/calc/Irradianza.h"
#include "core/calc/ListaCapoluoghi.h"
#include "core/calc/Riferimento.h"

#include <QtTest>
#include <cmath>

namespace {

// A capital or locality at g° p' of latitude, lg° lp' of longitude, with its irradiation.
DatiComune Luogo(double g, double p, double lg = 9, double lp = 0, QString prov = "MI",
                 double hdh = 0, double hbh = 0) {
    DatiComune d;
    d.LatiG = qint16(g), d.LatiP = qint16(p), d.LongG = qint16(lg), d.LongP = qint16(lp);
    d.Prov = prov, d.Hdh = float(hdh), d.Hbh = float(hbh);
    d.CalcolaRadianti();
    return d;
}

// A result as one text: its value, or the kind of error.
template <typename T> QString Testo(const Esito<T>& e) {
    // In the order of CodiceErrore.
    const char* nomi[] = {"tipo", "overflow", "div0", "file", "immagine", "indice", "db", "arg"};
    return e.ok() ? QString::number(e.valore(), 'g', 10) : nomi[int(e.errore().codice)];
}

// Whole km computed here on the long-double sphere from the same single-precision angles.
QString KmIndipendenti(const DatiComune& a, const DatiComune& b) {
    const long double km =
        6360.0L * acosl(sinl(a.LatRad) * sinl(b.LatRad) +
                        cosl(a.LatRad) * cosl(b.LatRad) * cosl((long double)a.LongRad - b.LongRad));
    return km - floorl(km) > 1e-3L ? QString::number(qint64(km)) : "al limite";
}

// The irradiance of the straight line through the two capitals, in long double.
QString IrradianzaIndipendente(const DatiComune& c1, const DatiComune& c2, int g, int p) {
    const long double f1 = c1.LatiG + c1.LatiP / 60.0L, f2 = c2.LatiG + c2.LatiP / 60.0L;
    const long double t = (g + p / 60.0L - f1) / (f2 - f1);
    const long double h = (c1.Hdh + c1.Hbh + t * (c2.Hdh + c2.Hbh - c1.Hdh - c1.Hbh)) * 11.57L;
    return h - floorl(h) > 1e-2L ? QString::number(qint64(h)) : "al limite";
}

// A table of cases "case=expected" separated by ';' ("≈": expected computed here).
void Tabella(const QString& righe) {
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QString>("atteso");
    for (const QString& riga : righe.split(';'))
        QTest::newRow(qPrintable(riga.section('=', 0, 0)))
            << riga.section('=', 0, 0) << riga.section('=', 1);
}

// The numbers of one part of a case ("45 0 9 0").
QList<double> Numeri(const QString& parte) {
    QList<double> numeri;
    for (const QString& n : parte.split(' ', Qt::SkipEmptyParts))
        numeri << n.toDouble();
    return numeri;
}

} // namespace

class TCalcoli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void arcCos_data() {
        Tabella("1=0;0=≈;0.5=≈;-0.999=≈;1.0000000000000002=arg;-1=div0;-1.5=arg;nan=arg");
    }
    void arcCos() {
        QFETCH(QString, caso);
        QFETCH(QString, atteso);
        const double x = caso.toDouble();
        QCOMPARE(Testo(ArcCos(x)),
                 atteso == "≈" ? QString::number(double(acosl(x)), 'g', 10) : atteso);
    }

    void distanzaKm_data() {
        // Latitude and longitude of two points. One degree: 0.0174444 rad × 6360 = 110.95.
        // Two points "g p lg lp"; one degree is 0.0174444 rad × 6360 = 110.95 km; 40° to 40° 54'
        // is 99.85 km; at 36° 58' the cosine of a point with itself comes out above 1.
        Tabella("45 0 9 0 46 0 9 0=110;40 0 9 0 40 54 9 0=99;45 28 9 11 45 28 9 11=0;"
                "36 58 9 11 36 58 9 11=arg;45 28 9 11 45 42 9 40=≈;45 44 7 19 38 7 13 22=≈");
    }
    void distanzaKm() {
        QFETCH(QString, caso);
        QFETCH(QString, atteso);
        const QList<double> n = Numeri(caso);
        const DatiComune a = Luogo(n[0], n[1], n[2], n[3]), b = Luogo(n[4], n[5], n[6], n[7]);
        QCOMPARE(Testo(DistanzaKm(a, b)), atteso == "≈" ? KmIndipendenti(a, b) : atteso);
        const QList<DatiComune> l{a, b};
        QCOMPARE(Testo(LatCapoluogo(l, 0)) + Testo(LatCapoluogo(l, 2)) + Testo(LatCapoluogo(l, -1)),
                 QString::number(float(n[0] + n[1] / 60), 'g', 10) + "indiceindice");
    }

    void calcolaZona_data() {
        Tabella("600=A;600.5=B;600,5=B;601=B;900=B;1400=C;2100=D;3000=E;3001=F;-5=A;=;abc=");
    }
    void calcolaZona() {
        QFETCH(QString, caso);
        QTEST(CalcolaZona(caso), "atteso");
    }

    void calcolaGradiGiorno_data() {
        // Reference altitude and degree days, new altitude: zone of the reference, degree days.
        Tabella("300 2000 300=D 2000;100 2000 350=D 2415;350 2000 100=D 1585;0 2500 100=E 2683;"
                "200 2500 100=E 2317;0 3100 100=F 3465;0 2050 500=D 2880;0 500 100=A 605;"
                "0 800 100=B 921;100 1000 0=C 863;0 2500 50=E 2592;0 2501 50=E 2592;"
                "0 32000 1000=F overflow");
    }
    void calcolaGradiGiorno() {
        QFETCH(QString, caso);
        const QList<double> n = Numeri(caso);
        const GradiGiornoCorretti r = CalcolaGradiGiorno(qint16(n[0]), qint16(n[1]), qint16(n[2]));
        QTEST(r.Zona + ' ' + Testo(r.GradiGiorno), "atteso");
    }

    void scegliRiferimento_data() {
        // Typed "g p lg lp" (_ an empty box) | rows "name prov g p lg lp" separated by ','.
        // 4550 - 455 = 4095 < 4096; on equal distances the first row; 45 and no primes is 45.
        Tabella(
            "45 50 9 0|FAR XX 45 5 9 1,NEAR YY 45 5 9 0=NEAR YY;"
            "45 0 9 0|A AA 45 1 9 0,B BB 45 0 9 1=A AA;45 _ 9 0|A AA 45 0 9 0,B BB 4 5 9 0=B BB;"
            "45 0 9 0|= ;45 0 9 0|A AA x 1 9 0=tipo");
    }
    void scegliRiferimento() {
        QFETCH(QString, caso);
        const QStringList t = caso.section('|', 0, 0).replace('_', "").split(' ');
        QList<RigaRiferimento> righe;
        for (const QString& r : caso.section('|', 1).split(',', Qt::SkipEmptyParts)) {
            const QStringList c = r.split(' ');
            righe.append({c[0], c[1], c[2], c[3], c[4], c[5]});
        }
        const Esito<Riferimento> r =
            ScegliRiferimento(CoordinataCompatta(t[0], t[1]).valore(),
                              CoordinataCompatta(t[2], t[3]).valore(), righe);
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
    }

    void controlloSceltaProv_data() {
        // Accepted (1/0) and the message, or the error.
        Tabella("MI (40 Km)| MI (40 Km) =0 Le due province devono essere diverse;"
                "MI (40 Km)|BG (40 Km)=1 ;MI (999 Km)|BG (1234 Km)=1 ;MI (x Km)|BG (40 Km)=tipo;"
                "MI (41 Km)|BG (40 Km)=0 la distanza tra il comune e la I provincia \rdeve essere "
                "minore della distanza tra il comune e la II provincia");
    }
    void controlloSceltaProv() {
        QFETCH(QString, caso);
        const Esito<SceltaProvince> s =
            ControlloSceltaProv(caso.section('|', 0, 0), caso.section('|', 1));
        QTEST(s.ok() ? QString::number(s.valore().Accettata) + ' ' + s.valore().Messaggio : "tipo",
              "atteso");
    }

    void cercaCapoluoghi_data() {
        // Capitals in list order | the provinces chosen in the two lists.
        Tabella("BA BT BT MI|BT BA=1 0;BT BT MI|BT MI=1 2;BA BT BT|BA BT=0 1;BA MI|XX MI=-1 1");
    }
    void cercaCapoluoghi() {
        QFETCH(QString, caso);
        QList<DatiComune> cap;
        for (const QString& p : caso.section('|', 0, 0).split(' '))
            cap.append(Luogo(45, 0, 9, 0, p));
        const IndiciCapoluoghi i = CercaCapoluoghi(caso.section('|', 1).left(2) + " (3 Km)",
                                                   caso.right(2) + " (9 Km)", cap);
        QTEST(QString("%1 %2").arg(i.i1).arg(i.i2), "atteso");
        if (i.i1 < 0)
            QCOMPARE(Testo(CalcolaIrradianza(cap, i, 45, 0)), "indice");
    }

    void calcolaIrradianza_data() {
        // Each capital "g p Hdh Hbh" | the locality "g p".
        // 5.5 + 7.5 = 13 × 11.57 = 150.41; outside the band 16 × 11.57 = 185.12.
        Tabella(
            "45 0 6 8|46 0 5 7|45 30=150;45 0 6 8|46 0 5 7|44 0=185;45 0 6 8|45 0 4 4|45 0=div0;"
            "45 0 6 8|46 0 2e9 7|45 30=overflow;41 54 6.12 9.87|43 47 5.43 8.21|42 25=≈;"
            "45 28 4.9 6.1|38 7 6.7 11.3|40 11=≈");
    }
    void calcolaIrradianza() {
        QFETCH(QString, caso);
        QFETCH(QString, atteso);
        const QList<double> a = Numeri(caso.section('|', 0, 0)),
                            b = Numeri(caso.section('|', 1, 1)), m = Numeri(caso.section('|', 2));
        const DatiComune c1 = Luogo(a[0], a[1], 9, 0, "AA", a[2], a[3]),
                         c2 = Luogo(b[0], b[1], 9, 0, "BB", b[2], b[3]);
        QCOMPARE(Testo(CalcolaIrradianza(c1, c2, qint16(m[0]), qint16(m[1]))),
                 atteso == "≈" ? IrradianzaIndipendente(c1, c2, int(m[0]), int(m[1])) : atteso);
    }
};

QTEST_GUILESS_MAIN(TCalcoli)
#include "tst_calcoli.moc"
