#include "app/Connessione.h"
#include "app/Global.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/Schema.h"
#include "support/ArchivioProva.h"
#include "support/FileSolaLettura.h"
#include "support/MessaggiRegistrati.h"

#include <QtTest>

// Opening the archive: the program's connection fails with a clear Italian message and never
// creates or changes a file that is not a usable archive.
class TConnessione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void apreEChiude();
    void archivioNonUtilizzabile_data();
    void archivioNonUtilizzabile();
    void percorsoConCaratteriSpeciali();
    void archivioBloccatoInScrittura();
    void archivioBloccatoDelTutto();
    void archivioInSolaLettura();

private:
    std::unique_ptr<MessaggiRegistrati> messaggi;
};

void TConnessione::init() {
    Global::Azzera();
    messaggi = std::make_unique<MessaggiRegistrati>();
}

void TConnessione::cleanup() {
    Global::ChiudiConnessione();
    messaggi.reset();
}

void TConnessione::apreEChiude() {
    ArchivioProva archivio;
    QVERIFY(Global::ApriConnessione());
    QVERIFY(EseguiSql(Global::Cnn(), "INSERT INTO Comuni (COM_NAME) VALUES ('ROMA')").ok());
    Global::ChiudiConnessione();
    Global::ChiudiConnessione(); // closing twice is harmless
    QVERIFY(Global::Cnn() == nullptr);
    QCOMPARE(archivio.conta("Comuni"), 1);
    QVERIFY(Global::ApriConnessione()); // the next operation opens it afresh
    QVERIFY(Global::Cnn() != nullptr);
    QVERIFY(messaggi->mostrati().isEmpty());
}

void TConnessione::archivioNonUtilizzabile_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("contenuto"); // Null: no file is written
    QTest::addColumn<QString>("motivo");
    QTest::newRow("file mancante") << "manca.db" << QByteArray() << "Il file non esiste.";
    QTest::newRow("non un database")
        << "testo.db" << QByteArray("Questo non è un archivio.\n").repeated(200)
        << "Il file non è un archivio valido: non è un database SQLite.";
    QTest::newRow("cartella") << "." << QByteArray()
                              << "Il percorso indica una cartella, non un file.";
}

void TConnessione::archivioNonUtilizzabile() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, motivo);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(nome);
    QFile file(percorso);
    if (!contenuto.isNull()) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contenuto);
        file.close();
    }
    Global::PercorsoDB = percorso;

    QVERIFY(!Global::ApriConnessione());
    QVERIFY(Global::Cnn() == nullptr);
    // The standard error box (its form is tested with the messages) names the file and why.
    QCOMPARE(messaggi->testi(),
             QStringList{QString("Impossibile aprire l'archivio «%1».\r%2").arg(percorso, motivo)});
    // Nothing was created or changed.
    QCOMPARE(
        QDir(cartella.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        contenuto.isNull() ? QStringList() : QStringList{nome});
    QVERIFY(contenuto.isNull() || (file.open(QIODevice::ReadOnly) && file.readAll() == contenuto));
}

void TConnessione::percorsoConCaratteriSpeciali() {
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("archivio #1 città%20.db");
    QVERIFY(Schema::CreaArchivio(percorso).ok());
    Global::PercorsoDB = percorso;
    QVERIFY(Global::ApriConnessione());
    QVERIFY(EseguiSql(Global::Cnn(), "INSERT INTO Comuni (COM_NAME) VALUES ('ROMA')").ok());
    Global::ChiudiConnessione();
    // Exactly one file: the '#' did not cut the name and open another one.
    QCOMPARE(QDir(cartella.path()).entryList(QDir::Files),
             QStringList({"archivio #1 città%20.db"}));
}

void TConnessione::archivioBloccatoInScrittura() {
    // Another copy of the program is writing: reading still works, writing gives up after the
    // wait with a clear message.
    ArchivioProva archivio;
    QVERIFY(archivio.esegui("BEGIN IMMEDIATE"));
    QVERIFY(Archivio::Apri("Secondo", archivio.percorso(), 200).ok());
    sqlite3* secondo = Archivio::Maniglia("Secondo");
    {
        Istruzione lettura(secondo, "SELECT count(*) FROM Comuni");
        QVERIFY(lettura.passo());
    }
    const EsitoOperazione scrittura = IniziaTransazione(secondo);
    QVERIFY(!scrittura.ok());
    QVERIFY(
        scrittura.errore().descrizione.startsWith("L'archivio è bloccato da un altro programma"));
    Archivio::Chiudi("Secondo");
    QVERIFY(archivio.esegui("ROLLBACK"));
}

void TConnessione::archivioBloccatoDelTutto() {
    ArchivioProva archivio;
    QVERIFY(archivio.esegui("BEGIN EXCLUSIVE; INSERT INTO Comuni (COM_NAME) VALUES ('X')"));
    const EsitoOperazione apertura = Archivio::Apri("Secondo", archivio.percorso(), 200);
    QVERIFY(!apertura.ok());
    QVERIFY(apertura.errore().descrizione.contains("bloccato da un altro programma"));
    QVERIFY(archivio.esegui("ROLLBACK"));
}

void TConnessione::archivioInSolaLettura() {
    ArchivioProva archivio;
    archivio.chiudi();
    if (!RendiSolaLettura(archivio.percorso()))
        QSKIP("il sistema non permette di rendere il file non scrivibile");
    QVERIFY(Global::ApriConnessione());
    const EsitoOperazione scrittura =
        EseguiSql(Global::Cnn(), "INSERT INTO Comuni (COM_NAME) VALUES ('ROMA')");
    Global::ChiudiConnessione();
    RendiScrivibile(archivio.percorso());
    QVERIFY(!scrittura.ok());
    QCOMPARE(scrittura.errore().descrizione,
             QString("L'archivio è in sola lettura: le modifiche non possono essere salvate."));
    QCOMPARE(archivio.conta("Comuni"), 0);
}

QTEST_GUILESS_MAIN(TConnessione)
#include "tst_connessione.moc"
