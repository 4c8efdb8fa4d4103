#include "db/import/ImportaComuni.h"
#include "report/DisegnoReport.h"
#include "support/ArchivioProva.h"

#include <QPageRanges>
#include <QPageSize>
#include <QPdfWriter>
#include <QtTest>

using namespace Report;

// The printed list written to PDF and read back with pdftotext -bbox. Expected positions are
// the report's twips typed here, from the top left corner of the printable area (A4 less the
// 1000-twip margins); a word's box starts at the top of its element.
class TStampaPdf : public QObject {
    Q_OBJECT

    enum Lato { Sinistra, Centro, Destra };
    // A text expected in an element: its words on the line at `y`, inside the element's width,
    // aligned on `lato`. An empty text means that nothing is printed there.
    struct Scritta {
        QString testo;
        int x; // left edge of the element
        int y; // top of the element
        int larghezza;
        Lato lato = Sinistra;
    };
    struct Parola {
        QString testo;
        QRectF box;
    };
    using PaginaPdf = QList<Parola>;

    static constexpr int Gruppo = 3 + 1770;                // under page and report header
    static constexpr int Titoli = Gruppo + 2867;           // column headings
    static constexpr int Dettaglio1 = Gruppo + 3342;       // first detail line of page 1
    static constexpr int Dettaglio2 = 3;                   // first detail line of later pages
    static constexpr int Riga = 510;                       // detail line height
    static constexpr int PiedePagina = 16840 - 2000 - 285; // page footer
    static constexpr double Tolleranza = 30;               // 1.5 points

    QTemporaryDir cartella;

