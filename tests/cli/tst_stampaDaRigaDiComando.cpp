#include "support/ArchivioProva.h"
#include "support/ElencoLetto.h"
#include "support/File.h"

#include <QtTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// Refusals hold with --sovrascrivi as well.
struct CasoDestinazione {
    const char* nome;
    const char* file;
    QString errore = {}; // part of the message on standard error
    int stato = 1;
    bool sovrascrivi = true;
    const char* opzione = "--stampa-pdf";
    bool archivioConfigurato = false; // no --archivio: the configuration names it
};

const CasoDestinazione Destinazioni[] = {
    {.nome = "archivio in uso",
     .file = "archivio prova.db",
     .errore = "è l'archivio in uso: resta com'è, l'elenco non è stato scritto."},
    {.nome = "archivio della configurazione",
     .file = "archivio prova.db",
     .errore = "è l'archivio in uso",
     .sovrascrivi = false,
     .archivioConfigurato = true},
    {.nome = "CSV sull'archivio",
     .file = "archivio prova.db",
     .errore = "è l'archivio in uso",
     .opzione = "--esporta-csv"},
    {.nome = "un altro archivio", .file = "altro.db", .errore = "è un archivio SQLite"},
    {.nome = "cartella", .file = "cartella", .errore = "è una cartella"},
    {.nome = "collegamento all'archivio",
     .file = "collegamento.db",
     .errore = "è un collegamento simbolico"},
    {.nome = "dispositivo",
     .file = "dispositivo",
     .errore = getuid() == 0 ? "è un dispositivo" : "non è un file normale"},
    {.nome = "cartella che non esiste",
     .file = "manca/elenco.pdf",
     .errore = "/manca» non esiste."},
    {.nome = "PDF esistente",
     .file = "vecchio.pdf",
     .errore = "esiste già: non viene sovrascritto. Per sostituirlo aggiungere --sovrascrivi.",
     .sovrascrivi = false},
    {.nome = "PDF esistente con --sovrascrivi", .file = "vecchio.pdf", .stato = 0},
    {.nome = "file nuovo",
     .file = "nuovo.csv",
     .stato = 0,
     .sovrascrivi = false,
     .opzione = "--esporta-csv"},
};

struct CasoFiltri {
    const char* nome;
    QStringList filtri = {};
    int stato = 0;
    QString errore = {};    // the first line on standard error
    ElencoLetto stampato{}; // the PDF read back
    QString guasto = {};    // SQL run on the archive before
};

const CasoFiltri Filtri[] = {
    {.nome = "nessun filtro: tutti i comuni",
     .stampato = {.nomi = {"CASA \"ROSSA\"; NORD", "MILANO", "RHO", "ROMA", "SENZA COORDINATE"},
                  .conteggio = "5 Comuni"}},
    {.nome = "provincia e minimo di altitudine",
     .filtri = {"--provincia", "mi", "--altitudine", "130:"},
     .stampato = {.prov = "MI",
                  .altitudine = "maggiore o uguale a 130",
                  .nomi = {"RHO"},
                  .conteggio = "1 Comune"}},
    {.nome = "limiti negativi e nome",
     .filtri = {"--comune", "r", "--gradi-giorno", "-5:1.500", "--latitudine", ":41"},
     .stampato = {.comune = "R*",
                  .gradiGiorno = "compresa tra -5 e 1.500",
                  .latitudine = "minore o uguale a 41",
                  .nomi = {"ROMA"},
                  .conteggio = "1 Comune"}},
    {.nome = "valore che non è un numero",
     .filtri = {"--altitudine", "abc:"},
     .stato = 2,
     .errore = "Tipo non corrispondente: «abc» non è un numero."},
    {.nome = "intervallo senza due punti",
     .filtri = {"--irradianza", "100"},
     .stato = 2,
     .errore = "Il valore di --irradianza si scrive MIN:MAX, con un limite o tutti e due "
               "(per esempio 100:500, 100: oppure :500): «100»."},
    {.nome = "ricerca non riuscita",
     .stato = 1,
     .errore = "L'archivio non accetta il valore (riga rifiutata).",
     .guasto = "CREATE TRIGGER r BEFORE INSERT ON RicElComuni BEGIN SELECT RAISE(ABORT, "
               "'riga rifiutata'); END"},
    {.nome = "provincia troppo lunga",
     .filtri = {"--provincia", "rom"},
     .stato = 2,
     .errore = "Il valore di --provincia ha al massimo 2 caratteri: «ROM»."},
};

// --stampa-pdf and --esporta-csv as a user runs them: the built program with a home folder of
// its own, its exit status, the list it writes and every other file it leaves as it was.
class TStampaDaRigaDiComando : public QObject {
    Q_OBJECT

