#include "core/Conversioni.h"
#include "support/TabellaCasi.h"

using namespace Conversioni;

enum class Errore { Nessuno, Tipo, Overflow };
// Not a number: the message quotes the text as typed.
constexpr Errore Tipo = Errore::Tipo;

// What a conversion gives: a whole number, or one of the two errors.
struct Atteso {
    Atteso(qint64 numero)
        : valore(numero) {}
    Atteso(Errore e, QString testo = {})
        : errore(e)
        , citato(std::move(testo)) {}
    qint64 valore = 0;
    Errore errore = Errore::Nessuno;
    QString citato{};
};
// Out of range: the message quotes `citato`.
Atteso Sfora(const QString& citato) {
    return {Errore::Overflow, citato};
}

// A result as the user sees it: the number, or the error's message.
template <typename T> QString Testo(const Esito<T>& esito) {
    return esito.ok() ? QString::number(esito.valore()) : esito.errore().descrizione;
}

// The expected result written the same way, for the text `testo`.
QString Testo(const Atteso& a, const QString& testo = {}) {
    switch (a.errore) {
    case Errore::Tipo:
        return QString("Tipo non corrispondente: «%1» non è un numero.").arg(testo);
    case Errore::Overflow:
        return QString("Overflow: il valore %1 è fuori dall'intervallo consentito.").arg(a.citato);
    case Errore::Nessuno:
        break;
    }
    return QString::number(a.valore);
}

// A typed range bound read as a 16-bit whole number on an Italian and an English system; a
// system without a language reads as the Italian one.
struct Digitato {
    const char* nome;
    QString testo;
    Atteso italiano, inglese;
};
Q_DECLARE_METATYPE(Digitato)
// clang-format off
const Digitato Digitati[] = {
    {.nome = "metà al pari in giù", .testo = "12,5", .italiano = 12, .inglese = 12},
    {.nome = "metà al pari in su", .testo = "13.5", .italiano = 14, .inglese = 14},
    {.nome = "spazi e zero iniziale", .testo = " \t0500 ", .italiano = 500, .inglese = 500},
    {.nome = "punto delle migliaia", .testo = "1.500", .italiano = 1500, .inglese = 2},
    {.nome = "virgola delle migliaia", .testo = "1,500", .italiano = 2, .inglese = 1500},
    {.nome = "migliaia e decimali", .testo = "1.000,5", .italiano = 1000, .inglese = Tipo},
    {.nome = "migliaia all'inglese", .testo = "1,000.5", .italiano = Tipo, .inglese = 1000},
    {.nome = "massimo", .testo = "32767", .italiano = 32767, .inglese = 32767},
    {.nome = "oltre il massimo", .testo = "32767,5", .italiano = Sfora("32767,5"),
     .inglese = Sfora("32767,5")},
    {.nome = "minimo", .testo = "-32768,5", .italiano = -32768, .inglese = -32768},
    {.nome = "oltre, con spazio", .testo = " 40000", .italiano = Sfora("40000"),
     .inglese = Sfora("40000")},
    {.nome = "unità dopo il numero", .testo = "12 m", .italiano = Tipo, .inglese = Tipo},
    {.nome = "infinito", .testo = "inf", .italiano = Tipo, .inglese = Tipo},
    {.nome = "solo spazi", .testo = "  ", .italiano = Tipo, .inglese = Tipo},
};
// clang-format on

// The text of an input box as a save stores it: its leading number, to 16 bits.
struct Casella {
    const char* nome;
    QString testo;
    Atteso intero;
};
Q_DECLARE_METATYPE(Casella)
// clang-format off
const Casella Caselle[] = {
    {.nome = "numero, punto decimale, unità", .testo = "12.5 m", .intero = 12},
    {.nome = "spazi dentro, esponente", .testo = "1 5e 3", .intero = 15000},
    {.nome = "nessun numero all'inizio", .testo = "abc 7", .intero = 0},
    {.nome = "oltre 16 bit", .testo = "32767.5", .intero = Sfora("32767.5")},
};
// clang-format on

class TConversioni : public QObject {
    Q_OBJECT
private slots:
    void testoInIntero16_data() { Righe(Digitati); }
    void testoInIntero16() {
        QFETCH(Digitato, caso);
        const QLocale italiano = LocaleDeiNumeri(QLocale(QLocale::Italian, QLocale::Italy));
        const QLocale inglese = LocaleDeiNumeri(QLocale(QLocale::English, QLocale::UnitedStates));
        const QLocale senzaLingua = LocaleDeiNumeri(QLocale::c());
        QCOMPARE(Testo(TestoInIntero16(caso.testo, italiano)), Testo(caso.italiano, caso.testo));
        QCOMPARE(Testo(TestoInIntero16(caso.testo, senzaLingua)), Testo(caso.italiano, caso.testo));
        QCOMPARE(Testo(TestoInIntero16(caso.testo, inglese)), Testo(caso.inglese, caso.testo));
        QCOMPARE(ENumerico(caso.testo, italiano), caso.italiano.errore != Tipo);
        QCOMPARE(ENumerico(caso.testo, inglese), caso.inglese.errore != Tipo);
    }

    void interoDiCasella_data() { Righe(Caselle); }
    void interoDiCasella() {
        QFETCH(Casella, caso);
        QCOMPARE(Testo(InteroDiCasella(caso.testo)), Testo(caso.intero));
    }
};

QTEST_GUILESS_MAIN(TConversioni)
#include "tst_conversioni.moc"
