#include "support/Confronta.h"
#include "support/File.h"

#include <QDirIterator>
#include <QtTest>

namespace {

// What the program finds around it: the tests' display (offscreen) and HOME, no HOME, no display,
// or a display that does not answer.
enum class Ambiente { Prova, SenzaCasa, SenzaSchermo, SchermoMuto };

// One run of the program, with what the home folder holds before it.
struct Caso {
    const char* nome;
    QStringList argomenti = {};
    bool archivio = false;         // a.db in the home folder, with every comune
    QByteArray csv = {};           // i.csv in the home folder; empty: none
    QList<QStringList> prima = {}; // runs before this one, each of them successful
    Ambiente ambiente = Ambiente::Prova;
    int stato = 0;
    QString uscita = {}; // found in standard output (%1: the home folder); empty: not checked
    QString errori = {}; // found in standard error; empty: not checked
};

// Every file under `cartella`, with a digest of its bytes.
QStringList Contenuti(const QString& cartella) {
    QStringList file;
    for (QDirIterator v(cartella, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         v.hasNext();)
        file << v.next().mid(cartella.size()) + ' ' +
                    QString::number(qHash(LeggiFile(v.filePath())));
    file.sort();
    return file;
}

// clang-format off
const QByteArray Roma = "RM;Roma;1;2\n";
const QByteArray Quattro = "MI;Milano;3,5;5\nRM;Roma;4;7,5\nPA;Palermo;4,5;9\nTO;Torino;3,5;5,5\n";
const QString SenzaSchermo = "Nessuno schermo disponibile: la variabile DISPLAY non indica uno schermo raggiungibile e le finestre del "
                             "programma non possono essere aperte.\nPer avviarlo su uno schermo virtuale (Xvfb): scripts/avvia";
const QString SenzaArchivio = "Indicare l'archivio con --archivio <percorso>.\n";
const QString Mancante = "Impossibile aprire l'archivio «a.db».\nIl file non esiste.\n";
const QStringList Importa = {"--importa-irradiazione", "i.csv", "--archivio", "a.db"};
const QStringList Ricalcola = {"--ricalcola-irradianza", "--archivio", "a.db"};
// clang-format on

// clang-format off
const Caso Casi[] = {
    // A wrong command line: status 2, and nothing is done.
    {.nome = "sconosciuta dopo un'opzione di Qt", .argomenti = {"-platform", "offscreen", "--x"}, .stato = 2,
     .errori = "Opzione sconosciuta: «-platform».\nPer l'elenco delle opzioni: kelvaro --help\n"},
    {.nome = "opzione di Qt senza il suo valore", .argomenti = {"-style"}, .stato = 2, .errori = "Opzione sconosciuta: «-style»."},
    {.nome = "valore mancante", .argomenti = {"--crea-archivio"}, .stato = 2, .errori = "Manca il valore dell'opzione «--crea-archivio»."},
    {.nome = "argomento libero", .argomenti = {"pippo"}, .stato = 2, .errori = "Argomento inatteso: «pippo»."},
    {.nome = "due operazioni", .argomenti = {"--crea-archivio", "a", "--inizializza"}, .stato = 2, .errori = "Indicare una sola operazione"},
    {.nome = "nessuna operazione", .argomenti = {"--archivio", "a.db"}, .stato = 2, .errori = "Nessuna operazione indicata."},
    {.nome = "archivio non usato", .argomenti = {"--crea-archivio-vuoto", "a", "--archivio", "b"}, .stato = 2, .errori = "--archivio vale solo con"},
    {.nome = "due volte", .argomenti = {"--crea-archivio", "a", "--crea-archivio", "b"}, .stato = 2, .errori = "è indicata più volte."},
    {.nome = "un'opzione come valore", .argomenti = {"--crea-archivio", "--help"}, .stato = 2,
     .errori = "«--help» non è un valore (un file il cui nome comincia con «-» si scrive ./--help)."},
    {.nome = "nome non UTF-8", .argomenti = {"\\377"}, .stato = 2, .errori = "L'argomento «\uFFFD» non è scritto in UTF-8"},

    {.nome = "inizializza senza HOME", .argomenti = {"--inizializza"}, .ambiente = Ambiente::SenzaCasa, .stato = 1,
     .errori = "Nessuna cartella personale impostata (la variabile HOME è vuota): il primo avvio non viene preparato.\n"},
    {.nome = "crea archivio su uno esistente", .argomenti = {"--crea-archivio", "a.db"}, .archivio = true, .stato = 1, .errori = "«a.db» esiste già"},

    {.nome = "importa", .argomenti = {"--importa-irradiazione", "i.csv", "--archivio=a.db"}, .archivio = true, .csv = Roma,
     .uscita = "Archivio: %1/a.db\nAggiornato 1 capoluogo su 1 riga del file.\n"},
    {.nome = "importa nell'archivio configurato", .argomenti = {"--importa-irradiazione", "i.csv"}, .csv = Roma, .prima = {{"--inizializza"}},
     .uscita = "Archivio: %1/.local/share/kelvaro/kelvaro.db\n"},
    {.nome = "importa senza configurazione", .argomenti = {"--importa-irradiazione", "i.csv"}, .csv = Roma, .stato = 1, .errori = SenzaArchivio},
    {.nome = "importa in un file che non è un database", .argomenti = {"--importa-irradiazione", "i.csv", "--archivio", "i.csv"}, .csv = Roma,
     .stato = 1, .errori = "Impossibile aprire l'archivio «i.csv».\nIl file non è un archivio valido: non è un database SQLite.\n"},
    {.nome = "importa un file con un errore", .argomenti = Importa, .archivio = true, .csv = "RM;Roma;n.d.;2\n",
     .stato = 1, .errori = "File dell'irradiazione rifiutato, riga 1: il valore di Hdh «n.d.» non è un numero."},

    {.nome = "ricalcola senza configurazione", .argomenti = {"--ricalcola-irradianza"}, .stato = 1, .errori = SenzaArchivio},
    {.nome = "ricalcola un archivio che manca", .argomenti = Ricalcola, .stato = 1, .errori = Mancante},
    {.nome = "ricalcola senza irradiazione", .argomenti = Ricalcola, .archivio = true, .stato = 1, .errori = "ne ha 0. Caricarli con"},
    // Made-up values for four capitals: every row changes.
    {.nome = "ricalcola", .argomenti = Ricalcola, .archivio = true, .csv = Quattro, .prima = {Importa},
     .uscita = "Comuni esaminati: 7904\nRighe modificate: 7904\n", .errori = "Ricalcolo: 1000 comuni su 7904\n"},
    // L'Aquila and Chieti share their latitude: a failed run changes nothing.
    {.nome = "ricalcola con due capoluoghi alla stessa latitudine", .argomenti = Ricalcola, .archivio = true,
     .csv = Quattro + "AQ;L'Aquila;4;7\nCH;Chieti;4;7,5\n", .prima = {Importa}, .stato = 1,
     .errori = "CHIETI (CH, 42° 21') e L'AQUILA (AQ, 42° 21'), hanno la stessa latitudine"},
    {.nome = "stampa senza configurazione", .argomenti = {"--stampa-pdf", "e.pdf"}, .stato = 1, .errori = SenzaArchivio},

    // The windows need a display (Qt's own options with their values: the windows); the options do not.
    {.nome = "finestre senza schermo", .argomenti = {}, .ambiente = Ambiente::SenzaSchermo, .stato = 1, .errori = SenzaSchermo},
    {.nome = "schermo muto", .argomenti = {"-platform", "xcb", "-reverse"}, .ambiente = Ambiente::SchermoMuto, .stato = 1, .errori = SenzaSchermo},
    {.nome = "aiuto senza schermo", .argomenti = {"--help"}, .ambiente = Ambiente::SenzaSchermo, .uscita = "Uso: kelvaro [opzione]\n"},
    {.nome = "crea senza schermo", .argomenti = {"--crea-archivio", "a.db"}, .ambiente = Ambiente::SenzaSchermo, .uscita = "Creato l'archivio «%1/a.db»"},
    {.nome = "stampa senza schermo", .argomenti = {"--stampa-pdf", "e.pdf", "--archivio", "a.db"}, .archivio = true,
     .ambiente = Ambiente::SenzaSchermo, .uscita = "Scritto l'elenco «%1/e.pdf»"},
};
// clang-format on

} // namespace

// The command line as a user runs it: the built program, started with a home folder of its
// own, its exit status and what it writes. What the options do is tested where the program
// does it; here what the process adds: exit statuses, messages, files left as they were.
class TRigaDiComando : public QObject {
    Q_OBJECT

