#include "core/calc/CapoluoghiVicini.h"
#include "core/calc/Distanza.h"
#include "core/calc/GradiGiorno.h"
#include "core/calc/Irradianza.h"
#include "core/calc/ListaCapoluoghi.h"
#include "core/calc/Riferimento.h"
#include "support/TabellaCasi.h"

using enum CodiceErrore;

// A result expected: a whole number, or the kind of error.
using Atteso = std::variant<qint64, CodiceErrore>;

QString NomeErrore(CodiceErrore codice) {
    // In the order of CodiceErrore.
    const char* nomi[] = {"tipo", "overflow", "div0", "file", "immagine", "indice", "db", "arg"};
    return QString("errore ") + nomi[int(codice)];
}
template <typename T> QString Testo(const Esito<T>& e) {
    return e.ok() ? QString::number(e.valore(), 'g', 10) : NomeErrore(e.errore().codice);
}
QString Testo(const Atteso& a) {
    return a.index() == 0 ? QString::number(std::get<0>(a)) : NomeErrore(std::get<1>(a));
}

// Degrees and primes: {45, 30} is 45° 30'.
struct Coordinata {
    int gradi, primi;
};
// A locality or a capital: its position, its irradiation, its province.
struct Luogo {
    Coordinata lat = {45, 0};
    Coordinata lon = {9, 0};
    float hdh = 1, hbh = 1;
    QString prov = "XX";
};
DatiComune Dati(const Luogo& l) {
    DatiComune d;
    d.LatiG = qint16(l.lat.gradi), d.LatiP = qint16(l.lat.primi);
    d.LongG = qint16(l.lon.gradi), d.LongP = qint16(l.lon.primi);
    d.Prov = l.prov, d.Hdh = l.hdh, d.Hbh = l.hbh;
    d.CalcolaRadianti();
    return d;
}

// Whole kilometres between two places, rounded down. The exact kilometres in the names are
// worked out apart, on the sphere of radius 6360 in double precision from the same
// single-precision angles (3.14 standing for pi).
struct Distanza {
    const char* nome;
    Luogo da, a;
    Atteso km;
};
Q_DECLARE_METATYPE(Distanza)
// clang-format off
const Distanza Distanze[] = {
    {.nome = "un grado: 110,95 (111,00 col vero pi greco)", .da = {.lat = {45, 0}}, .a = {.lat = {46, 0}}, .km = 110},
    {.nome = "99,94 per difetto", .da = {.lat = {40, 0}}, .a = {.lat = {40, 54}, .lon = {9, 3}}, .km = 99},
    // θ is rounded to single precision before × 6360: without it these two come out 209 and
    // 430 (the distances of Lograto from Forlì and of Zagarolo from Trieste).
    {.nome = "209,9999967", .da = {.lat = {45, 29}, .lon = {10, 3}}, .a = {.lat = {44, 13}, .lon = {12, 2}}, .km = 210},
    {.nome = "430,0000216", .da = {.lat = {41, 50}, .lon = {12, 50}}, .a = {.lat = {45, 39}, .lon = {13, 46}}, .km = 429},
};
// clang-format on

