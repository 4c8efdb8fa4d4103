#include "FileSolaLettura.h"

#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace {

bool Scrivibile(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadWrite);
}

bool Chattr(const QString& opzione, const QString& percorso) {
    return QProcess::execute(QStringLiteral("chattr"), {opzione, percorso}) == 0;
}

} // namespace

bool RendiSolaLettura(const QString& percorso) {
    if (geteuid() == 0)
        Chattr(QStringLiteral("+i"), percorso);
    else
        QFile::setPermissions(percorso, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    return !Scrivibile(percorso);
}

void RendiScrivibile(const QString& percorso) {
    if (geteuid() == 0)
        Chattr(QStringLiteral("-i"), percorso);
    QFile::setPermissions(percorso, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
}
