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

// Moves `da` to `a` in one step, replacing the directory entry `a` if there is one (a file
// there is replaced, never written through).
Spostamento SpostaSostituendo(const QString& da, const QString& a);

// Moves `da` to `a` in one step unless `a` exists in any form (a file, a folder, a link, even
// a dangling one): nothing that exists is ever replaced.
Spostamento SpostaSenzaSostituire(const QString& da, const QString& a);

// What a directory entry is: the kind of entry and the identity of the file it names.
enum class TipoVoce { Assente, File, Cartella, Collegamento, Dispositivo, Altro };

struct Voce {
    TipoVoce tipo = TipoVoce::Assente;
    quint64 dispositivo = 0; // with `numero`, the same for every name of one file
    quint64 numero = 0;
};

// The entry `percorso` itself: a symbolic link is reported as such, not followed.
Voce EsaminaVoce(const QString& percorso);

// The file that `percorso` leads to, symbolic links followed; Assente when it leads nowhere.
Voce FileDi(const QString& percorso);

// Writes the data of an open file to the disk before it takes its final name.
bool SalvaSuDisco(int descrittore);

} // namespace Piattaforma