// A new locality at altitude hn takes the degree days gr of a reference at altitude hr: its
// corrected degree days, and the zone shown meanwhile (the reference's, from its bounds 600, 900,
// 1400, 2100 and 3000 included).
struct Correzione {
    const char* nome;
    qint16 hr, gr, hn;
    QString zona;
    Atteso gg;
};
Q_DECLARE_METATYPE(Correzione)
// clang-format off
const Correzione Correzioni[] = {
    {.nome = "A: 600, +100 m", .hr = 0, .gr = 600, .hn = 100, .zona = "A", .gg = 705},
    {.nome = "B: 601, stessa quota", .hr = 50, .gr = 601, .hn = 50, .zona = "B", .gg = 601},
    {.nome = "B: 900, +100 m", .hr = 0, .gr = 900, .hn = 100, .zona = "B", .gg = 1021},
    {.nome = "C: 1400, -100 m", .hr = 100, .gr = 1400, .hn = 0, .zona = "C", .gg = 1263},
    // 2515 is in zone E, yet the correction and the zone are the reference's.
    {.nome = "D: 2100, +250 m", .hr = 0, .gr = 2100, .hn = 250, .zona = "D", .gg = 2515},
    {.nome = "E: 2101, stessa quota", .hr = 0, .gr = 2101, .hn = 0, .zona = "E", .gg = 2101},
    {.nome = "E: 3000, +50 m: 3091,5 al pari", .hr = 0, .gr = 3000, .hn = 50, .zona = "E", .gg = 3092},
    {.nome = "E: 2999, +50 m: 3090,5 al pari", .hr = 0, .gr = 2999, .hn = 50, .zona = "E", .gg = 3090},
    {.nome = "F: 3001, +100 m", .hr = 0, .gr = 3001, .hn = 100, .zona = "F", .gg = 3366},
    {.nome = "oltre 16 bit", .hr = 0, .gr = 32000, .hn = 1000, .zona = "F", .gg = Overflow},
};
// clang-format on

// The reference found from the typed coordinates among the candidate rows (their province
// stands also for their name).
struct SceltaRiferimento {
    const char* nome;
    Coordinata lat;
    QList<Luogo> righe{};
    QString scelto; // the province, "" for none
};
Q_DECLARE_METATYPE(SceltaRiferimento)
// clang-format off
const SceltaRiferimento SceltePerRiferimento[] = {
    // From 4550: 455 is 4095 away, 4459 is 91 away (as 4505, AA would be 45 away).
    {.nome = "45° 5' compatto in 455", .lat = {45, 50}, .righe = {{.lat = {45, 5}, .prov = "AA"}, {.lat = {44, 59}, .prov = "BB"}}, .scelto = "BB"},
    {.nome = "a pari distanza la prima riga", .lat = {45, 0}, .righe = {{.lat = {45, 1}, .prov = "AA"}, {.lon = {9, 1}, .prov = "BB"}}, .scelto = "AA"},
    {.nome = "nessuna riga", .lat = {45, 0}, .scelto = ""},
};
// clang-format on

// The check of the two capitals chosen in the lists.
struct Scelta {
    const char* nome;
    QString voce1, voce2;
    bool accettata = false;
    QString messaggio{};
};
Q_DECLARE_METATYPE(Scelta)
const QString Lontana = "la distanza tra il comune e la I provincia \rdeve essere minore "
                        "della distanza tra il comune e la II provincia";
// clang-format off
const Scelta Scelte[] = {
    {.nome = "la stessa", .voce1 = "MI (40 Km)", .voce2 = " MI (40 Km) ", .messaggio = "Le due province devono essere diverse"},
    {.nome = "distanze uguali", .voce1 = "MI (40 Km)", .voce2 = "BG (40 Km)", .accettata = true},
    {.nome = "numeri, non testi", .voce1 = "MI (999 Km)", .voce2 = "BG (1234 Km)", .accettata = true},
    {.nome = "1a più lontana", .voce1 = "MI (41 Km)", .voce2 = "BG (40 Km)", .messaggio = Lontana},
};
// clang-format on

