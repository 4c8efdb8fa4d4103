#pragma once

#include "support/ComuneProva.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct sqlite3;

// A fresh archive for one test, in its own temporary folder, with Global::PercorsoDB pointing
// at it. Checks run through a side connection of their own, opened on demand.
class ArchivioProva {
public:
    ArchivioProva();
    ~ArchivioProva() { chiudi(); }

    bool valido() const { return valido_; }
    QString percorso() const { return percorso_; }
    QString cartella() const { return cartella_.path(); }
    sqlite3* db();

    // Runs SQL on the side connection; false (with a warning naming the error) when it fails.
    bool esegui(const QString& sql);
    // The first column of every row of a query, as texts (Null as an empty text).
    QStringList testi(const QString& sql);
    qint64 conta(const QString& tabella) {
        return testi("SELECT count(*) FROM " + tabella).value(0).toLongLong();
    }

    // Adds a municipality with every column of the record; returns its COM_ID (-1 on an error,
    // with a warning).
    qint64 aggiungi(const ComuneProva& comune);
    // The stored row of COM_ID `id` (a Null as an empty text or 0), or nothing when there is none.
    std::optional<ComuneProva> comune(qint64 id);

    // Closes the side connection, so that the file can be replaced or locked by a test.
    void chiudi();

private:
    QTemporaryDir cartella_;
    QString percorso_;
    bool valido_ = false;
};
