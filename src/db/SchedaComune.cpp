#include "db/SchedaComune.h"

#include "core/Conversioni.h"
#include "db/Istruzione.h"
#include "db/LetturaComune.h"

#include <variant>

namespace SchedaComune {
namespace {

const QString QueryScheda =
    QStringLiteral("Select COM_ID, COM_PROV, COM_NAME, COM_ZONE, COM_DEGDAY, ") +
    QStringLiteral("COM_ALT, COM_LATI_G, COM_LATI_P, COM_LONG_G, COM_LONG_P, COM_RIFER_NAME, ") +
    QStringLiteral("COM_RIFER_PROV, Irradianza, ProvVicina1, ProvVicina2 ") +
    QStringLiteral("From Comuni Where COM_ID = ");

struct Colonna {
    QString nome;
    std::variant<qint64, QString> valore;
};

// The columns a save writes, in order, each with its condition; an error for a number box whose
// text is not a number or whose whole number does not fit.
Esito<QList<Colonna>> Colonne(const Valori& v) {
    QList<Colonna> colonne{{QStringLiteral("COM_NAME"), v.Nome},
                           {QStringLiteral("COM_PROV"), v.Prov},
                           {QStringLiteral("COM_ZONE"), v.Zona}};
    const std::pair<const char*, const QString*> numeri[] = {
        {"COM_DEGDAY", &v.GradiGiorno}, {"COM_ALT", &v.Altitudine}, {"COM_LATI_G", &v.LatiG},
        {"COM_LATI_P", &v.LatiP},       {"COM_LONG_G", &v.LongG},   {"COM_LONG_P", &v.LongP}};
    // Degree days and altitude always, a coordinate only when its box holds something.
    for (size_t i = 0; i < std::size(numeri); ++i) {
        const auto& [nome, testo] = numeri[i];
        if (i >= 2 && testo->isEmpty())
            continue;
        const Esito<qint16> numero = Conversioni::TestoInIntero16(*testo);
        if (!numero.ok())
            return numero.errore();
        colonne.append({QLatin1String(nome), qint64(numero.valore())});
    }
    if (!v.RifNome.isEmpty())
        colonne.append({QStringLiteral("COM_RIFER_NAME"), v.RifNome});
    if (!v.RifProv.isEmpty())
        colonne.append({QStringLiteral("COM_RIFER_PROV"), v.RifProv});
    if (!v.Irradianza.isEmpty()) {
        // A decimal text, which the numeric column stores as its number.
        colonne.append({QStringLiteral("Irradianza"), v.Irradianza});
        colonne.append({QStringLiteral("ProvVicina1"), v.ProvVicina1});
        colonne.append({QStringLiteral("ProvVicina2"), v.ProvVicina2});
    }
    return colonne;
}

QString TestoScrittura(const QList<Colonna>& colonne, qint32 idDaAggiornare) {
    QStringList nomi;
    for (const Colonna& c : colonne)
        nomi << c.nome;
    if (idDaAggiornare != 0)
        return QStringLiteral("UPDATE Comuni SET ") + nomi.join(QStringLiteral(" = ?, ")) +
               QStringLiteral(" = ? WHERE COM_ID = ") + QString::number(idDaAggiornare);
    return QStringLiteral("INSERT INTO Comuni (") + nomi.join(QStringLiteral(", ")) +
           QStringLiteral(") VALUES (") +
           QStringList(colonne.size(), QStringLiteral("?")).join(", ") + QStringLiteral(")");
}

EsitoOperazione Scrivi(sqlite3* db, const QList<Colonna>& colonne, qint32 idDaAggiornare) {
    Istruzione scrittura(db, TestoScrittura(colonne, idDaAggiornare));
    for (int i = 0; i < colonne.size(); ++i) {
        if (const auto* numero = std::get_if<qint64>(&colonne[i].valore))
            scrittura.lega(i + 1, *numero);
        else
            scrittura.lega(i + 1, std::get<QString>(colonne[i].valore));
    }
    return scrittura.esegui();
}

EsitoOperazione Rileggi(sqlite3* db, qint32 id, DatiComune& riga) {
    Istruzione query(db,
                     QStringLiteral("Select * From Comuni Where COM_ID = ") + QString::number(id));
    if (!query.passo())
        return query.esito().ok() ? EsitoOperazione(ErroreRuntime::Database(
                                        QStringLiteral("La riga salvata non si trova.")))
                                  : query.esito();
    return LetturaComune::Comune(query, LetturaComune::Colonne::DellaQuery(query), riga);
}

} // namespace

Salvataggio Salva(sqlite3* db, qint32 id, const Valori& valori) {
    Salvataggio s;
    auto fallisce = [&](const EsitoOperazione& errore) {
        AnnullaTransazione(db);
        s.esito = errore;
        return s;
    };
    EsitoOperazione esito = IniziaTransazione(db);
    if (!esito.ok())
        return fallisce(esito);
    if (id != 0) {
        Istruzione esistente(db, QueryScheda + QString::number(id));
        const bool trovata = esistente.passo();
        if (!esistente.esito().ok())
            return fallisce(esistente.esito());
        s.scomparso = !trovata;
        if (!trovata)
            id = 0;
    }
    const Esito<QList<Colonna>> colonne = Colonne(valori);
    if (!colonne.ok())
        return fallisce(colonne.errore());
    esito = Scrivi(db, colonne.valore(), id);
    if (!esito.ok())
        return fallisce(esito);
    if (id == 0) {
        Istruzione chiave(db, QStringLiteral("SELECT last_insert_rowid()"));
        chiave.passo();
        id = qint32(chiave.intero(0));
    }
    esito = Rileggi(db, id, s.riga);
    if (esito.ok())
        esito = ConfermaTransazione(db);
    if (!esito.ok())
        return fallisce(esito);
    return s;
}

EsitoOperazione Cancella(sqlite3* db, qint32 id) {
    EsitoOperazione esito = IniziaTransazione(db);
    if (esito.ok())
        esito = EseguiSql(db, QStringLiteral("Delete from Comuni where COM_ID = ") +
                                  QString::number(id));
    if (esito.ok())
        esito = ConfermaTransazione(db);
    if (!esito.ok())
        AnnullaTransazione(db);
    return esito;
}

} // namespace SchedaComune
