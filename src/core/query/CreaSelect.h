#pragma once

#include "core/Esito.h"
#include "core/query/CriteriRicerca.h"

#include <QLocale>
#include <QString>

// The query text of a search, built from the filter panel's values.
namespace Ricerca {

// The eighteen columns of every search, as one text ending with a blank.
extern const QString ElencoColonne;

// The whole archive sorted by name: the query of the window's first load.
extern const QString SelectTuttiIComuni;

// The SELECT of a search. Without a filter (panel hidden, "tutti i comuni:" checked, or every
// box blank) it lists the whole archive. Groups of conditions follow in a fixed order joined by
// " AND ": name prefix, province prefix, zone, then the ranges of altitude, degree days,
// latitude degrees, longitude degrees and irradiance. A range bound that is not a whole number
// in the 16-bit range is an error (type mismatch or overflow) naming the text.
Esito<QString> CreaSelect(const CriteriRicerca& criteri, const QLocale& locale = QLocale());

// The name as the body of a quoted SQL literal: every apostrophe doubled.
QString CercaApice(const QString& nome);

} // namespace Ricerca
