#include "core/calc/CapoluoghiVicini.h"
#include "core/calc/Distanza.h"
#include "core/calc/GradiGiorno.h"
#include "core/calc/Irradianza.h"
#include "core/calc/ListaCapoluoghi.h"
#include "core/calc/Riferimento.h"
#include "support/TabellaCasi.h"

using enum CodiceErrore;

// A result expected: a number, or the kind of error.
struct Atteso {
    Atteso(double numero)
        : valore(numero) {}
    Atteso(CodiceErrore codice)
        : errore(codice) {}
    double valore = 0;
    std::optional<CodiceErrore> errore;
};

QString NomeErrore(CodiceErrore codice) {
    // In the order of CodiceErrore.
    const char* nomi[] = {"tipo", "overflow", "div0", "file", "immagine", "indice", "db", "arg"};
    return QString("errore ") + nomi[int(codice)];
}
template <typename T> QString Testo(const Esito<T>& e) {
    return e.ok() ? QString::number(e.valore(), 'g', 10) : NomeErrore(e.errore().codice);
}
QString Testo(const Atteso& a) {
    return a.errore ? NomeErrore(*a.errore) : QString::number(a.valore, 'g', 10);
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

// Exact kilometres below are worked out apart, on the sphere of radius 6360 in double
// precision from the same single-precision angles.

struct ArcoCoseno {
    const char* nome;
    double coseno;
    Atteso angolo;
};
Q_DECLARE_METATYPE(ArcoCoseno)
// clang-format off
const ArcoCoseno ArchiCoseno[] = {
    {.nome = "1: zero", .coseno = 1, .angolo = 0},
    {.nome = "0,5: pi greco / 3", .coseno = 0.5, .angolo = 1.047197551},
    {.nome = "appena sopra 1", .coseno = 1.0000000000000002, .angolo = ArgomentoNonValido},
    {.nome = "-1: divisione per zero", .coseno = -1, .angolo = DivisionePerZero},
    {.nome = "NaN", .coseno = std::nan(""), .angolo = ArgomentoNonValido},
};
// clang-format on

// Whole kilometres between two places, rounded down.
struct Distanza {
    const char* nome;
    Luogo da, a;
    Atteso km;
};
Q_DECLARE_METATYPE(Distanza)
// clang-format off
const Distanza Distanze[] = {
    {.nome = "un grado: 110,95", .da = {.lat = {45, 0}}, .a = {.lat = {46, 0}}, .km = 110},
    {.nome = "99,94", .da = {.lat = {40, 0}}, .a = {.lat = {40, 54}, .lon = {9, 3}}, .km = 99},
    {.nome = "stesso punto", .da = {.lat = {45, 28}}, .a = {.lat = {45, 28}}, .km = 0},
    // Here the cosine of a point with itself comes out a hair above 1.
    {.nome = "sopra 1", .da = {.lat = {36, 58}}, .a = {.lat = {36, 58}}, .km = ArgomentoNonValido},
    // θ is rounded to single precision before × 6360: without it these two come out 209 and
    // 430 (the distances of Lograto from Forlì and of Zagarolo from Trieste).
    {.nome = "209,9999967", .da = {.lat = {45, 29}, .lon = {10, 3}},
     .a = {.lat = {44, 13}, .lon = {12, 2}}, .km = 210},
    {.nome = "430,0000216", .da = {.lat = {41, 50}, .lon = {12, 50}},
     .a = {.lat = {45, 39}, .lon = {13, 46}}, .km = 429},
};
// clang-format on

struct Zona {
    const char* nome;
    QString gradiGiorno;
    QString zona;
};
Q_DECLARE_METATYPE(Zona)
const Zona Zone[] = {
    {.nome = "600", .gradiGiorno = "600", .zona = "A"},
    {.nome = "600,5", .gradiGiorno = "600,5", .zona = "B"},
    {.nome = "900", .gradiGiorno = "900", .zona = "B"},
    {.nome = "1400", .gradiGiorno = "1400", .zona = "C"},
    {.nome = "2100", .gradiGiorno = "2100", .zona = "D"},
    {.nome = "3000", .gradiGiorno = "3000", .zona = "E"},
    {.nome = "3001", .gradiGiorno = "3001", .zona = "F"},
    {.nome = "negativo", .gradiGiorno = "-5", .zona = "A"},
    {.nome = "vuoto", .gradiGiorno = "", .zona = ""},
    {.nome = "non numero", .gradiGiorno = "abc", .zona = ""},
};

// A new locality at altitude hn takes the degree days gr of a reference at altitude hr: its
// corrected degree days, and the zone shown meanwhile (the reference's).
struct Correzione {
    const char* nome;
    qint16 hr, gr, hn;
    QString zona;
    Atteso gg;
};
Q_DECLARE_METATYPE(Correzione)
// clang-format off
const Correzione Correzioni[] = {
    {.nome = "stessa quota", .hr = 300, .gr = 2000, .hn = 300, .zona = "D", .gg = 2000},
    {.nome = "D +250 m", .hr = 100, .gr = 2000, .hn = 350, .zona = "D", .gg = 2415},
    {.nome = "D -250 m", .hr = 350, .gr = 2000, .hn = 100, .zona = "D", .gg = 1585},
    {.nome = "E +100 m", .hr = 0, .gr = 2500, .hn = 100, .zona = "E", .gg = 2683},
    {.nome = "F +100 m", .hr = 0, .gr = 3100, .hn = 100, .zona = "F", .gg = 3465},
    {.nome = "A +100 m", .hr = 0, .gr = 500, .hn = 100, .zona = "A", .gg = 605},
    {.nome = "B +100 m", .hr = 0, .gr = 800, .hn = 100, .zona = "B", .gg = 921},
    {.nome = "C -100 m", .hr = 100, .gr = 1000, .hn = 0, .zona = "C", .gg = 863},
    {.nome = "zona del riferimento", .hr = 0, .gr = 2050, .hn = 500, .zona = "D", .gg = 2880},
    {.nome = "2591,5 al pari", .hr = 0, .gr = 2500, .hn = 50, .zona = "E", .gg = 2592},
    {.nome = "2592,5 al pari", .hr = 0, .gr = 2501, .hn = 50, .zona = "E", .gg = 2592},
    {.nome = "oltre 16 bit", .hr = 0, .gr = 32000, .hn = 1000, .zona = "F", .gg = Overflow},
};
// clang-format on

// A coordinate as typed or stored: degrees and primes as texts.
struct Testi {
    QString gradi, primi;
};
struct Candidato {
    QString nome, prov;
    Testi lat, lon = {"9", "0"};
};
// The reference found from the typed coordinates among the candidate rows.
struct SceltaRiferimento {
    const char* nome;
    Testi lat, lon = {"9", "0"};
    QList<Candidato> righe{};
    QString scelto; // name and province, "" for none, or the error
};
Q_DECLARE_METATYPE(SceltaRiferimento)
// clang-format off
const SceltaRiferimento SceltePerRiferimento[] = {
    // 4550 - 455 = 4095 < 4096.
    {.nome = "45° 5' compatto in 455", .lat = {"45", "50"},
     .righe = {{.nome = "FAR", .prov = "XX", .lat = {"45", "5"}, .lon = {"9", "1"}},
               {.nome = "NEAR", .prov = "YY", .lat = {"45", "5"}}},
     .scelto = "NEAR YY"},
    {.nome = "a pari distanza la prima riga", .lat = {"45", "0"},
     .righe = {{.nome = "A", .prov = "AA", .lat = {"45", "1"}},
               {.nome = "B", .prov = "BB", .lat = {"45", "0"}, .lon = {"9", "1"}}},
     .scelto = "A AA"},
    {.nome = "45 senza primi vale 45", .lat = {"45", ""},
     .righe = {{.nome = "A", .prov = "AA", .lat = {"45", "0"}},
               {.nome = "B", .prov = "BB", .lat = {"4", "5"}}},
     .scelto = "B BB"},
    {.nome = "nessuna riga", .lat = {"45", "0"}, .scelto = ""},
    {.nome = "riga non numerica", .lat = {"45", "0"},
     .righe = {{.nome = "A", .prov = "AA", .lat = {"x", "1"}}}, .scelto = "errore tipo"},
};
// clang-format on

// The check of the two capitals chosen in the lists.
struct Scelta {
    const char* nome;
    QString voce1, voce2;
    bool accettata = false;
    QString messaggio{};
    std::optional<CodiceErrore> errore{};
};
Q_DECLARE_METATYPE(Scelta)
const QString Lontana = "la distanza tra il comune e la I provincia \rdeve essere minore "
                        "della distanza tra il comune e la II provincia";
// clang-format off
const Scelta Scelte[] = {
    {.nome = "la stessa", .voce1 = "MI (40 Km)", .voce2 = " MI (40 Km) ",
     .messaggio = "Le due province devono essere diverse"},
    {.nome = "distanze uguali", .voce1 = "MI (40 Km)", .voce2 = "BG (40 Km)", .accettata = true},
    {.nome = "numeri", .voce1 = "MI (999 Km)", .voce2 = "BG (1234 Km)", .accettata = true},
    {.nome = "1a più lontana", .voce1 = "MI (41 Km)", .voce2 = "BG (40 Km)", .messaggio = Lontana},
    {.nome = "x Km", .voce1 = "MI (x Km)", .voce2 = "BG (40 Km)", .errore = TipoNonCorrispondente},
};
// clang-format on

// The capitals found for the province codes p1 and p2 chosen in the two lists, in a list of
// capitals with the codes `sigle`: their indices i1 and i2.
struct Indici {
    const char* nome;
    QStringList sigle;
    QString p1, p2;
    int i1, i2;
};
Q_DECLARE_METATYPE(Indici)
// clang-format off
const Indici IndiciScelti[] = {
    {.nome = "la 2a prima", .sigle = {"BA", "BT", "BT"}, .p1 = "BT", .p2 = "BA", .i1 = 1, .i2 = 0},
    // The scan stops once both are found: the last BT met before the stop.
    {.nome = "fermata", .sigle = {"BT", "BT", "MI"}, .p1 = "BT", .p2 = "MI", .i1 = 1, .i2 = 2},
    {.nome = "subito", .sigle = {"BA", "BT", "BT"}, .p1 = "BA", .p2 = "BT", .i1 = 0, .i2 = 1},
    {.nome = "non trovata", .sigle = {"BA", "MI"}, .p1 = "XX", .p2 = "MI", .i1 = -1, .i2 = 1},
};
// clang-format on

// The irradiance of a locality at latitude `lat` from two capitals: the straight line through
// them, worked out apart in double precision.
struct Interpolazione {
    const char* nome;
    Luogo c1, c2;
    Coordinata lat;
    Atteso irradianza;
};
Q_DECLARE_METATYPE(Interpolazione)
const Luogo C45 = {.lat = {45, 0}, .hdh = 6, .hbh = 8}, C46 = {.lat = {46, 0}, .hdh = 5, .hbh = 7};
// clang-format off
const Interpolazione Interpolazioni[] = {
    {.nome = "13 × 11,57 = 150,41", .c1 = C45, .c2 = C46, .lat = {45, 30}, .irradianza = 150},
    {.nome = "fuori: 16 × 11,57 = 185,12", .c1 = C45, .c2 = C46, .lat = {44, 0}, .irradianza = 185},
    {.nome = "177,55", .c1 = {.lat = {41, 54}, .hdh = 6.12f, .hbh = 9.87f},
     .c2 = {.lat = {43, 47}, .hdh = 5.43f, .hbh = 8.21f}, .lat = {42, 25}, .irradianza = 177},
    {.nome = "lat. uguali", .c1 = C45, .c2 = {}, .lat = {45, 0}, .irradianza = DivisionePerZero},
    {.nome = "Hdh 2e9", .c1 = {.hdh = 2e9f}, .c2 = C46, .lat = {45, 30}, .irradianza = Overflow},
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
    // A nearer one pushes the nearest to second place.
    {.nome = "più vicino", .capoluoghi = {Km12, Km49, Km1}, .i1 = 2, .i2 = 0},
    {.nome = "senza dati", .capoluoghi = {{.hbh = 0}, {.hdh = 0}, Km49, Km12}, .i1 = 3, .i2 = 2},
    {.nome = "uno solo con i dati", .capoluoghi = {Km1, {.hdh = 0}}, .i1 = 0, .i2 = -1},
    // The failed distance counts as 0 km; it is reported also for a capital without data.
    {.nome = "coseno sopra 1", .comune = Critico,
     .capoluoghi = {{.lat = {37, 10}}, {.lat = {36, 58}, .lon = {9, 11}, .hdh = 0}, Critico},
     .i1 = 2, .i2 = 0, .erroriDistanza = {1, 2}},
};
// clang-format on

class TCalcoli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void arcCos_data() { Righe(ArchiCoseno); }
    void arcCos() {
        QFETCH(ArcoCoseno, caso);
        QCOMPARE(Testo(ArcCos(caso.coseno)), Testo(caso.angolo));
    }

    void distanzaKm_data() { Righe(Distanze); }
    void distanzaKm() {
        QFETCH(Distanza, caso);
        QCOMPARE(Testo(DistanzaKm(Dati(caso.da), Dati(caso.a))), Testo(caso.km));
    }

    void calcolaZona_data() { Righe(Zone); }
    void calcolaZona() {
        QFETCH(Zona, caso);
        QCOMPARE(CalcolaZona(caso.gradiGiorno), caso.zona);
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
        QList<RigaRiferimento> righe;
        for (const Candidato& c : caso.righe)
            righe.append({c.nome, c.prov, c.lat.gradi, c.lat.primi, c.lon.gradi, c.lon.primi});
        const Esito<Riferimento> r =
            ScegliRiferimento(CoordinataCompatta(caso.lat.gradi, caso.lat.primi).valore(),
                              CoordinataCompatta(caso.lon.gradi, caso.lon.primi).valore(), righe);
        QCOMPARE(r.ok() ? (r.valore().Nome + ' ' + r.valore().Prov).trimmed()
                        : NomeErrore(r.errore().codice),
                 caso.scelto);
    }

    void elencoDistanze() {
        // From CO; the exact kilometres in the comments.
        const QList<DatiComune> capoluoghi = {
            Dati({.lat = {51, 8}, .prov = "RM"}),                 // 1235.19
            Dati({.lat = {40, 7}, .prov = "MI"}),                 // 12.94
            Dati({.lat = {40, 0}, .prov = "CO"}),                 // 0
            Dati({.lat = {40, 54}, .lon = {9, 3}, .prov = "GE"}), // 99.94
            Dati({.lat = {41, 7}, .prov = "PV"}),                 // 123.89
            Dati({.lat = {40, 3}, .prov = "BG"}),                 // 5.55
            Dati({.lat = {40, 3}, .prov = "AA"}),                 // 5.55
        };
        const ElencoDistanze e =
            CalcolaElencoDistanze(capoluoghi[2].LatRad, capoluoghi[2].LongRad, capoluoghi);
        QCOMPARE(e.Voci, QStringList({"   0 AAA CO", "   5 AAA AA", "   5 AAA BG", "  12 AAA MI",
                                      "  99 AAA GE", " 123 AAA PV", "1235 AAA RM"}));
        QCOMPARE(VociCapoluoghi(e.Voci),
                 QStringList({"CO (0 Km)", "AA (5 Km)", "BG (5 Km)", "MI (12 Km)", "GE (99 Km)",
                              "PV (123 Km)", "RM (1235 Km)"}));
        QVERIFY(e.Errori.isEmpty());
    }

    void controlloSceltaProv_data() { Righe(Scelte); }
    void controlloSceltaProv() {
        QFETCH(Scelta, caso);
        const Esito<SceltaProvince> s = ControlloSceltaProv(caso.voce1, caso.voce2);
        QCOMPARE(s.ok() ? "" : NomeErrore(s.errore().codice),
                 caso.errore ? NomeErrore(*caso.errore) : "");
        QCOMPARE(s.valoreOppure({}).Accettata, caso.accettata);
        QCOMPARE(s.valoreOppure({}).Messaggio, caso.messaggio);
    }

    void cercaCapoluoghi_data() { Righe(IndiciScelti); }
    void cercaCapoluoghi() {
        QFETCH(Indici, caso);
        QList<DatiComune> capoluoghi;
        for (const QString& prov : caso.sigle)
            capoluoghi.append(Dati({.prov = prov}));
        const IndiciCapoluoghi i =
            CercaCapoluoghi(caso.p1 + " (3 Km)", caso.p2 + " (9 Km)", capoluoghi);
        QCOMPARE(i.i1, caso.i1);
        QCOMPARE(i.i2, caso.i2);
        if (i.i1 < 0)
            QCOMPARE(Testo(CalcolaIrradianza(capoluoghi, i, 45, 0)),
                     NomeErrore(IndiceFuoriIntervallo));
    }

    void calcolaIrradianza_data() { Righe(Interpolazioni); }
    void calcolaIrradianza() {
        QFETCH(Interpolazione, caso);
        const Esito<qint32> irradianza = CalcolaIrradianza(
            Dati(caso.c1), Dati(caso.c2), qint16(caso.lat.gradi), qint16(caso.lat.primi));
        QCOMPARE(Testo(irradianza), Testo(caso.irradianza));
    }

    void capoluoghiVicini_data() { Righe(CapoluoghiPiuVicini); }
    void capoluoghiVicini() {
        QFETCH(Vicini, caso);
        QList<DatiComune> capoluoghi;
        QList<PuntoSfera> punti;
        for (const Luogo& c : caso.capoluoghi) {
            capoluoghi.append(Dati(c));
            punti.append(PuntoSfera(capoluoghi.last()));
        }
        QList<ErroreDistanza> errori;
        const CapoluoghiVicini v =
            ScegliCapoluoghiVicini(PuntoSfera(Dati(caso.comune)), punti, capoluoghi, errori);
        QCOMPARE(v.i1, caso.i1);
        QCOMPARE(v.i2, caso.i2);
        QStringList visti, attesi;
        for (const ErroreDistanza& e : errori)
            visti << QString::number(e.capoluogo);
        for (const int i : caso.erroriDistanza)
            attesi << QString::number(i);
        QCOMPARE(Elenco(visti), Elenco(attesi));
    }
};

QTEST_GUILESS_MAIN(TCalcoli)
#include "tst_calcoli.moc"