// The irradiance of a locality at latitude `lat` from the capitals of the provinces p1 and p2
// chosen in the two lists, as the scan of `capoluoghi` finds them: the straight line through
// them, worked out by hand.
struct Interpolazione {
    const char* nome;
    QList<Luogo> capoluoghi;
    QString p1 = "AA", p2 = "BB";
    Coordinata lat = {45, 30};
    Atteso irradianza;
};
Q_DECLARE_METATYPE(Interpolazione)
const Luogo C45 = {.lat = {45, 0}, .hdh = 6, .hbh = 8, .prov = "AA"};
const Luogo C46 = {.lat = {46, 0}, .hdh = 5, .hbh = 7, .prov = "BB"};
const Luogo A44 = {.lat = {44, 0}, .hdh = 7, .hbh = 10, .prov = "AA"}; // with C46: 13,25 → 153
const Luogo B47 = {.lat = {47, 0}, .hdh = 4, .hbh = 5, .prov = "BB"};  // with C45: 12,75 → 147
// clang-format off
const Interpolazione Interpolazioni[] = {
    {.nome = "13 × 11,57 = 150,41", .capoluoghi = {C45, C46}, .irradianza = 150},
    {.nome = "la II prima della I, 45° 45': 12,5 × 11,57 = 144,62", .capoluoghi = {C46, C45}, .lat = {45, 45}, .irradianza = 144},
    // The scan stops once both are found: the last AA met before the stop, the first BB.
    {.nome = "ricerca fermata", .capoluoghi = {A44, C45, C46, B47}, .irradianza = 150},
    {.nome = "provincia non trovata", .capoluoghi = {C45, C46}, .p1 = "XX", .irradianza = IndiceFuoriIntervallo},
    {.nome = "latitudini uguali", .capoluoghi = {C45, {.prov = "BB"}}, .irradianza = DivisionePerZero},
};
// clang-format on

// The two capitals nearest to a municipality, as the batch chooses them: their indices in the
// list of capitals (-1: none).
struct Vicini {
    const char* nome;
    Luogo comune = {};
    QList<Luogo> capoluoghi;
    int i1, i2;
    QList<int> erroriDistanza = {}; // capitals whose distance failed and counted as 0 km
};
Q_DECLARE_METATYPE(Vicini)
// Capitals seen from 45° 0' 9° 0', named by their whole kilometres.
const Luogo Km1 = {.lat = {45, 1}};                       // 1.85
const Luogo Km12 = {.lat = {45, 7}};                      // 12.94
const Luogo Km12Vicino = {.lat = {45, 6}, .lon = {9, 5}}; // 12.88: strictly nearer, same km
const Luogo Km49 = {.lat = {45, 27}};                     // 49.93
const Luogo Critico = {.lat = {36, 58}, .lon = {9, 11}};  // cosine with itself above 1
// clang-format off
const Vicini CapoluoghiPiuVicini[] = {
    // Equal whole kilometres never replace the capital met first.
    {.nome = "pari al secondo", .capoluoghi = {Km1, Km12, Km12Vicino}, .i1 = 0, .i2 = 1},
    {.nome = "pari al primo", .capoluoghi = {Km12, Km49, Km12Vicino}, .i1 = 0, .i2 = 2},
    // The nearest two lack Hbh or Hdh; a nearer one pushes the nearest to second place.
    {.nome = "senza dati", .capoluoghi = {{.hbh = 0}, {.hdh = 0}, Km49, Km12}, .i1 = 3, .i2 = 2},
    {.nome = "uno solo con i dati", .capoluoghi = {Km1, {.hdh = 0}}, .i1 = 0, .i2 = -1},
    // The failed distance counts as 0 km; it is reported also for a capital without data.
    {.nome = "coseno sopra 1", .comune = Critico, .capoluoghi = {{.lat = {37, 10}}, {.lat = {36, 58}, .lon = {9, 11}, .hdh = 0}, Critico},
     .i1 = 2, .i2 = 0, .erroriDistanza = {1, 2}},
};
// clang-format on

class TCalcoli : public QObject {
    Q_OBJECT
private slots:
    void distanzaKm_data() { Righe(Distanze); }
    void distanzaKm() {
        QFETCH(Distanza, caso);
        QCOMPARE(Testo(DistanzaKm(Dati(caso.da), Dati(caso.a))), Testo(caso.km));
    }

    void calcolaGradiGiorno_data() { Righe(Correzioni); }
    void calcolaGradiGiorno() {
        QFETCH(Correzione, caso);
        const GradiGiornoCorretti r = CalcolaGradiGiorno(caso.hr, caso.gr, caso.hn);
        QCOMPARE(r.Zona, caso.zona);
        QCOMPARE(Testo(r.GradiGiorno), Testo(caso.gg));
    }

