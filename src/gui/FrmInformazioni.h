#pragma once

#include <QDialog>
#include <QStringList>

// The window "Informazioni": the program's name and version, the sources of its data with their
// licences (as the README lists them under "Dati e fonti") and the archive in use. F1 opens it
// from the main window and from the record window; "Chiudi" or Escape closes it.
class FrmInformazioni : public QDialog {
    Q_OBJECT
public:
    explicit FrmInformazioni(QWidget* genitore = nullptr);

    // One line for each source of the archive's data, with its licence.
    static QStringList Fonti();
    // The archive named by the configuration, or the words saying that none is named.
    static QString ArchivioInUso();
};

// F1 pressed anywhere in `finestra` opens "Informazioni" over it, modally.
void CollegaInformazioniAF1(QWidget* finestra);
