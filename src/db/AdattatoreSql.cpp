#include "AdattatoreSql.h"

namespace {

bool InizioParola(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool DentroParola(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

QChar Chiusura(QChar apertura) {
    return apertura == QLatin1Char('[') ? QLatin1Char(']') : apertura;
}

// Appends a word, with the yes/no words of Jet as the numbers stored for them; the word itself
// goes in without a copy of its own.
void AggiungiParola(QString& risultato, QStringView parola) {
    if (parola.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 ||
        parola.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        risultato += QLatin1String("-1");
    else if (parola.compare(QLatin1String("no"), Qt::CaseInsensitive) == 0 ||
             parola.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        risultato += QLatin1Char('0');
    else
        risultato += parola;
}

} // namespace

QString AdattaSql(const QString& testoJet) {
    QString risultato;
    risultato.reserve(testoJet.size());
    const qsizetype n = testoJet.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = testoJet.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[') ||
            c == QLatin1Char('`')) {
            // A quoted text runs to its closing mark; a doubled closing mark stays inside it.
            const QChar fine = Chiusura(c);
            qsizetype j = i + 1;
            while (j < n) {
                if (testoJet.at(j) == fine) {
                    if (j + 1 < n && testoJet.at(j + 1) == fine && fine != QLatin1Char(']')) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype fineTesto = j < n ? j + 1 : n;
            risultato += QStringView(testoJet).sliced(i, fineTesto - i);
            i = fineTesto;
        } else if (InizioParola(c)) {
            qsizetype j = i + 1;
            while (j < n && DentroParola(testoJet.at(j)))
                ++j;
            AggiungiParola(risultato, QStringView(testoJet).sliced(i, j - i));
            i = j;
        } else if (c.isDigit()) {
            // A number such as 1e5 is copied whole, so that its letters are never read as words.
            qsizetype j = i + 1;
            while (j < n && DentroParola(testoJet.at(j)))
                ++j;
            risultato += QStringView(testoJet).sliced(i, j - i);
            i = j;
        } else {
            risultato += c;
            ++i;
        }
    }
    return risultato;
}
