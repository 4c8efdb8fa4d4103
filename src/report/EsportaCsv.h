#pragma once

#include "core/Esito.h"
#include "core/Global.h"
#include "core/print/DatiReport.h"

#include <QByteArray>
#include <QString>

// The printed list as a spreadsheet file: the detail rows that the pages list, in the same
// order, with the result grid's columns and headings. UTF-8 with a byte-order mark, ";" between
// cells and a Windows line end after each row, as a spreadsheet with Italian settings reads it.
// Cells are written trimmed (a missing value is an empty cell); a cell holding ";", a quote or
// a line end goes between quotes. The search criteria are not in the file.
namespace Report {

QByteArray TestoCsv(const DatiReport& dati);

// Writes TestoCsv(dati) to `percorso` by the rule of every file the program writes (see
// EsportaPdf). Returns the number of rows written.
Esito<qsizetype> EsportaCsv(const QString& percorso, const DatiReport& dati, bool sostituire = true,
                            const QString& archivio = Global::PercorsoDB);

} // namespace Report
