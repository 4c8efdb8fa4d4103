#include "cli/RigaDiComando.h"

#include "cli/AnalisiRigaDiComando.h"
#include "cli/ElencoDaRigaDiComando.h"
#include "cli/OpzioneCreaArchivio.h"
#include "cli/OpzioneEsportaCsv.h"
#include "cli/OpzioneImportaIrradiazione.h"
#include "cli/OpzioneInizializza.h"
#include "cli/OpzioneRicalcolaIrradianza.h"
#include "cli/OpzioneStampaPdf.h"
#include "cli/UscitaComando.h"
#include "core/file/TestoFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

using Valori = const ValoriOpzioni&;

// The program's options, in the order of the help. To add one: write its function in its own
// file (src/cli/OpzioneNome.cpp, returning UscitaComando::Riuscito, Fallito or UsoErrato) and
// add its entry here; a qualifying option such as --archivio is named in `accompagnatori`.
QList<OpzioneRigaDiComando> Opzioni() {
    QList<OpzioneRigaDiComando> opzioni = {
        {QStringLiteral("inizializza"),
         {},
         QStringLiteral("Prepara il primo avvio, se il file di configurazione manca: la cartella "
                        "~/.local/share/kelvaro con le immagini del semaforo e l'archivio di tutti "
                        "i comuni, poi il file ~/.config/Kelvaro_2007.ini. Non sovrascrive nulla."),
         [](Valori) { return OpzioneInizializza(); }},
        {QStringLiteral("crea-archivio"), QStringLiteral("percorso"),
         QStringLiteral("Crea un nuovo archivio con tutti i comuni italiani. Un file che esiste "
                        "già non viene mai sovrascritto."),
         [](Valori v) { return OpzioneCreaArchivio(v.valore); }},
        {QStringLiteral("crea-archivio-vuoto"), QStringLiteral("percorso"),
         QStringLiteral("Crea un nuovo archivio vuoto (solo le tabelle)."),
         [](Valori v) { return OpzioneCreaArchivioVuoto(v.valore); }},
        {QStringLiteral("importa-irradiazione"),
         QStringLiteral("file.csv"),
         QStringLiteral("Carica Hdh e Hbh dei capoluoghi di provincia da un file CSV (provincia, "
                        "nome, Hdh, Hbh). Un file con errori viene rifiutato per intero."),
         [](Valori v) { return OpzioneImportaIrradiazione(v.valore, v.altra(u"archivio"_qs)); },
         {QStringLiteral("archivio")}},
        {QStringLiteral("ricalcola-irradianza"),
         {},
         QStringLiteral("Ricalcola i due capoluoghi vicini e l'irradianza di tutti i comuni "
                        "dell'archivio, in un'unica transazione."),
         [](Valori v) { return RicalcolaIrradianza(v.altra(u"archivio"_qs)); },
         {QStringLiteral("archivio")}},
        {OpzioneStampaPdf::Nome, QStringLiteral("file.pdf"),
         QStringLiteral("Cerca i comuni con i filtri indicati (nessun filtro: tutti) e scrive in "
                        "un file PDF il loro elenco con i criteri, come lo stampa il programma."),
         [](Valori v) { return OpzioneStampaPdf::Esegui(v.valore, v); },
         ElencoDaRigaDiComando::NomiAccompagnatori()},
        {QStringLiteral("esporta-csv"), QStringLiteral("file.csv"),
         QStringLiteral("Come --stampa-pdf, ma scrive le righe dell'elenco in un file CSV per i "
                        "fogli di calcolo."),
         [](Valori v) { return OpzioneEsportaCsv(v.valore, v); },
         ElencoDaRigaDiComando::NomiAccompagnatori()},
        {QStringLiteral("archivio"),
         QStringLiteral("percorso"),
         QStringLiteral("L'archivio su cui lavorare (se manca, quello del file di "
                        "configurazione)."),
         {}},
    };
    opzioni.append(ElencoDaRigaDiComando::OpzioniDeiFiltri());
    return opzioni;
}

} // namespace

bool SoloOpzioniDelleFinestre(const QStringList& argomenti) {
    static const QStringList conValore = {
        QStringLiteral("-platform"),        QStringLiteral("-platformpluginpath"),
        QStringLiteral("-platformtheme"),   QStringLiteral("-plugin"),
        QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowicon"),
        QStringLiteral("-qwindowtitle"),    QStringLiteral("-display"),
        QStringLiteral("-geometry"),        QStringLiteral("-style"),
        QStringLiteral("-stylesheet"),      QStringLiteral("-session")};
    static const QStringList senzaValore = {QStringLiteral("-reverse"), QStringLiteral("-nograb"),
                                            QStringLiteral("-dograb"), QStringLiteral("-sync")};
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        if (conValore.contains(argomenti[i]) && i + 1 < argomenti.size())
            ++i;
        else if (!senzaValore.contains(argomenti[i]))
            return false;
    }
    return true;
}

int EseguiRigaDiComando(int argc, char* argv[]) {
    const std::unique_ptr<QCoreApplication> applicazione =
        OpzioneStampaPdf::CreaApplicazione(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kelvaro_2007"));
    const QString programma = QFileInfo(QCoreApplication::arguments().value(0)).fileName();
    const QList<OpzioneRigaDiComando> opzioni = Opzioni();
    RigaAnalizzata riga = AnalizzaRigaDiComando(opzioni, QCoreApplication::arguments().mid(1));
    // Names are passed on as UTF-8: a name in another encoding would make a file under another
    // name, so it is refused before anything is done.
    for (int i = 1; i < argc; ++i) {
        if (!Utf8Valido(QByteArrayView(argv[i])))
            riga.errore = QStringLiteral("L'argomento «%1» non è scritto in UTF-8: i nomi dei "
                                         "file vanno scritti in UTF-8.")
                              .arg(QString::fromUtf8(argv[i]));
    }
    if (!riga.errore.isEmpty()) {
        UscitaComando::ScriviErrore(
            {riga.errore, QStringLiteral("Per l'elenco delle opzioni: %1 --help").arg(programma)});
        return UscitaComando::UsoErrato;
    }
    if (riga.aiuto) {
        std::fputs(TestoAiuto(programma, opzioni).toUtf8().constData(), stdout);
        return UscitaComando::Riuscito;
    }
    return riga.operazione->esegui(riga.valori);
}
