#include "cli/RigaDiComando.h"
#include "support/File.h"

#include <QtTest>
#include <optional>

// The command line as a user runs it: the built program, started with a home folder of its
// own, its exit status and what it writes. What the options do is tested where the program
// does it; here only what the process adds.
class TRigaDiComando : public QObject {
    Q_OBJECT

    struct Risultato {
        int stato = -1;
        QString uscita, errori;
    };
    std::optional<QTemporaryDir> casa; // the home folder, new for each test

    // Runs the program; an argument "\\377" stands for a file name that is not UTF-8.
    Risultato esegui(QStringList argomenti, bool conCasa = true) {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("HOME", conCasa ? casa->path() : QString());
        ambiente.insert("XDG_CONFIG_HOME", casa->filePath(".config"));
        ambiente.insert("XDG_DATA_HOME", casa->filePath(".local/share"));
        QProcess programma;
        programma.setProcessEnvironment(ambiente);
        programma.setWorkingDirectory(casa->path());
        if (argomenti.contains("\\377"))
            programma.start("/bin/sh", {"-c", "exec \"$0\" --crea-archivio \"$(printf '\\377')\"",
                                        KELVARO_ESEGUIBILE});
        else
            programma.start(KELVARO_ESEGUIBILE, argomenti);
        if (!programma.waitForFinished(60000) || programma.exitStatus() != QProcess::NormalExit)
            return {};
        return {programma.exitCode(), QString::fromUtf8(programma.readAllStandardOutput()),
                QString::fromUtf8(programma.readAllStandardError())};
    }
    void controlla(const QStringList& argomenti, int stato, const QString& uscita,
                   const QString& errori = {}) {
        const Risultato r = esegui(argomenti);
        QCOMPARE(QStringList({QString::number(r.stato), r.uscita, r.errori}),
                 QStringList({QString::number(stato), uscita, errori}));
    }

private slots:
    void init() { QVERIFY(casa.emplace().isValid()); }

