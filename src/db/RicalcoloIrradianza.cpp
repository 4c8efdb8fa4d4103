#include "db/RicalcoloIrradianza.h"

#include "core/Conversioni.h"
#include "core/calc/Irradianza.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/LetturaComune.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <sqlite3.h>

namespace RicalcoloIrradianza {

const QString QueryCapoluoghi =
    QStringLiteral("Select COM_ID, COM_PROV, COM_NAME, COM_ZONE, COM_DEGDAY, "
                   "COM_ALT, COM_LATI_G, COM_LATI_P, COM_LONG_G, COM_LONG_P, COM_RIFER_NAME, "
                   "COM_RIFER_PROV, Hdh, Hbh, capoluogo, ProvVicina1, ProvVicina2, "
                   "irradianza From Comuni Where capoluogo <> No");
const QString QueryComune =
    QStringLiteral("Select COM_ID, COM_PROV, COM_NAME, COM_ZONE, COM_DEGDAY, "
                   "COM_ALT, COM_LATI_G, COM_LATI_P, COM_LONG_G, COM_LONG_P, COM_RIFER_NAME, "
                   "COM_RIFER_PROV, Hdh, Hbh, capoluogo, ProvVicina1, ProvVicina2, "
                   "irradianza From Comuni Where COM_ID = ");

namespace {

// Positions in both queries.
enum Colonna {
    Id = 0,
    Prov = 1,
    Nome = 2,
    Hdh = 12,
    Hbh = 13,
    Vicina1 = 15,
    Vicina2 = 16,
    Irr = 17
};

// A stored province code against the capital's fixed-width code, compared exactly; Null differs.
bool CodiceDiverso(const Istruzione& riga, int colonna, const QString& prov) {
    return riga.tipo(colonna) == SQLITE_NULL ||
           !QAnyStringView::equal(QUtf8StringView(riga.testoUtf8(colonna)), prov);
}

bool IrradianzaDiversa(const Istruzione& riga, qint16 irradianza) {
    switch (riga.tipo(Irr)) {
    case SQLITE_INTEGER:
        return riga.intero(Irr) != irradianza;
    case SQLITE_FLOAT:
        return riga.reale(Irr) != irradianza;
    case SQLITE_TEXT:
        return Conversioni::TestoInNumero(riga.testo(Irr)) != std::optional(double(irradianza));
    default: // Null (or a blob): never equal
        return true;
    }
}

QString CapoluogoPerNome(const DatiComune& c, const QString& nome) {
    return QStringLiteral("%1 (%2, %3)")
        .arg(nome, c.Prov.trimmed(), TestoCoordinata(c.LatiG, c.LatiP));
}

// The row updates, one per combination of changed columns, prepared when first needed.
class Aggiornamenti {
public:
    explicit Aggiornamenti(sqlite3* db)
        : db_(db) {}

