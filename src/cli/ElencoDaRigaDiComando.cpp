#include "cli/ElencoDaRigaDiComando.h"

#include "cli/UscitaComando.h"
#include "core/Conversioni.h"
#include "core/file/Destinazione.h"
#include "core/query/CreaSelect.h"
#include "db/Archivio.h"
#include "db/StampaElenco.h"

namespace ElencoDaRigaDiComando {
namespace {

const QString Connessione = QStringLiteral("ElencoDaRigaDiComando");
const QString Sovrascrivi = QStringLiteral("sovrascrivi");

// The range options in the order of IntervalliRicerca.
const char* const OpzioniIntervalli[] = {"altitudine", "gradi-giorno", "latitudine", "longitudine",
                                         "irradianza"};

struct FiltroDiTesto {
    const char* opzione;
    QString CriteriRicerca::*campo;
    int lunghezza; // the most characters the panel's box takes; 0: any
};
const FiltroDiTesto FiltriDiTesto[] = {{"comune", &CriteriRicerca::comune, 0},
                                       {"provincia", &CriteriRicerca::provincia, 2},
                                       {"zona", &CriteriRicerca::zona, 1}};

// The panel as the options fill it: shown, with the given boxes filled and their ranges ticked.
// The three texts in capitals, as the panel writes them when the user leaves the box.
std::optional<CriteriRicerca> Criteri(const ValoriOpzioni& valori, std::array<bool, 5>& spuntati,
                                      QString& errore) {
    CriteriRicerca criteri;
    criteri.pannelloVisibile = true;
    for (const FiltroDiTesto& filtro : FiltriDiTesto) {
        const QString testo = valori.altra(QLatin1String(filtro.opzione)).trimmed().toUpper();
        if (filtro.lunghezza > 0 && testo.size() > filtro.lunghezza) {
            errore = QStringLiteral("Il valore di --%1 ha al massimo %2 caratteri: «%3».")
                         .arg(QLatin1String(filtro.opzione))
                         .arg(filtro.lunghezza)
                         .arg(testo);
            return std::nullopt;
        }
        criteri.*filtro.campo = testo;
    }
    for (size_t i = 0; i < IntervalliRicerca.size(); ++i) {
        const QString opzione = QLatin1String(OpzioniIntervalli[i]);
        spuntati[i] = valori.altre.contains(opzione);
        const QString valore = valori.altra(opzione);
        if (spuntati[i] && valore.count(u':') != 1) {
            errore = QStringLiteral("Il valore di --%1 si scrive MIN:MAX, con un limite o tutti e "
                                    "due (per esempio 100:500, 100: oppure :500): «%2».")
                         .arg(opzione, valore);
            return std::nullopt;
        }
        criteri.*
            IntervalliRicerca[i].valori = {valore.section(u':', 0, 0), valore.section(u':', 1, 1)};
    }
    return criteri;
}

std::nullopt_t Errore(const QString& testo) {
    UscitaComando::ScriviErrore({testo});
    return std::nullopt;
}

} // namespace

QList<OpzioneRigaDiComando> OpzioniDeiFiltri() {
    QList<OpzioneRigaDiComando> opzioni = {
        {QStringLiteral("comune"),
         QStringLiteral("testo"),
         QStringLiteral("Con --stampa-pdf o --esporta-csv: i comuni il cui nome comincia così."),
         {}},
        {QStringLiteral("provincia"),
         QStringLiteral("XX"),
         QStringLiteral("La sigla della provincia (o il suo inizio)."),
         {}},
        {QStringLiteral("zona"), QStringLiteral("X"), QStringLiteral("La zona climatica."), {}},
    };
    const char* const descrizioni[] = {"L'altitudine in metri", "I gradi giorno",
                                       "La latitudine in gradi interi",
                                       "La longitudine in gradi interi", "L'irradianza"};
    for (size_t i = 0; i < std::size(OpzioniIntervalli); ++i) {
        opzioni.append({QLatin1String(OpzioniIntervalli[i]),
                        QStringLiteral("MIN:MAX"),
                        QString::fromUtf8(descrizioni[i]) +
                            QStringLiteral(" da MIN a MAX compresi; un limite può mancare "
                                           "(100: oppure :500)."),
                        {}});
        opzioni.last().valoreConSegno = true;
    }
    opzioni.append({Sovrascrivi,
                    {},
                    QStringLiteral("Con --stampa-pdf o --esporta-csv: sostituisce il file se "
                                   "esiste già (mai un archivio, una cartella o un dispositivo)."),
                    {}});
    return opzioni;
}

QStringList NomiAccompagnatori() {
    QStringList nomi = {QStringLiteral("archivio")};
    for (const OpzioneRigaDiComando& opzione : OpzioniDeiFiltri())
        nomi << opzione.nome;
    return nomi;
}

std::optional<ElencoPronto> Prepara(const QString& file, const ValoriOpzioni& valori, int& stato) {
    stato = UscitaComando::UsoErrato;
    std::array<bool, 5> spuntati{};
    QString errore;
    const std::optional<CriteriRicerca> criteri = Criteri(valori, spuntati, errore);
    if (!criteri)
        return Errore(errore);
    // The query first: a bound that is not a number gives the window's message.
    const Esito<QString> query = Ricerca::CreaSelect(*criteri, Conversioni::LocaleDeiNumeri());
    if (!query.ok())
        return Errore(query.errore().descrizione);

    stato = UscitaComando::Fallito;
    const std::optional<QString> archivio =
        UscitaComando::ArchivioDaUsare(valori.altra(u"archivio"_qs));
    if (!archivio)
        return std::nullopt;
    const bool sostituire = valori.altre.contains(Sovrascrivi);
    const Destinazione::Esame esame = Destinazione::Esamina(file, *archivio);
    if (esame.stato == Destinazione::Stato::Rifiutato)
        return Errore(esame.motivo);
    if (esame.stato == Destinazione::Stato::Esistente && !sostituire)
        return Errore(QStringLiteral("Il file «%1» esiste già: non viene sovrascritto. Per "
                                     "sostituirlo aggiungere --sovrascrivi.")
                          .arg(file));

    const EsitoOperazione aperto = Archivio::Apri(Connessione, *archivio);
    if (!aperto.ok())
        return Errore(aperto.errore().descrizione);
    const Esito<Stampa::ElencoStampato> elenco =
        StampaElenco::CercaEStampa(Archivio::Maniglia(Connessione), query.valore(),
                                   Stampa::FiltriDellaRicerca(*criteri, spuntati));
    Archivio::Chiudi(Connessione);
    if (!elenco.ok())
        return Errore(elenco.errore().descrizione);
    stato = UscitaComando::Riuscito;
    return ElencoPronto{elenco.valore().dati, *archivio, sostituire};
}

} // namespace ElencoDaRigaDiComando
