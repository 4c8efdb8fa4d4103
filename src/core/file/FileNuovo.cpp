#include "core/file/FileNuovo.h"

#include "core/file/Piattaforma.h"

#include <QDir>
#include <QFile>

namespace FileNuovo {

QString ModelloTemporaneo(const QString& cartella) {
    return QDir(cartella).filePath(PrefissoTemporanei + QString::number(Piattaforma::IdProcesso()) +
                                   QStringLiteral("-XXXXXX"));
}

void RimuoviAbbandonati(const QString& cartella) {
    const QDir dir(cartella);
    const QStringList nomi = dir.entryList({PrefissoTemporanei + u'*'}, QDir::Files | QDir::Hidden);
    for (const QString& nome : nomi) {
        const QString resto = nome.mid(PrefissoTemporanei.size());
        bool numero = false;
        const qint64 processo = resto.section(u'-', 0, 0).toLongLong(&numero);
        // A process that no longer exists cannot come back for its file.
        if (!numero || Piattaforma::ProcessoEsiste(processo))
            continue;
        QFile::remove(dir.filePath(nome));
    }
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
