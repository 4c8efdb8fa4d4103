#pragma once

#include <QList>
#include <QString>
#include <array>
#include <utility>

// The header row of the printed list: the search filters turned into words and numbers, so that
// the printed page says which criteria produced the list.
namespace Stampa {

// One range of the filter panel as the user left it.
struct IntervalloStampa {
    bool spuntato = false; // only the ticked state counts: a greyed check box is not ticked
    QString min;           // the ">=" box, as typed
    QString max;           // the "<=" box, as typed
};

struct FiltriStampa {
    QString comune;
    QString prov;
    QString zona;
    // Altitude, degree days, latitude, longitude, irradiance.
    std::array<IntervalloStampa, 5> intervalli;
};

// The columns of RicComuni after RicId, each with its text, in table order.
using RigaIntestazione = QList<std::pair<QString, QString>>;

// The header row for the filters and the count text. Texts are taken trimmed and stored as
// typed, without checking that the bounds are numbers.
RigaIntestazione CreaIntestazione(const FiltriStampa& filtri, const QString& numRec);

} // namespace Stampa
