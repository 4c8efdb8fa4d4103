#include "report/DisegnoReport.h"
#include "report/EsportaPdf.h"
#include "support/ArchivioProva.h"

#include <QFontMetricsF>
#include <QtTest>

using namespace Report;

// The printed list read back from the PDF with pdftotext -bbox: which words land where, against
// the layout table. Positions are in twips from the top left corner inside the margins.
class TStampaPdf : public QObject {
    Q_OBJECT

    struct Parola {
        QString testo;
        QRectF box;
    };
    using PaginaPdf = QList<Parola>;
    static constexpr double Tolleranza = 40;          // 2 points
    static constexpr int AltezzaUtile = 16840 - 2000; // A4 less the two margins
    static inline const QRectF Tutto{0, 0, 9600, AltezzaUtile};

    QTemporaryDir cartella;

    static int H(TipoBanda tipo) { return RepElComuni().banda(tipo).altezza; }
    static QList<PaginaPdf> Leggi(const QString& pdf) {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
        pdftotext.waitForFinished();
        static const QRegularExpression parola(
            R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
        QList<PaginaPdf> pagine;
        const QString testo = QString::fromUtf8(pdftotext.readAllStandardOutput());
        for (const QRegularExpressionMatch& m : parola.globalMatch(testo)) {
            auto twip = [&](int n) { return m.captured(n).toDouble() * 20 - 1000; };
            if (m.captured(0).startsWith("<page"))
                pagine.append(PaginaPdf());
            else
                pagine.last().append(
                    {QString(m.captured(5)).replace("&apos;", "'"),
                     QRectF(QPointF(twip(1), twip(2)), QPointF(twip(3), twip(4)))});
        }
        return pagine;
    }

    // The box of a text's words lying in `area`; empty when not there. Captions that nearly
    // touch come out of pdftotext as one word ("ZonaAltitudine"): a word is then found inside
    // another and its share of the box measured with the element's font.
    static QRectF Trova(const PaginaPdf& pagina, const QString& testo, const QRectF& area,
                        const QFont& font = QFont()) {
        const QRectF dentro = area.adjusted(-Tolleranza, -Tolleranza, Tolleranza, Tolleranza);
        const QFontMetricsF metrica(font);
        QRectF box;
        for (const QString& t : testo.split(' ', Qt::SkipEmptyParts)) {
            QRectF trovato;
            for (const Parola& p : pagina) {
                const qsizetype k = p.testo.indexOf(t);
                const double scala = p.box.width() / metrica.horizontalAdvance(p.testo);
                QRectF parte = p.box;
                parte.setLeft(p.box.left() + scala * metrica.horizontalAdvance(p.testo.left(k)));
                parte.setRight(p.box.left() +
                               scala * metrica.horizontalAdvance(p.testo.left(k + t.size())));
                if (k >= 0 && dentro.contains(parte) && (trovato.isNull() || p.testo == t))
                    trovato = parte;
            }
            if (trovato.isNull())
                return {};
            box |= trovato;
        }
        return box;
    }

    // The text of an element, found in its box and aligned as the layout says.
    static void Controlla(const PaginaPdf& pagina, const QString& nome, int altoBanda,
                          const QString& testo) {
        Elemento e;
        for (const Banda& banda : RepElComuni().bande)
            for (const Elemento& elemento : banda.elementi)
                e = elemento.nome == nome ? elemento : e;
        const QRectF box =
            Trova(pagina, testo, QRectF(e.sinistra, altoBanda + e.alto, e.larghezza, e.altezza),
                  FontDi(e.carattere));
        QVERIFY2(!box.isNull(), qPrintable(nome + ": " + testo));
        const double scarto = e.allineamento == Allineamento::Sinistra ? box.left() - e.sinistra
                              : e.allineamento == Allineamento::Destra
                                  ? box.right() - (e.sinistra + e.larghezza)
                                  : box.center().x() - (e.sinistra + e.larghezza / 2.0);
        QVERIFY2(qAbs(scarto) <= Tolleranza, qPrintable(nome + ": " + testo));
    }

    // Row 1 has a name longer than its column.
    static QString Nome(int r) {
        return r == 1 ? "SAN GIOVANNI IN PERSICETO DI SOPRA" : QString("COMUNE%1").arg(r);
    }
    static DatiReport Dati(int righe) {
        DatiReport dati{{"Comune", "Prov", "AltitudineMinEt", "AltitudineMin", "AltitudineMaxEt",
                         "AltitudineMax", "GradiGiornoMinEt", "GradiGiornoMin", "NumRec"},
                        {"Comune", "Altitudine", "Latitudine"},
                        {{{"SANT'ANGELO*", "LO", "compresa tra", "200", "e", "600",
                           "minore o uguale a", "3000", QString("%1 Comuni").arg(righe)},
                          {}}}};
        for (int r = 0; r < righe; ++r)
            dati.gruppi[0].righe.append({Nome(r), QString::number(100 + r), "45° 28'"});
        return dati;
    }

private slots:
    // The report and group headers once on page 1 (every caption and criterion in its box), then
    // as many detail lines as fit above the page footer (a long name wrapped inside its 500-twip
    // box), NumRec after the last line (on a page of its own when the last line ends a page),
    // "N di M" at the bottom of every page.
    void pagine_data() {
        QTest::addColumn<int>("righe");
        QTest::addColumn<int>("pagine");
        // Empty; footer on page 1; on page 2; page 2 nearly full; footer alone on page 3.
        for (auto [righe, pagine] : {std::pair{0, 1}, {17, 1}, {18, 2}, {45, 2}, {46, 3}})
            QTest::newRow(qPrintable(QString::number(righe))) << righe << pagine;
    }
    void pagine() {
        QFETCH(int, righe);
        QFETCH(int, pagine);
        const DatiReport dati = Dati(righe);
        const Esito<int> scritte = EsportaPdf(cartella.filePath("elenco.pdf"), RepElComuni(), dati);
        const QList<PaginaPdf> pdf = Leggi(cartella.filePath("elenco.pdf"));
        QCOMPARE(scritte.valoreOppure(0), pagine);
        QCOMPARE(pdf.size(), pagine);
        int alto = H(TipoBanda::IntestazionePagina);
        for (TipoBanda tipo : {TipoBanda::IntestazioneReport, TipoBanda::IntestazioneGruppo}) {
            for (const Elemento& e : RepElComuni().banda(tipo).elementi) {
                const QString testo =
                    e.tipo == TipoElemento::Etichetta ? e.contenuto
                    : e.tipo == TipoElemento::Casella
                        ? dati.gruppi[0].valori.value(int(dati.colonneGruppo.indexOf(e.contenuto)))
                        : QString();
                if (!testo.isEmpty())
                    Controlla(pdf[0], e.nome, alto, testo);
            }
            alto += H(tipo);
        }
        const int limite = AltezzaUtile - H(TipoBanda::PiedePagina);
        int p = 0, y = alto;
        auto prossima = [&](TipoBanda banda) {
            if (y + H(banda) > limite)
                std::tie(p, y) = std::pair(p + 1, H(TipoBanda::IntestazionePagina));
            y += H(banda);
            return y - H(banda);
        };
        for (int r = 0; r < righe; ++r) {
            const int alto = prossima(TipoBanda::Dettaglio);
            QVERIFY(p < pdf.size());
            Controlla(pdf[p], "TextBox1", alto, Nome(r));
            if (r == 1)
                QVERIFY(Trova(pdf[p], Nome(r), QRectF(0, alto, 2150, 500)).height() > 300);
            Controlla(pdf[p], "TextBox4", alto, QString::number(100 + r));
            Controlla(pdf[p], "TextBox6", alto, "45° 28'");
        }
        const int piede = prossima(TipoBanda::PiedeGruppo);
        QCOMPARE(p, pagine - 1);
        Controlla(pdf[p], "TextBox27", piede, QString("%1 Comuni").arg(righe));
        for (p = 0; p < pagine; ++p) {
            Controlla(pdf[p], "Label17", limite, QString::number(p + 1));
            Controlla(pdf[p], "Label18", limite, QString::number(pagine));
            QCOMPARE(Trova(pdf[p], "ELENCO COMUNI", Tutto).isNull(), p > 0);
            QCOMPARE(Trova(pdf[p], "Altitudine: compresa", Tutto).isNull(), p > 0);
        }
    }
};

QTEST_MAIN(TStampaPdf)
#include "tst_stampaPdf.moc"
