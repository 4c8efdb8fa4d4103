#include "core/Configurazione.h"
#include "core/Global.h"
#include "db/PrimaConfigurazione.h"
#include "support/Confronta.h"
#include "support/File.h"

#include <QDirIterator>
#include <QtTest>

namespace {

// Every file under `cartella`, by its path from there, in name order.
QStringList FileSotto(const QString& cartella) {
    QStringList file;
    QDirIterator voci(cartella, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (voci.hasNext())
        file << QDir(cartella).relativeFilePath(voci.next());
    file.sort();
    return file;
}

} // namespace

// The first-run preparation, in temporary folders standing for ~/.config (config), the program's
// folder (programma/build) and ~/.local/share/kelvaro (share/kelvaro): it creates what is
// missing and never touches what exists.
class TPrimaConfigurazione : public QObject {
    Q_OBJECT
private slots:
    void prepara() {
        struct Caso {
            const char* nome;
            QStringList esistenti = {}; // the user's files before, holding "file dell'utente"
            QStringList creati = {};    // the files made by the preparation
            QString ultimaRiga;         // the last line of the report, or the error; %1: the base
            bool riuscita = true;
        };
        const QString immagini = "share/kelvaro/immagini/semaforo_";
        // clang-format off
        const Caso casi[] = {
            {.nome = "crea quello che manca", .esistenti = {"share/kelvaro/kelvaro.db", immagini + "giallo.png"},
             .creati = {"config/Kelvaro_2007.ini", immagini + "rosso.png", immagini + "verde.png"},
             .ultimaRiga = "Creato il file di configurazione «%1/config/Kelvaro_2007.ini»."},
            {.nome = "archivio creato", .creati = {"config/Kelvaro_2007.ini", "share/kelvaro/kelvaro.db",
                                                   immagini + "giallo.png", immagini + "rosso.png", immagini + "verde.png"},
             .ultimaRiga = "Creato il file di configurazione «%1/config/Kelvaro_2007.ini»."},
            // Found beside the program (where it is looked for last), it is left alone.
            {.nome = "configurazione già presente", .esistenti = {"programma/Ini/Kelvaro_2007.ini"},
             .ultimaRiga = "Il file di configurazione «%1/programma/Ini/Kelvaro_2007.ini» esiste già: non è stato cambiato nulla."},
            // Without a configuration file the next run tries again.
            {.nome = "un file al posto della cartella dei dati", .esistenti = {"share/kelvaro"},
             .ultimaRiga = "Impossibile creare la cartella «%1/share/kelvaro».", .riuscita = false},
        };
        // clang-format on
        for (const Caso& caso : casi) {
            Global::Azzera();
            QTemporaryDir base;
            QVERIFY(QDir().mkpath(base.filePath("programma/build")));
            for (const QString& nome : caso.esistenti)
                QVERIFY(ScriviFile(base.filePath(nome), "file dell'utente"));
            const QString windows = base.filePath("config");
            const auto rapporto = PrimaConfigurazione::Prepara(
                windows, base.filePath("programma/build"), base.filePath("share/kelvaro"));
            CONFRONTA(caso.nome, "riuscita", rapporto.esito.ok(), caso.riuscita);
            CONFRONTA(caso.nome, "ultima riga",
                      rapporto.esito.ok() ? rapporto.fatto.value(rapporto.fatto.size() - 1)
                                          : rapporto.esito.errore().descrizione,
                      caso.ultimaRiga.arg(base.path()));
            QStringList tutti = caso.esistenti + caso.creati;
            tutti.sort();
            CONFRONTA(caso.nome, "file", FileSotto(base.path()), tutti);
            for (const QString& nome : caso.esistenti)
                CONFRONTA(caso.nome, nome, LeggiFile(base.filePath(nome)), "file dell'utente");
            // The pictures are the program's, writable; the archive is a database (that it is
            // filled is seen where the program imports into it).
            for (const QString& nome : caso.creati) {
                const QString percorso = base.filePath(nome);
                if (nome.endsWith(".png"))
                    CONFRONTA(caso.nome, nome,
                              LeggiFile(percorso) ==
                                      LeggiFile(":/immagini/" + nome.section('/', -1)) &&
                                  QFileInfo(percorso).permissions().testFlag(QFile::WriteOwner),
                              true);
                else if (nome.endsWith(".db"))
                    CONFRONTA(caso.nome, nome, LeggiFile(percorso).left(15), "SQLite format 3");
            }
            if (!caso.creati.contains("config/Kelvaro_2007.ini"))
                continue;
            // The program's own reading finds the new file and its values.
            QVERIFY(Global::LeggiConfigurazione(windows, base.filePath("programma/build")));
            const QString dati = base.filePath("share/kelvaro");
            CONFRONTA(caso.nome, "PercorsoIni", Global::PercorsoIni, windows + '/');
            CONFRONTA(caso.nome, "PercorsoDB", Global::PercorsoDB, dati + "/kelvaro.db");
            CONFRONTA(caso.nome, "PercorsoImmagini", Global::PercorsoImmagini, dati + "/immagini/");
            CONFRONTA(caso.nome, "ImgSemRosso", Global::ImgSemRosso, "semaforo_rosso.png");
            CONFRONTA(caso.nome, "ImgSemGiallo", Global::ImgSemGiallo, "semaforo_giallo.png");
            CONFRONTA(caso.nome, "ImgSemVerde", Global::ImgSemVerde, "semaforo_verde.png");
        }
    }
};

QTEST_GUILESS_MAIN(TPrimaConfigurazione)
#include "tst_primaConfigurazione.moc"
