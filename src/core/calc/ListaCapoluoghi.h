#pragma once

#include "core/DatiComune.h"
#include "core/Esito.h"

#include <QList>
#include <QString>
#include <QStringList>

// The provincial capitals offered for the irradiance of a locality, ordered by distance.
//
// Each capital first gives a sortable entry: its whole kilometres right-aligned in 4 characters,
// " AAA " and its province code («  45 AAA MI»), so that text order is distance order and equal
// distances follow the province codes. The drop-down lists show each sorted entry as
// «MI (45 Km)»; the user's choice is read back from that text.

// «  45 AAA MI»: 1 to 3 digits get leading blanks up to 4 characters, longer texts stay whole.
QString VoceDistanza(float km, const QString& prov);

// The drop-down entry of a sorted entry: «  45 AAA MI» gives «MI (45 Km)».
QString VoceCapoluogo(const QString& voceDistanza);

struct ElencoDistanze {
    // The sorted entries, one per capital.
    QStringList Voci;
    // The ArcCos errors met, one per capital taken at 0 km; the caller reports each.
    QList<ErroreRuntime> Errori;
};

// The sorted entries of all capitals as seen from a locality at (latRad, longRad).
ElencoDistanze CalcolaElencoDistanze(float latRad, float longRad,
                                     const QList<DatiComune>& capoluoghi);

// The drop-down entries of the sorted entries, in the same order.
QStringList VociCapoluoghi(const QStringList& vociDistanza);

// The kilometres of a drop-down entry: the text after the first "(" and before the first " Km)",
// as a 16-bit whole number; a type-mismatch error when there is no number there.
Esito<qint16> DistanzaDiVoce(const QString& voceCapoluogo);

struct SceltaProvince {
    bool Accettata = false;
    // Why the choice is refused (shown with the exclamation icon); empty when accepted.
    QString Messaggio;
};

// Checks the two chosen drop-down entries: two different capitals, the first not farther than
// the second.
Esito<SceltaProvince> ControlloSceltaProv(const QString& voce1, const QString& voce2);
