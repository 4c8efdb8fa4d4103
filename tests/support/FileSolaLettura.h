#pragma once

#include <QString>

// Makes a file impossible to write for this process, also when the tests run as root (where
// permission bits do not stop writes: the file is then made immutable with chattr). Returns
// false when the system offers no way, so that the test can be skipped.
bool RendiSolaLettura(const QString& percorso);
void RendiScrivibile(const QString& percorso);
