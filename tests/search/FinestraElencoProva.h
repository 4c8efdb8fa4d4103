#pragma once

#include "search/FrmElenco.h"
#include "search/GrigliaElenco.h"
#include "search/ModelloGriglia.h"
#include "support/ArchivioProva.h"
#include "support/MessaggiRegistrati.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <memory>

// A main window on a fresh archive for one test: the shared variables set as start-up sets them
// (the traffic light's pictures are those shipped with the program), message boxes recorded, the
// window loaded, shown, activated and painted once. The traffic light is sampled at every
// processing of events.
class FinestraElencoProva {
public:
    // One comune a line: name, province, zone, degree days, altitude, latitude degrees and
    // primes, longitude degrees and primes, irradiance. Without any, ten that exercise sorting,
    // accents, apostrophes and missing values.
    explicit FinestraElencoProva(QStringList comuni = {});
    ~FinestraElencoProva();

    ArchivioProva archivio;
    MessaggiRegistrati messaggi;
    int terminazioni = 0;

    FrmElenco& finestra() { return *finestra_; }
    template <typename T = QWidget> T* w(const QString& nome) const {
        return finestra_->findChild<T*>(nome);
    }
    GrigliaElenco* griglia() const { return w<GrigliaElenco>("GrdLista"); }
    QString conteggio() const { return w<QLabel>("lblNumComuni")->text(); }
    // "rosso", "giallo", "verde" or "".
    QString semaforo() const;
    // The lights seen since the last call, repeats merged, the present one last.
    QStringList luci();
    // A grid column's texts from row 1, joined by '|'.
    QString colonna(int numero) const;

    // Runs user actions and returns how many searches they caused: s:<box>:<text> types,
    // i:<control> presses Enter, e:<box> Tab, p:<control> clicks a button or a check box's
    // indicator; in the grid r:<n>[:d|c] clicks row n (left, right, middle button), h:<n> the
    // header of column n, t:<letter> types a letter.
    int esegui(const QStringList& azioni);
    static QPoint PuntoDiClic(QWidget* controllo);

private:
    std::unique_ptr<FrmElenco> finestra_;
    QTimer sonda_;
    QStringList campioni_;
};

// Window-system input as a platform delivers it, queued for the event loop: a left click at
// `punto` of `finestra`; the activation of a window (nullptr: another application's).
void PostaClic(QWindow* finestra, QPoint punto);
void PostaAttivazione(QWindow* attiva);
