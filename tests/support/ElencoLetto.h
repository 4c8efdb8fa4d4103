#pragma once

#include <QRectF>
#include <QStringList>

// A word of a PDF read back with pdftotext -bbox: its box in twips from the top left corner of
// the printable area (A4 less the 1000-twip margins).
struct ParolaPdf {
    QString testo;
    QRectF box;
};
// The words of each page, line by line from the top and left to right on a line.
QList<QList<ParolaPdf>> LeggiPdf(const QString& pdf);

// One row of the CSV file of a list, or the words after each caption of the printed list's
// header, cell by cell.
struct RigaStampata {
    QString comune{}, prov{}, zona{}, altitudine{}, gradiGiorno{}, latitudine{}, longitudine{},
        irradianza{};
};

// Page 1 of the printed list as a reader sees it: its criteria, the name of each detail line,
// its count. Words go to the report's elements by their positions in twips.
struct ElencoLetto {
    RigaStampata criteri{};
    QStringList nomi{};
    QString conteggio{};
};
ElencoLetto LeggiElenco(const QString& pdf);

// The rows of a CSV file written with ";" and quotes as spreadsheets write them, after a UTF-8
// byte-order mark (an empty list when the mark is missing).
QList<RigaStampata> LeggiCsv(const QByteArray& testo);

// The fields in which two lists or rows differ, each named by its caption, as
// "Prov.: atteso «MI», visto «BA»".
QStringList DifferenzeElenco(const ElencoLetto& atteso, const ElencoLetto& visto);
QStringList DifferenzeRiga(const RigaStampata& atteso, const RigaStampata& visto);
