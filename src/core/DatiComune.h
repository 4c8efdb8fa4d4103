#pragma once

#include <QString>

// The in-memory image of one municipality: the columns of table Comuni plus its latitude and
// longitude in radians. Prov, Zona, RifProv, ProvVicina1 and ProvVicina2 are fixed-width texts:
// they always hold exactly their width, padded with blanks or cut (see TestoFisso).
struct DatiComune {
    qint32 Id = 0;
    QString Nome;
    QString Prov = QStringLiteral("  ");
    QString Zona = QStringLiteral(" ");
    qint16 Altitudine = 0;
    qint16 GradiGiorno = 0;
    qint16 LatiG = 0;
    qint16 LatiP = 0;
    float LatRad = 0.0f;
    qint16 LongG = 0;
    qint16 LongP = 0;
    float LongRad = 0.0f;
    float Hdh = 0.0f;
    float Hbh = 0.0f;
    bool Capoluogo = false;
    QString RifNome;
    QString RifProv = QStringLiteral("  ");
    qint32 Irradianza = 0;
    QString ProvVicina1 = QStringLiteral("  ");
    QString ProvVicina2 = QStringLiteral("  ");

    // Fills LatRad and LongRad from the degrees and primes.
    void CalcolaRadianti();
};

// Its members can be moved in memory as they are, so lists of municipalities grow by moving
// bytes instead of element by element.
Q_DECLARE_TYPEINFO(DatiComune, Q_RELOCATABLE_TYPE);

// A fixed-width text: the first `larghezza` characters of `testo`, padded with blanks.
QString TestoFisso(QString testo, int larghezza);

// Whole degrees and primes as an angle in radians, with 3.14 standing for pi: 3.14 / 180 in
// single precision, times degrees + primes / 60, rounded to single. Every angle of the program
// (distances, nearby capitals) uses this value.
float GradiPrimiInRadianti(double gradi, double primi);

// A coordinate as the lists and the report write it: degrees, "° ", primes and "'" (45° 7').
QString TestoCoordinata(qint16 gradi, qint16 primi);

// The same text in UTF-8 written into `destinazione`, which holds at least
// LunghezzaMassimaCoordinata bytes, followed by a zero byte; returns the number of bytes before
// it. Searches write one per municipality into the printed list, so it builds no string.
inline constexpr int LunghezzaMassimaCoordinata = 20;
int ScriviCoordinataUtf8(qint16 gradi, qint16 primi, char* destinazione);
