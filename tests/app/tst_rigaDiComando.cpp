#include "app/RigaDiComando.h"

#include <QtTest>
#include <optional>

// The command line as a user runs it: the built program, started with a home folder of its
// own, its exit status and what it writes. Reading the files and the archive is tested where
// the program does it; here only what the process adds.
class TRigaDiComando : public QObject {
    Q_OBJECT

    struct Risultato {
        int stato = -1;
        QString uscita, errori;
    };
    std::optional<QTemporaryDir> casa; // the home folder, new for each test

    Risultato esegui(const QStringList& argomenti) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("HOME", casa->path());
        ambiente.insert("XDG_CONFIG_HOME", casa->filePath(".config"));
        ambiente.insert("XDG_DATA_HOME", casa->filePath(".local/share"));
        QProcess programma;
        programma.setProcessEnvironment(ambiente);
        programma.setWorkingDirectory(casa->path());
        programma.start(KELVARO_ESEGUIBILE, argomenti);
        if (!programma.waitForFinished(60000) || programma.exitStatus() != QProcess::NormalExit)
            return {};
        return {programma.exitCode(), QString::fromUtf8(programma.readAllStandardOutput()),
                QString::fromUtf8(programma.readAllStandardError())};
    }
    // Runs the program and compares its exit status and the texts on its output and error.
    void controlla(const QStringList& argomenti, int stato, const QString& uscita,
                   const QString& errori = {}) {
        const Risultato risultato = esegui(argomenti);
        QCOMPARE(risultato.stato, stato);
        QCOMPARE(risultato.uscita, uscita);
        QCOMPARE(risultato.errori, errori);
    }
    QByteArray leggi(const QString& nome) {
        QFile file(casa->filePath(nome));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void scrivi(const QString& nome, const QByteArray& contenuto) {
        QFile file(casa->filePath(nome));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contenuto);
    }

