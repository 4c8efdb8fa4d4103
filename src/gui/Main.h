#pragma once

#include <QApplication>
#include <memory>

// The application object of the windows. Without a reachable display Qt cannot start and would
// abort with an English message: the program then writes in Italian that no display is
// available and how to start it on a virtual one, and ends with exit status 1. Qt's messages
// written while it starts are passed on once it has started.
std::unique_ptr<QApplication> ApplicazioneFinestre(int& argc, char* argv[]);

// The program's start: the splash window for one second, the configuration read once, the
// shared title, then the main window, shown without blocking. The program then runs until the
// main window's exit button ends it.
void Main();
