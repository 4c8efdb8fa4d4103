#include "support/ArchivioProva.h"
#include "support/Confronta.h"
#include "support/ElencoLetto.h"
#include "support/File.h"
#include "support/TabellaCasi.h"

#include <QtTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// Where a list may be written, from the archive that the configuration names. Refusals hold
// with --sovrascrivi as well.
struct CasoDestinazione {
    const char* nome;
    const char* file;
    QString errore = {}; // part of the message on standard error
    int stato = 1;
    bool sovrascrivi = true;
    const char* opzione = "--stampa-pdf";
};
Q_DECLARE_METATYPE(CasoDestinazione)

// clang-format off
const CasoDestinazione Destinazioni[] = {
    {.nome = "archivio in uso", .file = "archivio prova.db", .errore = "è l'archivio in uso: resta com'è, l'elenco non è stato scritto."},
    {.nome = "un altro archivio", .file = "altro.db", .errore = "è un archivio SQLite"},
    {.nome = "cartella", .file = "cartella", .errore = "è una cartella"},
    {.nome = "collegamento all'archivio", .file = "collegamento.db", .errore = "è un collegamento simbolico"},
    {.nome = "dispositivo", .file = "dispositivo", .errore = getuid() == 0 ? "è un dispositivo" : "non è un file normale"},
    {.nome = "cartella che non esiste", .file = "manca/elenco.pdf", .errore = "/manca» non esiste."},
    {.nome = "PDF esistente", .file = "vecchio.pdf", .errore = "non viene sovrascritto. Per sostituirlo aggiungere --sovrascrivi.", .sovrascrivi = false},
    {.nome = "PDF esistente con --sovrascrivi", .file = "vecchio.pdf", .stato = 0},
    {.nome = "file nuovo", .file = "nuovo.csv", .stato = 0, .sovrascrivi = false, .opzione = "--esporta-csv"},
};
// clang-format on

struct CasoFiltri {
    const char* nome;
    QStringList filtri = {};
    int stato = 0;
    QString errore = {};    // how standard error starts (nothing written on it when empty)
    ElencoLetto stampato{}; // the PDF read back
    QString guasto = {};    // SQL run on the archive before
};
Q_DECLARE_METATYPE(CasoFiltri)

// clang-format off
const CasoFiltri Filtri[] = {
    {.nome = "nessun filtro", .stampato = {.nomi = {"CASA \"ROSSA\"; NORD", "MILANO", "RHO", "ROMA", "SENZA COORDINATE"}, .conteggio = "5 Comuni"}},
    {.nome = "testi in maiuscolo, minimo di altitudine", .filtri = {"--provincia", "mi", "--zona", "e", "--altitudine", "130:"},
     .stampato = {.criteri = {.prov = "MI", .zona = "E", .altitudine = "maggiore o uguale a 130"}, .nomi = {"RHO"}, .conteggio = "1 Comune"}},
    {.nome = "limiti negativi e nome", .filtri = {"--comune", "r", "--gradi-giorno", "-5:1.500", "--latitudine", ":41"},
     .stampato = {.criteri = {.comune = "R*", .gradiGiorno = "compresa tra -5 e 1.500", .latitudine = "minore o uguale a 41"},
                  .nomi = {"ROMA"}, .conteggio = "1 Comune"}},
    {.nome = "valore che non è un numero", .filtri = {"--altitudine", "abc:"}, .stato = 2, .errore = "Tipo non corrispondente: «abc» non è un numero."},
    {.nome = "intervallo senza due punti", .filtri = {"--irradianza", "100"}, .stato = 2, .errore = "Il valore di --irradianza si scrive MIN:MAX,"},
    {.nome = "provincia troppo lunga", .filtri = {"--provincia", "rom"}, .stato = 2, .errore = "Il valore di --provincia ha al massimo 2 caratteri: «ROM»."},
    {.nome = "archivio di una versione più recente", .stato = 1, .errore = "Impossibile aprire l'archivio «", .guasto = "PRAGMA user_version = 99"},
    {.nome = "ricerca non riuscita", .stato = 1, .errore = "L'archivio non accetta il valore (no).",
     .guasto = "CREATE TRIGGER r BEFORE INSERT ON RicElComuni BEGIN SELECT RAISE(ABORT, 'no'); END"},
};
// clang-format on

