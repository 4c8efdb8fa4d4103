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

} // namespace Piattaforma
