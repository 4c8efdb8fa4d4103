#pragma once

#include <QTableView>

class ModelloGriglia;

// The result grid: a table whose header row and fixed first column are the view's headers,
// with the operations the main window uses (current row and column in grid numbering, top
// visible row, redraw, selection highlight) and its mouse and key events in grid coordinates.
class GrigliaElenco : public QTableView {
    Q_OBJECT
public:
    // Widths of the nine columns in twips, the fixed column first.
    static constexpr int LarghezzeTwip[9] = {250, 3345, 600, 555, 990, 1230, 1230, 1230, 1005};
    static constexpr int TwipPerPixel = 15;

    explicit GrigliaElenco(QWidget* genitore = nullptr);

    ModelloGriglia* modello() const { return modello_; }

    // Column widths of the layout, the fixed column included, from their twips.
    void ImpostaLarghezze();
    // Pixels for a width in twips. The widths were made for 15 twips a pixel and a system font
    // about 5.5 pixels wide on average; a wider font widens the columns in proportion, so that
    // the headers still fit.
    int Pixel(int twip) const;
    // The width of all nine columns.
    int LarghezzaTotale() const;
    // Grid coordinates in pixels: the fixed column's width, then the sums of the widths.
    int Larghezza(int colonna) const;
    int AltezzaIntestazione() const;

    int RigheDati() const;
    // True when data row `riga` shows a municipality: the one row left by a search that found
    // nothing is empty, and nothing can be opened or taken from it.
    bool RigaConComune(int riga) const;
    int Riga() const;
    int Colonna() const;
    void ImpostaCella(int riga, int colonna);
    int RigaInAlto() const;
    void ImpostaRigaInAlto(int riga);
    // How many rows fit in the view from the top visible row.
    int RigheVisibili() const;

    void ImpostaRidisegno(bool attivo);
    bool Evidenziazione() const { return evidenziazione_; }
    void ImpostaEvidenziazione(bool attiva);

signals:
    // A mouse button pressed anywhere on the grid, headers included; X and Y in pixels from the
    // grid's top-left corner (the header row and the fixed column included). The pressed cell is
    // already current.
    void MouseDown(int pulsante, int maiuscole, double x, double y);
    // A letter key (65 to 90) while the grid has the focus.
    void KeyDown(int codice, int maiuscole);
    void RowColChange();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void keyboardSearch(const QString&) override {}
    void currentChanged(const QModelIndex& attuale, const QModelIndex& precedente) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    ModelloGriglia* modello_;
    bool evidenziazione_ = false;
};

// The column whose header a click at X (pixels) falls on, by the running sums of the column
// widths (larghezze[0] is the fixed column): k for 1 to 5 when strictly inside that column,
// 8 when beyond the start of column 8; 0 for a border, the fixed column or the headers of
// columns 6 and 7, which cannot be sorted.
int ColonnaIntestazioneCliccata(double x, const int (&larghezze)[9]);
