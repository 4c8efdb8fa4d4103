#include "support/Confronta.h"
#include "support/File.h"

#include <QDirIterator>
#include <QtTest>

namespace {

// The display the program finds: the tests' own (offscreen), none, or one that does not answer.
enum class Schermo { Prova, Nessuno, Irraggiungibile };
// The archive a.db in the home folder before the run: none, every comune, or every comune with
// its last 512 bytes cut off (as by an interrupted copy).
enum class Archivio { Nessuno, Comuni, Danneggiato };

struct FileCasa {
    QString nome; // from the home folder
    QByteArray contenuto;
};

// One run of the program, with what the home folder holds before it.
struct Caso {
    const char* nome;
    QStringList argomenti;
    Archivio archivio = Archivio::Nessuno;
    QList<FileCasa> file = {};
    QList<QStringList> prima = {}; // runs before this one, each of them successful
    bool casa = true;              // HOME set
    Schermo schermo = Schermo::Prova;
    int stato = 0;
    QString uscita = {}; // found in standard output (%1: the home folder); empty: not checked
    QString errori = {}; // found in standard error; empty: not checked
};

struct Risultato {
    int stato = -1; // -1: killed by a signal, or still running after a minute
    QString uscita = {}, errori = {};
};

// Every file under `cartella` with its bytes.
QMap<QString, QByteArray> Contenuti(const QString& cartella) {
    QMap<QString, QByteArray> file;
    QDirIterator voci(cartella, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (voci.hasNext()) {
        const QString percorso = voci.next();
        file.insert(QDir(cartella).relativeFilePath(percorso), LeggiFile(percorso));
    }
    return file;
}

const QByteArray Roma = "RM;Roma;1;2\n";
const QByteArray Quattro = "MI;Milano;3,5;5\nRM;Roma;4;7,5\nPA;Palermo;4,5;9\nTO;Torino;3,5;5,5\n";
const QString Danneggiato = "L'archivio «a.db» è danneggiato: il controllo dell'integrità di "
                            "SQLite (PRAGMA quick_check) ha trovato errori.\nL'archivio non è "
                            "stato modificato: ripristinarne una copia di sicurezza.\n";
const QString SenzaSchermo = "Nessuno schermo disponibile: la variabile DISPLAY non indica uno "
                             "schermo raggiungibile e le finestre del programma non possono "
                             "essere aperte.\nPer avviarlo su uno schermo virtuale (Xvfb): "
                             "scripts/avvia dalla cartella del progetto, oppure xvfb-run -a ";
const QString SenzaArchivio = "Indicare l'archivio con --archivio <percorso>.\n";
const QString Mancante = "Impossibile aprire l'archivio «a.db».\nIl file non esiste.\n";
const QStringList Importa = {"--importa-irradiazione", "i.csv", "--archivio", "a.db"};
const QStringList Ricalcola = {"--ricalcola-irradianza", "--archivio", "a.db"};

// clang-format off
const Caso Casi[] = {
    // A wrong command line: status 2, and nothing is done.
    {.nome = "sconosciuta dopo un'opzione di Qt", .argomenti = {"-platform", "offscreen", "--x"},
     .stato = 2, .errori = "Opzione sconosciuta: «-platform».\nPer l'elenco delle opzioni: kelvaro --help\n"},
    {.nome = "opzione di Qt senza il suo valore", .argomenti = {"-style"},
     .stato = 2, .errori = "Opzione sconosciuta: «-style»."},
    {.nome = "valore mancante", .argomenti = {"--crea-archivio"},
     .stato = 2, .errori = "Manca il valore dell'opzione «--crea-archivio»."},
    {.nome = "argomento libero", .argomenti = {"pippo"}, .stato = 2, .errori = "Argomento inatteso: «pippo»."},
    {.nome = "due operazioni", .argomenti = {"--crea-archivio", "a.db", "--inizializza"},
     .stato = 2, .errori = "Indicare una sola operazione per volta."},
    {.nome = "nessuna operazione", .argomenti = {"--archivio", "a.db"},
     .stato = 2, .errori = "Nessuna operazione indicata."},
    {.nome = "archivio per un'operazione che non lo usa", .argomenti = {"--crea-archivio-vuoto", "a.db", "--archivio", "b.db"},
     .stato = 2, .errori = "L'opzione --archivio vale solo con"},
    {.nome = "due volte", .argomenti = {"--crea-archivio", "a.db", "--crea-archivio", "b.db"},
     .stato = 2, .errori = "L'opzione «--crea-archivio» è indicata più volte."},
    {.nome = "un'opzione come valore", .argomenti = {"--crea-archivio", "--help"},
     .stato = 2, .errori = "«--help» non è un valore (un file il cui nome comincia con «-» si scrive ./--help)."},
    {.nome = "un trattino come valore", .argomenti = {"--crea-archivio", "-"},
     .stato = 2, .errori = "«-» non è un valore"},
    {.nome = "nome non UTF-8", .argomenti = {"\\377"},
     .stato = 2, .errori = "L'argomento «\uFFFD» non è scritto in UTF-8: i nomi dei file vanno scritti in UTF-8."},

    {.nome = "inizializza senza HOME", .argomenti = {"--inizializza"}, .casa = false,
     .stato = 1, .errori = "Nessuna cartella personale impostata (la variabile HOME è vuota): il primo avvio non viene preparato.\n"},
    {.nome = "inizializza con un file al posto della cartella dei dati", .argomenti = {"--inizializza"},
     .file = {{.nome = ".local/share/kelvaro", .contenuto = "mio"}},
     .stato = 1, .errori = "Impossibile creare la cartella «%1/.local/share/kelvaro».\nPreparazione del primo avvio non completata.\n"},

    {.nome = "crea archivio su uno esistente", .argomenti = {"--crea-archivio", "a.db"}, .archivio = Archivio::Comuni,
     .stato = 1, .errori = "L'archivio «a.db» esiste già: non viene sovrascritto.\n"},
    {.nome = "crea archivio vuoto su uno esistente", .argomenti = {"--crea-archivio-vuoto", "a.db"}, .archivio = Archivio::Comuni,
     .stato = 1, .errori = "L'archivio «a.db» esiste già: non viene sovrascritto.\n"},
    {.nome = "crea archivio in una cartella che manca", .argomenti = {"--crea-archivio", "manca/a.db"},
     .stato = 1, .errori = "Impossibile creare l'archivio «manca/a.db»: la cartella non esiste.\n"},

    {.nome = "importa", .argomenti = {"--importa-irradiazione", "i.csv", "--archivio=a.db"}, .archivio = Archivio::Comuni,
     .file = {{.nome = "i.csv", .contenuto = Roma}}, .uscita = "Archivio: %1/a.db\nAggiornato 1 capoluogo su 1 riga del file.\n"},
    {.nome = "importa nell'archivio configurato", .argomenti = {"--importa-irradiazione", "i.csv"},
     .file = {{.nome = "i.csv", .contenuto = Roma}}, .prima = {{"--inizializza"}},
     .uscita = "Archivio: %1/.local/share/kelvaro/kelvaro.db\nAggiornato 1 capoluogo su 1 riga del file.\n"},
    {.nome = "importa senza configurazione", .argomenti = {"--importa-irradiazione", "i.csv"},
     .file = {{.nome = "i.csv", .contenuto = Roma}}, .stato = 1, .errori = SenzaArchivio},
    {.nome = "importa in un archivio che manca", .argomenti = Importa,
     .file = {{.nome = "i.csv", .contenuto = Roma}}, .stato = 1, .errori = Mancante},
    {.nome = "importa in un file che non è un database", .argomenti = {"--importa-irradiazione", "i.csv", "--archivio", "i.csv"},
     .file = {{.nome = "i.csv", .contenuto = Roma}},
     .stato = 1, .errori = "Impossibile aprire l'archivio «i.csv».\nIl file non è un archivio valido: non è un database SQLite.\n"},
    {.nome = "importa un file che manca", .argomenti = Importa, .archivio = Archivio::Comuni,
     .stato = 1, .errori = "Impossibile trovare il file «i.csv».\n"},
    {.nome = "importa un file con un errore", .argomenti = Importa, .archivio = Archivio::Comuni,
     .file = {{.nome = "i.csv", .contenuto = "RM;Roma;n.d.;2\n"}},
     .stato = 1, .errori = "File dell'irradiazione rifiutato, riga 1: il valore di Hdh «n.d.» non è un numero."},
    {.nome = "importa in un archivio danneggiato", .argomenti = Importa, .archivio = Archivio::Danneggiato,
     .file = {{.nome = "i.csv", .contenuto = Roma}}, .stato = 1, .errori = Danneggiato},

    {.nome = "ricalcola senza configurazione", .argomenti = {"--ricalcola-irradianza"},
     .stato = 1, .errori = SenzaArchivio},
    {.nome = "ricalcola un archivio che manca", .argomenti = Ricalcola, .stato = 1, .errori = Mancante},
    {.nome = "ricalcola un archivio danneggiato", .argomenti = Ricalcola, .archivio = Archivio::Danneggiato,
     .stato = 1, .errori = Danneggiato},
    {.nome = "ricalcola senza irradiazione", .argomenti = Ricalcola, .archivio = Archivio::Comuni,
     .stato = 1, .errori = "l'archivio ne ha 0. Caricarli con --importa-irradiazione.\nL'archivio non è stato modificato.\n"},
    // Made-up values for four capitals: every row changes once, then never again.
    {.nome = "ricalcola", .argomenti = Ricalcola, .archivio = Archivio::Comuni,
     .file = {{.nome = "i.csv", .contenuto = Quattro}}, .prima = {Importa},
     .uscita = "Comuni esaminati: 7904\nRighe modificate: 7904\n", .errori = "Ricalcolo: 1000 comuni su 7904\n"},
    {.nome = "ricalcola una seconda volta", .argomenti = Ricalcola, .archivio = Archivio::Comuni,
     .file = {{.nome = "i.csv", .contenuto = Quattro}}, .prima = {Importa, Ricalcola},
     .uscita = "Righe modificate: 0\n"},
    // L'Aquila and Chieti share their latitude: a failed run changes nothing.
    {.nome = "ricalcola con due capoluoghi vicini alla stessa latitudine", .argomenti = Ricalcola,
     .archivio = Archivio::Comuni, .file = {{.nome = "i.csv", .contenuto = Quattro + "AQ;L'Aquila;4;7\nCH;Chieti;4;7,5\n"}},
     .prima = {Importa}, .stato = 1,
     .errori = "vicini a ABBATEGGIO, CHIETI (CH, 42° 21') e L'AQUILA (AQ, 42° 21'), hanno la stessa latitudine"},

    {.nome = "stampa senza configurazione", .argomenti = {"--stampa-pdf", "e.pdf"},
     .stato = 1, .errori = SenzaArchivio},
    {.nome = "stampa da un archivio che manca", .argomenti = {"--stampa-pdf", "e.pdf", "--archivio", "a.db"},
     .stato = 1, .errori = Mancante},

    // The windows need a display; the options do not.
    {.nome = "finestre senza schermo", .argomenti = {}, .schermo = Schermo::Nessuno,
     .stato = 1, .errori = SenzaSchermo},
    // Only Qt's own options (with their values): the windows.
    {.nome = "finestre con uno schermo che non risponde", .argomenti = {"-platform", "xcb", "-reverse"},
     .schermo = Schermo::Irraggiungibile,
     .stato = 1, .errori = SenzaSchermo},
    {.nome = "aiuto senza schermo", .argomenti = {"--help"}, .schermo = Schermo::Nessuno,
     .uscita = "Uso: kelvaro [opzione]\n"},
    {.nome = "crea archivio senza schermo", .argomenti = {"--crea-archivio", "a.db"}, .schermo = Schermo::Nessuno,
     .uscita = "Creato l'archivio «%1/a.db» con tutti i comuni italiani.\n"},
    {.nome = "stampa senza schermo", .argomenti = {"--stampa-pdf", "e.pdf", "--archivio", "a.db"},
     .archivio = Archivio::Comuni, .schermo = Schermo::Nessuno, .uscita = "Scritto l'elenco «%1/e.pdf»"},
};
// clang-format on

} // namespace

// The command line as a user runs it: the built program, started with a home folder of its
// own, its exit status and what it writes. What the options do is tested where the program
// does it; here what the process adds: exit statuses, messages, files left as they were.
class TRigaDiComando : public QObject {
    Q_OBJECT

