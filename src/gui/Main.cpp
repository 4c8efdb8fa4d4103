#include "gui/Main.h"

#include "core/Configurazione.h"
#include "core/Global.h"
#include "gui/FrmSplash.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/search/FrmElenco.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct MessaggioQt {
    QtMsgType tipo;
    QByteArray categoria;
    QString testo;
};

QList<MessaggioQt>& Trattenuti() {
    static QList<MessaggioQt> messaggi;
    return messaggi;
}

QByteArray& Programma() {
    static QByteArray programma;
    return programma;
}

// Qt ends with a fatal message when no platform can start, which on Linux means no display.
void TrattieniAllAvvio(QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo) {
    if (tipo != QtFatalMsg) {
        Trattenuti().append({tipo, QByteArray(contesto.category), testo});
        return;
    }
    const QString programma = QString::fromLocal8Bit(Programma());
    const QString avviso =
        QStringLiteral("Nessuno schermo disponibile: la variabile DISPLAY non indica uno schermo "
                       "raggiungibile e le finestre del programma non possono essere aperte.\n"
                       "Per avviarlo su uno schermo virtuale (Xvfb): scripts/avvia dalla "
                       "cartella del progetto, oppure xvfb-run -a %1\n"
                       "Le opzioni della riga di comando funzionano anche senza schermo: %1 "
                       "--help\n")
            .arg(programma);
    std::fputs(avviso.toUtf8().constData(), stderr);
    std::fflush(stderr);
    // Qt is half started: nothing of it may run any more.
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> ApplicazioneFinestre(int& argc, char* argv[]) {
    Programma() = argc > 0 ? QByteArray(argv[0]) : QByteArrayLiteral("kelvaro");
    const QtMessageHandler precedente = qInstallMessageHandler(TrattieniAllAvvio);
    auto applicazione = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(precedente);
    for (const MessaggioQt& m : std::as_const(Trattenuti())) {
        const QMessageLogger registro(nullptr, 0, nullptr, m.categoria.constData());
        switch (m.tipo) {
        case QtDebugMsg:
            registro.debug("%s", qUtf8Printable(m.testo));
            break;
        case QtInfoMsg:
            registro.info("%s", qUtf8Printable(m.testo));
            break;
        case QtWarningMsg:
            registro.warning("%s", qUtf8Printable(m.testo));
            break;
        default:
            registro.critical("%s", qUtf8Printable(m.testo));
            break;
        }
    }
    Trattenuti().clear();
    return applicazione;
}

void Main() {
    FrmSplash& splash = IstanzaCondivisa<FrmSplash>::Ottieni();
    splash.SetPause(1);
    splash.show();
    splash.Action();

    Global::LeggiConfigurazione();
    Global::Titolo = Global::TitoloProgramma;
    Global::RicercaRiferimento = 0;

    FrmElenco& elenco = IstanzaCondivisa<FrmElenco>::Ottieni();
    IstanzaCondivisa<FrmSplash>::Scarica();
    elenco.show();
}
