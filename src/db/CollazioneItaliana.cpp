#include "db/CollazioneItaliana.h"

#include "db/import/LettoreUtf8.h"

#include <QChar>
#include <QString>
#include <array>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace CollazioneItaliana {
namespace {

// One character folded for comparison: its base letter in upper case and the accent it carries
// (0 for none). Letter case is dropped entirely.
struct Piegato {
    char32_t base = 0;
    char32_t accento = 0;
    bool operator==(const Piegato&) const = default;
};

Piegato PiegaConQChar(char32_t c) {
    if (QChar::decompositionTag(c) == QChar::Canonical) {
        const QString parti = QChar::decomposition(c);
        if (parti.size() >= 2)
            return {QChar::toUpper(char32_t(parti.at(0).unicode())), parti.at(1).unicode()};
    }
    return {QChar::toUpper(c), 0};
}

const std::array<Piegato, 256>& TabellaLatin1() {
    static const std::array<Piegato, 256> tabella = [] {
        std::array<Piegato, 256> t{};
        for (char32_t c = 0; c < 256; ++c)
            t[c] = c < 0x80 ? Piegato{c >= 'a' && c <= 'z' ? c - 32 : c, 0} : PiegaConQChar(c);
        return t;
    }();
    return tabella;
}

Piegato Piega(char32_t c) {
    return c < 256 ? TabellaLatin1()[c] : PiegaConQChar(c);
}

class LettoreUtf16 {
public:
    explicit LettoreUtf16(QStringView testo)
        : testo_(testo) {}
    bool finito() const { return i_ >= testo_.size(); }
    char32_t prossimo() {
        const QChar c = testo_.at(i_++);
        if (c.isHighSurrogate() && i_ < testo_.size() && testo_.at(i_).isLowSurrogate())
            return QChar::surrogateToUcs4(c, testo_.at(i_++));
        return c.unicode();
    }

private:
    QStringView testo_;
    qsizetype i_ = 0;
};

template <typename Lettore> int ConfrontaCon(Lettore a, Lettore b) {
    // Letters first: the accents decide only between texts equal letter by letter.
    const Lettore inizioA = a;
    const Lettore inizioB = b;
    while (!a.finito() && !b.finito()) {
        const char32_t ba = Piega(a.prossimo()).base;
        const char32_t bb = Piega(b.prossimo()).base;
        if (ba != bb)
            return ba < bb ? -1 : 1;
    }
    if (!a.finito() || !b.finito())
        return a.finito() ? -1 : 1;
    a = inizioA;
    b = inizioB;
    while (!a.finito()) {
        const char32_t aa = Piega(a.prossimo()).accento;
        const char32_t ab = Piega(b.prossimo()).accento;
        if (aa != ab)
            return aa < ab ? -1 : 1;
    }
    return 0;
}

// A LIKE pattern folded once: each element is a character or one of the two wildcards.
enum class Jolly { Nessuno, Uno, Molti };
struct ElementoModello {
    Jolly jolly = Jolly::Nessuno;
    Piegato carattere;
};
using Modello = std::vector<ElementoModello>;

template <typename Lettore> Modello PiegaModello(Lettore lettore, char32_t escape) {
    Modello modello;
    while (!lettore.finito()) {
        char32_t c = lettore.prossimo();
        if (escape != 0 && c == escape && !lettore.finito()) {
            modello.push_back({Jolly::Nessuno, Piega(lettore.prossimo())});
            continue;
        }
        if (c == U'%')
            modello.push_back({Jolly::Molti, {}});
        else if (c == U'_')
            modello.push_back({Jolly::Uno, {}});
        else
            modello.push_back({Jolly::Nessuno, Piega(c)});
    }
    return modello;
}

template <typename Lettore> bool SomigliaA(Lettore lettore, const Modello& modello) {
    std::vector<Piegato> testo;
    while (!lettore.finito())
        testo.push_back(Piega(lettore.prossimo()));

    // Greedy matching that returns to the last % on a mismatch: linear for the usual
    // patterns, never exponential.
    size_t p = 0, t = 0, ultimoMolti = SIZE_MAX, ripresa = 0;
    while (t < testo.size()) {
        if (p < modello.size() && modello[p].jolly != Jolly::Molti &&
            (modello[p].jolly == Jolly::Uno || modello[p].carattere == testo[t])) {
            ++p;
            ++t;
        } else if (p < modello.size() && modello[p].jolly == Jolly::Molti) {
            ultimoMolti = p++;
            ripresa = t;
        } else if (ultimoMolti != SIZE_MAX) {
            p = ultimoMolti + 1;
            t = ++ripresa;
        } else {
            return false;
        }
    }
    while (p < modello.size() && modello[p].jolly == Jolly::Molti)
        ++p;
    return p == modello.size();
}

int ConfrontaSqlite(void*, int lunghezzaA, const void* a, int lunghezzaB, const void* b) {
    return ConfrontaUtf8(static_cast<const char*>(a), lunghezzaA, static_cast<const char*>(b),
                         lunghezzaB);
}

void LikeSqlite(sqlite3_context* contesto, int argc, sqlite3_value** argv) {
    // SQLite calls like(pattern, text[, escape]) for "text LIKE pattern".
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(contesto);
            return;
        }
    }
    char32_t escape = 0;
    if (argc == 3) {
        const char* e = reinterpret_cast<const char*>(sqlite3_value_text(argv[2]));
        LettoreUtf8 lettore(e, sqlite3_value_bytes(argv[2]));
        if (lettore.finito()) {
            sqlite3_result_error(contesto, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = lettore.prossimo();
    }
    const char* testo = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const LettoreUtf8 lettoreTesto(testo, sqlite3_value_bytes(argv[1]));

    // The pattern is folded once per statement and kept by SQLite between rows.
    if (const auto* salvato = static_cast<const Modello*>(sqlite3_get_auxdata(contesto, 0))) {
        sqlite3_result_int(contesto, SomigliaA(lettoreTesto, *salvato));
        return;
    }
    const char* m = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    auto modello = std::make_unique<Modello>(
        PiegaModello(LettoreUtf8(m, sqlite3_value_bytes(argv[0])), escape));
    sqlite3_result_int(contesto, SomigliaA(lettoreTesto, *modello));
    // SQLite may free the pattern at once, so it is handed over only after its last use.
    sqlite3_set_auxdata(contesto, 0, modello.release(),
                        [](void* dato) { delete static_cast<Modello*>(dato); });
}

} // namespace

int Confronta(QStringView a, QStringView b) {
    return ConfrontaCon(LettoreUtf16(a), LettoreUtf16(b));
}

int ConfrontaUtf8(const char* a, int lunghezzaA, const char* b, int lunghezzaB) {
    return ConfrontaCon(LettoreUtf8(a, lunghezzaA), LettoreUtf8(b, lunghezzaB));
}

bool Somiglia(QStringView testo, QStringView modello, char32_t escape) {
    return SomigliaA(LettoreUtf16(testo), PiegaModello(LettoreUtf16(modello), escape));
}

int Registra(sqlite3* db) {
    int esito =
        sqlite3_create_collation_v2(db, Nome, SQLITE_UTF8, nullptr, ConfrontaSqlite, nullptr);
    const int flag = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    if (esito == SQLITE_OK)
        esito = sqlite3_create_function_v2(db, "like", 2, flag, nullptr, LikeSqlite, nullptr,
                                           nullptr, nullptr);
    if (esito == SQLITE_OK)
        esito = sqlite3_create_function_v2(db, "like", 3, flag, nullptr, LikeSqlite, nullptr,
                                           nullptr, nullptr);
    return esito;
}

} // namespace CollazioneItaliana
