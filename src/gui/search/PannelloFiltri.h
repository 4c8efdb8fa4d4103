#pragma once

#include "core/query/CriteriRicerca.h"

#include <QFrame>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The filter panel of the main window (fraCerca): the three text filters, the five ranges with
// their check boxes, the two mode check boxes and the search button. It only builds and lays out
// the controls and reads their values; the main window holds the reactions.
class PannelloFiltri : public QFrame {
    Q_OBJECT
public:
    struct Intervallo {
        QCheckBox* spunta;
        QLineEdit* da;
        QLineEdit* a;
    };

    explicit PannelloFiltri(QWidget* genitore = nullptr);

    QLineEdit* txtComuneC;
    QLineEdit* txtProvC;
    QLineEdit* txtZonaC;
    QCheckBox* ChkAltitudC;
    QLineEdit* txtAltitudMinC;
    QLineEdit* txtAltitudMaxC;
    QCheckBox* ChkGGiornoC;
    QLineEdit* txtGGiornoMinC;
    QLineEdit* txtGGiornoMaxC;
    QCheckBox* ChkLatitudC;
    QLineEdit* txtLatitudMinC;
    QLineEdit* txtLatitudMaxC;
    QCheckBox* ChkLongitudC;
    QLineEdit* txtLongitudMinC;
    QLineEdit* txtLongitudMaxC;
    QCheckBox* chkIrraC;
    QLineEdit* txtIrraMinC;
    QLineEdit* txtIrraMaxC;
    QCheckBox* chkAllC;
    QCheckBox* chkInter;
    QPushButton* cmdCercaFra;

    // The widgets of the five ranges, in the order of IntervalliRicerca.
    const std::array<Intervallo, 5>& Intervalli() const { return intervalli_; }

    // The values that decide a search, as typed.
    CriteriRicerca Criteri() const;

private:
    std::array<Intervallo, 5> intervalli_;
};
