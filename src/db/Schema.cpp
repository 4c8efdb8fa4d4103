#include "Schema.h"

#include "Archivio.h"
#include "Istruzione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace Schema {
namespace {

// Integer columns keep the ranges of the original archive (16-bit degree days, altitudes,
// degrees and primes; 32-bit irradiance) and text codes their widths, so that a value the
// program could not hold is refused when written. capoluogo is a yes/no column stored as -1/0.
// Texts compare without regard to case, as they always have in this archive: names with the
// Italian collation (accented letters included), the ASCII codes of provinces and zones with
// NOCASE.
const char* const TestoSchema = R"(
CREATE TABLE Comuni (
    COM_ID INTEGER PRIMARY KEY AUTOINCREMENT,
    COM_PROV TEXT COLLATE NOCASE CHECK (length(COM_PROV) <= 2),
    COM_NAME TEXT COLLATE ITALIANO,
    COM_ZONE TEXT COLLATE NOCASE CHECK (length(COM_ZONE) <= 1),
    COM_DEGDAY INTEGER CHECK (COM_DEGDAY BETWEEN -32768 AND 32767),
    COM_ALT INTEGER CHECK (COM_ALT BETWEEN -32768 AND 32767),
    COM_LATI_G INTEGER CHECK (COM_LATI_G BETWEEN -32768 AND 32767),
    COM_LATI_P INTEGER CHECK (COM_LATI_P BETWEEN -32768 AND 32767),
    COM_LONG_G INTEGER CHECK (COM_LONG_G BETWEEN -32768 AND 32767),
    COM_LONG_P INTEGER CHECK (COM_LONG_P BETWEEN -32768 AND 32767),
    COM_RIFER_NAME TEXT COLLATE ITALIANO,
    COM_RIFER_PROV TEXT COLLATE NOCASE CHECK (length(COM_RIFER_PROV) <= 2),
    Hdh REAL,
    Hbh REAL,
    capoluogo INTEGER DEFAULT 0,
    ProvVicina1 TEXT COLLATE NOCASE CHECK (length(ProvVicina1) <= 2),
    ProvVicina2 TEXT COLLATE NOCASE CHECK (length(ProvVicina2) <= 2),
    Irradianza INTEGER CHECK (Irradianza BETWEEN -2147483648 AND 2147483647)
);
CREATE INDEX Comuni_Nome ON Comuni (COM_NAME);
CREATE TABLE RicComuni (
    RicId INTEGER NOT NULL,
    Comune TEXT NOT NULL DEFAULT '',
    Prov TEXT NOT NULL DEFAULT '',
    Zona TEXT NOT NULL DEFAULT '',
    AltitudineMinEt TEXT NOT NULL DEFAULT '',
    AltitudineMin TEXT NOT NULL DEFAULT '',
    AltitudineMaxEt TEXT NOT NULL DEFAULT '',
    AltitudineMax TEXT NOT NULL DEFAULT '',
    GradiGiornoMinEt TEXT NOT NULL DEFAULT '',
    GradiGiornoMin TEXT NOT NULL DEFAULT '',
    GradiGiornoMaxEt TEXT NOT NULL DEFAULT '',
    GradiGiornoMax TEXT NOT NULL DEFAULT '',
    LatitudineMinEt TEXT NOT NULL DEFAULT '',
    LatitudineMin TEXT NOT NULL DEFAULT '',
    LatitudineMaxEt TEXT NOT NULL DEFAULT '',
    LatitudineMax TEXT NOT NULL DEFAULT '',
    LongitudineMinEt TEXT NOT NULL DEFAULT '',
    LongitudineMin TEXT NOT NULL DEFAULT '',
    LongitudineMaxEt TEXT NOT NULL DEFAULT '',
    LongitudineMax TEXT NOT NULL DEFAULT '',
    IrradianzaMinEt TEXT NOT NULL DEFAULT '',
    IrradianzaMin TEXT NOT NULL DEFAULT '',
    IrradianzaMaxEt TEXT NOT NULL DEFAULT '',
    IrradianzaMax TEXT NOT NULL DEFAULT '',
    NumRec TEXT NOT NULL DEFAULT ''
);
CREATE TABLE RicElComuni (
    RicId INTEGER NOT NULL,
    IdComune INTEGER,
    Comune TEXT,
    Prov TEXT CHECK (length(Prov) <= 2),
    Zona TEXT CHECK (length(Zona) <= 1),
    Altitudine INTEGER,
    GradiGiorno INTEGER,
    Latitudine TEXT,
    Longitudine TEXT,
    Irradianza INTEGER
);
)";

const QString ConnessioneCreazione = QStringLiteral("CreazioneArchivio");

} // namespace

EsitoOperazione CreaTabelle(sqlite3* db) {
    return EseguiSql(db, QString::fromUtf8(TestoSchema));
}

EsitoOperazione CreaArchivio(const QString& percorso,
                             const std::function<EsitoOperazione(sqlite3*)>& riempi) {
    const QFileInfo destinazione(percorso);
    if (destinazione.exists())
        return ErroreRuntime::Database(
            QStringLiteral("L'archivio «%1» esiste già: non viene sovrascritto.").arg(percorso));
    if (!destinazione.absoluteDir().exists())
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile creare l'archivio «%1»: la cartella non esiste.")
                .arg(percorso));

    QTemporaryFile temporaneo(destinazione.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!temporaneo.open())
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile creare l'archivio «%1»: non si può scrivere nella "
                           "cartella «%2».")
                .arg(percorso, destinazione.absolutePath()));
    temporaneo.close();

    EsitoOperazione esito = Archivio::ApriCreando(ConnessioneCreazione, temporaneo.fileName());
    if (esito.ok()) {
        sqlite3* db = Archivio::Maniglia(ConnessioneCreazione);
        esito = IniziaTransazione(db);
        if (esito.ok())
            esito = CreaTabelle(db);
        if (esito.ok() && riempi)
            esito = riempi(db);
        if (esito.ok())
            esito = ConfermaTransazione(db);
        else
            AnnullaTransazione(db);
        Archivio::Chiudi(ConnessioneCreazione);
    }
    if (!esito.ok())
        return esito;

    // rename never replaces an existing file, so an archive made meanwhile stays untouched.
    if (!QFile::rename(temporaneo.fileName(), destinazione.absoluteFilePath()))
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile creare l'archivio «%1»: il file non può essere scritto.")
                .arg(percorso));
    temporaneo.setAutoRemove(false);
    QFile::setPermissions(destinazione.absoluteFilePath(), QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ReadGroup | QFile::ReadOther);
    return {};
}

} // namespace Schema
