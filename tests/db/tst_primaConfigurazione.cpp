#include "core/Configurazione.h"
#include "core/Global.h"
#include "db/PrimaConfigurazione.h"
#include "support/Confronta.h"
#include "support/File.h"

#include <QDirIterator>

// The first-run preparation, in temporary folders standing for ~/.config (config), the program's
// folder (programma) and ~/.local/share/kelvaro (share/kelvaro): it creates what is
// missing and never touches what exists.
class TPrimaConfigurazione : public QObject {
    Q_OBJECT
private slots:
    void prepara() {
        struct Caso {
            const char* nome;
            QStringList esistenti = {}; // the user's files before, holding "mio"
            QStringList creati = {};    // the files made by the preparation
            QString ultimaRiga;         // the last line of the report, or the error; %1: the base
        };
        const QString immagini = "share/kelvaro/immagini/semaforo_";
        // clang-format off
        const Caso casi[] = {
            {.nome = "crea quello che manca", .esistenti = {"share/kelvaro/kelvaro.db", immagini + "giallo.png"},
             .creati = {"config/Kelvaro_2007.ini", immagini + "rosso.png", immagini + "verde.png"},
             .ultimaRiga = "Creato il file di configurazione «%1/config/Kelvaro_2007.ini»."},
            {.nome = "configurazione già presente", .esistenti = {"config/Kelvaro_2007.ini"},
             .ultimaRiga = "Il file di configurazione «%1/config/Kelvaro_2007.ini» esiste già: non è stato cambiato nulla."},
            // Without a configuration file the next run tries again.
            {.nome = "un file al posto dei dati", .esistenti = {"share/kelvaro"}, .ultimaRiga = "Impossibile creare la cartella «%1/share/kelvaro»."},
        };
        // clang-format on
        for (const Caso& caso : casi) {
            QTemporaryDir base;
            for (const QString& nome : caso.esistenti)
                QVERIFY(ScriviFile(base.filePath(nome), "mio"));
            const QString config = base.filePath("config"), programma = base.filePath("programma");
            const auto rapporto =
                PrimaConfigurazione::Prepara(config, programma, base.filePath("share/kelvaro"));
            const QStringList righe = rapporto.esito.ok()
                                          ? rapporto.fatto
                                          : QStringList{rapporto.esito.errore().descrizione};
            CONFRONTA(caso.nome, "ultima riga", righe.last(), caso.ultimaRiga.arg(base.path()));
            // Every file under the base, each writable (the pictures copied from the program
            // too, so that the user may replace them); the user's hold what they held.
            QStringList attesi = caso.esistenti + caso.creati, visti;
            QDirIterator v(base.path(), QDir::Files | QDir::Writable, QDirIterator::Subdirectories);
            while (v.hasNext())
                visti << v.next().mid(base.path().size() + 1);
            attesi.sort(), visti.sort();
            CONFRONTA(caso.nome, "file", visti, attesi);
            for (const QString& nome : caso.esistenti)
                CONFRONTA(caso.nome, nome, LeggiFile(base.filePath(nome)), "mio");
            if (caso.creati.isEmpty())
                continue;
            // The program's own reading of the new file finds the pictures it names.
            Global::LeggiConfigurazione(config, programma);
            for (const QString& png :
                 {Global::ImgSemRosso, Global::ImgSemGiallo, Global::ImgSemVerde})
                CONFRONTA(caso.nome, png, QFileInfo::exists(Global::PercorsoImmagini + png), true);
        }
    }
};

QTEST_GUILESS_MAIN(TPrimaConfigurazione)
#include "tst_primaConfigurazione.moc"
