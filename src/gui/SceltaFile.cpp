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
    // Qt's own dialog asks before replacing an existing file.
    return QFileDialog::getSaveFileName(genitore, titolo, proposta, filtro);
}
