#include "core/file/FileNuovo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileNuovo {

QString ModelloTemporaneo(const QString& cartella) {
    return QDir(cartella).filePath(PrefissoTemporanei +
                                   QString::number(QCoreApplication::applicationPid()) +
                                   QStringLiteral("-XXXXXX"));
}

void RimuoviAbbandonati(const QString& cartella) {
    const QDir dir(cartella);
    const QStringList nomi = dir.entryList({PrefissoTemporanei + u'*'}, QDir::Files | QDir::Hidden);
    for (const QString& nome : nomi) {
        const QString resto = nome.mid(PrefissoTemporanei.size());
        bool numero = false;
        const qint64 processo = resto.section(u'-', 0, 0).toLongLong(&numero);
        if (!numero || processo <= 0 || processo > 0x7fffffff)
            continue;
        // A process that no longer exists cannot come back for its file.
        if (kill(pid_t(processo), 0) == 0 || errno != ESRCH)
            continue;
        QFile::remove(dir.filePath(nome));
    }
}

void PermessiDaUmask(const QString& percorso) {
    const mode_t maschera = umask(0);
    umask(maschera);
    chmod(QFile::encodeName(percorso).constData(), 0666 & ~maschera);
}

int SpostaSenzaSostituire(const QString& da, const QString& a) {
    const QByteArray origine = QFile::encodeName(da);
    const QByteArray destinazione = QFile::encodeName(a);
    if (renameat2(AT_FDCWD, origine.constData(), AT_FDCWD, destinazione.constData(),
                  RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without renameat2: a hard link is made only where no name exists.
    if (link(origine.constData(), destinazione.constData()) != 0)
        return errno;
    unlink(origine.constData());
    return 0;
}

bool NomeAccettabile(const QString& percorso) {
    const QByteArray byte = QFile::encodeName(percorso);
    if (byte.size() >= 4096)
        return false;
    for (const QByteArray& parte : byte.split('/')) {
        if (parte.size() > 255)
            return false;
    }
    return true;
}

} // namespace FileNuovo
