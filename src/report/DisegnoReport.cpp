#include "report/DisegnoReport.h"

#include "report/PianoPagine.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <utility>

namespace Report {
namespace {

constexpr double TwipPerPunto = 20.0;
// Lines are drawn one pixel wide at 96 dpi.
constexpr double SpessoreLinea = 15.0;
// The gap kept between a one-line text that has to be condensed and the edges of its box: a
// point, so that neighbouring captions are seen, and read, as separate words.
constexpr double Respiro = 20.0;
// The smallest size a text of several lines is reduced to: 5 points.
constexpr int DimensioneMinima = 100;

// The index of a column by its name, without regard to letter case; -1 when missing.
int IndiceColonna(const QStringList* colonne, const QString& nome) {
    for (qsizetype c = 0; colonne && c < colonne->size(); ++c)
        if (colonne->at(c).compare(nome, Qt::CaseInsensitive) == 0)
            return int(c);
    return -1;
}

// The lines of a text in a box `larghezza` wide, in the font measured by `metrica`: as many
// words on a line as fit, a line ending only at a blank (dropped), after a hyphen or, with
// `dopoApostrofo`, after an apostrophe. A word never breaks: one wider than the box stands
// alone on its line.
QStringList DividiInRighe(const QString& testo, double larghezza, const QFontMetricsF& metrica,
                          bool dopoApostrofo) {
    QStringList righe;
    QString corrente;
    qsizetype inizio = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        const bool fine = i + 1 == testo.size() || c == u' ' || c == u'-' ||
                          (dopoApostrofo && (c == u'\'' || c == u'\u2019'));
        if (!fine)
            continue;
        const QString parte = testo.mid(inizio, i + 1 - inizio);
        inizio = i + 1;
        const QString prova = corrente + parte;
        if (!corrente.trimmed().isEmpty() &&
            metrica.horizontalAdvance(prova.trimmed()) > larghezza) {
            righe.append(corrente.trimmed());
            corrente = parte;
        } else {
            corrente = prova;
        }
    }
    if (!corrente.trimmed().isEmpty())
        righe.append(corrente.trimmed());
    return righe;
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

    // A text at the top of its box, aligned within its width. A text that does not fit keeps
    // every character:
    // - in a box of one line it is drawn condensed into the box less a gap, so that it never
    //   touches the text of the box beside it;
    // - in a box of several lines it goes on as many lines as the box holds in the element's
    //   size, breaking only at blanks, after hyphens and, when these are not enough, after
    //   apostrophes; when it needs more lines, or a word alone is wider than the box, it is
    //   drawn in a smaller size until it fits in those lines.
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
        const int righe = std::max(1, int(el.altezza / e.metrica.lineSpacing()));
        if (righe == 1) {
            // The gap is kept on the sides the text may grow towards: both for a centred
            // text, the right side of a text aligned left, the left of one aligned right.
            const double da =
                el.sinistra + (el.allineamento != Allineamento::Sinistra ? Respiro : 0);
            const double a = el.sinistra + el.larghezza -
                             (el.allineamento != Allineamento::Destra ? Respiro : 0);
            if (avanzamento <= a - da) {
                riga(el, alto + e.metrica.ascent(), testo, avanzamento);
                return;
            }
            painter_.save();
            painter_.translate(da, alto + e.metrica.ascent());
            painter_.scale((a - da) / avanzamento, 1.0);
            painter_.drawText(QPointF(0, 0), testo);
            painter_.restore();
            return;
        }
        if (avanzamento <= el.larghezza) {
            riga(el, alto + e.metrica.ascent(), testo, avanzamento);
            return;
        }
        // Smaller sizes, a quarter of a point at a time, down to the smallest that is drawn.
        QFont font = e.font;
        for (int dimensione = font.pixelSize();; dimensione -= 5) {
            font.setPixelSize(dimensione);
            const QFontMetricsF metrica(font);
            auto misura = [&](const QString& t) { return metrica.horizontalAdvance(t); };
            // A break after an apostrophe parts an elided word from the next ("D'" from
            // "ISERNIA"): it is used only when the blanks and hyphens are not enough.
            QStringList parti;
            bool entra = false;
            for (const bool dopoApostrofo : {false, true}) {
                parti = DividiInRighe(testo, el.larghezza, metrica, dopoApostrofo);
                entra = parti.size() <= righe &&
                        std::all_of(parti.begin(), parti.end(),
                                    [&](const QString& p) { return misura(p) <= el.larghezza; });
                if (entra)
                    break;
            }
            if (!entra && dimensione > DimensioneMinima)
                continue;
            painter_.setFont(font);
            font_ = nullptr;
            for (qsizetype i = 0; i < parti.size(); ++i)
                riga(el, alto + i * metrica.lineSpacing() + metrica.ascent(), parti[i],
                     misura(parti[i]));
            return;
        }
    }

    // One line of text on its baseline, aligned within the element's width.
    void riga(const Elemento& el, double linea, const QString& testo, double avanzamento) {
        double x = el.sinistra;
        if (el.allineamento == Allineamento::Centro)
            x += (el.larghezza - avanzamento) / 2;
        else if (el.allineamento == Allineamento::Destra)
            x += el.larghezza - avanzamento;
        painter_.drawText(QPointF(x, linea), testo);
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
