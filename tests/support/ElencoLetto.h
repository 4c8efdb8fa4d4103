#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One detail line of the printed list (or one row of its CSV file), cell by cell.
struct RigaStampata {
    QString nome, prov, zona, altitudine, gradiGiorno, latitudine, longitudine, irradianza;
};

// The printed list as a reader sees it, read back from the PDF with pdftotext -bbox: the
// criteria by their captions (the words after them, one blank between words), the names of the
// detail lines in order, the count. Words are placed by the report's positions in twips.
struct ElencoLetto {
    QString comune{}, prov{}, zona{};
    QString altitudine{}, gradiGiorno{}, latitudine{}, longitudine{}, irradianza{};
    QStringList nomi{};
    QString conteggio{};
    QList<RigaStampata> righe{}; // not compared by DifferenzeElenco
};

ElencoLetto LeggiElenco(const QString& pdf);
// The rows of a CSV file written with ";" and quotes as spreadsheets write them, after a UTF-8
// byte-order mark (an empty list when the mark is missing).
QList<RigaStampata> LeggiCsv(const QByteArray& testo);

// The fields in which two lists differ, as "campo prov: atteso MI, visto BA".
QStringList DifferenzeElenco(const ElencoLetto& atteso, const ElencoLetto& visto);
QStringList DifferenzeRiga(const RigaStampata& atteso, const RigaStampata& visto);
