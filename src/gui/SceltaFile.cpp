#include "gui/SceltaFile.h"

#include <QFileDialog>

namespace {

ServizioSceltaFile* servizioAttuale = nullptr;

} // namespace

void ImpostaServizioSceltaFile(ServizioSceltaFile* servizio) {
    servizioAttuale = servizio;
}

QString SceltaFileDaSalvare(QWidget* genitore, const QString& titolo, const QString& proposta,
                            const QString& filtro) {
    if (servizioAttuale)
        return servizioAttuale->fileDaSalvare(genitore, titolo, proposta, filtro);
    // Whether an existing file may be replaced is asked afterwards, by the program's own rule
    // for the files it writes (core/file/Destinazione.h), so the dialog does not ask.
    return QFileDialog::getSaveFileName(genitore, titolo, proposta, filtro, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}
