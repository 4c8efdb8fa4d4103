#pragma once

#include "core/DatiComune.h"
#include "core/Esito.h"

class Istruzione;

// Reading query columns into the in-memory record under the archive's rules: a Null column
// gives an empty text, 0 or false; texts are trimmed; a real value stored in a whole-number
// column is rounded halves to even and must fit its width (otherwise an overflow error).
namespace LetturaComune {

Esito<qint16> Intero16(const Istruzione& riga, int colonna);
Esito<qint32> Intero32(const Istruzione& riga, int colonna);
float Singola(const Istruzione& riga, int colonna);
QString Testo(const Istruzione& riga, int colonna);
// A fixed-width code (province, zone) of `larghezza` characters, trimmed, cut or padded.
QString Codice(const Istruzione& riga, int colonna, int larghezza);
bool SiNo(const Istruzione& riga, int colonna);

// Positions of the columns of table Comuni in a query, found by name without regard to case;
// -1 for a column the query does not have.
struct Colonne {
    int id = -1, prov = -1, nome = -1, zona = -1, gradiGiorno = -1, altitudine = -1;
    int latiG = -1, latiP = -1, longG = -1, longP = -1, rifNome = -1, rifProv = -1;
    int irradianza = -1, provVicina1 = -1, provVicina2 = -1, hdh = -1, hbh = -1, capoluogo = -1;

    static Colonne DellaQuery(const Istruzione& query);
};

// Fills the record from the current row, column by column in the record's order, then the
// radians. On an error the fields read before it stay filled.
EsitoOperazione Comune(const Istruzione& riga, const Colonne& colonne, DatiComune& d);

} // namespace LetturaComune
