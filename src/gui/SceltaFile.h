#pragma once

#include <QString>

class QWidget;

// The choice of a file to write goes through this service, so that the windows never open a
// file dialog themselves and tests can give the answer.
class ServizioSceltaFile {
public:
    virtual ~ServizioSceltaFile() = default;
    // The file chosen, or an empty text when the user cancelled. `proposta` is the path shown
    // at first (folder and name). The choice does not ask about replacing an existing file.
    virtual QString fileDaSalvare(QWidget* genitore, const QString& titolo, const QString& proposta,
                                  const QString& filtro) = 0;
};

// Installs the service used from now on; nullptr restores Qt's own file dialog.
void ImpostaServizioSceltaFile(ServizioSceltaFile* servizio);

QString SceltaFileDaSalvare(QWidget* genitore, const QString& titolo, const QString& proposta,
                            const QString& filtro);
