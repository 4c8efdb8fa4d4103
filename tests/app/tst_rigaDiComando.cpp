#include "app/RigaDiComando.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "support/FileSolaLettura.h"

#include <QtTest>

// The command line as a user runs it: the built program, started with a home folder of its
// own, its exit status and what it writes.
class TRigaDiComando : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aiuto_data();
    void aiuto();
    void usoErrato_data();
    void usoErrato();
    void opzioniDelleFinestre_data();
    void opzioniDelleFinestre();
    void creaArchivioDueVolte();
    void creaArchivioVuoto();
    void archivioNonCreabile_data();
    void archivioNonCreabile();
    void importaIrradiazione();
    void importaIrradiazioneRifiutata();
    void primoAvvioEArchivioConfigurato();

private:
    struct Risultato {
        int stato = -1;
        QString uscita;
        QString errori;
    };
    Risultato esegui(const QStringList& argomenti);
    QString valore(const QString& archivio, const QString& sql);
    QByteArray leggi(const QString& percorso);
    void scrivi(const QString& percorso, const QByteArray& contenuto);

    std::unique_ptr<QTemporaryDir> casa;
};

void TRigaDiComando::init() {
    casa = std::make_unique<QTemporaryDir>();
    QVERIFY(casa->isValid());
}

void TRigaDiComando::cleanup() {
    Archivio::Chiudi("Verifica");
    casa.reset();
}

TRigaDiComando::Risultato TRigaDiComando::esegui(const QStringList& argomenti) {
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("HOME", casa->path());
    ambiente.insert("XDG_CONFIG_HOME", casa->filePath(".config"));
    ambiente.insert("XDG_DATA_HOME", casa->filePath(".local/share"));
    ambiente.insert("LC_ALL", "C.UTF-8");
    QProcess programma;
    programma.setProcessEnvironment(ambiente);
    programma.setWorkingDirectory(casa->path());
    programma.start(KELVARO_ESEGUIBILE, argomenti);
    Risultato risultato;
    if (!programma.waitForFinished(60000) || programma.exitStatus() != QProcess::NormalExit)
        return risultato;
    risultato.stato = programma.exitCode();
    risultato.uscita = QString::fromUtf8(programma.readAllStandardOutput());
    risultato.errori = QString::fromUtf8(programma.readAllStandardError());
    return risultato;
}

QString TRigaDiComando::valore(const QString& archivio, const QString& sql) {
    if (!Archivio::Apri("Verifica", archivio).ok())
        return "archivio non aperto";
    QString testo;
    {
        Istruzione query(Archivio::Maniglia("Verifica"), sql);
        if (query.passo())
            testo = query.nullo(0) ? "NULL" : query.testo(0);
        else if (!query.esito().ok())
            testo = query.esito().errore().descrizione;
    }
    Archivio::Chiudi("Verifica");
    return testo;
}

QByteArray TRigaDiComando::leggi(const QString& percorso) {
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TRigaDiComando::scrivi(const QString& percorso, const QByteArray& contenuto) {
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contenuto);
}

void TRigaDiComando::aiuto_data() {
    QTest::addColumn<QString>("opzione");
    QTest::newRow("lunga") << "--help";
    QTest::newRow("corta") << "-h";
}

