#include "core/file/Destinazione.h"

#include "core/file/FileNuovo.h"
#include "core/file/Piattaforma.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace Destinazione {
namespace {

using Piattaforma::TipoVoce;

// The first bytes of an SQLite database, of its rollback journal and of its write-ahead log.
bool FileDiSqlite(QFile& file) {
    const QByteArray inizio = file.read(16);
    return inizio.startsWith(QByteArrayLiteral("SQLite format 3\0")) ||
           inizio.startsWith(QByteArrayLiteral("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7")) ||
           inizio.startsWith(QByteArrayLiteral("\x37\x7f\x06\x82")) ||
           inizio.startsWith(QByteArrayLiteral("\x37\x7f\x06\x83"));
}

Esame Rifiuto(const QString& percorso, const QString& cosa) {
    return {
        Stato::Rifiutato,
        QStringLiteral("«%1» %2: resta com'è, l'elenco non è stato scritto.").arg(percorso, cosa)};
}

bool StessoFile(const Piattaforma::Voce& a, const Piattaforma::Voce& b) {
    return a.tipo != TipoVoce::Assente && b.tipo != TipoVoce::Assente &&
           a.dispositivo == b.dispositivo && a.numero == b.numero;
}

} // namespace

Esame Esamina(const QString& percorso, const QString& archivio) {
    if (percorso.trimmed().isEmpty())
        return {Stato::Rifiutato, QStringLiteral("Non è stato indicato il file da scrivere.")};
    const QFileInfo info(percorso);
    const Piattaforma::Voce voce = Piattaforma::EsaminaVoce(percorso);
    switch (voce.tipo) {
    case TipoVoce::Assente:
        if (!FileNuovo::NomeAccettabile(info.absoluteFilePath()))
            return {
                Stato::Rifiutato,
                QStringLiteral("Impossibile scrivere «%1»: il nome è troppo lungo.").arg(percorso)};
        if (Piattaforma::FileDi(info.absolutePath()).tipo != TipoVoce::Cartella)
            return {Stato::Rifiutato,
                    QStringLiteral("Impossibile scrivere «%1»: la cartella «%2» "
                                   "non esiste.")
                        .arg(percorso, QDir::toNativeSeparators(info.absolutePath()))};
        return {};
    case TipoVoce::Cartella:
        return Rifiuto(percorso, QStringLiteral("è una cartella"));
    case TipoVoce::Collegamento:
        return Rifiuto(percorso, QStringLiteral("è un collegamento simbolico (indicare il file a "
                                                "cui porta, se è quello da sostituire)"));
    case TipoVoce::Dispositivo:
        return Rifiuto(percorso, QStringLiteral("è un dispositivo, non un file"));
    case TipoVoce::Altro:
        return Rifiuto(percorso, QStringLiteral("non è un file normale"));
    case TipoVoce::File:
        break;
    }
    if (!archivio.isEmpty() && StessoFile(voce, Piattaforma::FileDi(archivio)))
        return Rifiuto(percorso, QStringLiteral("è l'archivio in uso"));
    // A file that cannot be read might be a database: it is left alone.
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return Rifiuto(percorso, QStringLiteral("non si può leggere"));
    if (FileDiSqlite(file))
        return Rifiuto(percorso, QStringLiteral("è un archivio SQLite"));
    return {Stato::Esistente, {}};
}

QString ConEstensione(const QString& percorso, const QString& estensione) {
    const QString finale = u'.' + estensione;
    return percorso.endsWith(finale, Qt::CaseInsensitive) ? percorso : percorso + finale;
}

EsitoOperazione Scrivi(const Scrittura& s,
                       const std::function<EsitoOperazione(QIODevice&)>& scrivi) {
    const QString assoluto = QFileInfo(s.percorso).absoluteFilePath();
    const auto errore = [&](const QString& motivo) {
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile scrivere %1 «%2»: %3.").arg(s.cosa, s.percorso, motivo));
    };
    const Esame prima = Esamina(s.percorso, s.archivio);
    if (prima.stato == Stato::Rifiutato)
        return ErroreRuntime::Database(prima.motivo);
    if (prima.stato == Stato::Esistente && !s.sostituire)
        return ErroreRuntime::Database(
            QStringLiteral("Il file «%1» esiste già: non viene sovrascritto.").arg(s.percorso));
    const Piattaforma::Voce sostituito = Piattaforma::EsaminaVoce(assoluto);

    const QString cartella = QFileInfo(assoluto).absolutePath();
    FileNuovo::RimuoviAbbandonati(cartella);
    QTemporaryFile temporaneo(FileNuovo::ModelloTemporaneo(cartella));
    if (!temporaneo.open())
        return errore(QStringLiteral("non si può scrivere nella cartella «%1»")
                          .arg(QDir::toNativeSeparators(cartella)));
    const EsitoOperazione scritto = scrivi(temporaneo);
    if (!scritto.ok())
        return scritto;
    if (!temporaneo.flush() || !Piattaforma::SalvaSuDisco(int(temporaneo.handle())))
        return errore(QStringLiteral("il disco è pieno o non accetta il file"));
    temporaneo.close();

    // The destination is looked at again just before the move: what took its place meanwhile
    // is never replaced.
    Piattaforma::Spostamento spostato;
    if (prima.stato == Stato::Nuovo) {
        Piattaforma::ApplicaPermessiFileNuovo(temporaneo.fileName());
        spostato = Piattaforma::SpostaSenzaSostituire(temporaneo.fileName(), assoluto);
    } else {
        const Esame dopo = Esamina(s.percorso, s.archivio);
        if (dopo.stato == Stato::Rifiutato)
            return ErroreRuntime::Database(dopo.motivo);
        if (!StessoFile(sostituito, Piattaforma::EsaminaVoce(assoluto)))
            return errore(QStringLiteral("il file è stato cambiato durante la scrittura"));
        QFile::setPermissions(temporaneo.fileName(), QFile::permissions(assoluto));
        spostato = Piattaforma::SpostaSostituendo(temporaneo.fileName(), assoluto);
    }
    switch (spostato.esito) {
    case Piattaforma::EsitoSpostamento::Riuscito:
        temporaneo.setAutoRemove(false);
        return {};
    case Piattaforma::EsitoSpostamento::Esiste:
        return ErroreRuntime::Database(
            QStringLiteral("Il file «%1» esiste già: non viene sovrascritto.").arg(s.percorso));
    case Piattaforma::EsitoSpostamento::NomeTroppoLungo:
        return errore(QStringLiteral("il nome è troppo lungo"));
    case Piattaforma::EsitoSpostamento::Fallito:
        break;
    }
    return errore(spostato.motivo);
}

} // namespace Destinazione
