#include "gui/Main.h"

#include "cli/RigaDiComando.h"
#include "core/Conversioni.h"
#include "gui/IconaProgramma.h"
#include "gui/MessaggiQt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QStringList argomenti;
    for (int i = 1; i < argc; ++i)
        argomenti << QString::fromLocal8Bit(argv[i]);
    if (!SoloOpzioniDelleFinestre(argomenti))
        return EseguiRigaDiComando(argc, argv);

    const std::unique_ptr<QApplication> applicazione = ApplicazioneFinestre(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kelvaro_2007"));
    QGuiApplication::setApplicationDisplayName(QString());
    ImpostaIdentitaDesktop();

    QLocale::setDefault(Conversioni::LocaleDeiNumeri());

    QTranslator traduzioneQt;
    if (traduzioneQt.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traduzioneQt);

    MessaggiQt messaggi;
    ImpostaServizioMessaggi(&messaggi);

    Main();
    const int esito = QApplication::exec();
    ImpostaServizioMessaggi(nullptr);
    return esito;
}
