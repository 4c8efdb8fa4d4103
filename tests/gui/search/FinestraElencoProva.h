#pragma once

#include "gui/search/FrmElenco.h"
#include "gui/search/GrigliaElenco.h"
#include "gui/search/ModelloGriglia.h"
#include "support/ArchivioProva.h"
#include "support/ComuneProva.h"
#include "support/MessaggiRegistrati.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <memory>

// One thing a user does in the main window, written with the functions below:
// {Clic("chkInter"), Scrivi("txtComuneC", "rom"), Invio("txtComuneC"), ClicRiga(2)}.
struct Azione {
    enum class Tipo { Scrivi, Invio, Tab, Clic, ClicRiga, ClicIntestazione };
    Tipo tipo = Tipo::Clic;
    // The object name (all but ClicRiga, ClicIntestazione); the typed text.
    QString controllo{}, testo{};
    int numero = 0;                            // grid row (ClicRiga) or column (ClicIntestazione)
    Qt::MouseButton pulsante = Qt::LeftButton; // ClicRiga
};
// Types `testo` key by key into `controllo`.
inline Azione Scrivi(const QString& controllo, const QString& testo) {
    return {Azione::Tipo::Scrivi, controllo, testo, 0, Qt::LeftButton};
}
// Enter, or Tab, pressed in `controllo`.
inline Azione Invio(const QString& controllo) {
    return {Azione::Tipo::Invio, controllo, {}, 0, Qt::LeftButton};
}
inline Azione Tab(const QString& controllo) {
    return {Azione::Tipo::Tab, controllo, {}, 0, Qt::LeftButton};
}
// A left click on a button, or on a check box's indicator.
inline Azione Clic(const QString& controllo) {
    return {Azione::Tipo::Clic, controllo, {}, 0, Qt::LeftButton};
}
// A click on grid row `riga` (1 is the first data row) with `pulsante`.
inline Azione ClicRiga(int riga, Qt::MouseButton pulsante = Qt::LeftButton) {
    return {Azione::Tipo::ClicRiga, {}, {}, riga, pulsante};
}
// A click on the grid's header of column `colonna`.
inline Azione ClicIntestazione(int colonna) {
    return {Azione::Tipo::ClicIntestazione, {}, {}, colonna, Qt::LeftButton};
}

// The ten municipalities of a main window opened without its own: they exercise sorting,
// accents, apostrophes and missing values.
QList<ComuneProva> ComuniDiProva();

// A main window on a fresh archive for one test: the shared variables set as start-up sets them
// (the traffic light's pictures are those shipped with the program), message boxes recorded, the
// window loaded, shown, activated and painted once. The traffic light is sampled at every
// processing of events.
class FinestraElencoProva {
public:
    // The archive holds `comuni` (by default the ten of ComuniDiProva).
    explicit FinestraElencoProva(const QList<ComuneProva>& comuni = ComuniDiProva());
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
    // A grid column's texts from row 1.
    QStringList celle(int colonna) const;

    // Runs user actions and returns how many searches they caused.
    int esegui(const QList<Azione>& azioni);
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