    void scegliRiferimento_data() { Righe(SceltePerRiferimento); }
    void scegliRiferimento() {
        QFETCH(SceltaRiferimento, caso);
        const auto testo = [](int numero) { return QString::number(numero); };
        QList<RigaRiferimento> righe;
        for (const Luogo& c : caso.righe)
            righe.append({c.prov, c.prov, testo(c.lat.gradi), testo(c.lat.primi),
                          testo(c.lon.gradi), testo(c.lon.primi)});
        // The typed longitude is 9° 0', packed 90.
        const auto lat = CoordinataCompatta(testo(caso.lat.gradi), testo(caso.lat.primi)).valore();
        QCOMPARE(ScegliRiferimento(lat, 90, righe).valoreOppure({}).Prov, caso.scelto);
    }

    void elencoDistanze() {
        // From CO; the exact kilometres in the comments.
        const QList<DatiComune> capoluoghi = {
            Dati({.lat = {51, 8}, .prov = "RM"}), // 1235.19
            Dati({.lat = {40, 7}, .prov = "MI"}), // 12.94
            Dati({.lat = {40, 0}, .prov = "CO"}), // 0
            Dati({.lat = {41, 7}, .prov = "PV"}), // 123.89
            Dati({.lat = {40, 3}, .prov = "BG"}), // 5.55
        };
        const ElencoDistanze e =
            CalcolaElencoDistanze(capoluoghi[2].LatRad, capoluoghi[2].LongRad, capoluoghi);
        QCOMPARE(Elenco(e.Voci), Elenco({"   0 AAA CO", "   5 AAA BG", "  12 AAA MI", " 123 AAA PV",
                                         "1235 AAA RM"}));
        QCOMPARE(Elenco(VociCapoluoghi(e.Voci)),
                 Elenco({"CO (0 Km)", "BG (5 Km)", "MI (12 Km)", "PV (123 Km)", "RM (1235 Km)"}));
    }

    void controlloSceltaProv_data() { Righe(Scelte); }
    void controlloSceltaProv() {
        QFETCH(Scelta, caso);
        const Esito<SceltaProvince> s = ControlloSceltaProv(caso.voce1, caso.voce2);
        QVERIFY2(s.ok(), qPrintable(s.errore().descrizione));
        QCOMPARE(s.valore().Accettata, caso.accettata);
        QCOMPARE(s.valore().Messaggio, caso.messaggio);
    }

    void calcolaIrradianza_data() { Righe(Interpolazioni); }
    void calcolaIrradianza() {
        QFETCH(Interpolazione, caso);
        QList<DatiComune> capoluoghi;
        for (const Luogo& c : caso.capoluoghi)
            capoluoghi.append(Dati(c));
        const IndiciCapoluoghi i =
            CercaCapoluoghi(caso.p1 + " (3 Km)", caso.p2 + " (9 Km)", capoluoghi);
        QCOMPARE(
            Testo(CalcolaIrradianza(capoluoghi, i, qint16(caso.lat.gradi), qint16(caso.lat.primi))),
            Testo(caso.irradianza));
    }

    void capoluoghiVicini_data() { Righe(CapoluoghiPiuVicini); }
    void capoluoghiVicini() {
        QFETCH(Vicini, caso);
        QList<DatiComune> capoluoghi;
        QList<PuntoSfera> punti;
        for (const Luogo& c : caso.capoluoghi)
            punti.append(PuntoSfera(capoluoghi.emplace_back(Dati(c))));
        QList<ErroreDistanza> errori;
        const CapoluoghiVicini v =
            ScegliCapoluoghiVicini(PuntoSfera(Dati(caso.comune)), punti, capoluoghi, errori);
        QCOMPARE(v.i1, caso.i1);
        QCOMPARE(v.i2, caso.i2);
        QList<int> erroriDistanza;
        for (const ErroreDistanza& e : errori)
            erroriDistanza << e.capoluogo;
        QCOMPARE(erroriDistanza, caso.erroriDistanza);
    }
};

QTEST_GUILESS_MAIN(TCalcoli)
#include "tst_calcoli.moc"
