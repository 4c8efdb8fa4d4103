#include "RigaDiComando.h"

#include "Configurazione.h"
#include "Global.h"
#include "OpzioneRicalcolaIrradianza.h"
#include "PrimaConfigurazione.h"
#include "db/ImportaComuni.h"
#include "db/ImportaIrradiazione.h"
#include "db/Schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

constexpr int EsitoRiuscito = 0;
constexpr int EsitoFallito = 1;
constexpr int EsitoUsoErrato = 2;

void Scrivi(std::FILE* flusso, const QString& testo) {
    std::fputs(testo.toUtf8().constData(), flusso);
    std::fputc('\n', flusso);
}

void ScriviRighe(std::FILE* flusso, const QStringList& righe) {
    for (const QString& riga : righe)
        Scrivi(flusso, riga);
}

// The help text, written here rather than by QCommandLineParser, whose headings are English.
QString TestoAiuto(const QString& programma, const QList<const QCommandLineOption*>& opzioni) {
    constexpr int Colonna = 36;
    constexpr int Larghezza = 100;
    QString testo =
        QStringLiteral("Uso: %1 [opzione]\n\n"
                       "Senza opzioni apre il programma. Con un'opzione prepara o aggiorna un "
                       "archivio\nsenza aprire finestre, quindi termina.\n\nOpzioni:\n")
            .arg(programma);
    for (const QCommandLineOption* opzione : opzioni) {
        QStringList nomi;
        for (const QString& nome : opzione->names())
            nomi << (nome.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + nome;
        QString voce = QStringLiteral("  ") + nomi.join(QStringLiteral(", "));
        if (!opzione->valueName().isEmpty())
            voce += QStringLiteral(" <%1>").arg(opzione->valueName());
        voce = voce.size() + 2 > Colonna ? voce + u'\n' + QString(Colonna, u' ')
                                         : voce.leftJustified(Colonna);
        // The description is wrapped at word boundaries within the line width.
        int usata = Colonna;
        bool primaParola = true;
        for (const QString& parola : opzione->description().split(u' ')) {
            if (!primaParola && usata + 1 + parola.size() > Larghezza) {
                voce += u'\n' + QString(Colonna, u' ');
                usata = Colonna;
                primaParola = true;
            }
            if (!primaParola) {
                voce += u' ';
                ++usata;
            }
            voce += parola;
            usata += int(parola.size());
            primaParola = false;
        }
        testo += voce + u'\n';
    }
    return testo;
}

// An unknown option as the user typed it: the parser splits "-platform" into the single letters
// of short options and reports "p".
QString ComeScritta(const QString& nome) {
    const QString lunga = QStringLiteral("--") + nome;
    const QStringList argomenti = QCoreApplication::arguments().mid(1);
    for (const QString& argomento : argomenti) {
        if (argomento == lunga || argomento.startsWith(lunga + u'='))
            return lunga;
        if (nome.size() == 1 && argomento.startsWith(u'-') && !argomento.startsWith(u"--") &&
            argomento.contains(nome))
            return argomento;
    }
    return nome.size() == 1 ? u'-' + nome : lunga;
}

int ErroreDiUso(const QString& programma, const QString& messaggio) {
    Scrivi(stderr, messaggio);
    Scrivi(stderr, QStringLiteral("Per l'elenco delle opzioni: %1 --help").arg(programma));
    return EsitoUsoErrato;
}

int Concludi(const EsitoOperazione& esito, const QString& riuscito) {
    if (!esito.ok()) {
        QString descrizione = esito.errore().descrizione;
        descrizione.replace(QChar(13), u'\n');
        Scrivi(stderr, descrizione);
        return EsitoFallito;
    }
    Scrivi(stdout, riuscito);
    return EsitoRiuscito;
}

int Inizializza() {
    const PrimaConfigurazione::Rapporto rapporto =
        PrimaConfigurazione::Prepara(Global::CartellaWindows(), Global::CartellaApplicazione(),
                                     PrimaConfigurazione::CartellaDatiPredefinita());
    ScriviRighe(stdout, rapporto.fatto);
    if (!rapporto.esito.ok()) {
        Scrivi(stderr, rapporto.esito.errore().descrizione);
        Scrivi(stderr, QStringLiteral("Preparazione del primo avvio non completata."));
        return EsitoFallito;
    }
    return EsitoRiuscito;
}

int EseguiImportazione(const QString& percorsoCsv, const QString& archivioIndicato) {
    QString archivio = archivioIndicato;
    if (archivio.isEmpty()) {
        Global::LeggiConfigurazione();
        archivio = Global::PercorsoDB;
        if (archivio == QStringLiteral("-1")) {
            Scrivi(stderr, QStringLiteral("Nessun archivio indicato: il file di configurazione %1 "
                                          "non è stato trovato o non indica l'archivio (DB).\n"
                                          "Indicare l'archivio con --archivio <percorso>.")
                               .arg(Global::NomeFileIni));
            return EsitoFallito;
        }
    }
    const Esito<ImportaIrradiazione::Rapporto> rapporto =
        ImportaIrradiazione::Importa(archivio, percorsoCsv);
    if (!rapporto.ok()) {
        QString descrizione = rapporto.errore().descrizione;
        descrizione.replace(QChar(13), u'\n');
        Scrivi(stderr, descrizione);
        return EsitoFallito;
    }
    Scrivi(stdout, QStringLiteral("Archivio: %1").arg(QFileInfo(archivio).absoluteFilePath()));
    ScriviRighe(stdout, ImportaIrradiazione::DescriviRapporto(rapporto.valore()));
    return EsitoRiuscito;
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
    QCoreApplication applicazione(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kelvaro_2007"));
    const QString programma = QFileInfo(QCoreApplication::arguments().value(0)).fileName();

    const QCommandLineOption aiuto({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Mostra questo aiuto."));
    const QCommandLineOption inizializza(
        QStringLiteral("inizializza"),
        QStringLiteral("Prepara il primo avvio, se il file di configurazione manca: la cartella "
                       "~/.local/share/kelvaro con le immagini del semaforo e l'archivio di tutti "
                       "i comuni, poi il file ~/.config/Kelvaro_2007.ini. Non sovrascrive nulla."));
    const QCommandLineOption creaArchivio(
        QStringLiteral("crea-archivio"),
        QStringLiteral("Crea un nuovo archivio con tutti i comuni italiani. Un file che esiste "
                       "già non viene mai sovrascritto."),
        QStringLiteral("percorso"));
    const QCommandLineOption creaArchivioVuoto(
        QStringLiteral("crea-archivio-vuoto"),
        QStringLiteral("Crea un nuovo archivio vuoto (solo le tabelle)."),
        QStringLiteral("percorso"));
    const QCommandLineOption importaIrradiazione(
        QStringLiteral("importa-irradiazione"),
        QStringLiteral("Carica Hdh e Hbh dei capoluoghi di provincia da un file CSV (provincia, "
                       "nome, Hdh, Hbh). Un file con errori viene rifiutato per intero."),
        QStringLiteral("file.csv"));
    const QCommandLineOption ricalcolaIrradianza(
        QStringLiteral("ricalcola-irradianza"),
        QStringLiteral("Ricalcola i due capoluoghi vicini e l'irradianza di tutti i comuni "
                       "dell'archivio, in un'unica transazione."));
    const QCommandLineOption archivio(
        QStringLiteral("archivio"),
        QStringLiteral("Con --importa-irradiazione o --ricalcola-irradianza: l'archivio da "
                       "aggiornare (se manca, quello del file di configurazione)."),
        QStringLiteral("percorso"));
    const QList<const QCommandLineOption*> opzioni = {&aiuto,
                                                      &inizializza,
                                                      &creaArchivio,
                                                      &creaArchivioVuoto,
                                                      &importaIrradiazione,
                                                      &ricalcolaIrradianza,
                                                      &archivio};

    QCommandLineParser parser;
    for (const QCommandLineOption* opzione : opzioni)
        parser.addOption(*opzione);

    if (!parser.parse(QCoreApplication::arguments())) {
        const QStringList sconosciute = parser.unknownOptionNames();
        if (!sconosciute.isEmpty())
            return ErroreDiUso(
                programma,
                QStringLiteral("Opzione sconosciuta: «%1».").arg(ComeScritta(sconosciute.front())));
        // The only other failure is an option given without its value, which can only be the
        // last argument.
        return ErroreDiUso(programma, QStringLiteral("Manca il valore dell'opzione «%1».")
                                          .arg(QCoreApplication::arguments().constLast()));
    }
    if (parser.isSet(aiuto)) {
        std::fputs(TestoAiuto(programma, opzioni).toUtf8().constData(), stdout);
        return EsitoRiuscito;
    }
    if (!parser.positionalArguments().isEmpty())
        return ErroreDiUso(
            programma,
            QStringLiteral("Argomento inatteso: «%1».").arg(parser.positionalArguments().front()));

    int operazioni = 0;
    for (const QCommandLineOption* opzione : {&inizializza, &creaArchivio, &creaArchivioVuoto,
                                              &importaIrradiazione, &ricalcolaIrradianza})
        operazioni += parser.isSet(*opzione) ? 1 : 0;
    if (operazioni == 0)
        return ErroreDiUso(programma, QStringLiteral("Nessuna operazione indicata."));
    if (operazioni > 1)
        return ErroreDiUso(programma, QStringLiteral("Indicare una sola operazione per volta."));
    if (parser.isSet(archivio) && !parser.isSet(importaIrradiazione) &&
        !parser.isSet(ricalcolaIrradianza))
        return ErroreDiUso(programma,
                           QStringLiteral("L'opzione --archivio vale solo con "
                                          "--importa-irradiazione o --ricalcola-irradianza."));
    for (const QCommandLineOption* opzione :
         {&creaArchivio, &creaArchivioVuoto, &importaIrradiazione, &archivio}) {
        if (parser.isSet(*opzione) && parser.value(*opzione).trimmed().isEmpty())
            return ErroreDiUso(programma, QStringLiteral("Manca il valore dell'opzione «--%1».")
                                              .arg(opzione->names().front()));
    }

    if (parser.isSet(inizializza))
        return Inizializza();
    if (parser.isSet(creaArchivio)) {
        const QString percorso = parser.value(creaArchivio);
        return Concludi(Schema::CreaArchivio(percorso, ImportaComuni::InserisciComuniDelProgramma),
                        QStringLiteral("Creato l'archivio «%1» con tutti i comuni italiani.")
                            .arg(QFileInfo(percorso).absoluteFilePath()));
    }
    if (parser.isSet(creaArchivioVuoto)) {
        const QString percorso = parser.value(creaArchivioVuoto);
        return Concludi(Schema::CreaArchivio(percorso),
                        QStringLiteral("Creato l'archivio vuoto «%1» (solo le tabelle).")
                            .arg(QFileInfo(percorso).absoluteFilePath()));
    }
    if (parser.isSet(ricalcolaIrradianza))
        return RicalcolaIrradianza(parser.value(archivio));
    return EseguiImportazione(parser.value(importaIrradiazione), parser.value(archivio));
}
