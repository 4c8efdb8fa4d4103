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

qint64 ArchivioProva::aggiungiComune(const QString& nome, const QString& prov, const QString& zona,
                                     int gradiGiorno, int altitudine, int latiG, int latiP,
                                     int longG, int longP, int irradianza) {
    Istruzione inserimento(db(), QStringLiteral("INSERT INTO Comuni (COM_NAME, COM_PROV, COM_ZONE, "
                                                "COM_DEGDAY, COM_ALT, COM_LATI_G, COM_LATI_P, "
                                                "COM_LONG_G, COM_LONG_P, Irradianza) VALUES "
                                                "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    inserimento.lega(1, nome);
    inserimento.lega(2, prov);
    inserimento.lega(3, zona);
    const int numeri[] = {gradiGiorno, altitudine, latiG, latiP, longG, longP, irradianza};
    for (int i = 0; i < 7; ++i)
        inserimento.lega(4 + i, qint64(numeri[i]));
    if (!inserimento.esegui().ok()) {
        qWarning() << inserimento.esito().errore().descrizione;
        return -1;
    }
    return sqlite3_last_insert_rowid(db());
}