    QTemporaryDir modelli; // the archive of every comune, made once

    // Runs the program in `casa`; an argument "\\377" stands for a file name that is not UTF-8.
    static Risultato esegui(const QString& casa, const QStringList& argomenti, bool conCasa = true,
                            Schermo schermo = Schermo::Prova) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("HOME", conCasa ? casa : QString());
        ambiente.insert("XDG_CONFIG_HOME", casa + "/.config");
        ambiente.insert("XDG_DATA_HOME", casa + "/.local/share");
        if (schermo != Schermo::Prova) {
            for (const char* variabile : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                ambiente.remove(variabile);
            if (schermo == Schermo::Irraggiungibile)
                ambiente.insert("DISPLAY", ":7919");
        }
        QProcess programma;
        programma.setProcessEnvironment(ambiente);
        programma.setWorkingDirectory(casa);
        if (argomenti.contains("\\377"))
            programma.start("/bin/sh", {"-c", "exec \"$0\" --crea-archivio \"$(printf '\\377')\"",
                                        KELVARO_ESEGUIBILE});
        else
            programma.start(KELVARO_ESEGUIBILE, argomenti);
        if (!programma.waitForFinished(60000) || programma.exitStatus() != QProcess::NormalExit) {
            programma.kill();
            programma.waitForFinished();
            return {.errori = QString::fromUtf8(programma.readAllStandardError())};
        }
        return {programma.exitCode(), QString::fromUtf8(programma.readAllStandardOutput()),
                QString::fromUtf8(programma.readAllStandardError())};
    }

private slots:
    void initTestCase() {
        QCOMPARE(esegui(modelli.path(), {"--crea-archivio", "comuni.db"}).stato, 0);
        QVERIFY(QFile::copy(modelli.filePath("comuni.db"), modelli.filePath("danneggiato.db")));
        QFile danneggiato(modelli.filePath("danneggiato.db"));
        QVERIFY(danneggiato.resize(danneggiato.size() - 512));
    }

