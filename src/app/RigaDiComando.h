#pragma once

// The program's command-line options, for preparing and maintaining archives without a display
// (the windows take no arguments). Runs the options given and returns the exit status.
int EseguiRigaDiComando(int argc, char* argv[]);
