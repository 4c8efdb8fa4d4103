#pragma once

#include <QIcon>

// The program's icon, drawn for it (data/icona), in the sizes a desktop shows: 16 to 256 px.
QIcon IconaProgramma();

// Gives every window and message box of the program its icon, and tells the desktop which menu
// entry (the .desktop file) the running program belongs to.
void ImpostaIdentitaDesktop();
