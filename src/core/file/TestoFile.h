#pragma once

#include <QByteArrayView>
#include <QString>

// The text of a file written by hand or by a spreadsheet: a UTF-8 or UTF-16 byte-order mark
// decides the encoding; otherwise UTF-8 when the bytes are valid UTF-8 (as files written on Linux
// are), else the Windows code page 1252 (as older Windows programs write them). The one place
// where the program guesses the encoding of a file.
QString TestoDelFile(QByteArrayView byte);

// True when the bytes are valid UTF-8.
bool Utf8Valido(QByteArrayView byte);
