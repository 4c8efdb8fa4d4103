#include "report/DisegnoReport.h"

#include "report/PianoPagine.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <array>
#include <utility>

namespace Report {
namespace {

constexpr double TwipPerPunto = 20.0;
// Lines are drawn one pixel wide at 96 dpi.
constexpr double SpessoreLinea = 15.0;
// How much wider than its box a one-line text may be and still be drawn whole, condensed.
constexpr double MassimoCondensato = 1.1;

// The index of a column by its name, without regard to letter case; -1 when missing.
int IndiceColonna(const QStringList* colonne, const QString& nome) {
    for (qsizetype c = 0; colonne && c < colonne->size(); ++c)
        if (colonne->at(c).compare(nome, Qt::CaseInsensitive) == 0)
            return int(c);
    return -1;
}

// An element ready to be drawn: its font, measured once, and where its value is in the row.
struct ElementoPronto {
    const Elemento* elemento;
    QFont font;
    QFontMetricsF metrica;
    int colonna; // for a Casella, the index of its column in the band's row; -1 otherwise
};

class Disegnatore {
public:
    Disegnatore(QPainter& painter, const Layout& layout, const DatiReport& dati, int pagine)
        : painter_(painter)
        , dati_(dati)
        , totale_(QString::number(pagine)) {
        for (const Banda& banda : layout.bande) {
            const QStringList* colonne = banda.tipo == TipoBanda::Dettaglio ? &dati.colonneDettaglio
                                         : banda.tipo == TipoBanda::IntestazioneGruppo ||
                                                 banda.tipo == TipoBanda::PiedeGruppo
                                             ? &dati.colonneGruppo
                                             : nullptr;
            QList<ElementoPronto>& pronti = bande_[size_t(banda.tipo)];
            for (const Elemento& e : banda.elementi) {
                const QFont font =
                    FontDi(e.carattere.famiglia.isEmpty() ? layout.predefinito : e.carattere);
                const int colonna =
                    e.tipo == TipoElemento::Casella ? IndiceColonna(colonne, e.contenuto) : -1;
                pronti.append({&e, font, QFontMetricsF(font), colonna});
            }
        }
    }

    void pagina(const Pagina& pagina, int numero) {
        for (const Collocazione& c : pagina)
            banda(c, numero);
    }

private:
    void banda(const Collocazione& c, int numero) {
        const QStringList* riga = nullptr;
        if (c.banda == TipoBanda::Dettaglio)
            riga = &dati_.gruppi[c.gruppo].righe[c.riga];
        else if (c.gruppo >= 0)
            riga = &dati_.gruppi[c.gruppo].valori;
        for (const ElementoPronto& e : bande_[size_t(c.banda)]) {
            const Elemento& el = *e.elemento;
            switch (el.tipo) {
            case TipoElemento::Linea:
                painter_.setPen(QPen(Qt::black, SpessoreLinea));
                painter_.drawLine(QPointF(el.sinistra, c.alto + el.alto),
                                  QPointF(el.sinistra + el.larghezza, c.alto + el.alto));
                break;
            case TipoElemento::Etichetta:
                testo(e, c.alto,
                      el.contenuto.contains(u'%')
                          ? QString(el.contenuto)
                                .replace(QStringLiteral("%p"), QString::number(numero))
                                .replace(QStringLiteral("%P"), totale_)
                          : el.contenuto);
                break;
            case TipoElemento::Casella:
                if (riga && e.colonna >= 0)
                    testo(e, c.alto, riga->value(e.colonna));
                break;
            }
        }
    }

