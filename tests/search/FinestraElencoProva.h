#pragma once

#include "search/FrmElenco.h"
#include "search/GrigliaElenco.h"
#include "search/ModelloGriglia.h"
#include "support/ArchivioProva.h"
#include "support/MessaggiRegistrati.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

// A main window on a fresh archive for one test: the traffic-light pictures in a temporary
// folder, the shared variables set as start-up sets them, message boxes recorded, and the
// window loaded, shown and painted once (the grid filled).
class FinestraElencoProva {
public:
    struct Comune {
        QString nome;
        QString prov;
        QString zona;
        int gradiGiorno;
        int altitudine;
        int latiG;
        int latiP;
        int longG;
        int longP;
        int irradianza;
    };

    // A small archive with names that exercise sorting, accents and apostrophes.
    static QList<Comune> ComuniDiProva();

    explicit FinestraElencoProva(const QList<Comune>& comuni = ComuniDiProva());
    ~FinestraElencoProva();

    FrmElenco& finestra() { return *finestra_; }
    ArchivioProva& archivio() { return archivio_; }
    MessaggiRegistrati& messaggi() { return messaggi_; }
    int terminazioni() const { return terminazioni_; }

    QLineEdit* casella(const char* nome) const;
    QCheckBox* spunta(const char* nome) const;
    QPushButton* pulsante(const char* nome) const;
    GrigliaElenco* griglia() const;
    QString conteggio() const;
    // The colour in the middle of the traffic light: "rosso", "giallo", "verde" or "".
    QString semaforo() const;

    // The texts of one grid column, rows 1 to the last.
    QStringList colonna(int numero) const;
    // Runs a script of user actions (see the .cpp) and returns how many searches it caused.
    int esegui(const QStringList& azioni);

private:
    QTemporaryDir immagini_;
    ArchivioProva archivio_;
    MessaggiRegistrati messaggi_;
    std::unique_ptr<FrmElenco> finestra_;
    int terminazioni_ = 0;
};
