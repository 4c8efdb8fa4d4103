#include "support/ElencoLetto.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>

namespace {

const std::pair<const char*, QString RigaStampata::*> Campi[] = {
    {"comune", &RigaStampata::comune},
    {"prov", &RigaStampata::prov},
    {"zona", &RigaStampata::zona},
    {"altitudine", &RigaStampata::altitudine},
    {"gradiGiorno", &RigaStampata::gradiGiorno},
    {"latitudine", &RigaStampata::latitudine},
    {"longitudine", &RigaStampata::longitudine},
    {"irradianza", &RigaStampata::irradianza}};
// In the order of Campi: the captions of the header ("Gradi Giorno:" read as "Giorno:") and the
// left edges of the detail columns, in twips.
const QStringList Didascalie = {"Comune:", "Prov.:",      "Zona:",        "Altitudine:",
                                "Giorno:", "Latitudine:", "Longitudine:", "Irradianza:"};
constexpr double Colonne[] = {0, 2150, 2780, 3360, 4470, 5860, 7015, 8350};

void Aggiungi(QString& testo, const QString& parola) {
    testo += (testo.isEmpty() ? "" : " ") + parola;
}

void Confronta(QStringList& d, const char* campo, const QString& atteso, const QString& visto) {
    if (atteso != visto)
        d << QString("campo %1: atteso «%2», visto «%3»").arg(campo, atteso, visto);
}

} // namespace

QList<QList<ParolaPdf>> LeggiPdf(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
    pdftotext.waitForFinished(-1);
    static const QRegularExpression voce(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
    QList<QList<ParolaPdf>> pagine;
    for (const auto& m : voce.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
        const auto twip = [&](int n) { return m.captured(n).toDouble() * 20 - 1000; };
        if (m.captured(0).startsWith("<page"))
            pagine.emplace_back();
        else
            pagine.last().append(
                {m.captured(5).replace("&apos;", "'").replace("&quot;", "\"").replace("&amp;", "&"),
                 QRectF(QPointF(twip(1), twip(2)), QPointF(twip(3), twip(4)))});
    }
    for (QList<ParolaPdf>& pagina : pagine)
        std::stable_sort(pagina.begin(), pagina.end(), [](const ParolaPdf& p, const ParolaPdf& q) {
            return std::pair(qRound(p.box.top()), p.box.left()) <
                   std::pair(qRound(q.box.top()), q.box.left());
        });
    return pagine;
}

ElencoLetto LeggiElenco(const QString& pdf) {
    ElencoLetto e;
    QString* criterio = nullptr; // that of the last caption read
    QStringList linee;           // the words of each detail line
    for (const ParolaPdf& p : LeggiPdf(pdf).value(0)) {
        const double y = p.box.top(); // the column headings at 4640, the detail lines from 5115
        if (y < 4600) {
            if (const qsizetype i = Didascalie.indexOf(p.testo); i >= 0)
                criterio = &(e.criteri.*Campi[i].second);
            else if (criterio && p.testo != "Gradi")
                Aggiungi(*criterio, p.testo);
        } else if (y > 5055 && y < 14500) { // 510 twips a line, above the page footer
            const qsizetype r = qsizetype(y - 5055) / 510;
            linee.resize(std::max(linee.size(), r + 1));
            e.righe.resize(linee.size());
            const auto c =
                std::upper_bound(Colonne, std::end(Colonne), p.box.center().x()) - Colonne - 1;
            Aggiungi(linee[r], p.testo);
            Aggiungi(e.righe[r].*Campi[std::max<qsizetype>(c, 0)].second, p.testo);
        }
    }
    // The count stands on the line under the last detail line.
    if (QRegularExpression("^\\d+ Comun[ei]$").match(linee.value(linee.size() - 1)).hasMatch())
        e.conteggio = linee.takeLast(), e.righe.removeLast();
    for (const RigaStampata& r : e.righe)
        e.nomi << r.comune;
    return e;
}

QList<RigaStampata> LeggiCsv(const QByteArray& testo) {
    static const QRegularExpression cella(R"re(("(?:[^"]|"")*"|[^;"]*)(;|$))re");
    QList<RigaStampata> righe;
    for (const QString& linea : QString::fromUtf8(testo.mid(3)).split("\r\n", Qt::SkipEmptyParts)) {
        RigaStampata& riga = righe.emplace_back();
        auto m = cella.globalMatch(linea);
        for (const auto& [nome, campo] : Campi) {
            const QString valore = m.hasNext() ? m.next().captured(1) : QString();
            riga.*campo = valore.startsWith('"')
                              ? valore.mid(1, valore.size() - 2).replace("\"\"", "\"")
                              : valore;
        }
    }
    return testo.startsWith("\xEF\xBB\xBF") ? righe : QList<RigaStampata>();
}

QStringList DifferenzeRiga(const RigaStampata& a, const RigaStampata& v) {
    QStringList d;
    for (const auto& [nome, campo] : Campi)
        Confronta(d, nome, a.*campo, v.*campo);
    return d;
}

QStringList DifferenzeElenco(const ElencoLetto& a, const ElencoLetto& v) {
    QStringList d = DifferenzeRiga(a.criteri, v.criteri);
    Confronta(d, "conteggio", a.conteggio, v.conteggio);
    Confronta(d, "nomi", a.nomi.join(", "), v.nomi.join(", "));
    return d;
}
