#include "cli/OpzioneStampaPdf.h"

#include "core/Configurazione.h"
#include "core/Global.h"
#include "db/Archivio.h"
#include "db/StampaElenco.h"
#include "report/EsportaPdf.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace OpzioneStampaPdf {
namespace {

const QString Connessione = QStringLiteral("StampaPdf");

void Scrivi(std::FILE* flusso, QString testo) {
    testo.replace(QChar(13), u'\n');
    std::fputs((testo + u'\n').toUtf8().constData(), flusso);
}

} // namespace

std::unique_ptr<QCoreApplication> CreaApplicazione(int& argc, char* argv[]) {
    const QByteArray opzione = "--" + Nome.toLatin1();
    for (int i = 1; i < argc; ++i) {
        const QByteArray argomento(argv[i]);
        if (argomento == opzione || argomento.startsWith(opzione + '=')) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            // Without a desktop session Qt warns that it has no runtime folder; printing a file
            // does not need one, so the user is spared the warning.
            static QtMessageHandler precedente = nullptr;
            precedente = qInstallMessageHandler(
                [](QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo) {
                    if (precedente &&
                        !testo.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
                        precedente(tipo, contesto, testo);
                });
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

int Esegui(const QString& pdf, const QString& archivioIndicato) {
    QString archivio = archivioIndicato;
    if (archivio.isEmpty()) {
        Global::LeggiConfigurazione();
        archivio = Global::PercorsoDB;
        if (archivio == QStringLiteral("-1")) {
            Scrivi(stderr, QStringLiteral("Nessun archivio indicato: il file di configurazione %1 "
                                          "non è stato trovato o non indica l'archivio (DB).\n"
                                          "Indicare l'archivio con --archivio <percorso>.")
                               .arg(Global::NomeFileIni));
            return 1;
        }
    }
    EsitoOperazione aperto = Archivio::Apri(Connessione, archivio);
    if (!aperto.ok()) {
        Scrivi(stderr, aperto.errore().descrizione);
        return 1;
    }
    const Esito<Report::DatiReport> dati = StampaElenco::LeggiDati(Archivio::Maniglia(Connessione));
    Archivio::Chiudi(Connessione);
    if (!dati.ok()) {
        Scrivi(stderr, dati.errore().descrizione);
        return 1;
    }
    const Esito<int> pagine = Report::EsportaPdf(pdf, Report::RepElComuni(), dati.valore());
    if (!pagine.ok()) {
        Scrivi(stderr, pagine.errore().descrizione);
        return 1;
    }
    if (dati.valore().gruppi.isEmpty())
        Scrivi(stdout, QStringLiteral("L'archivio non contiene ancora i criteri di una stampa "
                                      "(tabella RicComuni): l'elenco ha solo il titolo."));
    qsizetype righe = 0;
    for (const Report::GruppoReport& gruppo : dati.valore().gruppi)
        righe += gruppo.righe.size();
    Scrivi(stdout, QStringLiteral("Scritto l'elenco «%1» (pagine: %2, comuni elencati: %3).")
                       .arg(QFileInfo(pdf).absoluteFilePath())
                       .arg(pagine.valore())
                       .arg(righe));
    return 0;
}

} // namespace OpzioneStampaPdf