    EsitoOperazione Aggiorna(qint32 id, int cambiati, const QString& prov1, const QString& prov2,
                             qint16 irradianza) {
        std::unique_ptr<Istruzione>& istruzione = istruzioni_[size_t(cambiati)];
        if (!istruzione) {
            QStringList assegnazioni;
            for (const auto& [bit, colonna] :
                 {std::pair{1, "ProvVicina1"}, {2, "ProvVicina2"}, {4, "irradianza"}}) {
                if (cambiati & bit)
                    assegnazioni << QStringLiteral("%1 = ?%2").arg(QLatin1String(colonna)).arg(bit);
            }
            istruzione = std::make_unique<Istruzione>(
                db_, QStringLiteral("UPDATE Comuni SET %1 WHERE COM_ID = ?8")
                         .arg(assegnazioni.join(QStringLiteral(", "))));
        }
        if (!istruzione->esito().ok())
            return istruzione->esito();
        istruzione->reimposta();
        if (cambiati & 1)
            istruzione->lega(1, prov1);
        if (cambiati & 2)
            istruzione->lega(2, prov2);
        if (cambiati & 4)
            istruzione->lega(4, qint64(irradianza));
        istruzione->lega(8, qint64(id));
        return istruzione->esegui();
    }

private:
    sqlite3* db_;
    std::array<std::unique_ptr<Istruzione>, 8> istruzioni_;
};

// The irradiance of municipality `m` from its two nearest capitals, as a 16-bit number.
Esito<qint16> IrradianzaDelComune(const DatiComune& m, const CapoluoghiVicini& vicini,
                                  const QList<DatiComune>& capoluoghi, const QStringList& nomi) {
    if (!vicini.trovati())
        return ErroreRuntime{
            CodiceErrore::IndiceFuoriIntervallo,
            QStringLiteral("Meno di due capoluoghi di provincia hanno i dati di irradiazione (Hdh "
                           "e Hbh maggiori di 0): impossibile scegliere i due capoluoghi vicini. "
                           "Caricare prima l'irradiazione dei capoluoghi.")};
    const DatiComune &c1 = capoluoghi[vicini.i1], &c2 = capoluoghi[vicini.i2];
    const Esito<qint32> irradianza = CalcolaIrradianza(c1, c2, m.LatiG, m.LatiP);
    if (!irradianza.ok()) {
        if (irradianza.errore().codice != CodiceErrore::DivisionePerZero)
            return irradianza.errore();
        return ErroreRuntime{
            CodiceErrore::DivisionePerZero,
            QStringLiteral("Divisione per zero: i due capoluoghi più vicini a %1, %2 e %3, hanno "
                           "la stessa latitudine. Correggere le coordinate o l'irradiazione "
                           "di uno dei due.")
                .arg(m.Nome, CapoluogoPerNome(c1, nomi.value(vicini.i1)),
                     CapoluogoPerNome(c2, nomi.value(vicini.i2)))};
    }
    return Conversioni::InIntero16(irradianza.valore());
}

} // namespace

EsitoOperazione CaricaCapoluoghi(sqlite3* db, QList<DatiComune>& capoluoghi, QStringList& nomi) {
    Istruzione query(db, QueryCapoluoghi);
    // The fields a capital keeps: Id, Prov, coordinates, Hdh and Hbh (not its name).
    LetturaComune::Colonne colonne;
    colonne.id = Id, colonne.prov = Prov, colonne.latiG = 6, colonne.latiP = 7;
    colonne.longG = 8, colonne.longP = 9, colonne.hdh = Hdh, colonne.hbh = Hbh;
    QList<DatiComune> letti;
    QStringList nomiLetti;
    EsitoOperazione esito = query.esito();
    while (esito.ok() && query.passo()) {
        letti.append(DatiComune());
        nomiLetti.append(LetturaComune::Testo(query, Nome));
        esito = LetturaComune::Comune(query, colonne, letti.last());
    }
    if (esito.ok())
        esito = query.esito();
    if (letti.isEmpty())
        return esito;
    // Examined in order of province code; capitals sharing a code (BT has three) follow in
    // COM_ID order, whatever order the archive returned them in.
    QList<qsizetype> ordine(letti.size());
    std::iota(ordine.begin(), ordine.end(), 0);
    std::sort(ordine.begin(), ordine.end(), [&](qsizetype a, qsizetype b) {
        return std::pair(letti[a].Prov, letti[a].Id) < std::pair(letti[b].Prov, letti[b].Id);
    });
    capoluoghi.clear();
    nomi.clear();
    for (const qsizetype i : ordine) {
        capoluoghi.append(letti[i]);
        nomi.append(nomiLetti[i]);
    }
    return esito;
}

Risultato Esegui(sqlite3* db, QList<DatiComune>& elenco, QList<DatiComune>& capoluoghi,
                 const std::function<void(qint32)>& avanzamento) {
    Risultato risultato;
    for (DatiComune& m : elenco)
        m.CalcolaRadianti();

    // Reading a damaged file can fail, or worse give wrong values: it is checked first.
    risultato.fase = Fase::Controllo;
    risultato.esito = Archivio::ControllaIntegrita(db);
    if (!risultato.esito.ok())
        return risultato;

    risultato.fase = Fase::Capoluoghi;
    QStringList nomi;
    risultato.esito = CaricaCapoluoghi(db, capoluoghi, nomi);
    if (risultato.esito.ok())
        risultato.esito = IniziaTransazione(db);
    if (!risultato.esito.ok())
        return risultato;

    risultato.fase = Fase::Comuni;
    auto fallisce = [&](const EsitoOperazione& errore) {
        AnnullaTransazione(db);
        risultato.esito = errore;
        risultato.modificati = 0;
        return risultato;
    };
    QList<PuntoSfera> punti;
    for (const DatiComune& c : capoluoghi)
        punti.append(PuntoSfera(c));
    QList<ErroreDistanza> errori;
    Aggiornamenti aggiornamenti(db);

    for (qint32 j = 0; j < elenco.size(); ++j) {
        const DatiComune& m = elenco[j];
        risultato.indice = j;
        const CapoluoghiVicini vicini =
            ScegliCapoluoghiVicini(PuntoSfera(m), punti, capoluoghi, errori);
        for (const ErroreDistanza& e : std::as_const(errori))
            risultato.erroriDistanza.append({j, e});
        errori.clear();
        const Esito<qint16> irradianza = IrradianzaDelComune(m, vicini, capoluoghi, nomi);
        if (!irradianza.ok())
            return fallisce(irradianza.errore());

        Istruzione riga(db, QueryComune + QString::number(m.Id));
        if (!riga.passo()) {
            if (!riga.esito().ok())
                return fallisce(riga.esito());
            risultato.nonTrovato = true;
            return fallisce(ErroreRuntime::Database(
                QStringLiteral("Il comune %1 (COM_ID %2) non è più nell'archivio.")
                    .arg(m.Nome)
                    .arg(m.Id)));
        }
        const QString &prov1 = capoluoghi[vicini.i1].Prov, &prov2 = capoluoghi[vicini.i2].Prov;
        const int cambiati = (CodiceDiverso(riga, Vicina1, prov1) ? 1 : 0) |
                             (CodiceDiverso(riga, Vicina2, prov2) ? 2 : 0) |
                             (IrradianzaDiversa(riga, irradianza.valore()) ? 4 : 0);
        if (cambiati) {
            const EsitoOperazione esito =
                aggiornamenti.Aggiorna(m.Id, cambiati, prov1, prov2, irradianza.valore());
            if (!esito.ok())
                return fallisce(esito);
            ++risultato.modificati;
        }
        if (avanzamento)
            avanzamento(j + 1);
    }

    risultato.fase = Fase::Conferma;
    // The window gets one chance to repaint before the commit.
    QCoreApplication::processEvents();
    const EsitoOperazione conferma = ConfermaTransazione(db);
    if (!conferma.ok())
        return fallisce(conferma);
    return risultato;
}

} // namespace RicalcoloIrradianza