void TRigaDiComando::aiuto() {
    QFETCH(QString, opzione);
    const Risultato risultato = esegui({opzione});
    QCOMPARE(risultato.stato, 0);
    QCOMPARE(risultato.errori, QString());
    for (const char* testo :
         {"Uso: kelvaro [opzione]", "Opzioni:", "-h, --help", "Mostra questo aiuto.",
          "--inizializza", "--crea-archivio <percorso>", "--crea-archivio-vuoto <percorso>",
          "--importa-irradiazione <file.csv>", "--archivio <percorso>"})
        QVERIFY2(risultato.uscita.contains(testo), testo);
    // Nothing of Qt's English texts.
    for (const char* testo : {"Usage", "Options", "Displays"})
        QVERIFY2(!risultato.uscita.contains(testo), testo);
    QVERIFY(QDir(casa->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

void TRigaDiComando::opzioniDelleFinestre_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<bool>("finestre");
    QTest::newRow("nessun argomento") << QStringList{} << true;
    QTest::newRow("piattaforma") << QStringList{"-platform", "offscreen"} << true;
    QTest::newRow("stile e rovescio") << QStringList{"-style", "fusion", "-reverse"} << true;
    QTest::newRow("opzione di Qt senza valore") << QStringList{"-platform"} << false;
    QTest::newRow("opzione del programma") << QStringList{"--inizializza"} << false;
    QTest::newRow("aiuto corto") << QStringList{"-h"} << false;
    QTest::newRow("miste") << QStringList{"-platform", "xcb", "--help"} << false;
    QTest::newRow("argomento libero") << QStringList{"pippo"} << false;
}

void TRigaDiComando::opzioniDelleFinestre() {
    QFETCH(QStringList, argomenti);
    QFETCH(bool, finestre);
    QCOMPARE(SoloOpzioniDelleFinestre(argomenti), finestre);
}

void TRigaDiComando::usoErrato_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("opzione sconosciuta")
        << QStringList{"--sconosciuta"} << "Opzione sconosciuta: «--sconosciuta».";
    QTest::newRow("opzione corta sconosciuta") << QStringList{"-x"} << "Opzione sconosciuta: «-x».";
    QTest::newRow("opzione di Qt insieme a una del programma")
        << QStringList{"-platform", "offscreen", "--sconosciuta"}
        << "Opzione sconosciuta: «-platform».";
    QTest::newRow("valore mancante")
        << QStringList{"--crea-archivio"} << "Manca il valore dell'opzione «--crea-archivio».";
    QTest::newRow("valore vuoto") << QStringList{"--crea-archivio", ""}
                                  << "Manca il valore dell'opzione «--crea-archivio».";
    QTest::newRow("nessuna operazione") << QStringList{"pippo"} << "Argomento inatteso: «pippo».";
    QTest::newRow("due operazioni") << QStringList{"--crea-archivio", "a.db", "--inizializza"}
                                    << "Indicare una sola operazione per volta.";
    QTest::newRow("archivio da solo")
        << QStringList{"--archivio", "a.db"} << "Nessuna operazione indicata.";
    QTest::newRow("archivio senza importazione")
        << QStringList{"--crea-archivio-vuoto", "a.db", "--archivio", "b.db"}
        << "L'opzione --archivio vale solo con --importa-irradiazione.";
}

void TRigaDiComando::usoErrato() {
    QFETCH(QStringList, argomenti);
    QFETCH(QString, messaggio);
    const Risultato risultato = esegui(argomenti);
    QCOMPARE(risultato.stato, 2);
    QCOMPARE(risultato.errori, messaggio + "\nPer l'elenco delle opzioni: kelvaro --help\n");
    QCOMPARE(risultato.uscita, QString());
    QVERIFY(QDir(casa->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

void TRigaDiComando::creaArchivioDueVolte() {
    const QString archivio = casa->filePath("nuovo archivio.db");
    Risultato risultato = esegui({"--crea-archivio", archivio});
    QCOMPARE(risultato.stato, 0);
    QCOMPARE(risultato.uscita,
             QString("Creato l'archivio «%1» con tutti i comuni italiani.\n").arg(archivio));
    QCOMPARE(valore(archivio, "SELECT count(*) FROM Comuni"), QString("7904"));
    const QByteArray prima = leggi(archivio);

    risultato = esegui({"--crea-archivio", archivio});
    QCOMPARE(risultato.stato, 1);
    QCOMPARE(risultato.errori,
             QString("L'archivio «%1» esiste già: non viene sovrascritto.\n").arg(archivio));
    QCOMPARE(risultato.uscita, QString());
    QVERIFY(leggi(archivio) == prima);

    risultato = esegui({"--crea-archivio-vuoto", archivio});
    QCOMPARE(risultato.stato, 1);
    QVERIFY(leggi(archivio) == prima);
}

void TRigaDiComando::creaArchivioVuoto() {
    // A relative path is taken from the current folder.
    const Risultato risultato = esegui({"--crea-archivio-vuoto", "vuoto.db"});
    QCOMPARE(risultato.stato, 0);
    const QString archivio = casa->filePath("vuoto.db");
    QCOMPARE(risultato.uscita,
             QString("Creato l'archivio vuoto «%1» (solo le tabelle).\n").arg(archivio));
    QCOMPARE(valore(archivio, "SELECT count(*) FROM Comuni"), QString("0"));
    QCOMPARE(valore(archivio, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name "
                              "IN ('Comuni', 'RicComuni', 'RicElComuni')"),
             QString("3"));
}

void TRigaDiComando::archivioNonCreabile_data() {
    QTest::addColumn<bool>("cartellaEsiste");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("cartella mancante") << false << "la cartella non esiste.";
    QTest::newRow("cartella in sola lettura") << true << "non si può scrivere nella cartella «%1».";
}

void TRigaDiComando::archivioNonCreabile() {
    QFETCH(bool, cartellaEsiste);
    QFETCH(QString, motivo);
    const QString cartella = casa->filePath("cartella");
    const QString archivio = cartella + "/nuovo.db";
    if (cartellaEsiste) {
        QVERIFY(QDir().mkpath(cartella));
        RendiSolaLettura(cartella);
        QFile prova(cartella + "/prova");
        if (prova.open(QIODevice::WriteOnly)) {
            prova.remove();
            QSKIP("Il sistema non permette di rendere la cartella in sola lettura.");
        }
    }
    const Risultato risultato = esegui({"--crea-archivio", archivio});
    if (cartellaEsiste) {
        RendiScrivibile(cartella);
        QFile::setPermissions(cartella, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QCOMPARE(risultato.stato, 1);
    QCOMPARE(risultato.errori, QString("Impossibile creare l'archivio «%1»: %2\n")
                                   .arg(archivio, QString(motivo).replace("%1", cartella)));
    QCOMPARE(risultato.uscita, QString());
    QCOMPARE(QFileInfo::exists(cartella), cartellaEsiste);
    QVERIFY(!cartellaEsiste ||
            QDir(cartella).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

void TRigaDiComando::importaIrradiazione() {
    const QString archivio = casa->filePath("a.db");
    QCOMPARE(esegui({"--crea-archivio", archivio}).stato, 0);
    const QString csv = casa->filePath("irradiazione.csv");
    scrivi(csv, "\xEF\xBB\xBFProvincia;Capoluogo;Hdh;Hbh\r\n"
                "RM;Roma;1,5;2,25\r\n"
                "FC;FORLÌ;1,75;2\r\n"
                "RM;Fiumicino;1;1\r\n");
    const Risultato risultato = esegui({"--importa-irradiazione", csv, "--archivio", archivio});
    QCOMPARE(risultato.errori, QString());
    QCOMPARE(risultato.stato, 0);
    QCOMPARE(risultato.uscita, QString("Archivio: %1\n"
                                       "Aggiornati 2 capoluoghi su 3 righe del file.\n"
                                       "Una riga non corrisponde ad alcun capoluogo "
                                       "dell'archivio:\n"
                                       "  riga 4: RM Fiumicino\n")
                                   .arg(archivio));
    QCOMPARE(valore(archivio, "SELECT Hdh || '/' || Hbh FROM Comuni WHERE COM_NAME = 'ROMA'"),
             QString("1.5/2.25"));
    QCOMPARE(valore(archivio, "SELECT count(*) FROM Comuni WHERE Hdh IS NOT NULL"), QString("2"));
}

void TRigaDiComando::importaIrradiazioneRifiutata() {
    const QString archivio = casa->filePath("a.db");
    QCOMPARE(esegui({"--crea-archivio", archivio}).stato, 0);
    const QByteArray prima = leggi(archivio);
    const QString csv = casa->filePath("irradiazione.csv");
    scrivi(csv, "RM;Roma;1,5;2,25\nFC;FORLÌ;-1,75;2\n");
    Risultato risultato = esegui({"--importa-irradiazione", csv, "--archivio", archivio});
    QCOMPARE(risultato.stato, 1);
    QCOMPARE(risultato.errori, QString("File dell'irradiazione rifiutato, riga 2: il valore di Hdh "
                                       "«-1,75» è negativo. L'archivio non è stato modificato.\n"));
    QCOMPARE(risultato.uscita, QString());
    QVERIFY(leggi(archivio) == prima);

    // A file that is not an archive is named in the message and left as it was.
    scrivi(csv, "RM;Roma;1,5;2,25\n");
    const QString testo = casa->filePath("appunti.txt");
    scrivi(testo, "non sono un archivio");
    risultato = esegui({"--importa-irradiazione", csv, "--archivio", testo});
    QCOMPARE(risultato.stato, 1);
    QVERIFY2(
        risultato.errori.startsWith(QString("Impossibile aprire l'archivio «%1».\n").arg(testo)),
        qPrintable(risultato.errori));
    QCOMPARE(leggi(testo), QByteArray("non sono un archivio"));
}

void TRigaDiComando::primoAvvioEArchivioConfigurato() {
    const QString csv = casa->filePath("irradiazione.csv");
    scrivi(csv, "RM,Roma,\"1,5\",2.25\n");
    // Without a configuration the archive must be named.
    Risultato risultato = esegui({"--importa-irradiazione", csv});
    QCOMPARE(risultato.stato, 1);
    QVERIFY2(risultato.errori.contains("--archivio <percorso>"), qPrintable(risultato.errori));

    risultato = esegui({"--inizializza"});
    QCOMPARE(risultato.stato, 0);
    const QString ini = casa->filePath(".config/Kelvaro_2007.ini");
    const QString archivio = casa->filePath(".local/share/kelvaro/kelvaro.db");
    QVERIFY2(
        risultato.uscita.endsWith(QString("Creato il file di configurazione «%1».\n").arg(ini)),
        qPrintable(risultato.uscita));
    QVERIFY(risultato.uscita.contains(archivio));
    QCOMPARE(valore(archivio, "SELECT count(*) FROM Comuni"), QString("7904"));

    risultato = esegui({"--inizializza"});
    QCOMPARE(risultato.stato, 0);
    QCOMPARE(risultato.uscita, QString("Il file di configurazione «%1» esiste già: non è stato "
                                       "cambiato nulla.\n")
                                   .arg(ini));

    // The configured archive is the one updated.
    risultato = esegui({"--importa-irradiazione", csv});
    QCOMPARE(risultato.stato, 0);
    QVERIFY(risultato.uscita.startsWith(QString("Archivio: %1\n").arg(archivio)));
    QCOMPARE(valore(archivio, "SELECT Hdh || '/' || Hbh FROM Comuni WHERE COM_NAME = 'ROMA'"),
             QString("1.5/2.25"));
}

QTEST_GUILESS_MAIN(TRigaDiComando)
#include "tst_rigaDiComando.moc"
