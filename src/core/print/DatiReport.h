#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the printed list prints: each header row of RicComuni with the RicElComuni rows of the
// same RicId, every value as text (a Null as an empty text), in the order they were written.
namespace Report {

struct GruppoReport {
    QStringList valori;       // the header row, by colonneGruppo
    QList<QStringList> righe; // the detail rows, by colonneDettaglio
};

struct DatiReport {
    QStringList colonneGruppo;
    QStringList colonneDettaglio;
    QList<GruppoReport> gruppi;
};

} // namespace Report
