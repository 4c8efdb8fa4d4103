#pragma once

#include <QStringView>

struct sqlite3;

// Names of municipalities are compared and sorted without regard to letter case, accented
// Italian letters included: FORLÌ equals Forlì, and FORLÌ sorts right after FORLI and before
// FORLIMPOPOLI (letters first, accents only to break a tie). SQLite's own NOCASE and LIKE fold
// only the letters A to Z, so the archive registers these two functions on every connection.
namespace CollazioneItaliana {

inline constexpr const char* Nome = "ITALIANO";

// <0, 0 or >0 as `a` sorts before, equal to or after `b`.
int Confronta(QStringView a, QStringView b);
int ConfrontaUtf8(const char* a, int lunghezzaA, const char* b, int lunghezzaB);

// SQL LIKE without regard to case: % stands for any run of characters, _ for one character;
// `escape` (when not 0) makes the next % or _ literal.
bool Somiglia(QStringView testo, QStringView modello, char32_t escape = 0);

// Registers the collation ITALIANO and a LIKE that uses the same folding on a connection.
// Returns the SQLite result code.
int Registra(sqlite3* db);

} // namespace CollazioneItaliana
