#pragma once

#include "core/Esito.h"

#include <QLocale>
#include <QString>
#include <optional>

// The numeric rules of the archive in one place: whole numbers are signed 16-bit (degree days,
// altitudes, degrees, primes) or 32-bit (irradiance); a real value or a typed text becomes a
// whole number by rounding to the nearest, halves to the even neighbour; Hdh, Hbh and angles are
// single precision. No window converts numbers by itself.
namespace Conversioni {

// Nearest whole number, halves to the even neighbour: 12.5 -> 12, 13.5 -> 14, -0.5 -> -0.
double ArrotondaPari(double valore);

// A real value as a 16-bit or 32-bit whole number (halves to even); an overflow error when the
// rounded value does not fit.
Esito<qint16> InIntero16(double valore);
Esito<qint32> InIntero32(double valore);

// The locale in which typed numbers are read: the system's, or Italian when the system has no
// language set (the C locale). Start-up makes it the default locale.
QLocale LocaleDeiNumeri(const QLocale& sistema = QLocale::system());

// A typed text as a number, surrounding blanks allowed. The text is read as `locale` writes
// numbers, group separators included (Italian: "1.500" is 1500, "1.000,5" is 1000.5); a text
// that `locale` cannot read is read again with the other decimal mark and no group separators
// (Italian: "12.5" is 12.5; English: "500,7" is 500.7). Empty when the text is not a number.
std::optional<double> TestoInNumero(const QString& testo, const QLocale& locale = QLocale());

// True when TestoInNumero can read the text.
bool ENumerico(const QString& testo, const QLocale& locale = QLocale());

// A typed text as a 16-bit whole number: a type-mismatch error when it is not a number, an
// overflow error naming the text as typed when the rounded value does not fit.
// 0500 -> 500, "500,7" (Italian) -> 501, "32767,5" -> overflow.
Esito<qint16> TestoInIntero16(const QString& testo, const QLocale& locale = QLocale());

// The whole number that a number box holds: its text read as TestoInNumero reads it, rounded
// halves to even; empty when the text is not a number. A value beyond 16 bits is still given:
// TestoInIntero16 reads the same way and refuses it. "1.500" (Italian) -> 1500, "2100.5" -> 2100.
std::optional<double> NumeroDiCasella(const QString& testo, const QLocale& locale = QLocale());

// The leading number of a text, whatever follows it: optional sign, digits, optional decimal
// part after a period, optional exponent (E or D); blanks, tabs and line feeds inside are
// skipped. 0 when the text does not start with a number. "12.5 m" -> 12.5, "abc" -> 0.
double ValoreIniziale(const QString& testo);

// The whole number of an input box as a save stores it: the leading number of the trimmed text,
// rounded halves to even; an overflow error when it does not fit 16 bits.
Esito<qint16> InteroDiCasella(const QString& testo);

// A double rounded to single precision.
float Singola(double valore);

} // namespace Conversioni
