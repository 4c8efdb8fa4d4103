#include "support/ArchivioProva.h"

#include "core/Global.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/Schema.h"

#include <QtDebug>
#include <sqlite3.h>

namespace {
const QString Connessione = QStringLiteral("ArchivioProva");
}

ArchivioProva::ArchivioProva() {
    percorso_ = cartella_.filePath(QStringLiteral("archivio prova.db"));
    const EsitoOperazione esito = Schema::CreaArchivio(percorso_);
    valido_ = esito.ok();
    if (!valido_)
        qWarning() << "archivio di prova non creato:" << esito.errore().descrizione;
    Global::PercorsoDB = percorso_;
}

sqlite3* ArchivioProva::db() {
    if (!Archivio::Maniglia(Connessione)) {
        const EsitoOperazione esito = Archivio::Apri(Connessione, percorso_);
        if (!esito.ok())
            qWarning() << esito.errore().descrizione;
    }
    return Archivio::Maniglia(Connessione);
}

void ArchivioProva::chiudi() {
    Archivio::Chiudi(Connessione);
}

bool ArchivioProva::esegui(const QString& sql) {
    const EsitoOperazione esito = EseguiSql(db(), sql);
    if (!esito.ok())
        qWarning() << sql << esito.errore().descrizione;
    return esito.ok();
}

QStringList ArchivioProva::testi(const QString& sql) {
    QStringList risultato;
    Istruzione istruzione(db(), sql);
    while (istruzione.passo())
        risultato << istruzione.testo(0);
    if (!istruzione.esito().ok())
        qWarning() << sql << istruzione.esito().errore().descrizione;
    return risultato;
}

namespace {
const QString ColonneComune = QStringLiteral(
    "COM_NAME, COM_PROV, COM_ZONE, COM_ALT, COM_DEGDAY, COM_LATI_G, COM_LATI_P, COM_LONG_G, "
    "COM_LONG_P, Hdh, Hbh, capoluogo, COM_RIFER_NAME, COM_RIFER_PROV, Irradianza, ProvVicina1, "
    "ProvVicina2");
}

qint64 ArchivioProva::aggiungi(const ComuneProva& c) {
    Istruzione inserimento(db(),
                           QStringLiteral("INSERT INTO Comuni (%1) VALUES "
                                          "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                               .arg(ColonneComune));
    int n = 0;
    for (const QString& testo : {c.nome, c.prov, c.zona})
        inserimento.lega(++n, testo);
    for (const int numero : {c.altitudine, c.gradiGiorno, c.latiG, c.latiP, c.longG, c.longP})
        inserimento.lega(++n, qint64(numero));
    // Values the program leaves unset stay Null, as in a row it inserts.
    const auto reale = [&](double valore) {
        valore == 0 ? inserimento.legaNull(++n) : inserimento.lega(++n, valore);
    };
    const auto testo = [&](const QString& valore) {
        valore.isEmpty() ? inserimento.legaNull(++n) : inserimento.lega(++n, valore);
    };
    reale(c.hdh);
    reale(c.hbh);
    inserimento.lega(++n, qint64(c.capoluogo ? -1 : 0));
    testo(c.rifNome);
    testo(c.rifProv);
    inserimento.lega(++n, qint64(c.irradianza));
    testo(c.provVicina1);
    testo(c.provVicina2);
    if (!inserimento.esegui().ok()) {
        qWarning() << inserimento.esito().errore().descrizione;
        return -1;
    }
    return sqlite3_last_insert_rowid(db());
}

std::optional<ComuneProva> ArchivioProva::comune(qint64 id) {
    Istruzione lettura(
        db(), QStringLiteral("SELECT %1 FROM Comuni WHERE COM_ID = %2").arg(ColonneComune).arg(id));
    if (!lettura.passo())
        return std::nullopt;
    int n = 0;
    ComuneProva c;
    for (QString* testo : {&c.nome, &c.prov, &c.zona})
        *testo = lettura.testo(n++);
    for (int* numero : {&c.altitudine, &c.gradiGiorno, &c.latiG, &c.latiP, &c.longG, &c.longP})
        *numero = int(lettura.intero(n++));
    c.hdh = lettura.reale(n++);
    c.hbh = lettura.reale(n++);
    c.capoluogo = lettura.intero(n++) != 0;
    c.rifNome = lettura.testo(n++);
    c.rifProv = lettura.testo(n++);
    c.irradianza = int(lettura.intero(n++));
    c.provVicina1 = lettura.testo(n++);
    c.provVicina2 = lettura.testo(n++);
    return c;
}