private slots:
    void init() { QVERIFY(casa.emplace().isValid()); }

    void aiuto() {
        for (const QString opzione : {"--help", "-h"}) {
            const Risultato risultato = esegui({opzione});
            QCOMPARE(risultato.stato, 0);
            QCOMPARE(risultato.errori, QString());
            for (const char* testo : {"Uso: kelvaro [opzione]", "Opzioni:", "-h, --help",
                                      "Mostra questo aiuto.", "--crea-archivio <percorso>"})
                QVERIFY2(risultato.uscita.contains(testo), testo);
        }
    }

    void usoErrato_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("messaggio");
        // Qt reports "-platform" as the letter "p": the message names it as typed.
        QTest::newRow("opzione sconosciuta dopo una di Qt")
            << QStringList{"-platform", "offscreen", "--sconosciuta"}
            << "Opzione sconosciuta: «-platform».";
        QTest::newRow("opzione lunga sconosciuta")
            << QStringList{"--sconosciuta"} << "Opzione sconosciuta: «--sconosciuta».";
        QTest::newRow("valore mancante")
            << QStringList{"--crea-archivio"} << "Manca il valore dell'opzione «--crea-archivio».";
        QTest::newRow("valore vuoto") << QStringList{"--crea-archivio", " "}
                                      << "Manca il valore dell'opzione «--crea-archivio».";
        QTest::newRow("argomento libero") << QStringList{"pippo"} << "Argomento inatteso: «pippo».";
        QTest::newRow("due operazioni") << QStringList{"--crea-archivio", "a.db", "--inizializza"}
                                        << "Indicare una sola operazione per volta.";
        QTest::newRow("nessuna operazione")
            << QStringList{"--archivio", "a.db"} << "Nessuna operazione indicata.";
        QTest::newRow("archivio senza importazione")
            << QStringList{"--crea-archivio-vuoto", "a.db", "--archivio", "b.db"}
            << "L'opzione --archivio vale solo con --importa-irradiazione o "
               "--ricalcola-irradianza.";
    }
    void usoErrato() {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, messaggio);
        controlla(argomenti, 2, {}, messaggio + "\nPer l'elenco delle opzioni: kelvaro --help\n");
        // Nothing is created before the arguments are checked.
        QVERIFY(QDir(casa->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    void opzioniDelleFinestre_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<bool>("finestre");
        QTest::newRow("nessun argomento") << QStringList{} << true;
        QTest::newRow("con e senza valore") << QStringList{"-platform", "xcb", "-reverse"} << true;
        QTest::newRow("opzione di Qt senza il suo valore") << QStringList{"-style"} << false;
        QTest::newRow("opzione del programma") << QStringList{"-h"} << false;
        QTest::newRow("miste") << QStringList{"-platform", "xcb", "--inizializza"} << false;
    }
    void opzioniDelleFinestre() {
        QFETCH(QStringList, argomenti);
        QFETCH(bool, finestre);
        QCOMPARE(SoloOpzioniDelleFinestre(argomenti), finestre);
    }

    void creaArchivio() {
        // A relative path is taken from the current folder; an existing file is never replaced.
        // Importing one capital tells a full archive from an empty one.
        scrivi("roma.csv", "RM;Roma;1;2\n");
        const QString archivio = casa->filePath("a.db");
        controlla({"--crea-archivio", "a.db"}, 0,
                  QString("Creato l'archivio «%1» con tutti i comuni italiani.\n").arg(archivio));
        controlla(
            {"--importa-irradiazione", "roma.csv", "--archivio", "a.db"}, 0,
            QString("Archivio: %1\nAggiornato 1 capoluogo su 1 riga del file.\n").arg(archivio));
        const QByteArray prima = leggi("a.db");
        controlla({"--crea-archivio-vuoto", archivio}, 1, {},
                  QString("L'archivio «%1» esiste già: non viene sovrascritto.\n").arg(archivio));
        QCOMPARE(leggi("a.db"), prima);
        // No temporary file is left behind, after a creation or a refusal.
        QCOMPARE(QDir(casa->path()).entryList(QDir::Files), QStringList({"a.db", "roma.csv"}));
        // The reason on the line after the file's name.
        controlla({"--importa-irradiazione", "roma.csv", "--archivio", "roma.csv"}, 1, {},
                  "Impossibile aprire l'archivio «roma.csv».\nIl file non è un archivio valido: "
                  "non è un database SQLite.\n");

        const QString vuoto = casa->filePath("vuoto.db");
        controlla({"--crea-archivio-vuoto", "vuoto.db"}, 0,
                  QString("Creato l'archivio vuoto «%1» (solo le tabelle).\n").arg(vuoto));
        controlla({"--importa-irradiazione", "roma.csv", "--archivio", vuoto}, 0,
                  QString("Archivio: %1\nAggiornati 0 capoluoghi su 1 riga del file.\n"
                          "Una riga non corrisponde ad alcun capoluogo dell'archivio:\n"
                          "  riga 1: RM Roma\n")
                      .arg(vuoto));
    }

    void importaIrradiazione() {
        scrivi("irradiazione.csv", "RM;Roma;1,5;2,25\nFC;FORLÌ;1,75;2\n");
        // Without a configuration the archive must be named.
        Risultato risultato = esegui({"--importa-irradiazione", "irradiazione.csv"});
        QCOMPARE(risultato.stato, 1);
        QVERIFY2(risultato.errori.contains("--archivio <percorso>"), qPrintable(risultato.errori));

        // After the first-run preparation the configured archive is the one updated.
        risultato = esegui({"--inizializza"});
        QCOMPARE(risultato.stato, 0);
        QVERIFY2(risultato.uscita.endsWith(QString("Creato il file di configurazione «%1».\n")
                                               .arg(casa->filePath(".config/Kelvaro_2007.ini"))),
                 qPrintable(risultato.uscita));
        const QString archivio = casa->filePath(".local/share/kelvaro/kelvaro.db");
        controlla(
            {"--importa-irradiazione", "irradiazione.csv"}, 0,
            QString("Archivio: %1\nAggiornati 2 capoluoghi su 2 righe del file.\n").arg(archivio));

        // A refused file (its checks are tested with the import itself) ends with status 1.
        scrivi("irradiazione.csv", "RM;Roma;1;2\nFC;FORLÌ;-1,75;2\n");
        controlla({"--importa-irradiazione", "irradiazione.csv", "--archivio", archivio}, 1, {},
                  "File dell'irradiazione rifiutato, riga 2: il valore di Hdh «-1,75» è negativo. "
                  "L'archivio non è stato modificato.\n");
    }

    void ricalcolaIrradianza() {
        // The archive of every comune: without irradiation data; with made-up values for four
        // capitals (every row changes once, then never again, with progress on standard error);
        // with L'Aquila and Chieti too, which share their latitude. A failed run changes nothing.
        QCOMPARE(esegui({"--crea-archivio", "a.db"}).stato, 0);
        const QStringList file{
            "", "MI;Milano;3,5;5\nRM;Roma;4;7,5\nPA;Palermo;4,5;9\nTO;Torino;3,5;5,5", "",
            "AQ;L'Aquila;4;7\nCH;Chieti;4;7,5"};
        const QStringList attese{
            "1|l'archivio ne ha 0. Caricarli con --importa-irradiazione.\nL'archivio non è stato "
            "modificato.\n",
            "0|Comuni esaminati: 7904\nRighe modificate: 7904\nRicalcolo: 1000 comuni su 7904\n",
            "0|Righe modificate: 0\n",
            "1|vicini a ABBATEGGIO, CHIETI (CH, 42° 21') e L'AQUILA (AQ, "
            "42° 21'), hanno la stessa latitudine"};
        for (int i = 0; i < file.size(); ++i) {
            scrivi("i.csv", file[i].toUtf8());
            if (!file[i].isEmpty())
                QCOMPARE(esegui({"--importa-irradiazione", "i.csv", "--archivio", "a.db"}).stato,
                         0);
            const QByteArray prima = leggi("a.db");
            const Risultato r = esegui({"--ricalcola-irradianza", "--archivio", "a.db"});
            QCOMPARE(QString::number(r.stato), attese[i].section('|', 0, 0));
            QVERIFY2((r.uscita + r.errori).contains(attese[i].section('|', 1)),
                     qPrintable(r.uscita + r.errori));
            QVERIFY(r.stato == 0 || leggi("a.db") == prima);
        }
    }
};

QTEST_GUILESS_MAIN(TRigaDiComando)
#include "tst_rigaDiComando.moc"
