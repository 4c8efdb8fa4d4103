#pragma once

#include <QStringList>

// The program's command-line options, for preparing and maintaining archives without a display.
// Runs the option given and returns the exit status (see UscitaComando).
int EseguiRigaDiComando(int argc, char* argv[]);

// True when every argument is one of Qt's own window options with its value (such as
// "-platform offscreen" or "-style fusion"): the program then opens its windows as usual.
// Any other argument asks for the command line.
bool SoloOpzioniDelleFinestre(const QStringList& argomenti);
