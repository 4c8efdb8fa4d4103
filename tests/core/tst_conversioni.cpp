#include "core/Conversioni.h"
#include "support/TabellaCasi.h"

using namespace Conversioni;
using enum CodiceErrore;

// What a conversion gives: a whole number, or the kind of error (the messages are seen where a
// search shows them).
using Atteso = std::variant<qint64, CodiceErrore>;

QString NomeErrore(CodiceErrore codice) {
    return codice == TipoNonCorrispondente ? "errore tipo"
           : codice == Overflow            ? "errore overflow"
                                           : "altro errore";
}
template <typename T> QString Testo(const Esito<T>& e) {
    return e.ok() ? QString::number(e.valore()) : NomeErrore(e.errore().codice);
}
QString Testo(const Atteso& a) {
    return a.index() == 0 ? QString::number(std::get<0>(a)) : NomeErrore(std::get<1>(a));
}

// A text read three ways: as a typed range bound, a 16-bit whole number, on an Italian and on an
// English system (a system without a language reads as the Italian one); and as the text of an
// input box when a save stores it, its leading number in C notation, to 16 bits.
struct Digitato {
    const char* nome;
    QString testo;
    Atteso italiano, inglese, casella;
};
Q_DECLARE_METATYPE(Digitato)
// clang-format off
const Digitato Digitati[] = {
    {.nome = "metà al pari in giù", .testo = "12,5", .italiano = 12, .inglese = 12, .casella = 12},
    {.nome = "metà al pari in su", .testo = "13.5", .italiano = 14, .inglese = 14, .casella = 14},
    {.nome = "punto delle migliaia", .testo = "1.500", .italiano = 1500, .inglese = 2, .casella = 2},
    {.nome = "virgola delle migliaia", .testo = "1,500", .italiano = 2, .inglese = 1500, .casella = 1},
    {.nome = "migliaia e decimali", .testo = "1.000,5", .italiano = 1000, .inglese = TipoNonCorrispondente, .casella = 1},
    {.nome = "massimo", .testo = "32767", .italiano = 32767, .inglese = 32767, .casella = 32767},
    {.nome = "oltre il massimo", .testo = "32767,5", .italiano = Overflow, .inglese = Overflow, .casella = 32767},
    {.nome = "oltre il massimo, punto decimale", .testo = "32767.5", .italiano = Overflow, .inglese = Overflow, .casella = Overflow},
    {.nome = "minimo", .testo = "-32768,5", .italiano = -32768, .inglese = -32768, .casella = -32768},
    {.nome = "oltre il minimo", .testo = "-32769", .italiano = Overflow, .inglese = Overflow, .casella = Overflow},
    {.nome = "spazi dentro, esponente", .testo = "1 5e 3", .italiano = TipoNonCorrispondente, .inglese = TipoNonCorrispondente, .casella = 15000},
    {.nome = "unità dopo il numero", .testo = "12 m", .italiano = TipoNonCorrispondente, .inglese = TipoNonCorrispondente, .casella = 12},
    {.nome = "infinito", .testo = "inf", .italiano = TipoNonCorrispondente, .inglese = TipoNonCorrispondente, .casella = 0},
    {.nome = "solo spazi", .testo = "  ", .italiano = TipoNonCorrispondente, .inglese = TipoNonCorrispondente, .casella = 0},
};
// clang-format on

class TConversioni : public QObject {
    Q_OBJECT
private slots:
    void conversioni_data() { Righe(Digitati); }
    void conversioni() {
        QFETCH(Digitato, caso);
        const QLocale italiano = LocaleDeiNumeri(QLocale(QLocale::Italian, QLocale::Italy));
        const QLocale inglese = LocaleDeiNumeri(QLocale(QLocale::English, QLocale::UnitedStates));
        const QLocale senzaLingua = LocaleDeiNumeri(QLocale::c());
        QCOMPARE(Testo(TestoInIntero16(caso.testo, italiano)), Testo(caso.italiano));
        QCOMPARE(Testo(TestoInIntero16(caso.testo, senzaLingua)), Testo(caso.italiano));
        QCOMPARE(Testo(TestoInIntero16(caso.testo, inglese)), Testo(caso.inglese));
        QCOMPARE(ENumerico(caso.testo, italiano), caso.italiano != Atteso(TipoNonCorrispondente));
        QCOMPARE(ENumerico(caso.testo, inglese), caso.inglese != Atteso(TipoNonCorrispondente));
        QCOMPARE(Testo(InteroDiCasella(caso.testo)), Testo(caso.casella));
    }
};

QTEST_GUILESS_MAIN(TConversioni)
#include "tst_conversioni.moc"
