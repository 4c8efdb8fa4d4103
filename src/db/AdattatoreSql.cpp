#include "db/AdattatoreSql.h"

#include "db/CollazioneItaliana.h"

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

bool ParolaUguale(QStringView parola, const char* attesa) {
    return parola.compare(QLatin1String(attesa), Qt::CaseInsensitive) == 0;
}

bool ColonnaDiNomi(QStringView parola) {
    return ParolaUguale(parola, "COM_NAME") || ParolaUguale(parola, "COM_RIFER_NAME");
}

// True when a comparison follows position `i` (after blanks): =, <>, <, >, !=, BETWEEN, IN.
bool SegueConfronto(const QString& testo, qsizetype i) {
    while (i < testo.size() && testo.at(i).isSpace())
        ++i;
    if (i >= testo.size())
        return false;
    const QChar c = testo.at(i);
    if (c == u'=' || c == u'<' || c == u'>' || c == u'!')
        return true;
    qsizetype j = i;
    while (j < testo.size() && DentroParola(testo.at(j)))
        ++j;
    const QStringView parola = QStringView(testo).sliced(i, j - i);
    return ParolaUguale(parola, "BETWEEN") || ParolaUguale(parola, "IN");
}

} // namespace

QString AdattaSql(const QString& testoJet) {
    QString risultato;
    risultato.reserve(testoJet.size());
    const qsizetype n = testoJet.size();
    qsizetype i = 0;
    // Where a name column is sorted or compared, the Italian collation is named, since the
    // stored tables name none: after ORDER BY, and before a comparison outside SET.
    bool ordinamento = false;
    bool assegnazioni = false;
    QStringView precedente;
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
            const QStringView parola = QStringView(testoJet).sliced(i, j - i);
            AggiungiParola(risultato, parola);
            if (ParolaUguale(parola, "BY") && ParolaUguale(precedente, "ORDER"))
                ordinamento = true;
            else if (ParolaUguale(parola, "SET"))
                assegnazioni = true;
            else if (ParolaUguale(parola, "WHERE"))
                assegnazioni = false;
            else if (ColonnaDiNomi(parola) &&
                     (ordinamento || (!assegnazioni && SegueConfronto(testoJet, j))))
                risultato += QStringLiteral(" COLLATE ") + QLatin1String(CollazioneItaliana::Nome);
            precedente = parola;
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
