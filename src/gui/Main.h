#pragma once

// The program's start: the splash window for one second, the configuration read once, the
// shared title, then the main window, shown without blocking. The program then runs until the
// main window's exit button ends it.
void Main();
