#pragma once

#include "core/Esito.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct sqlite3;

// Loads the provincial capitals' daily diffuse (Hdh) and beam (Hbh) irradiation on the
// horizontal plane from a CSV file that the user is entitled to use. Each line holds province,
// name, Hdh and Hbh; a header line is allowed. The file may be written as Italian spreadsheets
// write it: ';' or ',' between fields, decimal comma or point (a decimal comma needs quotes
// when ',' separates the fields), a UTF-8 byte-order mark, quoted fields, Windows line ends.
namespace ImportaIrradiazione {

// A capitals file has about a hundred lines; a file larger than this is refused unread.
inline constexpr qint64 DimensioneMassima = 1024 * 1024;

struct RigaIrradiazione {
    int riga = 0; // line number in the file, from 1
    QString prov; // trimmed, upper case
    QString nome; // trimmed, in Unicode normal form C
    double hdh = 0;
    double hbh = 0;
};

struct Rapporto {
    int righeDati = 0;                  // lines with values in the file
    int aggiornati = 0;                 // rows of the archive updated
    QList<RigaIrradiazione> nonTrovate; // lines that match no capital of the archive
};

// The data lines of the file. The whole file is refused, with the line number and the reason
// in Italian, when a line has a number of fields other than four, a value is not a number or
// is negative, a quote is not closed, or a capital appears twice.
Esito<QList<RigaIrradiazione>> Leggi(const QByteArray& contenuto);

// Writes Hdh and Hbh of the capitals named by `righe` (same province, same name without
// regard to letter case) in one transaction: after an error nothing is changed. A damaged
// archive is refused before anything is written (Archivio::ControllaIntegrita).
Esito<Rapporto> Aggiorna(sqlite3* db, const QList<RigaIrradiazione>& righe);

// Reads the file `percorsoCsv` and updates the archive `percorsoArchivio`.
Esito<Rapporto> Importa(const QString& percorsoArchivio, const QString& percorsoCsv);

// The report as lines of Italian text for the user.
QStringList DescriviRapporto(const Rapporto& rapporto);

} // namespace ImportaIrradiazione