    void esecuzioni() {
        for (const Caso& caso : Casi) {
            QTemporaryDir cartella;
            const QString casa = cartella.path();
            if (caso.archivio != Archivio::Nessuno)
                QVERIFY(QFile::copy(modelli.filePath(caso.archivio == Archivio::Comuni
                                                         ? "comuni.db"
                                                         : "danneggiato.db"),
                                    cartella.filePath("a.db")));
            for (const FileCasa& file : caso.file)
                QVERIFY(ScriviFile(cartella.filePath(file.nome), file.contenuto));
            for (const QStringList& argomenti : caso.prima)
                CONFRONTA(caso.nome, "stato di " + argomenti.first(), esegui(casa, argomenti).stato,
                          0);
            const QMap<QString, QByteArray> prima = Contenuti(casa);

            const Risultato r = esegui(casa, caso.argomenti, caso.casa, caso.schermo);
            CONFRONTA(caso.nome, "stato di uscita", r.stato, caso.stato);
            // A text expected in the output is shown whole when it is not there.
            const auto trovato = [&](const QString& visto, QString atteso) {
                atteso.replace("%1", casa);
                return visto.contains(atteso) ? atteso : visto;
            };
            if (!caso.uscita.isEmpty())
                CONFRONTA(caso.nome, "uscita", trovato(r.uscita, caso.uscita),
                          QString(caso.uscita).replace("%1", casa));
            if (!caso.errori.isEmpty())
                CONFRONTA(caso.nome, "errori", trovato(r.errori, caso.errori),
                          QString(caso.errori).replace("%1", casa));
            // Only Italian for the user, never Qt's own English messages.
            CONFRONTA(caso.nome, "messaggi di Qt", r.errori.contains("qt.qpa") ? r.errori : "", "");
            // A failed run leaves every file as it was, and adds none.
            if (caso.stato != 0) {
                CONFRONTA(caso.nome, "file", Contenuti(casa).keys(), prima.keys());
                CONFRONTA(caso.nome, "file invariati", Contenuti(casa) == prima, true);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TRigaDiComando)
#include "tst_rigaDiComando.moc"
