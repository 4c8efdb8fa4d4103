#include "support/ElencoLetto.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>

namespace {

using Campo = std::pair<const char*, QString RigaStampata::*>;
const Campo CampiRiga[] = {{"nome", &RigaStampata::nome},
                           {"prov", &RigaStampata::prov},
                           {"zona", &RigaStampata::zona},
                           {"altitudine", &RigaStampata::altitudine},
                           {"gradiGiorno", &RigaStampata::gradiGiorno},
                           {"latitudine", &RigaStampata::latitudine},
                           {"longitudine", &RigaStampata::longitudine},
                           {"irradianza", &RigaStampata::irradianza}};
// The left edges of the report's detail columns, in twips, in the order of CampiRiga.
constexpr double Colonne[] = {0, 2150, 2780, 3360, 4470, 5860, 7015, 8350};

void Confronta(QStringList& d, const char* campo, const QString& atteso, const QString& visto) {
    if (atteso != visto)
        d << QString("campo %1: atteso «%2», visto «%3»").arg(campo, atteso, visto);
}

struct Parola {
    int pagina;
    double x, y, centro; // twips inside the margins
    QString testo;
};

} // namespace

ElencoLetto LeggiElenco(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
    pdftotext.waitForFinished();
    static const QRegularExpression voce(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)<)re");
    QList<Parola> parole;
    int pagina = -1;
    for (const auto& m : voce.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
        const auto twip = [&](int n) { return m.captured(n).toDouble() * 20 - 1000; };
        if (m.captured(0).startsWith("<page"))
            ++pagina;
        else
            parole.append({pagina, twip(1), twip(2), (twip(1) + twip(3)) / 2,
                           m.captured(4).replace("&apos;", "'").replace("&quot;", "\"")});
    }
    std::stable_sort(parole.begin(), parole.end(), [](const Parola& a, const Parola& b) {
        return std::pair(a.pagina, a.y) < std::pair(b.pagina, b.y);
    });
    // Lines: words of one page whose tops lie within 5 points, in order of x; the page footer
    // (below 14500 twips) left out.
    QList<QList<Parola>> linee;
    for (const Parola& p : parole) {
        if (p.y >= 14500)
            continue;
        if (linee.isEmpty() || linee.last()[0].pagina != p.pagina || p.y - linee.last()[0].y > 100)
            linee.append(QList<Parola>());
        linee.last().append(p);
    }
    ElencoLetto e;
    // A caption's words go to its field up to the next caption ("Gradi" is part of one).
    const QMap<QString, QString*> didascalie = {{"Comune:", &e.comune},
                                                {"Prov.:", &e.prov},
                                                {"Zona:", &e.zona},
                                                {"Altitudine:", &e.altitudine},
                                                {"Giorno:", &e.gradiGiorno},
                                                {"Latitudine:", &e.latitudine},
                                                {"Longitudine:", &e.longitudine},
                                                {"Irradianza:", &e.irradianza},
                                                {"Gradi", nullptr}};
    bool dettaglio = false;
    const Parola* sopra = nullptr; // the first word of the last detail line
    for (QList<Parola>& linea : linee) {
        std::sort(linea.begin(), linea.end(), [](auto& a, auto& b) { return a.x < b.x; });
        QStringList testo;
        for (const Parola& p : linea)
            testo << p.testo;
        if (!dettaglio && didascalie.contains(testo[0])) {
            QString* campo = nullptr;
            for (const QString& parola : testo)
                if (didascalie.contains(parola))
                    campo = didascalie[parola];
                else if (campo)
                    *campo += (campo->isEmpty() ? "" : " ") + parola;
        } else if (testo[0].startsWith("Comune")) { // the column headings
            dettaglio = true;
        } else if (dettaglio &&
                   QRegularExpression("^\\d+ Comun[ei]$").match(testo.join(' ')).hasMatch()) {
            e.conteggio = testo.join(' ');
        } else if (dettaglio && sopra && sopra->pagina == linea[0].pagina &&
                   linea[0].y - sopra->y < 400 && linea.last().centro < Colonne[1]) {
            e.righe.last().nome += ' ' + testo.join(' '); // the rest of a long name
        } else if (dettaglio) {
            RigaStampata riga;
            for (const Parola& p : linea) {
                const auto c = std::upper_bound(std::begin(Colonne), std::end(Colonne), p.centro) -
                               std::begin(Colonne) - 1;
                QString& cella = riga.*CampiRiga[std::max<qsizetype>(c, 0)].second;
                cella += (cella.isEmpty() ? "" : " ") + p.testo;
            }
            e.righe.append(riga);
            sopra = &linea[0];
        }
    }
    for (const RigaStampata& r : e.righe)
        e.nomi << r.nome;
    return e;
}

QList<RigaStampata> LeggiCsv(const QByteArray& testo) {
    static const QRegularExpression cella(R"re(("(?:[^"]|"")*"|[^;"]*)(;|$))re");
    QList<RigaStampata> righe;
    for (const QString& linea : QString::fromUtf8(testo.mid(3)).split("\r\n", Qt::SkipEmptyParts)) {
        RigaStampata riga;
        int c = 0;
        for (auto m = cella.globalMatch(linea); m.hasNext() && c < 8;) {
            const auto trovata = m.next();
            const QString valore = trovata.captured(1);
            riga.*CampiRiga[c++].second =
                valore.startsWith('"') ? valore.mid(1, valore.size() - 2).replace("\"\"", "\"")
                                       : valore;
        }
        righe << riga;
    }
    return testo.startsWith("\xEF\xBB\xBF") ? righe : QList<RigaStampata>();
}

QStringList DifferenzeElenco(const ElencoLetto& a, const ElencoLetto& v) {
    const std::pair<const char*, QString ElencoLetto::*> campi[] = {
        {"comune", &ElencoLetto::comune},
        {"prov", &ElencoLetto::prov},
        {"zona", &ElencoLetto::zona},
        {"altitudine", &ElencoLetto::altitudine},
        {"gradiGiorno", &ElencoLetto::gradiGiorno},
        {"latitudine", &ElencoLetto::latitudine},
        {"longitudine", &ElencoLetto::longitudine},
        {"irradianza", &ElencoLetto::irradianza},
        {"conteggio", &ElencoLetto::conteggio}};
    QStringList d;
    for (const auto& [nome, campo] : campi)
        Confronta(d, nome, a.*campo, v.*campo);
    Confronta(d, "nomi", a.nomi.join(", "), v.nomi.join(", "));
    return d;
}

QStringList DifferenzeRiga(const RigaStampata& a, const RigaStampata& v) {
    QStringList d;
    for (const auto& [nome, campo] : CampiRiga)
        Confronta(d, nome, a.*campo, v.*campo);
    return d;
}