// The CSV file of the archive of init(), as a spreadsheet reads it: the grid's headings, one row
// per comune in the printed order, missing values as empty cells, numbers as in the grid.
// clang-format off
const QList<RigaStampata> RigheCsv = {
    {.comune = "Comune", .prov = "Prov.", .zona = "Zona", .altitudine = "Altititudine", .gradiGiorno = "Gradi Giorno",
     .latitudine = "Latitudine", .longitudine = "Longitudine", .irradianza = "Irradianza"},
    {.comune = "CASA \"ROSSA\"; NORD", .prov = "XX", .zona = "E", .altitudine = "-3", .gradiGiorno = "2000", .latitudine = "45° 0'", .longitudine = "9° 0'"},
    {.comune = "MILANO", .prov = "MI", .zona = "E", .altitudine = "122", .gradiGiorno = "2000", .latitudine = "45° 0'", .longitudine = "9° 0'"},
    {.comune = "RHO", .prov = "MI", .zona = "E", .altitudine = "158", .gradiGiorno = "2000", .latitudine = "45° 0'", .longitudine = "9° 0'"},
    {.comune = "ROMA", .prov = "RM", .zona = "D", .altitudine = "20", .gradiGiorno = "1415", .latitudine = "41° 54'", .longitudine = "12° 29'", .irradianza = "1500"},
    {.comune = "SENZA COORDINATE", .altitudine = "0", .gradiGiorno = "0"},
};
// clang-format on

// --stampa-pdf and --esporta-csv as a user runs them: the built program with a home folder of
// its own, its exit status, the list it writes and every other file it leaves as it was.
class TStampaDaRigaDiComando : public QObject {
    Q_OBJECT

    QTemporaryDir casa;
    std::optional<ArchivioProva> archivio;

