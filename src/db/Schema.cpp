#include "db/Schema.h"

#include "core/file/FileNuovo.h"
#include "core/file/Piattaforma.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace Schema {
namespace {

// Integer columns keep the archive's ranges (16-bit degree days, altitudes, degrees and primes;
// 32-bit irradiance) and text codes their widths, so that a value the program could not hold is
// refused when written. capoluogo is a yes/no column stored as -1/0. The codes of provinces and
// zones compare without regard to case (NOCASE). The schema names only what every SQLite tool
// knows: the Italian order and LIKE of names are applied by the program's own statements (see
// AdattaSql), so the file can be checked, copied and repaired with any tool.
const char* const TestoComuni = R"(
CREATE TABLE %1 (
    COM_ID INTEGER PRIMARY KEY AUTOINCREMENT,
    COM_PROV TEXT COLLATE NOCASE CHECK (length(COM_PROV) <= 2),
    COM_NAME TEXT,
    COM_ZONE TEXT COLLATE NOCASE CHECK (length(COM_ZONE) <= 1),
    COM_DEGDAY INTEGER CHECK (COM_DEGDAY BETWEEN -32768 AND 32767),
    COM_ALT INTEGER CHECK (COM_ALT BETWEEN -32768 AND 32767),
    COM_LATI_G INTEGER CHECK (COM_LATI_G BETWEEN -32768 AND 32767),
    COM_LATI_P INTEGER CHECK (COM_LATI_P BETWEEN -32768 AND 32767),
    COM_LONG_G INTEGER CHECK (COM_LONG_G BETWEEN -32768 AND 32767),
    COM_LONG_P INTEGER CHECK (COM_LONG_P BETWEEN -32768 AND 32767),
    COM_RIFER_NAME TEXT,
    COM_RIFER_PROV TEXT COLLATE NOCASE CHECK (length(COM_RIFER_PROV) <= 2),
    Hdh REAL,
    Hbh REAL,
    capoluogo INTEGER DEFAULT 0,
    ProvVicina1 TEXT COLLATE NOCASE CHECK (length(ProvVicina1) <= 2),
    ProvVicina2 TEXT COLLATE NOCASE CHECK (length(ProvVicina2) <= 2),
    Irradianza INTEGER CHECK (Irradianza BETWEEN -2147483648 AND 2147483647)
);
)";

const char* const TestoStampa = R"(
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

QString TabellaComuni(const QString& nome) {
    return QString::fromUtf8(TestoComuni).arg(nome);
}

EsitoOperazione CreaTabelle(sqlite3* db) {
    return EseguiSql(db, TabellaComuni(QStringLiteral("Comuni")) + QString::fromUtf8(TestoStampa) +
                             QStringLiteral("PRAGMA user_version = %1;").arg(Versione));
}

EsitoOperazione CreaArchivio(const QString& percorso,
                             const std::function<EsitoOperazione(sqlite3*)>& riempi) {
    const QFileInfo destinazione(percorso);
    const QString assoluto = destinazione.absoluteFilePath();
    const auto errore = [&](const QString& motivo) {
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile creare l'archivio «%1»: %2").arg(percorso, motivo));
    };
    // A dangling link counts as existing too: nothing is ever written through it.
    if (destinazione.exists() || destinazione.isSymLink())
        return ErroreRuntime::Database(
            QStringLiteral("L'archivio «%1» esiste già: non viene sovrascritto.").arg(percorso));
    if (!FileNuovo::NomeAccettabile(assoluto))
        return errore(QStringLiteral("il nome è troppo lungo."));
    if (!destinazione.absoluteDir().exists())
        return errore(QStringLiteral("la cartella non esiste."));
    // SQLite would roll a journal left by a crashed writer into the new file, damaging it.
    for (const QString& suffisso : {QStringLiteral("-journal"), QStringLiteral("-wal")}) {
        const QFileInfo residuo(assoluto + suffisso);
        if (residuo.exists() || residuo.isSymLink())
            return errore(QStringLiteral("accanto c'è il file «%1», lasciato da un programma "
                                         "interrotto. Spostarlo o cancellarlo, poi riprovare.")
                              .arg(residuo.filePath()));
    }

    const QString cartella = destinazione.absolutePath();
    FileNuovo::RimuoviAbbandonati(cartella);
    QTemporaryFile temporaneo(FileNuovo::ModelloTemporaneo(cartella));
    if (!temporaneo.open())
        return errore(QStringLiteral("non si può scrivere nella cartella «%1».").arg(cartella));
    temporaneo.close();

    EsitoOperazione esito = Archivio::ApriFileNuovo(ConnessioneCreazione, temporaneo.fileName());
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

    Piattaforma::ApplicaPermessiFileNuovo(temporaneo.fileName());
    const Piattaforma::Spostamento spostato =
        Piattaforma::SpostaSenzaSostituire(temporaneo.fileName(), assoluto);
    switch (spostato.esito) {
    case Piattaforma::EsitoSpostamento::Riuscito:
        break;
    case Piattaforma::EsitoSpostamento::Esiste:
        return ErroreRuntime::Database(
            QStringLiteral("L'archivio «%1» esiste già: non viene sovrascritto.").arg(percorso));
    case Piattaforma::EsitoSpostamento::NomeTroppoLungo:
        return errore(QStringLiteral("il nome è troppo lungo."));
    case Piattaforma::EsitoSpostamento::Fallito:
        return errore(QStringLiteral("il file non può essere scritto (%1).").arg(spostato.motivo));
    }
    temporaneo.setAutoRemove(false);
    return {};
}

} // namespace Schema