    // A text at the top of its box, aligned within its width. A text wider than a box of one
    // line by at most a tenth is drawn condensed to the box's width: the installed fonts are a
    // little wider than the report's own, and a caption such as "Gradi Giorno:" must still be
    // read whole. Any other text wider than its box wraps at word boundaries (inside a word when
    // a word alone is too wide); only the lines that fit in the box's height are drawn, the
    // first one always.
    void testo(const ElementoPronto& e, double altoBanda, const QString& testo) {
        if (testo.isEmpty())
            return;
        const Elemento& el = *e.elemento;
        if (font_ != &e.font) {
            painter_.setFont(e.font);
            painter_.setPen(Qt::black);
            font_ = &e.font;
        }
        const double alto = altoBanda + el.alto;
        const double avanzamento = e.metrica.horizontalAdvance(testo);
        if (avanzamento <= el.larghezza) {
            double x = el.sinistra;
            if (el.allineamento == Allineamento::Centro)
                x += (el.larghezza - avanzamento) / 2;
            else if (el.allineamento == Allineamento::Destra)
                x += el.larghezza - avanzamento;
            painter_.drawText(QPointF(x, alto + e.metrica.ascent()), testo);
            return;
        }
        if (el.altezza < 2 * e.metrica.lineSpacing() &&
            avanzamento <= el.larghezza * MassimoCondensato) {
            painter_.save();
            painter_.translate(el.sinistra, alto + e.metrica.ascent());
            painter_.scale(el.larghezza / avanzamento, 1.0);
            painter_.drawText(QPointF(0, 0), testo);
            painter_.restore();
            return;
        }
        QTextLayout impaginazione(testo, e.font);
        QTextOption opzione(el.allineamento == Allineamento::Centro   ? Qt::AlignHCenter
                            : el.allineamento == Allineamento::Destra ? Qt::AlignRight
                                                                      : Qt::AlignLeft);
        opzione.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        impaginazione.setTextOption(opzione);
        impaginazione.beginLayout();
        double y = 0;
        QList<QTextLine> righe;
        for (QTextLine riga = impaginazione.createLine(); riga.isValid();
             riga = impaginazione.createLine()) {
            riga.setLineWidth(el.larghezza);
            riga.setPosition(QPointF(0, y));
            y += riga.height();
            if (!righe.isEmpty() && y > el.altezza)
                break;
            righe.append(riga);
        }
        impaginazione.endLayout();
        for (const QTextLine& riga : righe)
            riga.draw(&painter_, QPointF(el.sinistra, alto));
    }

    QPainter& painter_;
    const DatiReport& dati_;
    const QString totale_;
    std::array<QList<ElementoPronto>, 7> bande_; // by TipoBanda
    const QFont* font_ = nullptr;
};

} // namespace

QFont FontDi(const Carattere& carattere) {
    static const QHash<QString, QString> sostituti = {
        {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
    };
    QFont font;
    font.setFamilies({carattere.famiglia, sostituti.value(carattere.famiglia)});
    font.setPixelSize(qRound(carattere.punti * TwipPerPunto));
    font.setBold(carattere.grassetto);
    return font;
}

Esito<int> DisegnaReport(QPagedPaintDevice& dispositivo, const Layout& layout,
                         const DatiReport& dati) {
    const double margine = layout.margine / TwipPerPunto;
    dispositivo.setPageMargins(QMarginsF(margine, margine, margine, margine), QPageLayout::Point);
    const QRectF area = dispositivo.pageLayout().paintRect(QPageLayout::Point);
    QList<int> righe;
    for (const GruppoReport& gruppo : dati.gruppi)
        righe.append(int(gruppo.righe.size()));
    const Esito<QList<Pagina>> piano =
        PianoPagine(layout, int(area.height() * TwipPerPunto), righe);
    if (!piano.ok())
        return piano.errore();

    QPainter painter;
    if (!painter.begin(&dispositivo))
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile stampare l'elenco: la stampante o il file non possono "
                           "essere aperti."));
    painter.scale(dispositivo.logicalDpiX() / 1440.0, dispositivo.logicalDpiY() / 1440.0);
    Disegnatore disegnatore(painter, layout, dati, int(piano.valore().size()));
    // The pages the user asked for in the print dialog; every page when none were chosen. They
    // are numbered as in the whole list ("5 di 283").
    const QPageRanges scelte = dispositivo.pageRanges();
    bool primaStampata = true;
    for (qsizetype i = 0; i < piano.valore().size(); ++i) {
        if (!scelte.isEmpty() && !scelte.contains(int(i + 1)))
            continue;
        if (!std::exchange(primaStampata, false) && !dispositivo.newPage()) {
            painter.end();
            return ErroreRuntime::Database(
                QStringLiteral("Impossibile stampare l'elenco: la pagina %1 non può essere "
                               "aggiunta.")
                    .arg(i + 1));
        }
        disegnatore.pagina(piano.valore()[i], int(i + 1));
    }
    if (!painter.end())
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile stampare l'elenco: le pagine non sono state scritte."));
    return int(piano.valore().size());
}

} // namespace Report
