#include "db/RicercaComuni.h"

#include "db/Istruzione.h"
#include "db/LetturaComune.h"
#include "db/import/LettoreUtf8.h"

#include <cstring>

namespace RicercaComuni {
namespace {

const QString InserimentoRiga =
    QStringLiteral("INSERT INTO RicElComuni (RicId, IdComune, Comune, Prov, Zona, Altitudine, "
                   "GradiGiorno, Latitudine, Longitudine, Irradianza) "
                   "VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

char32_t PrimoCodice(QByteArrayView utf8) {
    return LettoreUtf8(utf8.data(), utf8.size()).prossimo();
}

// True when the UTF-8 text neither starts nor ends with a blank, so that it is already its own
// trimmed form.
bool SenzaSpaziAgliEstremi(QByteArrayView utf8) {
    if (utf8.isEmpty())
        return true;
    qsizetype ultimo = utf8.size() - 1;
    while (ultimo > 0 && (uchar(utf8[ultimo]) & 0xC0) == 0x80)
        --ultimo;
    return !QChar::isSpace(PrimoCodice(utf8)) && !QChar::isSpace(PrimoCodice(utf8.sliced(ultimo)));
}

// A short text of the record (province, zone) as UTF-8 with a terminating zero in
// `destinazione`.
const char* Utf8Breve(const QString& testo, char (&destinazione)[16]) {
    qsizetype n = 0;
    for (const QChar c : testo) {
        if (c.unicode() >= 0x80 || n + 1 == qsizetype(sizeof destinazione))
            break;
        destinazione[n++] = char(c.unicode());
    }
    if (n < testo.size()) {
        const QByteArray utf8 = testo.toUtf8();
        n = qMin<qsizetype>(utf8.size(), sizeof destinazione - 1);
        std::memcpy(destinazione, utf8.constData(), size_t(n));
    }
    destinazione[n] = '\0';
    return destinazione;
}

// One detail row of the printed list from the record just read. The values are bound without
// building new strings where possible: the name straight from the bytes of the query's row
// (valid until the query moves on) when it needs no trimming, the codes and coordinates from
// small buffers.
EsitoOperazione ScriviRigaStampa(Istruzione& inserimento, const Istruzione& riga,
                                 const LetturaComune::Colonne& colonne, const DatiComune& d) {
    char prov[16];
    char zona[16];
    char latitudine[LunghezzaMassimaCoordinata];
    char longitudine[LunghezzaMassimaCoordinata];
    inserimento.reimposta();
    inserimento.lega(1, qint64(d.Id));
    if (colonne.nome >= 0 && !riga.nullo(colonne.nome) &&
        SenzaSpaziAgliEstremi(riga.testoUtf8(colonne.nome)))
        inserimento.legaUtf8(2, riga.testoUtf8(colonne.nome));
    else
        inserimento.lega(2, d.Nome);
    inserimento.legaUtf8(3, Utf8Breve(d.Prov, prov));
    inserimento.legaUtf8(4, Utf8Breve(d.Zona, zona));
    inserimento.lega(5, qint64(d.Altitudine));
    inserimento.lega(6, qint64(d.GradiGiorno));
    ScriviCoordinataUtf8(d.LatiG, d.LatiP, latitudine);
    ScriviCoordinataUtf8(d.LongG, d.LongP, longitudine);
    inserimento.legaUtf8(7, latitudine);
    inserimento.legaUtf8(8, longitudine);
    inserimento.lega(9, qint64(d.Irradianza));
    return inserimento.esegui();
}

// After an error the list takes the length of the whole result, as far as the query still
// gives its rows, so that the count shows what was found.
void CompletaElenco(Istruzione& query, QList<DatiComune>& elenco) {
    while (query.passo())
        elenco.append(DatiComune());
}

} // namespace

Risultato Esegui(sqlite3* db, const QString& query, QList<DatiComune>& elenco) {
    Risultato risultato;
    elenco = {DatiComune()};

    risultato.esito = IniziaTransazione(db);
    if (!risultato.esito.ok())
        return risultato;

    auto fallisce = [&](const EsitoOperazione& errore) {
        AnnullaTransazione(db);
        risultato.esito = errore;
        return risultato;
    };

    EsitoOperazione esito =
        EseguiSql(db, QStringLiteral("Delete from RicElComuni Where RicId = 1"));
    if (!esito.ok())
        return fallisce(esito);
    Istruzione inserimento(db, InserimentoRiga);
    if (!inserimento.esito().ok())
        return fallisce(inserimento.esito());
    Istruzione righe(db, query);
    if (!righe.esito().ok())
        return fallisce(righe.esito());

    const LetturaComune::Colonne colonne = LetturaComune::Colonne::DellaQuery(righe);
    QList<DatiComune> trovati;
    while (righe.passo()) {
        risultato.trovato = true;
        trovati.append(DatiComune());
        esito = LetturaComune::Comune(righe, colonne, trovati.last());
        if (esito.ok())
            esito = ScriviRigaStampa(inserimento, righe, colonne, trovati.last());
        if (!esito.ok()) {
            CompletaElenco(righe, trovati);
            elenco = std::move(trovati);
            return fallisce(esito);
        }
    }
    if (!righe.esito().ok()) {
        if (!trovati.isEmpty())
            elenco = std::move(trovati);
        return fallisce(righe.esito());
    }
    if (!trovati.isEmpty())
        elenco = std::move(trovati);

    esito = ConfermaTransazione(db);
    if (!esito.ok())
        return fallisce(esito);
    return risultato;
}

} // namespace RicercaComuni