    void usoErrato_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("messaggio");
        const QString valore = "Manca il valore dell'opzione «--crea-archivio»";
        QTest::newRow("sconosciuta dopo un'opzione di Qt")
            << QStringList{"-platform", "offscreen", "--x"} << "Opzione sconosciuta: «-platform».";
        QTest::newRow("valore mancante") << QStringList{"--crea-archivio"} << valore + ".";
        QTest::newRow("argomento libero") << QStringList{"pippo"} << "Argomento inatteso: «pippo».";
        QTest::newRow("due operazioni") << QStringList{"--crea-archivio", "a.db", "--inizializza"}
                                        << "Indicare una sola operazione per volta.";
        QTest::newRow("nessuna operazione")
            << QStringList{"--archivio", "a.db"} << "Nessuna operazione indicata.";
        QTest::newRow("archivio senza importazione")
            << QStringList{"--crea-archivio-vuoto", "a.db", "--archivio", "b.db"}
            << "L'opzione --archivio vale solo con --importa-irradiazione o "
               "--ricalcola-irradianza o --stampa-pdf o --esporta-csv.";
        QTest::newRow("due volte")
            << QStringList{"--crea-archivio", "a.db", "--crea-archivio", "b.db"}
            << "L'opzione «--crea-archivio» è indicata più volte.";
        for (const QString opzione : {"--archivio", "--help", "-"})
            QTest::newRow(qPrintable("seguita da " + opzione))
                << QStringList{"--crea-archivio", opzione}
                << valore + QString(": «%1» non è un valore (un file il cui nome comincia con «-» "
                                    "si scrive ./%1).")
                                .arg(opzione);
        QTest::newRow("nome non UTF-8") << QStringList{"\\377"}
                                        << "L'argomento «\uFFFD» non è scritto in UTF-8: i nomi "
                                           "dei file vanno scritti in UTF-8.";
    }
    void usoErrato() {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, messaggio);
        controlla(argomenti, 2, {}, messaggio + "\nPer l'elenco delle opzioni: kelvaro --help\n");
        // Nothing is created before the arguments are checked.
        QVERIFY(Voci(casa->path()).isEmpty());
    }

    void opzioniDelleFinestre_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<bool>("finestre");
        QTest::newRow("con e senza valore") << QStringList{"-platform", "xcb", "-reverse"} << true;
        QTest::newRow("opzione di Qt senza il suo valore") << QStringList{"-style"} << false;
        QTest::newRow("miste") << QStringList{"-platform", "xcb", "--inizializza"} << false;
    }
    void opzioniDelleFinestre() {
        QFETCH(QStringList, argomenti);
        QFETCH(bool, finestre);
        QCOMPARE(SoloOpzioniDelleFinestre(argomenti), finestre);
    }

    void archiviEImportazioni() {
        QVERIFY(esegui({"--help"}).uscita.startsWith("Uso: kelvaro [opzione]\n"));
        ScriviFile(casa->filePath("roma.csv"), "RM;Roma;1;2\n");
        // Without a configuration the archive must be named.
        const Risultato risultato = esegui({"--importa-irradiazione", "roma.csv"});
        QVERIFY(risultato.errori.endsWith("Indicare l'archivio con --archivio <percorso>.\n"));
        const QString archivio = casa->filePath("a.db");
        controlla({"--crea-archivio", "a.db"}, 0,
                  QString("Creato l'archivio «%1» con tutti i comuni italiani.\n").arg(archivio));
        controlla(
            {"--importa-irradiazione", "roma.csv", "--archivio=a.db"}, 0,
            QString("Archivio: %1\nAggiornato 1 capoluogo su 1 riga del file.\n").arg(archivio));
        controlla({"--crea-archivio-vuoto", "a.db"}, 1, {},
                  "L'archivio «a.db» esiste già: non viene sovrascritto.\n");
        // The reason on the line after the file's name.
        controlla({"--importa-irradiazione", "roma.csv", "--archivio", "roma.csv"}, 1, {},
                  "Impossibile aprire l'archivio «roma.csv».\nIl file non è un archivio valido: "
                  "non è un database SQLite.\n");
        QCOMPARE(Voci(casa->path()), QStringList({"a.db", "roma.csv"}));
    }

    void inizializza() {
        // Without a home folder nothing is prepared.
        QCOMPARE(esegui({"--inizializza"}, false).errori,
                 "Nessuna cartella personale impostata (la variabile HOME è vuota): il primo "
                 "avvio non viene preparato.\n");
        QVERIFY(Voci(casa->path()).isEmpty());
        // Then the configured archive is the one an import updates.
        QCOMPARE(esegui({"--inizializza"}).stato, 0);
        ScriviFile(casa->filePath("roma.csv"), "RM;Roma;1;2\n");
        controlla({"--importa-irradiazione", "roma.csv"}, 0,
                  QString("Archivio: %1\nAggiornato 1 capoluogo su 1 riga del file.\n")
                      .arg(casa->filePath(".local/share/kelvaro/kelvaro.db")));
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
            ScriviFile(casa->filePath("i.csv"), file[i].toUtf8());
            if (!file[i].isEmpty())
                QCOMPARE(esegui({"--importa-irradiazione", "i.csv", "--archivio", "a.db"}).stato,
                         0);
            const QByteArray prima = LeggiFile(casa->filePath("a.db"));
            const Risultato r = esegui({"--ricalcola-irradianza", "--archivio", "a.db"});
            QCOMPARE(QString::number(r.stato), attese[i].section('|', 0, 0));
            QVERIFY2((r.uscita + r.errori).contains(attese[i].section('|', 1)),
                     qPrintable(r.uscita + r.errori));
            QVERIFY(r.stato == 0 || LeggiFile(casa->filePath("a.db")) == prima);
        }
    }
};

QTEST_GUILESS_MAIN(TRigaDiComando)
#include "tst_rigaDiComando.moc"
