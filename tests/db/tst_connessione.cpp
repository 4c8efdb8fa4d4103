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
    void transazioneAnnullata();

private:
    std::unique_ptr<MessaggiRegistrati> messaggi;
};

void TConnessione::init() {
    Global::Azzera();
    Global::Titolo = Global::TitoloProgramma;
    messaggi = std::make_unique<MessaggiRegistrati>();
}

void TConnessione::cleanup() {
    Global::ChiudiConnessione();
    messaggi.reset();
}

void TConnessione::apreEChiude() {
    ArchivioProva archivio;
    QVERIFY(Global::ApriConnessione());
    QVERIFY(Global::Cnn() != nullptr);
    Global::ChiudiConnessione();
    QVERIFY(Global::Cnn() == nullptr);
    // The next operation starts from a fresh connection.
    QVERIFY(Global::ApriConnessione());
    QVERIFY(EseguiSql(Global::Cnn(), "INSERT INTO Comuni (COM_NAME) VALUES ('ROMA')").ok());
    Global::ChiudiConnessione();
    Global::ChiudiConnessione(); // closing twice is harmless
    QVERIFY(messaggi->mostrati().isEmpty());
    QCOMPARE(archivio.conta("Comuni"), 1);
}

void TConnessione::archivioNonUtilizzabile_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("contenuto"); // empty: no file at all
    QTest::addColumn<QString>("motivo");
    QTest::newRow("file mancante") << "manca.db" << QByteArray() << "Il file non esiste.";
    QTest::newRow("configurazione mancante") << "-1" << QByteArray() << "Il file non esiste.";
    QTest::newRow("non un database")
        << "testo.db" << QByteArray("Questo non è un archivio.\n").repeated(200)
        << "Il file non è un archivio valido: non è un database SQLite.";
    QTest::newRow("cartella") << "cartella" << QByteArray("<cartella>")
                              << "Il percorso indica una cartella, non un file.";
}

void TConnessione::archivioNonUtilizzabile() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, motivo);
    QTemporaryDir cartella;
    const QString percorso = nome == "-1" ? nome : cartella.filePath(nome);
    if (contenuto == "<cartella>") {
        QVERIFY(QDir(cartella.path()).mkdir(nome));
    } else if (!contenuto.isEmpty()) {
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contenuto);
    }
    Global::PercorsoDB = percorso;

    QVERIFY(!Global::ApriConnessione());
    QVERIFY(Global::Cnn() == nullptr);
    QCOMPARE(messaggi->mostrati().size(), 1);
    const Messaggio& m = messaggi->mostrati().first();
    QCOMPARE(m.testo, QString("Impossibile aprire l'archivio «%1».\r%2").arg(percorso, motivo));
    QCOMPARE(m.icona, IconaMessaggio::Esclamazione);
    QCOMPARE(m.pulsanti, PulsantiMessaggio::Ok);
    QCOMPARE(m.titolo, QString("Zizovuvo Rizu Zodadazid"));

    // Nothing was created or changed.
    if (contenuto.isEmpty()) {
        QVERIFY(!QFileInfo::exists(percorso));
    } else if (contenuto != "<cartella>") {
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contenuto);
    }
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
    // Another copy of the program is writing: reading still works, writing waits a bounded
    // time and then fails with a clear message.
    ArchivioProva archivio;
    QVERIFY(archivio.esegui("BEGIN IMMEDIATE"));
    QVERIFY(Archivio::Apri("Secondo", archivio.percorso(), 200).ok());
    sqlite3* secondo = Archivio::Maniglia("Secondo");
    {
        Istruzione lettura(secondo, "SELECT count(*) FROM Comuni");
        QVERIFY(lettura.passo());
    }
    QElapsedTimer orologio;
    orologio.start();
    const EsitoOperazione scrittura = IniziaTransazione(secondo);
    QVERIFY(!scrittura.ok());
    QVERIFY(orologio.elapsed() < 10000); // a bounded wait, not a hang
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

void TConnessione::transazioneAnnullata() {
    ArchivioProva archivio;
    QVERIFY(Global::ApriConnessione());
    sqlite3* cnn = Global::Cnn();
    QVERIFY(IniziaTransazione(cnn).ok());
    QVERIFY(EseguiSql(cnn, "INSERT INTO Comuni (COM_NAME) VALUES ('ROMA')").ok());
    const EsitoOperazione rifiutato =
        EseguiSql(cnn, "INSERT INTO Comuni (COM_PROV) VALUES ('ABC')");
    QVERIFY(!rifiutato.ok());
    QVERIFY(rifiutato.errore().descrizione.startsWith("L'archivio non accetta il valore"));
    AnnullaTransazione(cnn);
    Global::ChiudiConnessione();
    QCOMPARE(archivio.conta("Comuni"), 0);
}

QTEST_GUILESS_MAIN(TConnessione)
#include "tst_connessione.moc"
