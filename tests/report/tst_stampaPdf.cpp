#include "db/import/ImportaComuni.h"
#include "report/DisegnoReport.h"
#include "support/ArchivioProva.h"
#include "support/Confronta.h"
#include "support/ElencoLetto.h"

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

    static constexpr int Gruppo = 3 + 1770;                // under page and report header
    static constexpr int Dettaglio1 = Gruppo + 3342;       // first detail line of page 1
    static constexpr int Dettaglio2 = 3;                   // first detail line of later pages
    static constexpr int Riga = 510;                       // detail line height
    static constexpr int PiedePagina = 16840 - 2000 - 285; // page footer
    static constexpr double Tolleranza = 30;               // 1.5 points

    QTemporaryDir cartella;

    // Writes the pages `scelte` (all when empty) of the list to a PDF and reads its words.
    QList<QList<ParolaPdf>> Stampa(const DatiReport& dati, const QPageRanges& scelte = {}) {
        const QString pdf = cartella.filePath("elenco.pdf");
        auto scrittore = std::make_unique<QPdfWriter>(pdf);
        scrittore->setPageSize(QPageSize(QPageSize::A4));
        scrittore->setPageRanges(scelte);
        const bool scritto = DisegnaReport(*scrittore, RepElComuni(), dati).ok();
        scrittore.reset(); // the file is complete when the writer is gone
        return scritto ? LeggiPdf(pdf) : QList<QList<ParolaPdf>>();
    }

    // The words within the width of `area` whose lines start within its height.
    static QList<ParolaPdf> Parole(const QList<ParolaPdf>& pagina, const QRectF& area) {
        const QRectF a = area.adjusted(-Tolleranza, -Tolleranza, Tolleranza, Tolleranza);
        QList<ParolaPdf> dentro;
        for (const ParolaPdf& p : pagina)
            if (a.contains(p.box.topLeft()) && a.contains(p.box.topRight()))
                dentro.append(p);
        return dentro;
    }

    // What differs between the texts expected and the words read in their elements; neighbouring
    // words keep a visible gap (a point) between them.
    static QString Differenze(const QList<ParolaPdf>& pagina, const QList<Scritta>& scritte) {
        QStringList d;
        for (const Scritta& s : scritte) {
            QStringList lette;
            QRectF b;
            for (const ParolaPdf& p : Parole(pagina, QRectF(s.x, s.y, s.larghezza, 0))) {
                if (!lette.isEmpty() && p.box.left() - b.right() < 20)
                    d << QString("«%1» tocca «%2»").arg(lette.last(), p.testo);
                lette << p.testo;
                b |= p.box;
            }
            const QString letto = lette.join(' ');
            const double scarto[] = {b.left() - s.x, b.center().x() - s.x - s.larghezza / 2.0,
                                     b.right() - s.x - s.larghezza};
            if (letto != s.testo)
                d << QString("a %1,%2 atteso «%3», letto «%4»")
                         .arg(s.x)
                         .arg(s.y)
                         .arg(s.testo, letto);
            else if (!s.testo.isEmpty() && qAbs(scarto[s.lato]) > Tolleranza)
                d << QString("«%1» spostato di %2 twip").arg(s.testo).arg(scarto[s.lato]);
        }
        return d.join("; ");
    }

    // The lines of the name in the detail line at `y`.
    static QStringList LeggiCella(const QList<ParolaPdf>& pagina, int y) {
        QStringList righe;
        double riga = -1;
        for (const ParolaPdf& p : Parole(pagina, QRectF(0, y, 2150, 300)))
            if (std::exchange(riga, p.box.top()) != p.box.top())
                righe.append(p.testo);
            else
                righe.last() += ' ' + p.testo;
        return righe;
    }

    // Detail lines of the names given with the values of ABANO TERME, under a header with a
    // comune and a range, and the count.
    static DatiReport Dati(const QStringList& nomi, const QString& numRec = "") {
        DatiReport dati = {{"Comune", "AltitudineMinEt", "AltitudineMin", "AltitudineMaxEt",
                            "AltitudineMax", "NumRec"},
                           {"Comune", "Prov", "Zona", "Altitudine", "GradiGiorno", "Latitudine",
                            "Longitudine", "Irradianza"},
                           {{{"SANT'ANGELO*", "compresa tra", "200", "e", "600", numRec}, {}}}};
        for (const QString& nome : nomi)
            dati.gruppi[0].righe.append(
                {nome, "PD", "E", "14", "2383", "45° 22'", "11° 47'", "1234"});
        return dati;
    }

    // A detail line at `y` as Dati writes it, "N di M" in the page footer, page 1's header.
    static QList<Scritta> Dettaglio(const QString& nome, int y) {
        // clang-format off
        return {
            {.testo = nome, .x = 0, .y = y, .larghezza = 2150},
            {.testo = "PD", .x = 2150, .y = y, .larghezza = 605, .lato = Centro},
            {.testo = "E", .x = 2780, .y = y, .larghezza = 585, .lato = Centro},
            {.testo = "14", .x = 3360, .y = y, .larghezza = 1085, .lato = Centro},
            {.testo = "2383", .x = 4470, .y = y, .larghezza = 1380, .lato = Centro},
            {.testo = "45° 22'", .x = 5860, .y = y, .larghezza = 1135, .lato = Centro},
            {.testo = "11° 47'", .x = 7015, .y = y, .larghezza = 1310, .lato = Centro},
            {.testo = "1234", .x = 8350, .y = y, .larghezza = 1085, .lato = Centro},
        };
    }
    static QList<Scritta> Piede(const QString& pagina, const QString& pagine) {
        return {
            {.testo = pagina, .x = 8330, .y = PiedePagina, .larghezza = 400, .lato = Destra},
            {.testo = "di", .x = 8750, .y = PiedePagina, .larghezza = 230, .lato = Centro},
            {.testo = pagine, .x = 9000, .y = PiedePagina, .larghezza = 400},
        };
    }
    // clang-format on

