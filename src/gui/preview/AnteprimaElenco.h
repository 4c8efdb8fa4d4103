#pragma once

#include "core/print/DatiReport.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QToolBar;

// The preview window of the printed list: the pages as they will be printed, with zoom, page
// navigation, printing on a printer and export to PDF. The pages are drawn by the same routine
// for the screen, the printer and the PDF file. Every command has a key, named in its tooltip,
// and every button of the toolbar is reached with Tab.
class AnteprimaElenco : public QDialog {
    Q_OBJECT
public:
    explicit AnteprimaElenco(Report::DatiReport dati, QWidget* genitore = nullptr);

    QPrintPreviewWidget* anteprima() const { return anteprima_; }

    // Asks for a printer with Qt's print dialog and prints every page on it.
    void Stampa();
    // Asks for a file (through the file choice service) and writes the pages to it as PDF;
    // true when the file has been written.
    bool EsportaPdf();

protected:
    // Ctrl+wheel on the pages zooms; Enter on a toolbar button presses it; the keyboard comes
    // back to the preview when a dialog opened from it closes.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QAction* Comando(const char* nome, const QString& testo, const char* icona);
    void ImpostaTastiera(QToolBar* barra);
    void AggiornaPagina();

    Report::DatiReport dati_;
    QPrinter stampante_;
    QPrintPreviewWidget* anteprima_ = nullptr;
    QLabel* lblPagina_ = nullptr;
};
