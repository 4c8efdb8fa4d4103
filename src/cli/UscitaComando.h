#pragma once

#include "core/Esito.h"

#include <QStringList>
#include <optional>

// What every command-line option shares: the exit statuses and the writing of results and
// errors.
namespace UscitaComando {

inline constexpr int Riuscito = 0;
inline constexpr int Fallito = 1;
inline constexpr int UsoErrato = 2;

// Writes the lines on standard output or standard error, each followed by a line end; a line
// break written as the single character 13 becomes a line end.
void Scrivi(const QStringList& righe);
void ScriviErrore(const QStringList& righe);

// The status of an operation: on success writes `riuscito`, otherwise the error.
int Concludi(const EsitoOperazione& esito, const QString& riuscito);

// The archive an option works on: `indicato` (the value of --archivio) when given, otherwise the
// one named by the configuration file. Empty after writing why there is none.
std::optional<QString> ArchivioDaUsare(const QString& indicato);

} // namespace UscitaComando
