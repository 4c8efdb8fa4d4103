#pragma once

#include "core/DatiComune.h"

#include <QAbstractTableModel>
#include <QList>

// The contents of the result grid: a copy of the list found by the last search (cheap, the list
// shares its data), in the order the user chose, with the cell texts made when they are painted.
//
// Grid coordinates: data rows 1 to RigheDati(), columns 1 to 8 ("Comune" ... "Irradianza");
// the header row 0 and the fixed column 0 are the view's headers. Model rows and columns are
// the grid's minus one.
class ModelloGriglia : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColonneDati = 8;

    // The grid as a fresh layout leaves it: one data row, empty.
    void Azzera();
    // Writes the list into the grid, one row per element, in list order.
    void Carica(const QList<DatiComune>& elenco);

    int RigheDati() const { return righe_; }
    // The municipalities of the data rows in the order shown; none after Azzera.
    QList<DatiComune> Righe() const;
    QString TestoCella(int riga, int colonna) const;
    static QString Intestazione(int colonna);

    // Sorts the data rows by a column: text without regard to case for columns 1 to 3,
    // numeric for columns 4, 5 and 8. Rows that compare equal keep their order.
    void Ordina(int colonna, bool crescente);

    int rowCount(const QModelIndex& genitore = {}) const override;
    int columnCount(const QModelIndex& genitore = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo) const override;

private:
    const DatiComune* Elemento(int riga) const;

    QList<DatiComune> elenco_;
    QList<int> ordine_; // grid row - 1 -> element of elenco_
    int righe_ = 1;
};
