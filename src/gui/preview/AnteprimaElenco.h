#pragma once

#include "core/print/DatiReport.h"
#include "core/print/IntestazioneStampa.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QToolBar;

// The preview window of the printed list: the pages as they will be printed, with zoom, page
// navigation, printing on a printer and export to PDF and CSV. The pages are drawn by the same
// routine for the screen, the printer and the PDF file. Every command has a key, named in its
// tooltip, and every button of the toolbar is reached with Tab.
class AnteprimaElenco : public QDialog {
    Q_OBJECT
public:
    explicit AnteprimaElenco(Report::DatiReport dati, QWidget* genitore = nullptr);

    QPrintPreviewWidget* anteprima() const { return anteprima_; }

    // Asks for a printer with Qt's print dialog and prints every page on it.
    void Stampa();
    // The filters of the search listed, for the names proposed to the exports.
    void ImpostaFiltri(const Stampa::FiltriStampa& filtri) { filtri_ = filtri; }
    // Write the pages as PDF, or their rows as CSV, to a file the user chooses (see
    // EsportaElenco); true when the file has been written.
    bool EsportaPdf();
    bool EsportaCsv();

protected:
    // Ctrl+wheel on the pages zooms; Enter on a toolbar button presses it; the keyboard comes
    // back to the preview when a dialog opened from it closes.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QAction* Comando(const char* nome, const QString& testo, const char* icona);
    void ImpostaTastiera(QToolBar* barra);
    void AggiornaPagina();

    Report::DatiReport dati_;
    Stampa::FiltriStampa filtri_;
    QPrinter stampante_;
    QPrintPreviewWidget* anteprima_ = nullptr;
    QLabel* lblPagina_ = nullptr;
};
