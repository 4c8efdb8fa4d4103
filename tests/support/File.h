#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

// Writing and reading whole files in tests; "mancante" marks a file that cannot be read.
inline bool ScriviFile(const QString& percorso, const QByteArray& contenuto) {
    QDir().mkpath(QFileInfo(percorso).path());
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(contenuto) == contenuto.size();
}

inline QByteArray LeggiFile(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("mancante");
}

// Every name in a folder, hidden ones included, in name order.
inline QStringList Voci(const QString& cartella) {
    return QDir(cartella).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}