    // The exit status and what was written on standard error.
    static std::pair<int, QString> Esegui(const QStringList& argomenti) {
        QProcess programma;
        programma.start(KELVARO_ESEGUIBILE, argomenti);
        programma.waitForFinished(-1);
        return {programma.exitCode(), QString::fromUtf8(programma.readAllStandardError())};
    }
    // Every entry of a folder with what it holds: a file's bytes, where a link leads.
    static QMap<QString, QByteArray> Contenuto(const QString& cartella) {
        QMap<QString, QByteArray> voci;
        for (const QFileInfo& v : QDir(cartella).entryInfoList(
                 QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            voci[v.fileName()] = v.isFile() && !v.isSymLink() ? LeggiFile(v.filePath())
                                                              : "->" + v.symLinkTarget().toUtf8();
        return voci;
    }

private slots:
    // The program runs with the test's home folder and umask, on a fresh archive.
    void init() {
        qputenv("HOME", casa.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", casa.filePath(".config").toUtf8());
        umask(022);
        archivio.emplace();
        // clang-format off
        for (const ComuneProva& c : {
                 ComuneProva{.nome = "ROMA", .prov = "RM", .zona = "D", .altitudine = 20, .gradiGiorno = 1415,
                             .latiG = 41, .latiP = 54, .longG = 12, .longP = 29, .irradianza = 1500},
                 ComuneProva{.nome = "MILANO", .prov = "MI", .altitudine = 122},
                 ComuneProva{.nome = "RHO", .prov = "MI", .altitudine = 158},
                 ComuneProva{.nome = "SENZA COORDINATE", .prov = "", .zona = "", .altitudine = 0, .gradiGiorno = 0, .latiG = 0, .latiP = 30, .longG = 0},
                 ComuneProva{.nome = "CASA \"ROSSA\"; NORD", .prov = "XX", .altitudine = -3}})
            archivio->aggiungi(c);
        // clang-format on
    }

    // Nothing is touched unless the destination is new or an existing PDF with --sovrascrivi;
    // only then are the temporary files of ended runs removed.
    void destinazioni_data() { Righe(Destinazioni); }
    void destinazioni() {
        QFETCH(CasoDestinazione, caso);
        const QDir cartella(archivio->cartella());
        QVERIFY(QFile::copy(archivio->percorso(), cartella.filePath("altro.db")));
        QVERIFY(cartella.mkdir("cartella"));
        QVERIFY(QFile::link(archivio->percorso(), cartella.filePath("collegamento.db")));
        // A device node as root (a copy of /dev/null), a named pipe otherwise.
        const QByteArray dispositivo = QFile::encodeName(cartella.filePath("dispositivo"));
        QVERIFY(getuid() == 0 ? mknod(dispositivo, S_IFCHR | 0666, makedev(1, 3)) == 0
                              : mkfifo(dispositivo, 0666) == 0);
        const QByteArray vecchio = QFile::encodeName(cartella.filePath("vecchio.pdf"));
        QVERIFY(ScriviFile(vecchio, "vecchio") && chmod(vecchio, 0640) == 0);
        // The temporary files of a run that has ended (no process has that number), of this one,
        // and of process 1, which runs as another user unless the tests run as root.
        const QString abbandonato = ".kelvaro-temp-2147483646-abcdef";
        for (const QString& t : {abbandonato, QString(".kelvaro-temp-%1-ghijkl").arg(getpid()),
                                 QString(".kelvaro-temp-1-mnopqr")})
            QVERIFY(ScriviFile(cartella.filePath(t), ""));
        QVERIFY(ScriviFile(casa.filePath(".config/Kelvaro_2007.ini"),
                           "[Percorsi]\nDB=" + archivio->percorso().toUtf8() + "\n"));

        QMap<QString, QByteArray> atteso = Contenuto(cartella.path());
        const auto [stato, errori] =
            Esegui(QStringList{caso.opzione, cartella.filePath(caso.file)} +
                   (caso.sovrascrivi ? QStringList{"--sovrascrivi"} : QStringList()));
        CONFRONTA(caso.nome, "stato", stato, caso.stato);
        QVERIFY2(errori.contains(caso.errore), qPrintable(errori));
        QMap<QString, QByteArray> visto = Contenuto(cartella.path());
        if (caso.stato == 0) {
            // The list, with the permissions of the file it replaces (a new one's from the
            // umask); the search stored in the archive; the ended run's temporary file gone.
            struct stat s = {};
            stat(QFile::encodeName(cartella.filePath(caso.file)), &s);
            CONFRONTA(caso.nome, "permessi", QString::number(s.st_mode & 0777, 8),
                      atteso.contains(caso.file) ? "640" : "644");
            const QByteArray scritto = visto.take(caso.file);
            const QList<RigaStampata> righe = LeggiCsv(scritto);
            if (QString(caso.file).endsWith(".pdf"))
                CONFRONTA(caso.nome, "inizio", scritto.left(4), "%PDF");
            else
                for (qsizetype r = 0; r < std::max(righe.size(), RigheCsv.size()); ++r)
                    CONFRONTA(QString("riga %1").arg(r), "celle",
                              DifferenzeRiga(RigheCsv.value(r), righe.value(r)), QStringList());
            atteso.remove(caso.file), atteso.remove(abbandonato);
            atteso.remove("archivio prova.db"), visto.remove("archivio prova.db");
        }
        for (const QString& voce : atteso.keys() + visto.keys())
            QVERIFY2(atteso.value(voce, "assente") == visto.value(voce, "assente"),
                     qPrintable("cambiato: " + voce));
    }

    // The filters of the main window's panel as options: the same query and the same header
    // words as a search in the window, and the print of what it found. A badly written filter
    // gives the window's message and exit status 2; a search that fails, 1. Then nothing is
    // written.
    void filtri_data() { Righe(Filtri); }
    void filtri() {
        QFETCH(CasoFiltri, caso);
        QVERIFY(caso.guasto.isEmpty() || archivio->esegui(caso.guasto));
        archivio->chiudi();
        const QString pdf = QDir(archivio->cartella()).filePath("elenco.pdf");
        const auto [stato, errori] = Esegui(
            QStringList{"--stampa-pdf", pdf, "--archivio", archivio->percorso()} + caso.filtri);
        CONFRONTA(caso.nome, "stato", stato, caso.stato);
        QVERIFY2(caso.errore.isEmpty() ? errori.isEmpty() : errori.startsWith(caso.errore),
                 qPrintable(errori));
        CONFRONTA(caso.nome, "PDF scritto", QFileInfo::exists(pdf), caso.stato == 0);
        QCOMPARE(DifferenzeElenco(caso.stampato, LeggiElenco(pdf)).join("; "), QString());
    }
};

QTEST_MAIN(TStampaDaRigaDiComando)
#include "tst_stampaDaRigaDiComando.moc"
