#pragma once

#include "core/Esito.h"

#include <QColor>
#include <QString>
#include <QStyle>
#include <functional>

class QDialog;
class QFocusEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// What every window relies on from the toolkit, in one place.
//
// Qt already behaves as the windows need in these respects (checked by the tests of this
// folder): a line edit's textChanged and a check box's stateChanged run when the program sets a
// different value and not for an equal one; a read-only line edit still takes the focus and
// shows its text; QDialog::exec() returns as soon as the dialog hides itself, and the same
// instance keeps its contents when it is shown again.
namespace ServiziFinestra {

// The desktop's colours for a button face (a locked box) and a window background (a usable box).
QColor ColoreFacciaPulsante();
QColor ColoreSfondoFinestra();

// A locked box shows its text and takes the focus but refuses typing; it has the button-face
// colour, an unlocked one the window-background colour.
void ImpostaBloccata(QLineEdit* casella, bool bloccata);
void ImpostaSfondo(QWidget* controllo, const QColor& colore);

// Runs the queued paints, timers and posted events before returning. The user's input (keys,
// mouse buttons) stays queued until the reaction that called this has returned: a press being
// delivered when a reaction starts, and the release behind it, then reach their control whole
// and in order, after the reaction.
void ElaboraEventi();

// Enter (Return or the keypad's Enter) on a focused push button of `finestra` presses it, as
// Space does. Covers the buttons added to the window later as well.
void InvioPremeIPulsanti(QWidget* finestra);

// A command button with its object name, caption and one of the style's standard pictures, in
// the size every window uses. It never acts as a dialog's default button, so Enter in a box
// presses nothing.
QPushButton* CreaPulsante(QWidget* genitore, const char* nome, const QString& testo,
                          QStyle::StandardPixmap figura);

// True when a control lost the focus to another control of the program; false when the window
// system (another application, another window) or a pop-up or menu took it.
bool FocusVersoAltroControllo(const QFocusEvent* evento);

// The mouse pointer of the whole program.
enum class Puntatore { Predefinito, FrecciaClessidra, Clessidra };
void ImpostaPuntatore(Puntatore puntatore);
Puntatore PuntatoreAttuale();

// Loads a picture file into an image box. A missing or unreadable file is an error and the box
// keeps its previous picture.
EsitoOperazione CaricaImmagine(QLabel* immagine, const QString& percorso);

// Shows a window modally: returns when it is hidden or closed; the instance stays as it is.
void MostraModale(QDialog* finestra);

// Ends the program at once, without closing the windows or saving anything. Tests replace the
// ending with their own function.
void TerminaProgramma();
void ImpostaTerminazione(std::function<void()> termina);

} // namespace ServiziFinestra
