#pragma once

#include <QString>

// The few calls that differ from one operating system to another, behind plain functions.
// PiattaformaLinux.cpp implements them for Linux; another system gets a file of its own.
namespace Piattaforma {

// The id of the running process.
qint64 IdProcesso();

// True while a process with this id exists, whoever owns it. An id that no process can have
// counts as existing: what belongs to it is never removed on a guess.
bool ProcessoEsiste(qint64 id);

// Gives `percorso` the permissions a new file gets from the user's settings (on Linux: read
// and write for everyone, less what the umask takes away).
void ApplicaPermessiFileNuovo(const QString& percorso);

enum class EsitoSpostamento { Riuscito, Esiste, NomeTroppoLungo, Fallito };

struct Spostamento {
    EsitoSpostamento esito = EsitoSpostamento::Riuscito;
    QString motivo; // the system's words, when it failed for another reason
};

// Moves `da` to `a` in one step unless `a` exists in any form (a file, a folder, a link, even
// a dangling one): nothing that exists is ever replaced.
Spostamento SpostaSenzaSostituire(const QString& da, const QString& a);

} // namespace Piattaforma