    // Runs the program as `caso` says in `casa`; an argument "\\377" stands for a file name that is
    // not UTF-8. What it did as a case: status -1 when killed by a signal, or still running after
    // a minute.
    static Caso esegui(const QString& casa, const Caso& caso) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("HOME", caso.ambiente == Ambiente::SenzaCasa ? QString() : casa);
        ambiente.insert("XDG_CONFIG_HOME", casa + "/.config");
        ambiente.insert("XDG_DATA_HOME", casa + "/.local/share");
        if (caso.ambiente == Ambiente::SenzaSchermo || caso.ambiente == Ambiente::SchermoMuto) {
            for (const char* variabile : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                ambiente.remove(variabile);
            if (caso.ambiente == Ambiente::SchermoMuto)
                ambiente.insert("DISPLAY", ":7919");
        }
        QProcess programma;
        programma.setProcessEnvironment(ambiente);
        programma.setWorkingDirectory(casa);
        if (caso.argomenti.contains("\\377"))
            programma.start("/bin/sh", {"-c", "exec \"$0\" --crea-archivio \"$(printf '\\377')\"",
                                        KELVARO_ESEGUIBILE});
        else
            programma.start(KELVARO_ESEGUIBILE, caso.argomenti);
        if (!programma.waitForFinished(60000))
            programma.kill(), programma.waitForFinished();
        return {.nome = "visto",
                .stato = programma.exitStatus() == QProcess::NormalExit ? programma.exitCode() : -1,
                .uscita = QString::fromUtf8(programma.readAllStandardOutput()),
                .errori = QString::fromUtf8(programma.readAllStandardError())};
    }

private slots:
    void esecuzioni() {
        QTemporaryDir modelli; // the archive of every comune, made once
        const Caso modello = {.nome = "modello", .argomenti = {"--crea-archivio", "a.db"}};
        QCOMPARE(esegui(modelli.path(), modello).stato, 0);
        for (const Caso& caso : Casi) {
            QTemporaryDir casa;
            if (caso.archivio)
                QVERIFY(QFile::copy(modelli.filePath("a.db"), casa.filePath("a.db")));
            if (!caso.csv.isEmpty())
                QVERIFY(ScriviFile(casa.filePath("i.csv"), caso.csv));
            for (const QStringList& argomenti : caso.prima)
                CONFRONTA(caso.nome, "stato di " + argomenti.first(),
                          esegui(casa.path(), {.nome = "prima", .argomenti = argomenti}).stato, 0);
            const QStringList prima = Contenuti(casa.path());

            const Caso r = esegui(casa.path(), caso);
            CONFRONTA(caso.nome, "stato di uscita", r.stato, caso.stato);
            // A text expected in an output is shown with the whole output when it is not there.
            for (const auto& [campo, visto, atteso] :
                 {std::tuple{"uscita", r.uscita, caso.uscita},
                  std::tuple{"errori", r.errori, caso.errori}}) {
                const QString cercato = QString(atteso).replace("%1", casa.path());
                CONFRONTA(caso.nome, campo, visto.contains(cercato) ? cercato : visto, cercato);
            }
            // Only Italian for the user, never Qt's own English messages.
            CONFRONTA(caso.nome, "messaggi di Qt", r.errori.contains("qt.qpa") ? r.errori : "", "");
            // A failed run leaves every file as it was, and adds none.
            if (caso.stato != 0)
                CONFRONTA(caso.nome, "file", Contenuti(casa.path()), prima);
        }
    }
};

QTEST_GUILESS_MAIN(TRigaDiComando)
#include "tst_rigaDiComando.moc"
