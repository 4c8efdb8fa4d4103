#include "db/import/ImportaIrradiazione.h"

#include "core/file/TestoFile.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <cmath>
#include <sqlite3.h>
#include <tuple>

namespace ImportaIrradiazione {
namespace {

constexpr int NumeroCampi = 4;
const QString Connessione = QStringLiteral("ImportaIrradiazione");

struct Record {
    int riga = 0;
    QStringList campi;
};

ErroreRuntime ErroreRiga(int riga, const QString& motivo) {
    return ErroreRuntime::Database(
        QStringLiteral("File dell'irradiazione rifiutato, riga %1: %2. L'archivio non è stato "
                       "modificato.")
            .arg(riga)
            .arg(motivo));
}

bool FineRiga(QChar c) {
    return c == u'\n' || c == u'\r';
}

// Splits the text into records of fields separated by `separatore`. A field may be quoted,
// with "" standing for one quote; a quoted field may hold separators and line ends. Lines end
// with \n, \r\n or \r. Each record keeps the number of the line on which it starts.
Esito<QList<Record>> DividiRecord(const QString& testo, QChar separatore) {
    QList<Record> record;
    const qsizetype n = testo.size();
    qsizetype i = 0;
    int riga = 1;
    // Moves past a line end at i (one of \n, \r\n, \r) and counts it.
    const auto saltaFineRiga = [&] {
        if (testo[i] == u'\r' && i + 1 < n && testo[i + 1] == u'\n')
            ++i;
        ++i;
        ++riga;
    };
    while (i < n) {
        Record attuale{riga, {}};
        for (;;) {
            // A field: blanks before an opening quote do not count.
            qsizetype inizio = i;
            while (inizio < n && (testo[inizio] == u' ' || testo[inizio] == u'\t'))
                ++inizio;
            QString campo;
            if (inizio < n && testo[inizio] == u'"') {
                const int rigaVirgolette = riga;
                i = inizio + 1;
                for (;;) {
                    if (i >= n)
                        return ErroreRiga(rigaVirgolette, QStringLiteral("le virgolette aperte "
                                                                         "non sono chiuse"));
                    if (testo[i] == u'"') {
                        if (i + 1 < n && testo[i + 1] == u'"') {
                            campo += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (FineRiga(testo[i])) {
                        campo += u'\n';
                        saltaFineRiga();
                        continue;
                    }
                    campo += testo[i++];
                }
                while (i < n && (testo[i] == u' ' || testo[i] == u'\t'))
                    ++i;
                if (i < n && testo[i] != separatore && !FineRiga(testo[i]))
                    return ErroreRiga(riga, QStringLiteral("dopo le virgolette di chiusura c'è "
                                                           "altro testo prima del separatore"));
            } else {
                while (i < n && testo[i] != separatore && !FineRiga(testo[i]))
                    ++i;
                campo = testo.mid(inizio, i - inizio);
            }
            attuale.campi.append(campo.trimmed());
            if (i < n && testo[i] == separatore) {
                ++i;
                continue;
            }
            if (i < n)
                saltaFineRiga();
            break;
        }
        record.append(attuale);
    }
    return record;
}

// The separator is ';' when the first line that is not blank holds one, otherwise ','.
QChar TrovaSeparatore(const QString& testo) {
    static const QRegularExpression fineRiga(QStringLiteral("[\r\n]"));
    for (const QString& riga : testo.split(fineRiga, Qt::SkipEmptyParts)) {
        if (!riga.trimmed().isEmpty())
            return riga.contains(u';') ? u';' : u',';
    }
    return u';';
}

// A decimal number written with a comma or a point and without thousands separators.
bool LeggiNumero(const QString& campo, double& valore) {
    static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    if (!numero.match(campo).hasMatch())
        return false;
    QString testo = campo;
    testo.replace(u',', u'.');
    bool ok = false;
    valore = testo.toDouble(&ok);
    return ok && std::isfinite(valore);
}

bool Vuoto(const Record& record) {
    for (const QString& campo : record.campi) {
        if (!campo.isEmpty())
            return false;
    }
    return true;
}

} // namespace

Esito<QList<RigaIrradiazione>> Leggi(const QByteArray& contenuto) {
    const QString testo = TestoDelFile(contenuto);
    const QChar separatore = TrovaSeparatore(testo);
    const Esito<QList<Record>> record = DividiRecord(testo, separatore);
    if (!record.ok())
        return record.errore();

    QList<RigaIrradiazione> righe;
    QHash<QString, int> visti; // province and name of each capital -> its line
    bool primoRecord = true;
    for (const Record& r : record.valore()) {
        if (Vuoto(r))
            continue;
        const bool primo = primoRecord;
        primoRecord = false;
        if (r.campi.size() != NumeroCampi) {
            QString motivo = QStringLiteral("ci sono %1 campi invece di 4 (provincia, nome, Hdh, "
                                            "Hbh)")
                                 .arg(r.campi.size());
            if (separatore == u',' && r.campi.size() > NumeroCampi)
                motivo += QStringLiteral("; con la virgola come separatore un numero con la "
                                         "virgola decimale va scritto tra virgolette");
            return ErroreRiga(r.riga, motivo);
        }
        double hdh = 0;
        double hbh = 0;
        const bool hdhNumero = LeggiNumero(r.campi[2], hdh);
        const bool hbhNumero = LeggiNumero(r.campi[3], hbh);
        // A first line whose two values are both words is the column header.
        if (primo && !hdhNumero && !hbhNumero)
            continue;
        for (const auto& [nomeCampo, testoValore, numero, valore] :
             {std::tuple{QStringLiteral("Hdh"), r.campi[2], hdhNumero, hdh},
              std::tuple{QStringLiteral("Hbh"), r.campi[3], hbhNumero, hbh}}) {
            if (!numero)
                return ErroreRiga(r.riga,
                                  testoValore.isEmpty()
                                      ? QStringLiteral("manca il valore di %1").arg(nomeCampo)
                                      : QStringLiteral("il valore di %1 «%2» non è un numero")
                                            .arg(nomeCampo, testoValore));
            if (valore < 0)
                return ErroreRiga(
                    r.riga,
                    QStringLiteral("il valore di %1 «%2» è negativo").arg(nomeCampo, testoValore));
        }

        RigaIrradiazione riga;
        riga.riga = r.riga;
        riga.prov = r.campi[0].toUpper();
        // Names compare in one Unicode form: accents typed as separate marks (as some systems
        // save them) become the single letters the archive holds.
        riga.nome = r.campi[1].normalized(QString::NormalizationForm_C);
        // -0 is stored as 0.
        riga.hdh = hdh + 0.0;
        riga.hbh = hbh + 0.0;
        const QString chiave = riga.prov + u'\n' + riga.nome.toCaseFolded();
        const auto doppione = visti.constFind(chiave);
        if (doppione != visti.constEnd())
            return ErroreRiga(r.riga, QStringLiteral("%1 %2 compare già alla riga %3")
                                          .arg(riga.prov, riga.nome)
                                          .arg(*doppione));
        visti.insert(chiave, r.riga);
        righe.append(riga);
    }
    if (righe.isEmpty())
        return ErroreRuntime::Database(
            QStringLiteral("Il file dell'irradiazione non contiene righe con valori."));
    return righe;
}

Esito<Rapporto> Aggiorna(sqlite3* db, const QList<RigaIrradiazione>& righe) {
    EsitoOperazione esito = IniziaTransazione(db);
    if (!esito.ok())
        return esito.errore();
    // Checked under the write lock: no other writer can change the file between the check and
    // the writes.
    esito = Archivio::ControllaIntegrita(db);
    if (!esito.ok()) {
        AnnullaTransazione(db);
        return esito.errore();
    }
    Istruzione aggiornamento(db, QStringLiteral("UPDATE Comuni SET Hdh = ?, Hbh = ? "
                                                "WHERE capoluogo <> No AND COM_PROV = ? "
                                                "AND COM_NAME = ?"));
    if (!aggiornamento.esito().ok()) {
        AnnullaTransazione(db);
        return aggiornamento.esito().errore();
    }

    Rapporto rapporto;
    rapporto.righeDati = int(righe.size());
    for (const RigaIrradiazione& riga : righe) {
        aggiornamento.lega(1, riga.hdh);
        aggiornamento.lega(2, riga.hbh);
        aggiornamento.lega(3, riga.prov);
        aggiornamento.lega(4, riga.nome);
        esito = aggiornamento.esegui();
        if (!esito.ok()) {
            AnnullaTransazione(db);
            return esito.errore();
        }
        const int cambiate = sqlite3_changes(db);
        rapporto.aggiornati += cambiate;
        if (cambiate == 0)
            rapporto.nonTrovate.append(riga);
        aggiornamento.reimposta();
    }
    esito = ConfermaTransazione(db);
    if (!esito.ok()) {
        AnnullaTransazione(db);
        return esito.errore();
    }
    return rapporto;
}

Esito<Rapporto> Importa(const QString& percorsoArchivio, const QString& percorsoCsv) {
    const QFileInfo info(percorsoCsv);
    if (!info.exists())
        return ErroreRuntime::FileNonTrovato(percorsoCsv);
    QFile file(percorsoCsv);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile leggere il file «%1».").arg(percorsoCsv));
    // Read at most one byte past the limit, so that a huge file or an endless device is refused
    // without being read whole.
    const QByteArray contenuto = file.read(DimensioneMassima + 1);
    if (contenuto.size() > DimensioneMassima)
        return ErroreRuntime::Database(
            QStringLiteral("Il file «%1» è troppo grande per un file dell'irradiazione dei "
                           "capoluoghi (più di %2 KB). L'archivio non è stato modificato.")
                .arg(percorsoCsv)
                .arg(DimensioneMassima / 1024));
    const Esito<QList<RigaIrradiazione>> righe = Leggi(contenuto);
    if (!righe.ok())
        return righe.errore();

    const EsitoOperazione aperto = Archivio::Apri(Connessione, percorsoArchivio);
    if (!aperto.ok())
        return aperto.errore();
    const Esito<Rapporto> rapporto = Aggiorna(Archivio::Maniglia(Connessione), righe.valore());
    Archivio::Chiudi(Connessione);
    return rapporto;
}

QStringList DescriviRapporto(const Rapporto& rapporto) {
    QStringList testo;
    testo << QStringLiteral("%1 su %2 del file.")
                 .arg(rapporto.aggiornati == 1
                          ? QStringLiteral("Aggiornato 1 capoluogo")
                          : QStringLiteral("Aggiornati %1 capoluoghi").arg(rapporto.aggiornati),
                      rapporto.righeDati == 1 ? QStringLiteral("1 riga")
                                              : QStringLiteral("%1 righe").arg(rapporto.righeDati));
    if (!rapporto.nonTrovate.isEmpty()) {
        testo << (rapporto.nonTrovate.size() == 1
                      ? QStringLiteral("Una riga non corrisponde ad alcun capoluogo dell'archivio:")
                      : QStringLiteral("%1 righe non corrispondono ad alcun capoluogo "
                                       "dell'archivio:")
                            .arg(rapporto.nonTrovate.size()));
        for (const RigaIrradiazione& riga : rapporto.nonTrovate)
            testo << QStringLiteral("  riga %1: %2 %3").arg(riga.riga).arg(riga.prov, riga.nome);
    }
    return testo;
}

} // namespace ImportaIrradiazione
