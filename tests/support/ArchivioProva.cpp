#include "ArchivioProva.h"

#include "app/Global.h"
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

ArchivioProva::~ArchivioProva() {
    chiudi();
}

sqlite3* ArchivioProva::apri() {
    if (!aperto_) {
        const EsitoOperazione esito = Archivio::Apri(Connessione, percorso_);
        if (!esito.ok()) {
            qWarning() << esito.errore().descrizione;
            return nullptr;
        }
        aperto_ = true;
    }
    return Archivio::Maniglia(Connessione);
}

void ArchivioProva::chiudi() {
    if (aperto_)
        Archivio::Chiudi(Connessione);
    aperto_ = false;
}

bool ArchivioProva::esegui(const QString& sql) {
    const EsitoOperazione esito = EseguiSql(apri(), sql);
    if (!esito.ok())
        qWarning() << sql << esito.errore().descrizione;
    return esito.ok();
}

QVariant ArchivioProva::valore(const QString& sql) {
    Istruzione istruzione(apri(), sql);
    if (!istruzione.passo()) {
        if (!istruzione.esito().ok())
            qWarning() << sql << istruzione.esito().errore().descrizione;
        return {};
    }
    switch (istruzione.tipo(0)) {
    case SQLITE_INTEGER:
        return istruzione.intero(0);
    case SQLITE_FLOAT:
        return istruzione.reale(0);
    case SQLITE_NULL:
        return {};
    default:
        return istruzione.testo(0);
    }
}

QStringList ArchivioProva::testi(const QString& sql) {
    QStringList risultato;
    Istruzione istruzione(apri(), sql);
    while (istruzione.passo())
        risultato << istruzione.testo(0);
    if (!istruzione.esito().ok())
        qWarning() << sql << istruzione.esito().errore().descrizione;
    return risultato;
}

qint64 ArchivioProva::aggiungiComune(const QString& nome, const QString& prov, const QString& zona,
                                     int gradiGiorno, int altitudine, int latiG, int latiP,
                                     int longG, int longP, int irradianza) {
    Istruzione inserimento(apri(),
                           QStringLiteral("INSERT INTO Comuni (COM_NAME, COM_PROV, COM_ZONE, "
                                          "COM_DEGDAY, COM_ALT, COM_LATI_G, COM_LATI_P, "
                                          "COM_LONG_G, COM_LONG_P, Irradianza) VALUES "
                                          "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    inserimento.lega(1, nome);
    inserimento.lega(2, prov);
    inserimento.lega(3, zona);
    inserimento.lega(4, qint64(gradiGiorno));
    inserimento.lega(5, qint64(altitudine));
    inserimento.lega(6, qint64(latiG));
    inserimento.lega(7, qint64(latiP));
    inserimento.lega(8, qint64(longG));
    inserimento.lega(9, qint64(longP));
    inserimento.lega(10, qint64(irradianza));
    if (!inserimento.esegui().ok()) {
        qWarning() << inserimento.esito().errore().descrizione;
        return -1;
    }
    return sqlite3_last_insert_rowid(apri());
}
