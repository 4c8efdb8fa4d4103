#include "cli/OpzioneStampaPdf.h"

#include "cli/ElencoDaRigaDiComando.h"
#include "cli/UscitaComando.h"
#include "report/EsportaPdf.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace OpzioneStampaPdf {

std::unique_ptr<QCoreApplication> CreaApplicazione(int& argc, char* argv[]) {
    const QByteArray opzione = "--" + Nome.toLatin1();
    for (int i = 1; i < argc; ++i) {
        const QByteArray argomento(argv[i]);
        if (argomento == opzione || argomento.startsWith(opzione + '=')) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            // Without a desktop session Qt warns about the runtime folder (missing, or with
            // permissions it does not like); printing a file does not need one, so the user is
            // spared the warning.
            static QtMessageHandler precedente = nullptr;
            precedente = qInstallMessageHandler(
                [](QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo) {
                    if (precedente && !testo.startsWith(QLatin1String("QStandardPaths: ")))
                        precedente(tipo, contesto, testo);
                });
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

int Esegui(const QString& pdf, const ValoriOpzioni& valori) {
    int stato = UscitaComando::Fallito;
    const std::optional<ElencoDaRigaDiComando::ElencoPronto> elenco =
        ElencoDaRigaDiComando::Prepara(pdf, valori, stato);
    if (!elenco)
        return stato;
    const Esito<int> pagine = Report::EsportaPdf(pdf, Report::RepElComuni(), elenco->dati,
                                                 elenco->sostituire, elenco->archivio);
    if (!pagine.ok()) {
        UscitaComando::ScriviErrore({pagine.errore().descrizione});
        return UscitaComando::Fallito;
    }
    UscitaComando::Scrivi(
        {QStringLiteral("Scritto l'elenco «%1» (pagine: %2, comuni elencati: %3).")
             .arg(QFileInfo(pdf).absoluteFilePath())
             .arg(pagine.valore())
             .arg(elenco->dati.gruppi.value(0).righe.size())});
    return UscitaComando::Riuscito;
}

} // namespace OpzioneStampaPdf
