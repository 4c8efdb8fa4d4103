#include "support/ElencoLetto.h"

#include <QMap>
#include <QProcess>
#include <QRegularExpression>

namespace {

// The cells of a row in the order of the columns, and their captions in the printed header.
using R = RigaStampata;
constexpr QString R::*Campi[] = {&R::comune,      &R::prov,       &R::zona,        &R::altitudine,
                                 &R::gradiGiorno, &R::latitudine, &R::longitudine, &R::irradianza};
const QStringList Didascalie = {"Comune:",       "Prov.:",      "Zona:",        "Altitudine:",
                                "Gradi Giorno:", "Latitudine:", "Longitudine:", "Irradianza:"};

} // namespace

QList<QList<ParolaPdf>> LeggiPdf(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
    pdftotext.waitForFinished(-1);
    static const QRegularExpression voce(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
    QList<QList<ParolaPdf>> pagine;
    const QString testo = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const QString& pagina : testo.split("<page ").mid(1)) {
        QMap<std::pair<int, double>, ParolaPdf> parole; // by their top, then by their left edge
        for (const auto& m : voce.globalMatch(pagina)) {
            const auto twip = [&](int n) { return m.captured(n).toDouble() * 20 - 1000; };
            parole.insert({qRound(twip(2)), twip(1)},
                          {m.captured(5).replace("&apos;", "'").replace("&quot;", "\""),
                           QRectF(QPointF(twip(1), twip(2)), QPointF(twip(3), twip(4)))});
        }
        pagine << parole.values();
    }
    return pagine;
}

ElencoLetto LeggiElenco(const QString& pdf) {
    const auto unisci = [](QString& t, const QString& p) { t += (t.isEmpty() ? "" : " ") + p; };
    ElencoLetto e;
    QString testata, *criterio = &testata; // the words after the last caption read
    QMap<qsizetype, QString> nomi, altre;  // by detail line: the words in the column of the names
    for (const auto& [testo, box] : LeggiPdf(pdf).value(0)) {
        const qsizetype i = Didascalie.indexOf(testo == "Giorno:" ? "Gradi Giorno:" : testo);
        if (i >= 0)
            criterio = &(e.criteri.*Campi[i]);
        else if (box.top() < 4600 && testo != "Gradi") // above the column headings
            unisci(*criterio, testo);
        else if (box.top() > 5055 && box.top() < 14500) // 510 twips a line, above the page footer
            unisci((box.center().x() < 2150 ? nomi : altre)[qsizetype(box.top() - 5055) / 510],
                   testo);
    }
    // The count stands alone on the line under the last detail line.
    e.nomi = nomi.values(), e.conteggio = altre.value(nomi.isEmpty() ? 0 : nomi.lastKey() + 1);
    return e;
}

QList<RigaStampata> LeggiCsv(const QByteArray& testo) {
    QList<RigaStampata> righe;
    for (const QString& linea : QString::fromUtf8(testo.mid(3)).split("\r\n", Qt::SkipEmptyParts)) {
        RigaStampata& riga = righe.emplace_back();
        auto m = QRegularExpression(R"re((?|"((?:[^"]|"")*)"|([^;"]*))(;|$))re").globalMatch(linea);
        for (QString R::*campo : Campi)
            riga.*campo = m.hasNext() ? m.next().captured(1).replace("\"\"", "\"") : QString();
    }
    return testo.startsWith("\xEF\xBB\xBF") ? righe : QList<RigaStampata>();
}

QStringList DifferenzeRiga(const RigaStampata& a, const RigaStampata& v) {
    QStringList d;
    for (qsizetype i = 0; i < Didascalie.size(); ++i)
        if (a.*Campi[i] != v.*Campi[i])
            d << QString("%1 atteso «%2», visto «%3»").arg(Didascalie[i], a.*Campi[i], v.*Campi[i]);
    return d;
}

QStringList DifferenzeElenco(const ElencoLetto& a, const ElencoLetto& v) {
    QStringList d = DifferenzeRiga(a.criteri, v.criteri);
    if (a.nomi != v.nomi)
        d << QString("nomi attesi «%1», visti «%2»").arg(a.nomi.join(", "), v.nomi.join(", "));
    if (a.conteggio != v.conteggio)
        d << QString("conteggio atteso «%1», visto «%2»").arg(a.conteggio, v.conteggio);
    return d;
}