private slots:
    // Page 1 starts with the header; the detail lines, every cell where the report places it,
    // fill each page above its footer; the count follows the last line and never stands alone:
    // the last line goes with it to a new page. "N di M" on every page. The column headings,
    // wider than their boxes in the installed font, stay apart.
    void pagine() {
        struct Caso {
            QList<int> righePerPagina;
        };
        const Caso casi[] = {{.righePerPagina = {0}},
                             {.righePerPagina = {17}},
                             {.righePerPagina = {17, 1}},
                             {.righePerPagina = {18, 27}},
                             {.righePerPagina = {18, 27, 1}}};
        // clang-format off
        const QList<Scritta> intestazione = {
            {.testo = "ELENCO COMUNI", .x = 0, .y = 803, .larghezza = 9540, .lato = Centro},
            {.testo = "Comune:", .x = 0, .y = Gruppo + 180, .larghezza = 1650},
            {.testo = "SANT'ANGELO*", .x = 1701, .y = Gruppo + 180, .larghezza = 4545},
            {.testo = "Altitudine:", .x = 0, .y = Gruppo + 580, .larghezza = 1170},
            {.testo = "compresa tra", .x = 1701, .y = Gruppo + 580, .larghezza = 2200},
            {.testo = "200", .x = 4000, .y = Gruppo + 580, .larghezza = 1695},
            {.testo = "e", .x = 5800, .y = Gruppo + 580, .larghezza = 570},
            {.testo = "600", .x = 6500, .y = Gruppo + 580, .larghezza = 1695},
            {.testo = "Comune Prov. Zona Altitudine Gradi Giorno Latitudine Longitudine Irradianza", .x = 0, .y = Gruppo + 2867, .larghezza = 9600},
        };
        // clang-format on
        for (const Caso& caso : casi) {
            QStringList nomi;
            for (const int righe : caso.righePerPagina)
                for (int k = 0; k < righe; ++k)
                    nomi << QString("RIGA%1").arg(nomi.size() + 1);
            const QString conto = QString("%1 Comuni").arg(nomi.size());
            const QList<QList<ParolaPdf>> pdf = Stampa(Dati(nomi, conto));
            QCOMPARE(pdf.size(), caso.righePerPagina.size());
            for (qsizetype p = 0, r = 0; p < pdf.size(); ++p) {
                QList<Scritta> s = Piede(QString::number(p + 1), QString::number(pdf.size()));
                int y = p == 0 ? Dettaglio1 : Dettaglio2;
                for (int k = 0; k < caso.righePerPagina[p]; ++k, y += Riga)
                    s += Dettaglio(nomi[r++], y);
                if (p + 1 == pdf.size())
                    s.append({.testo = conto,
                              .x = 6580,
                              .y = y + 150,
                              .larghezza = 2844,
                              .lato = Destra});
                CONFRONTA(QString("%1 righe, pagina %2").arg(nomi.size()).arg(p + 1), "scritte",
                          Differenze(pdf[p], p ? s : s + intestazione), QString());
            }
        }
        // "N di M" reads whole with page numbers of any length: 300,000 rows make 10,715 pages.
        DatiReport dati = Dati({});
        dati.gruppi[0].righe.fill({"RIGA"}, 300000);
        const QList<ParolaPdf> ultima = Stampa(dati, QPageRanges::fromString("10715")).value(0);
        CONFRONTA("pagina 10715", "piede", Differenze(ultima, Piede("10715", "10715")), QString());
    }

    // Every name of the archive shipped with the program, and one made up, is read back whole,
    // in order, one per detail line. A name goes on at most two lines of its 500-twip box,
    // breaking at blanks and after hyphens, after an apostrophe only when needed; a name that
    // needs more, or a word wider than the column, is drawn smaller: the long ones below are on
    // the lines read from a PDF looked at.
    void nomi() {
        struct Caso {
            QString nome;
            QStringList righe;
        };
        // clang-format off
        const Caso casi[] = {
            {.nome = "ABBADIA SAN SALVATORE", .righe = {"ABBADIA SAN", "SALVATORE"}},
            {.nome = "ACQUAVIVA D'ISERNIA", .righe = {"ACQUAVIVA", "D'ISERNIA"}},
            {.nome = "CASALE CREMASCO-VIDOLASCO", .righe = {"CASALE CREMASCO-", "VIDOLASCO"}},
            {.nome = "ROCCA DELL'ALTOPIANOMONTANO", .righe = {"ROCCA DELL'", "ALTOPIANOMONTANO"}},
            {.nome = "GRUMELLO CREMONESE ED UNITI", .righe = {"GRUMELLO", "CREMONESE ED UNITI"}},
            {.nome = "PRIMIERO SAN MARTINO DI CASTROZZA", .righe = {"PRIMIERO SAN MARTINO", "DI CASTROZZA"}},
            {.nome = "SANT'ANDREA APOSTOLO DELLO IONIO", .righe = {"SANT'ANDREA", "APOSTOLO DELLO IONIO"}},
            {.nome = "CIVITACAMPOMARANO", .righe = {"CIVITACAMPOMARANO"}},
        };
        // clang-format on
        ArchivioProva archivio;
        QVERIFY(archivio.esegui("BEGIN"));
        QVERIFY(ImportaComuni::InserisciComuniDelProgramma(archivio.db()).ok());
        QVERIFY(archivio.esegui("COMMIT"));
        const QStringList nomi = archivio.testi("SELECT COM_NAME FROM Comuni ORDER BY COM_ID")
                                 << "ROCCA DELL'ALTOPIANOMONTANO";
        QCOMPARE(nomi.size(), 7904 + 1);
        const QList<QList<ParolaPdf>> pdf = Stampa(Dati(nomi));
        QList<QStringList> celle; // the lines read of each name
        for (qsizetype p = 0; p < pdf.size(); ++p)
            for (int y = p ? Dettaglio2 : Dettaglio1; y + Riga <= PiedePagina; y += Riga)
                if (const QStringList righe = LeggiCella(pdf[p], y); !righe.isEmpty())
                    celle << righe;
        for (const Caso& caso : casi)
            CONFRONTA(caso.nome, "righe", celle.value(nomi.indexOf(caso.nome)), caso.righe);
        // Every letter of each name, the blanks aside (a line ends at a blank or after a hyphen
        // or an apostrophe).
        for (qsizetype i = 0; i < nomi.size(); ++i)
            CONFRONTA(nomi[i], "lettere", celle.value(i).join("").remove(' '),
                      QString(nomi[i]).remove(' '));
        QCOMPARE(celle.size(), nomi.size());
    }
};

QTEST_MAIN(TStampaPdf)
#include "tst_stampaPdf.moc"
