#include "db/PrimaConfigurazione.h"

#include "core/Configurazione.h"
#include "core/LettoreIni.h"
#include "db/Schema.h"
#include "db/import/ImportaComuni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace PrimaConfigurazione {
namespace {

const QString NomeArchivio = QStringLiteral("kelvaro.db");
const QStringList Immagini = {QStringLiteral("semaforo_rosso.png"),
                              QStringLiteral("semaforo_giallo.png"),
                              QStringLiteral("semaforo_verde.png")};

ErroreRuntime Errore(const QString& descrizione) {
    return ErroreRuntime::Database(descrizione);
}

EsitoOperazione CreaCartella(const QString& cartella, QStringList& fatto) {
    if (QFileInfo(cartella).isDir())
        return {};
    if (!QDir().mkpath(cartella))
        return Errore(QStringLiteral("Impossibile creare la cartella «%1».").arg(cartella));
    fatto << QStringLiteral("Creata la cartella «%1».").arg(cartella);
    return {};
}

EsitoOperazione CopiaImmagini(const QString& cartellaImmagini, QStringList& fatto) {
    for (const QString& nome : Immagini) {
        const QString destinazione = QDir(cartellaImmagini).filePath(nome);
        if (QFileInfo::exists(destinazione)) {
            fatto << QStringLiteral("L'immagine «%1» esiste già: non viene toccata.")
                         .arg(destinazione);
            continue;
        }
        if (!QFile::copy(QStringLiteral(":/immagini/") + nome, destinazione))
            return Errore(
                QStringLiteral("Impossibile scrivere l'immagine «%1».").arg(destinazione));
        // A file copied from the program's resources is read-only; the user may replace it.
        QFile::setPermissions(destinazione, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
        fatto << QStringLiteral("Copiata l'immagine «%1».").arg(destinazione);
    }
    return {};
}

EsitoOperazione CreaArchivio(const QString& percorso, QStringList& fatto) {
    if (QFileInfo::exists(percorso)) {
        fatto << QStringLiteral("L'archivio «%1» esiste già: non viene toccato.").arg(percorso);
        return {};
    }
    const EsitoOperazione esito =
        Schema::CreaArchivio(percorso, ImportaComuni::InserisciComuniDelProgramma);
    if (esito.ok())
        fatto
            << QStringLiteral("Creato l'archivio «%1» con tutti i comuni italiani.").arg(percorso);
    return esito;
}

EsitoOperazione ScriviConfigurazione(const QString& cartellaWindows, const QString& testo,
                                     QStringList& fatto) {
    EsitoOperazione esito = CreaCartella(cartellaWindows, fatto);
    if (!esito.ok())
        return esito;
    const QString percorso = QDir(cartellaWindows).filePath(Global::NomeFileIni);
    QFile file(percorso);
    // NewOnly: a file that appeared meanwhile is never replaced.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return Errore(QStringLiteral("Impossibile creare il file di configurazione «%1»: %2.")
                          .arg(percorso, file.errorString()));
    const QByteArray contenuto = testo.toUtf8();
    if (file.write(contenuto) != contenuto.size() || !file.flush()) {
        file.close();
        file.remove();
        return Errore(
            QStringLiteral("Impossibile scrivere il file di configurazione «%1».").arg(percorso));
    }
    file.close();
    fatto << QStringLiteral("Creato il file di configurazione «%1».").arg(percorso);
    return {};
}

} // namespace

QString CartellaDatiPredefinita() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("kelvaro"));
}

QString TestoConfigurazione(const QString& percorsoArchivio, const QString& cartellaImmagini) {
    QString immagini = cartellaImmagini;
    if (!immagini.endsWith(u'/'))
        immagini += u'/';
    return QStringLiteral("[Percorsi]\n"
                          "DB=%1\n"
                          "Immagini=%2\n"
                          "\n"
                          "[ico]\n"
                          "SemRosso=semaforo_rosso.png\n"
                          "SemGiallo=semaforo_giallo.png\n"
                          "SemVerde=semaforo_verde.png\n")
        .arg(percorsoArchivio, immagini);
}

Rapporto Prepara(const QString& cartellaWindows, const QString& cartellaApplicazione,
                 const QString& cartellaDati) {
    Rapporto rapporto;
    const QString cartellaIni =
        Global::CercaPercorsoIni(Global::NomeFileIni, cartellaWindows, cartellaApplicazione);
    const QString esistente = cartellaIni + Global::NomeFileIni;
    if (cartellaIni != QStringLiteral("-1") && QFileInfo(esistente).isFile()) {
        rapporto.fatto << QStringLiteral("Il file di configurazione «%1» esiste già: non è stato "
                                         "cambiato nulla.")
                              .arg(QDir::cleanPath(esistente));
        return rapporto;
    }

    // An empty folder would silently mean the current folder.
    if (cartellaWindows.isEmpty() || cartellaDati.isEmpty()) {
        rapporto.esito = Errore(QStringLiteral("Impossibile trovare la cartella di configurazione "
                                               "o dei dati dell'utente (la variabile HOME non è "
                                               "impostata?)."));
        return rapporto;
    }
    const QString dati = QFileInfo(cartellaDati).absoluteFilePath();
    const QString immagini = QDir(dati).filePath(QStringLiteral("immagini"));
    const QString archivio = QDir(dati).filePath(NomeArchivio);
    // The configuration file comes last: when a step fails it is not written, and the next run
    // completes what is missing.
    rapporto.esito = CreaCartella(dati, rapporto.fatto);
    if (rapporto.esito.ok())
        rapporto.esito = CreaCartella(immagini, rapporto.fatto);
    if (rapporto.esito.ok())
        rapporto.esito = CopiaImmagini(immagini, rapporto.fatto);
    if (rapporto.esito.ok())
        rapporto.esito = CreaArchivio(archivio, rapporto.fatto);
    if (rapporto.esito.ok())
        rapporto.esito = ScriviConfigurazione(
            cartellaWindows, TestoConfigurazione(archivio, immagini + u'/'), rapporto.fatto);
    return rapporto;
}

} // namespace PrimaConfigurazione
