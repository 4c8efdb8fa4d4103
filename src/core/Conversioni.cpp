#include "core/Conversioni.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace Conversioni {

namespace {

// The value as the error message shows it.
QString TestoDelValore(double valore) {
    return QString::number(valore, 'g', 15);
}

// Rounds halves to even, then checks that the result fits the integer type T.
template <typename T> Esito<T> InIntero(double valore) {
    const double arrotondato = ArrotondaPari(valore);
    if (!std::isfinite(arrotondato) ||
        arrotondato < static_cast<double>(std::numeric_limits<T>::min()) ||
        arrotondato > static_cast<double>(std::numeric_limits<T>::max()))
        return ErroreRuntime::Overflow(TestoDelValore(valore));
    return static_cast<T>(arrotondato);
}

// Characters that the leading-number reader skips wherever they appear.
bool DaSaltare(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool Cifra(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

double ArrotondaPari(double valore) {
    // The default floating-point rounding mode is to nearest, ties to even.
    return std::nearbyint(valore);
}

Esito<qint16> InIntero16(double valore) {
    return InIntero<qint16>(valore);
}

Esito<qint32> InIntero32(double valore) {
    return InIntero<qint32>(valore);
}

QLocale LocaleDeiNumeri(const QLocale& sistema) {
    return sistema.language() == QLocale::C ? QLocale(QLocale::Italian, QLocale::Italy) : sistema;
}

std::optional<double> TestoInNumero(const QString& testo, const QLocale& locale) {
    const QString pulito = testo.trimmed();
    if (pulito.isEmpty())
        return std::nullopt;
    bool ok = false;
    double valore = locale.toDouble(pulito, &ok);
    if (!ok) {
        QLocale altroSegno = locale.decimalPoint() == QStringLiteral(",")
                                 ? QLocale::c()
                                 : QLocale(QLocale::Italian, QLocale::Italy);
        altroSegno.setNumberOptions(QLocale::RejectGroupSeparator);
        valore = altroSegno.toDouble(pulito, &ok);
    }
    // "inf" and "nan" are read by both locales but are not numbers a user can type.
    if (!ok || !std::isfinite(valore))
        return std::nullopt;
    return valore;
}

bool ENumerico(const QString& testo, const QLocale& locale) {
    return TestoInNumero(testo, locale).has_value();
}

std::optional<double> NumeroDiCasella(const QString& testo, const QLocale& locale) {
    const auto numero = TestoInNumero(testo, locale);
    if (!numero)
        return std::nullopt;
    return ArrotondaPari(*numero);
}

Esito<qint16> TestoInIntero16(const QString& testo, const QLocale& locale) {
    const auto numero = TestoInNumero(testo, locale);
    if (!numero)
        return ErroreRuntime::TipoNonCorrispondente(testo);
    const Esito<qint16> intero = InIntero16(*numero);
    if (!intero.ok())
        return ErroreRuntime::Overflow(testo.trimmed());
    return intero;
}

double ValoreIniziale(const QString& testo) {
    // Collect the number in plain C notation ("-12.5e3"), skipping blanks, then convert it.
    qsizetype i = 0;
    const qsizetype n = testo.size();
    auto salta = [&] {
        while (i < n && DaSaltare(testo[i]))
            ++i;
    };
    // Appends the digits found from position i, skipping blanks; returns how many were found.
    auto leggiCifre = [&](std::string& destinazione) {
        int quante = 0;
        for (salta(); i < n && Cifra(testo[i]); salta()) {
            destinazione += static_cast<char>(testo[i].unicode());
            ++i;
            ++quante;
        }
        return quante;
    };

    salta();
    bool negativo = false;
    if (i < n && (testo[i] == u'+' || testo[i] == u'-')) {
        negativo = testo[i] == u'-';
        ++i;
    }
    std::string intera;
    std::string decimale;
    leggiCifre(intera);
    salta();
    if (i < n && testo[i] == u'.') {
        ++i;
        leggiCifre(decimale);
    }
    if (intera.empty() && decimale.empty())
        return 0.0;

    // An exponent counts only when at least one digit follows its letter and optional sign.
    std::string esponente;
    salta();
    if (i < n && (testo[i] == u'E' || testo[i] == u'e' || testo[i] == u'D' || testo[i] == u'd')) {
        ++i;
        salta();
        std::string segno;
        if (i < n && (testo[i] == u'+' || testo[i] == u'-')) {
            segno = testo[i] == u'-' ? "-" : "";
            ++i;
        }
        std::string cifre;
        if (leggiCifre(cifre) > 0)
            esponente = "e" + segno + cifre;
    }

    const std::string numero = (intera.empty() ? std::string("0") : intera) +
                               (decimale.empty() ? std::string() : "." + decimale) + esponente;
    double valore = 0.0;
    const auto risultato = std::from_chars(numero.data(), numero.data() + numero.size(), valore);
    if (risultato.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: decide which by the magnitude of the number,
        // the count of significant whole digits plus the exponent.
        const auto primaSignificativa = intera.find_first_not_of('0');
        long long grandezza = primaSignificativa == std::string::npos
                                  ? 0
                                  : static_cast<long long>(intera.size() - primaSignificativa);
        if (!esponente.empty()) {
            const std::string cifreEsp = esponente.substr(esponente[1] == '-' ? 2 : 1);
            const long long limite = 100000;
            long long esp = 0;
            for (char c : cifreEsp)
                esp = std::min(limite, esp * 10 + (c - '0'));
            grandezza += esponente[1] == '-' ? -esp : esp;
        }
        valore = grandezza > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negativo ? -valore : valore;
}

Esito<qint16> InteroDiCasella(const QString& testo) {
    return InIntero16(ValoreIniziale(testo.trimmed()));
}

float Singola(double valore) {
    return static_cast<float>(valore);
}

} // namespace Conversioni