    QTemporaryDir casa;
    std::optional<ArchivioProva> archivio;

    struct Esecuzione {
        int stato = -1;
        QString errori;
    };
    Esecuzione Esegui(const QStringList& argomenti) {
        QProcess programma;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("HOME", casa.path());
        ambiente.insert("XDG_CONFIG_HOME", casa.filePath(".config"));
        programma.setProcessEnvironment(ambiente);
        programma.start(KELVARO_ESEGUIBILE, argomenti);
        if (!programma.waitForFinished(60000))
            return {};
        return {programma.exitCode(), QString::fromUtf8(programma.readAllStandardError())};
    }
    // Every entry of a folder with what it holds: a file's bytes, where a link leads, its kind.
    static QMap<QString, QByteArray> Contenuto(const QString& cartella) {
        QMap<QString, QByteArray> voci;
        for (const QFileInfo& v : QDir(cartella).entryInfoList(
                 QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            voci[v.fileName()] = v.isSymLink() ? "->" + v.symLinkTarget().toUtf8()
                                 : v.isDir()   ? "cartella"
                                 : v.isFile()  ? LeggiFile(v.filePath())
                                               : "speciale";
        return voci;
    }

private slots:
    void init() {
        archivio.emplace();
        for (const ComuneProva& c :
             {ComuneProva{.nome = "ROMA",
             .prov = "RM",
             .zona = "D",
             .altitudine = 20,
             .gradiGiorno = 1415,
             .latiG = 41,
             .latiP = 54,
             .longG = 12,
             .longP = 29,
             .irradianza = 1500},
              ComuneProva{.nome = "MILANO", .prov = "MI", .altitudine = 122},
              ComuneProva{.nome = "RHO", .prov = "MI", .altitudine = 158},
              ComuneProva{.nome = "SENZA COORDINATE",
              .prov = "",
              .zona = "",
              .altitudine = 0,
              .gradiGiorno = 0,
              .latiG = 0,
              .latiP = 30,
              .longG = 0},
              ComuneProva{.nome = "CASA \"ROSSA\"; NORD", .prov = "XX", .altitudine = -3}})
            archivio->aggiungi(c);
        archivio->chiudi();
    }

    // Where a list may be written. Nothing is touched unless the destination is new or an
    // existing PDF with --sovrascrivi; only then are the temporary files of dead runs removed.
    void destinazioni_data() {
        QTest::addColumn<int>("riga");
        for (int i = 0; i < int(std::size(Destinazioni)); ++i)
            QTest::newRow(Destinazioni[i].nome) << i;
    }
    void destinazioni() {
        QFETCH(int, riga);
        const CasoDestinazione& caso = Destinazioni[riga];
        const QDir cartella(archivio->cartella());
        QVERIFY(QFile::copy(archivio->percorso(), cartella.filePath("altro.db")));
        QVERIFY(cartella.mkdir("cartella"));
        QVERIFY(QFile::link(archivio->percorso(), cartella.filePath("collegamento.db")));
        // A device node as root (a copy of /dev/null), a named pipe otherwise.
        const QByteArray dispositivo = QFile::encodeName(cartella.filePath("dispositivo"));
        QVERIFY(getuid() == 0 ? mknod(dispositivo, S_IFCHR | 0666, makedev(1, 3)) == 0
                              : mkfifo(dispositivo, 0666) == 0);
        QVERIFY(ScriviFile(cartella.filePath("vecchio.pdf"), "vecchio"));
        QProcess morto; // a process that has ended leaves its temporary file behind
        morto.start("true");
        QVERIFY(morto.waitForStarted());
        const qint64 pidMorto = morto.processId();
        QVERIFY(morto.waitForFinished());
        const QString abbandonato = QString(".kelvaro-temp-%1-abcdef").arg(pidMorto);
        const QString inUso =
            QString(".kelvaro-temp-%1-ghijkl").arg(QCoreApplication::applicationPid());
        QVERIFY(ScriviFile(cartella.filePath(abbandonato), "") &&
                ScriviFile(cartella.filePath(inUso), ""));
        QVERIFY(ScriviFile(casa.filePath(".config/Kelvaro_2007.ini"),
                           "[Percorsi]\nDB=" + archivio->percorso().toUtf8() + "\n"));

        QMap<QString, QByteArray> atteso = Contenuto(cartella.path());
        QStringList argomenti = {caso.opzione, cartella.filePath(caso.file)};
        if (!caso.archivioConfigurato)
            argomenti << "--archivio" << archivio->percorso();
        if (caso.sovrascrivi)
            argomenti << "--sovrascrivi";
        const Esecuzione e = Esegui(argomenti);
        QCOMPARE(e.stato, caso.stato);
        QVERIFY2(e.errori.contains(caso.errore), qPrintable(e.errori));
        QMap<QString, QByteArray> visto = Contenuto(cartella.path());
        if (caso.stato == 0) {
            QVERIFY2(visto.value(caso.file).startsWith(QString(caso.file).endsWith(".pdf")
                                                           ? "%PDF"
                                                           : "\xEF\xBB\xBF"
                                                             "Comune;"),
                     "il file scritto");
            // The search and the header row of the print are stored in the archive; the
            // temporary file of the dead run is gone.
            for (const QString& voce : {QString(caso.file), QString("archivio prova.db")})
                atteso.remove(voce), visto.remove(voce);
            atteso.remove(abbandonato);
        }
        for (const QString& voce : atteso.keys() + visto.keys())
            QVERIFY2(atteso.value(voce, "assente") == visto.value(voce, "assente"),
                     qPrintable("cambiato: " + voce));
    }

    // The filters of the main window's panel as options: the same query and the same header
    // words as a search in the window, and the print of what it found. A badly written filter
    // gives the window's message and exit status 2, and nothing is written.
    void filtri_data() {
        QTest::addColumn<int>("riga");
        for (int i = 0; i < int(std::size(Filtri)); ++i)
            QTest::newRow(Filtri[i].nome) << i;
    }
    void filtri() {
        QFETCH(int, riga);
        const CasoFiltri& caso = Filtri[riga];
        QVERIFY(caso.guasto.isEmpty() || archivio->esegui(caso.guasto));
        archivio->chiudi();
        const QString pdf = QDir(archivio->cartella()).filePath("elenco.pdf");
        const Esecuzione e = Esegui(
            QStringList{"--stampa-pdf", pdf, "--archivio", archivio->percorso()} + caso.filtri);
        QCOMPARE(e.stato, caso.stato);
        QCOMPARE(e.errori.section('\n', 0, 0), caso.errore);
        QCOMPARE(QFileInfo::exists(pdf), caso.stato == 0);
        // The archive's print tables as a search and a print in the window write them.
        QCOMPARE(archivio->testi("SELECT Prov FROM RicComuni"),
                 caso.stato ? QStringList() : QStringList{caso.stampato.prov});
        QCOMPARE(archivio->testi("SELECT NumRec FROM RicComuni"),
                 caso.stato ? QStringList() : QStringList{caso.stampato.conteggio});
        QCOMPARE(archivio->conta("RicElComuni"), qint64(caso.stampato.nomi.size()));
        const QStringList d = DifferenzeElenco(caso.stampato, LeggiElenco(pdf));
        QVERIFY2(caso.stato || d.isEmpty(), qPrintable(d.join("; ")));
    }

    // The rows as a spreadsheet reads them: the grid's headings, one row per comune in the
    // printed order, missing values as empty cells, numbers as written in the grid.
    void csv() {
        const QString csv = QDir(archivio->cartella()).filePath("elenco.csv");
        QCOMPARE(Esegui({"--esporta-csv", csv, "--archivio", archivio->percorso()}).stato, 0);
        const RigaStampata attese[] = {
            {"Comune", "Prov.", "Zona", "Altititudine", "Gradi Giorno", "Latitudine", "Longitudine",
             "Irradianza"},
            {"CASA \"ROSSA\"; NORD", "XX", "E", "-3", "2000", "45° 0'", "9° 0'", ""},
            {"MILANO", "MI", "E", "122", "2000", "45° 0'", "9° 0'", ""},
            {"RHO", "MI", "E", "158", "2000", "45° 0'", "9° 0'", ""},
            {"ROMA", "RM", "D", "20", "1415", "41° 54'", "12° 29'", "1500"},
            {"SENZA COORDINATE", "", "", "0", "0", "", "", ""},
        };
        const QList<RigaStampata> righe = LeggiCsv(LeggiFile(csv));
        QCOMPARE(righe.size(), qsizetype(std::size(attese)));
        for (int r = 0; r < righe.size(); ++r) {
            const QStringList d = DifferenzeRiga(attese[r], righe[r]);
            QVERIFY2(d.isEmpty(), qPrintable(QString("riga %1: ").arg(r) + d.join("; ")));
        }
        // The stored rows keep the coordinates as the search writes them.
        QCOMPARE(archivio->testi("SELECT Latitudine FROM RicElComuni WHERE Comune LIKE 'SENZA%'"),
                 QStringList{"0° 30'"});
    }
};

QTEST_MAIN(TStampaDaRigaDiComando)
#include "tst_stampaDaRigaDiComando.moc"
