#include "core/file/Piattaforma.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Piattaforma {

qint64 IdProcesso() {
    return qint64(getpid());
}

bool ProcessoEsiste(qint64 id) {
    if (id <= 0 || id > 0x7fffffff)
        return true;
    // EPERM: the process exists but belongs to someone else.
    return kill(pid_t(id), 0) == 0 || errno != ESRCH;
}

void ApplicaPermessiFileNuovo(const QString& percorso) {
    const mode_t maschera = umask(0);
    umask(maschera);
    chmod(QFile::encodeName(percorso).constData(), 0666 & ~maschera);
}

namespace {

Spostamento DaErrno(int codice) {
    if (codice == EEXIST)
        return {EsitoSpostamento::Esiste, {}};
    if (codice == ENAMETOOLONG)
        return {EsitoSpostamento::NomeTroppoLungo, {}};
    return {EsitoSpostamento::Fallito, QString::fromLocal8Bit(std::strerror(codice))};
}

} // namespace

Spostamento SpostaSenzaSostituire(const QString& da, const QString& a) {
    const QByteArray origine = QFile::encodeName(da);
    const QByteArray destinazione = QFile::encodeName(a);
    if (renameat2(AT_FDCWD, origine.constData(), AT_FDCWD, destinazione.constData(),
                  RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return DaErrno(errno);
    // File systems without renameat2: a hard link is made only where no name exists.
    if (link(origine.constData(), destinazione.constData()) != 0)
        return DaErrno(errno);
    unlink(origine.constData());
    return {};
}

Spostamento SpostaSostituendo(const QString& da, const QString& a) {
    if (rename(QFile::encodeName(da).constData(), QFile::encodeName(a).constData()) == 0)
        return {};
    return DaErrno(errno);
}

namespace {

Voce DaStat(int risultato, const struct stat& s) {
    if (risultato != 0)
        return {};
    const TipoVoce tipo = S_ISREG(s.st_mode)                         ? TipoVoce::File
                          : S_ISDIR(s.st_mode)                       ? TipoVoce::Cartella
                          : S_ISLNK(s.st_mode)                       ? TipoVoce::Collegamento
                          : S_ISCHR(s.st_mode) || S_ISBLK(s.st_mode) ? TipoVoce::Dispositivo
                                                                     : TipoVoce::Altro;
    return {tipo, quint64(s.st_dev), quint64(s.st_ino)};
}

} // namespace

Voce EsaminaVoce(const QString& percorso) {
    struct stat s {};
    return DaStat(lstat(QFile::encodeName(percorso).constData(), &s), s);
}

Voce FileDi(const QString& percorso) {
    struct stat s {};
    return DaStat(stat(QFile::encodeName(percorso).constData(), &s), s);
}

bool SalvaSuDisco(int descrittore) {
    return fsync(descrittore) == 0;
}

} // namespace Piattaforma