    // Writes the pages `scelte` (all when empty) of the list to a PDF and reads its words.
    QList<PaginaPdf> Stampa(const DatiReport& dati, const QPageRanges& scelte = {}) {
        const QString pdf = cartella.filePath("elenco.pdf");
        {
            QPdfWriter scrittore(pdf);
            scrittore.setResolution(1440);
            scrittore.setPageSize(QPageSize(QPageSize::A4));
            scrittore.setPageRanges(scelte);
            if (!DisegnaReport(scrittore, RepElComuni(), dati).ok())
                return {};
        }
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
        pdftotext.waitForFinished(60000);
        static const QRegularExpression parola(
            R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
        QList<PaginaPdf> pagine;
        for (const QRegularExpressionMatch& m :
             parola.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
            auto twip = [&](int n) { return m.captured(n).toDouble() * 20 - 1000; };
            if (m.captured(0).startsWith("<page"))
                pagine.append(PaginaPdf());
            else
                pagine.last().append(
                    {QString(m.captured(5)).replace("&apos;", "'").replace("&amp;", "&"),
                     QRectF(QPointF(twip(1), twip(2)), QPointF(twip(3), twip(4)))});
        }
        return pagine;
    }

    // The words within the width of `area` whose lines start within its height, left to right
    // on each line.
    static PaginaPdf Parole(const PaginaPdf& pagina, const QRectF& area) {
        const QRectF a = area.adjusted(-Tolleranza, -Tolleranza, Tolleranza, Tolleranza);
        PaginaPdf dentro;
        for (const Parola& p : pagina)
            if (p.box.left() >= a.left() && p.box.right() <= a.right() && p.box.top() >= a.top() &&
                p.box.top() <= a.bottom())
                dentro.append(p);
        std::sort(dentro.begin(), dentro.end(), [](const Parola& p, const Parola& q) {
            return std::pair(qRound(p.box.top()), p.box.left()) <
                   std::pair(qRound(q.box.top()), q.box.left());
        });
        return dentro;
    }

    // What differs between the texts expected and the words read in their elements.
    static QString Differenze(const PaginaPdf& pagina, const QList<Scritta>& scritte) {
        QStringList differenze;
        for (const Scritta& s : scritte) {
            QStringList lette;
            QRectF box;
            for (const Parola& p : Parole(pagina, QRectF(s.x, s.y, s.larghezza, 0))) {
                lette.append(p.testo);
                box |= p.box;
            }
            const double scarto = s.lato == Sinistra ? box.left() - s.x
                                  : s.lato == Destra ? box.right() - (s.x + s.larghezza)
                                                     : box.center().x() - (s.x + s.larghezza / 2.0);
            if (lette.join(' ') != s.testo)
                differenze.append(QString("a %1,%2 atteso «%3», letto «%4»")
                                      .arg(s.x)
                                      .arg(s.y)
                                      .arg(s.testo, lette.join(' ')));
            else if (!s.testo.isEmpty() && qAbs(scarto) > Tolleranza)
                differenze.append(
                    QString("«%1»: bordo %2 spostato di %3 twip")
                        .arg(s.testo, QStringList{"sinistro", "centro", "destro"}[s.lato])
                        .arg(qRound(scarto)));
        }
        return differenze.join("; ");
    }

    // The page footer, "N di M" at the bottom right.
    static QList<Scritta> Piede(const QString& pagina, const QString& pagine) {
        return {{.testo = pagina, .x = 8330, .y = PiedePagina, .larghezza = 400, .lato = Destra},
                {.testo = "di", .x = 8750, .y = PiedePagina, .larghezza = 230, .lato = Centro},
                {.testo = pagine, .x = 9000, .y = PiedePagina, .larghezza = 400}};
    }

    // Neighbouring words of a line keep a visible gap (a point) between them.
    static QString Accostate(const PaginaPdf& pagina, int y) {
        const PaginaPdf riga = Parole(pagina, QRectF(0, y, 9600, 0));
        for (qsizetype i = 1; i < riga.size(); ++i)
            if (riga[i].box.left() - riga[i - 1].box.right() < 20)
                return QString("«%1» tocca «%2»").arg(riga[i - 1].testo, riga[i].testo);
        return {};
    }

    // The lines of the name in the detail line at `y` and the height of its smallest letters.
    struct Cella {
        QStringList righe;
        double lettere = 1e9;
    };
    static Cella LeggiCella(const PaginaPdf& pagina, int y) {
        Cella cella;
        double riga = -1;
        for (const Parola& p : Parole(pagina, QRectF(0, y, 2150, 300))) {
            if (std::exchange(riga, p.box.top()) != p.box.top())
                cella.righe.append(p.testo);
            else
                cella.righe.last() += ' ' + p.testo;
            cella.lettere = std::min(cella.lettere, p.box.height());
        }
        return cella;
    }

    static DatiReport Dati(const QList<QStringList>& righe, const QString& numRec = "") {
        return {
            {"Comune", "Prov", "Zona", "AltitudineMinEt", "AltitudineMin", "AltitudineMaxEt",
             "AltitudineMax", "GradiGiornoMinEt", "GradiGiornoMin", "LatitudineMinEt",
             "LatitudineMin", "LongitudineMinEt", "LongitudineMin", "LongitudineMaxEt",
             "LongitudineMax", "NumRec"},
            {"Comune", "Prov", "Zona", "Altitudine", "GradiGiorno", "Latitudine", "Longitudine",
             "Irradianza"},
            {{{"SANT'ANGELO*", "LO", "E", "compresa tra", "200", "e", "600", "maggiore o uguale a",
               "2100", "minore o uguale a", "46", "compresa tra", "7", "e", "12", numRec},
              righe}}};
    }

private slots:
    // Every element of page 1 with its text, where the report places it.
    void primaPagina() {
        const QList<PaginaPdf> pdf = Stampa(Dati(
            {{"ABANO TERME", "PD", "E", "14", "2383", "45° 22'", "11° 47'", "1234"}}, "1 Comune"));
        QCOMPARE(pdf.size(), 1);
        // clang-format off
        const QList<Scritta> scritte = QList<Scritta>{
            {.testo = "Zizovuvo Rizu Zodadazid", .x = 0, .y = 3, .larghezza = 9540, .lato = Centro},
            {.testo = "ELENCO COMUNI", .x = 0, .y = 803, .larghezza = 9540, .lato = Centro},
            {.testo = "Comune:", .x = 0, .y = Gruppo + 180, .larghezza = 1650},
            {.testo = "SANT'ANGELO*", .x = 1701, .y = Gruppo + 180, .larghezza = 4545},
            {.testo = "Prov.:", .x = 6803, .y = Gruppo + 180, .larghezza = 705},
            {.testo = "LO", .x = 7600, .y = Gruppo + 180, .larghezza = 570},
            {.testo = "Zona:", .x = 8400, .y = Gruppo + 180, .larghezza = 660},
            {.testo = "E", .x = 9071, .y = Gruppo + 180, .larghezza = 345},
            {.testo = "Altitudine:", .x = 0, .y = Gruppo + 580, .larghezza = 1170},
            {.testo = "compresa tra", .x = 1701, .y = Gruppo + 580, .larghezza = 2200},
            {.testo = "200", .x = 4000, .y = Gruppo + 580, .larghezza = 1695},
            {.testo = "e", .x = 5800, .y = Gruppo + 580, .larghezza = 570},
            {.testo = "600", .x = 6500, .y = Gruppo + 580, .larghezza = 1695},
            {.testo = "Gradi Giorno:", .x = 0, .y = Gruppo + 980, .larghezza = 1455},
            {.testo = "maggiore o uguale a", .x = 1701, .y = Gruppo + 980, .larghezza = 2200},
            {.testo = "2100", .x = 4000, .y = Gruppo + 980, .larghezza = 1710},
            {.testo = "", .x = 5800, .y = Gruppo + 980, .larghezza = 2410},
            {.testo = "Latitudine:", .x = 0, .y = Gruppo + 1380, .larghezza = 1170},
            {.testo = "minore o uguale a", .x = 1701, .y = Gruppo + 1380, .larghezza = 2200},
            {.testo = "46", .x = 4000, .y = Gruppo + 1380, .larghezza = 1710},
            {.testo = "", .x = 5800, .y = Gruppo + 1380, .larghezza = 2410},
            {.testo = "Longitudine:", .x = 0, .y = Gruppo + 1780, .larghezza = 1455},
            {.testo = "compresa tra", .x = 1701, .y = Gruppo + 1780, .larghezza = 2200},
            {.testo = "7", .x = 4000, .y = Gruppo + 1780, .larghezza = 1710},
            {.testo = "e", .x = 5800, .y = Gruppo + 1780, .larghezza = 570},
            {.testo = "12", .x = 6500, .y = Gruppo + 1780, .larghezza = 1710},
            {.testo = "Irradianza:", .x = 0, .y = Gruppo + 2180, .larghezza = 1455},
            {.testo = "", .x = 1701, .y = Gruppo + 2180, .larghezza = 6509},
            {.testo = "Comune", .x = 0, .y = Titoli, .larghezza = 1650},
            {.testo = "Prov.", .x = 2150, .y = Titoli, .larghezza = 615, .lato = Centro},
            {.testo = "Zona", .x = 2780, .y = Titoli, .larghezza = 585, .lato = Centro},
            {.testo = "Altitudine", .x = 3360, .y = Titoli, .larghezza = 1095, .lato = Centro},
            {.testo = "Gradi Giorno", .x = 4470, .y = Titoli, .larghezza = 1380, .lato = Centro},
            {.testo = "Latitudine", .x = 5860, .y = Titoli, .larghezza = 1140, .lato = Centro},
            {.testo = "Longitudine", .x = 7015, .y = Titoli, .larghezza = 1320, .lato = Centro},
            {.testo = "Irradianza", .x = 8350, .y = Titoli, .larghezza = 1170, .lato = Centro},
            {.testo = "ABANO TERME", .x = 0, .y = Dettaglio1, .larghezza = 2150},
            {.testo = "PD", .x = 2150, .y = Dettaglio1, .larghezza = 605, .lato = Centro},
            {.testo = "E", .x = 2780, .y = Dettaglio1, .larghezza = 585, .lato = Centro},
            {.testo = "14", .x = 3360, .y = Dettaglio1, .larghezza = 1085, .lato = Centro},
            {.testo = "2383", .x = 4470, .y = Dettaglio1, .larghezza = 1380, .lato = Centro},
            {.testo = "45° 22'", .x = 5860, .y = Dettaglio1, .larghezza = 1135, .lato = Centro},
            {.testo = "11° 47'", .x = 7015, .y = Dettaglio1, .larghezza = 1310, .lato = Centro},
            {.testo = "1234", .x = 8350, .y = Dettaglio1, .larghezza = 1085, .lato = Centro},
            {.testo = "1 Comune", .x = 6580, .y = Dettaglio1 + Riga + 150, .larghezza = 2844, .lato = Destra},
        } + Piede("1", "1");
        // clang-format on
        // The column headings, wider than their boxes in the installed font, stay apart.
        const QString d = Differenze(pdf.value(0), scritte) + Accostate(pdf.value(0), Titoli);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

    // The detail lines fill each page above its footer; the count follows the last line and
    // never stands alone: the last line goes with it to a new page. "N di M" on every page.
    void pagine() {
        struct Caso {
            int righe;
            QList<int> righePerPagina;
        };
        const Caso casi[] = {
            {.righe = 0, .righePerPagina = {0}},          {.righe = 17, .righePerPagina = {17}},
            {.righe = 18, .righePerPagina = {17, 1}},     {.righe = 45, .righePerPagina = {18, 27}},
            {.righe = 46, .righePerPagina = {18, 27, 1}},
        };
        for (const Caso& caso : casi) {
            const QString numRec = QString("%1 Comuni").arg(caso.righe);
            QList<QStringList> righe;
            for (int r = 1; r <= caso.righe; ++r)
                righe.append({QString("RIGA%1").arg(r)});
            const QList<PaginaPdf> pdf = Stampa(Dati(righe, numRec));
            QCOMPARE(pdf.size(), caso.righePerPagina.size());
            int r = 0, y = 0;
            for (qsizetype p = 0; p < pdf.size(); ++p) {
                const int primo = p == 0 ? Dettaglio1 : Dettaglio2;
                const int quante = caso.righePerPagina[p];
                QList<Scritta> scritte = Piede(QString::number(p + 1), QString::number(pdf.size()));
                for (int k = 0; k < quante; ++k)
                    scritte.append({.testo = QString("RIGA%1").arg(++r),
                                    .x = 0,
                                    .y = y = primo + k * Riga,
                                    .larghezza = 2150});
                scritte.append(
                    {.testo = "", .x = 0, .y = primo + quante * Riga, .larghezza = 2150});
                if (p + 1 == pdf.size())
                    scritte.append({.testo = numRec,
                                    .x = 6580,
                                    .y = (r ? y + Riga : primo) + 150,
                                    .larghezza = 2844,
                                    .lato = Destra});
                const QString d = Differenze(pdf[p], scritte);
                QVERIFY2(d.isEmpty(),
                         qPrintable(
                             QString("%1 righe, pagina %2: %3").arg(caso.righe).arg(p + 1).arg(d)));
            }
        }
    }

    // A name goes on at most two lines of its 500-twip box, breaking at blanks and after
    // hyphens, after an apostrophe only when needed; a name that needs more, or a word wider
    // than the column, is drawn smaller. The lines are those read from a PDF looked at.
    void nomiLunghi() {
        struct Caso {
            QString nome;
            QStringList righe;
            bool ridotto = false;
        };
        // clang-format off
        const Caso casi[] = {
            {.nome = "ABBADIA SAN SALVATORE", .righe = {"ABBADIA SAN", "SALVATORE"}},
            {.nome = "ACQUAVIVA D'ISERNIA", .righe = {"ACQUAVIVA", "D'ISERNIA"}},
            {.nome = "CASALE CREMASCO-VIDOLASCO", .righe = {"CASALE CREMASCO-", "VIDOLASCO"}},
            {.nome = "ROCCA DELL'ALTOPIANOMONTANO", .righe = {"ROCCA DELL'", "ALTOPIANOMONTANO"}},
            {.nome = "GRUMELLO CREMONESE ED UNITI", .righe = {"GRUMELLO", "CREMONESE ED UNITI"},
             .ridotto = true},
            {.nome = "PRIMIERO SAN MARTINO DI CASTROZZA",
             .righe = {"PRIMIERO SAN MARTINO", "DI CASTROZZA"}, .ridotto = true},
            {.nome = "SANT'ANDREA APOSTOLO DELLO IONIO",
             .righe = {"SANT'ANDREA", "APOSTOLO DELLO IONIO"}, .ridotto = true},
            {.nome = "CIVITACAMPOMARANO", .righe = {"CIVITACAMPOMARANO"}, .ridotto = true},
        };
        // clang-format on
        QList<QStringList> righe;
        for (const Caso& caso : casi)
            righe.append({caso.nome});
        const PaginaPdf pagina = Stampa(Dati(righe)).value(0);
        for (int r = 0; r < int(std::size(casi)); ++r) {
            const Cella cella = LeggiCella(pagina, Dettaglio1 + r * Riga);
            const Caso& caso = casi[r];
            QVERIFY2(cella.righe == caso.righe,
                     qPrintable(caso.nome + ": righe lette «" + cella.righe.join("» «") + "»"));
            QVERIFY2((cella.lettere < 225) == caso.ridotto,
                     qPrintable(caso.nome + QString(": lettere alte %1").arg(cella.lettere)));
        }
    }

    // Every name of the archive shipped with the program is read back whole, in order, one per
    // detail line.
    void archivioIntero() {
        ArchivioProva archivio;
        QVERIFY(archivio.esegui("BEGIN"));
        QVERIFY(ImportaComuni::InserisciComuniDelProgramma(archivio.db()).ok());
        QVERIFY(archivio.esegui("COMMIT"));
        const QStringList nomi = archivio.testi("SELECT COM_NAME FROM Comuni ORDER BY COM_ID");
        QCOMPARE(nomi.size(), 7904);
        QList<QStringList> righe;
        for (const QString& nome : nomi)
            righe.append({nome});
        const QList<PaginaPdf> pdf = Stampa(Dati(righe));
        QStringList letti;
        for (qsizetype p = 0; p < pdf.size(); ++p) {
            for (int y = p ? Dettaglio2 : Dettaglio1; y + Riga <= PiedePagina; y += Riga) {
                // A line ending in a hyphen or an apostrophe joins the next without a blank.
                const QStringList righe = LeggiCella(pdf[p], y).righe;
                QString nome = righe.value(0);
                for (qsizetype i = 1; i < righe.size(); ++i)
                    nome += (nome.endsWith('-') || nome.endsWith('\'') ? "" : " ") + righe[i];
                if (!nome.isEmpty())
                    letti.append(nome);
            }
        }
        // A blank after an apostrophe that ends a line ("NE' VESTINI") is not seen in the text.
        auto senzaSpazi = [](QString nome) { return nome.replace("' ", "'"); };
        for (qsizetype i = 0; i < nomi.size(); ++i)
            QVERIFY2(senzaSpazi(letti.value(i)) == senzaSpazi(nomi[i]),
                     qPrintable(QString("riga %1: atteso «%2», letto «%3»")
                                    .arg(i + 1)
                                    .arg(nomi[i], letti.value(i))));
        QCOMPARE(letti.size(), nomi.size());
    }

    // "N di M" reads whole with page numbers of any length: 300,000 rows make 10,715 pages.
    void numeriDiPagina() {
        DatiReport dati = Dati({});
        dati.gruppi[0].righe.fill({"RIGA"}, 300000);
        const PaginaPdf pagina = Stampa(dati, QPageRanges::fromString("10715")).value(0);
        const QString d =
            Differenze(pagina, Piede("10715", "10715")) + Accostate(pagina, PiedePagina);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }
};

QTEST_MAIN(TStampaPdf)
#include "tst_stampaPdf.moc"
