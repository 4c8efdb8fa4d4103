#include "db/AdattatoreSql.h"
#include "db/Archivio.h"
#include "db/CollazioneItaliana.h"
#include "db/Istruzione.h"
#include "db/Schema.h"
#include "support/ArchivioProva.h"
#include "support/File.h"

#include <QtTest>
#include <sqlite3.h>
#include <sys/stat.h> // umask
#include <thread>

namespace {

// The first column of the first row of `sql` on a connection that registers nothing, or the
// SQLite error text.
QString Nudo(sqlite3* db, const char* sql) {
    sqlite3_stmt* st = nullptr;
    int codice = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (codice == SQLITE_OK)
        codice = sqlite3_step(st);
    QString testo =
        codice == SQLITE_ROW
            ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
        : codice == SQLITE_DONE ? QString("fatto")
                                : QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    return testo;
}

// An archive of format 0, whose names carried the program's collation and an index on it; ids
// 1, 2 and 5 used, the counter at 9.
void CreaFormatoZero(const QString& percorso) {
    QVERIFY(Schema::CreaArchivio(percorso).ok());
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(percorso), &db);
    CollazioneItaliana::Registra(db);
    const QString vecchia =
        Schema::TabellaComuni("Comuni").replace("NAME TEXT,", "NAME TEXT COLLATE ITALIANO,");
    const QByteArray sql = ("DROP TABLE Comuni;" + vecchia +
                            "CREATE INDEX Comuni_Nome ON Comuni (COM_NAME);"
                            "INSERT INTO Comuni (COM_ID, COM_NAME, COM_PROV) VALUES (1, 'ROMA', "
                            "'RM'), (2, 'FORLÌ', 'FC'), (5, 'ÀGLIÈ', 'TO'), (9, 'X', 'XX');"
                            "DELETE FROM Comuni WHERE COM_ID = 9; PRAGMA user_version = 0;")
                               .toUtf8();
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

} // namespace

// The archive file: opened with the SQLite C API, readable by any SQLite tool, made safely.
class TArchivio : public QObject {
    Q_OBJECT
private slots:
    void formati_data() {
        // What a connection that registers nothing, as the sqlite3 shell, finds after the
        // program opened the archive (meanwhile locked by another program in the last row).
        QTest::addColumn<bool>("formatoZero");
        QTest::addColumn<bool>("bloccato");
        QTest::addColumn<QString>("risposte");
        const QString ok = "ok|1|2 FORLÌ,1 ROMA,%1 ÀGLIÈ|fatto|fatto|%2";
        QTest::newRow("nuovo") << false << false << ok.arg(3).arg(4);
        // The ids and the counter of used ids survive the upgrade.
        QTest::newRow("aggiornato all'apertura") << true << false << ok.arg(5).arg(10);
        // Left untouched, the old file still fails in every tool that lacks the collation.
        const QString c = "no such collation sequence: ITALIANO";
        QTest::newRow("non aggiornabile, lasciato com'era")
            << true << true << QStringList{c, "0", c, c, c, "5"}.join('|');
    }
    void formati() {
        QFETCH(bool, formatoZero);
        QFETCH(bool, bloccato);
        QFETCH(QString, risposte);
        ArchivioProva archivio;
        archivio.chiudi();
        if (formatoZero) {
            QFile::remove(archivio.percorso());
            CreaFormatoZero(archivio.percorso());
        } else {
            for (const char* nome : {"ROMA", "FORLÌ", "ÀGLIÈ"})
                archivio.aggiungiComune(nome, "XX");
            archivio.chiudi();
        }
        sqlite3* altro = nullptr;
        sqlite3_open(QFile::encodeName(archivio.percorso()), &altro);
        if (bloccato)
            Nudo(altro, "BEGIN IMMEDIATE");
        const EsitoOperazione aperto = Archivio::Apri("Prova", archivio.percorso(), 100);
        Archivio::Chiudi("Prova");
        Nudo(altro, "ROLLBACK");
        QCOMPARE(aperto.ok() ? QString() : aperto.errore().descrizione.section('\r', 1),
                 bloccato ? "L'archivio è in un formato precedente e non può essere aggiornato: "
                            "L'archivio è bloccato da un altro programma (per esempio un'altra "
                            "copia di questo programma). Riprovare più tardi. L'archivio non è "
                            "stato modificato."
                          : "");
        QStringList trovate;
        for (const char* sql :
             {"PRAGMA integrity_check", "PRAGMA user_version",
              "SELECT group_concat(COM_ID || ' ' || COM_NAME) FROM (SELECT * FROM Comuni ORDER BY "
              "COM_NAME)",
              "INSERT INTO Comuni (COM_NAME) VALUES ('NUOVO')",
              "UPDATE Comuni SET COM_ALT = 7 WHERE COM_NAME = 'ROMA'",
              "SELECT max(COM_ID) FROM Comuni"})
            trovate << Nudo(altro, sql);
        sqlite3_close(altro);
        QCOMPARE(trovate.join('|'), risposte);
    }

    void apertureRifiutate_data() {
        QTest::addColumn<QByteArray>("contenuto"); // Null: no file; "futuro": a newer format
        QTest::addColumn<QString>("motivo");
        QTest::newRow("file mancante") << QByteArray() << "Il file non esiste.";
        QTest::newRow("non un database") << QByteArray("Non è un archivio.\n").repeated(200)
                                         << "Il file non è un archivio valido: non è un database "
                                            "SQLite.";
        QTest::newRow("formato futuro")
            << QByteArray("futuro")
            << "L'archivio è nel formato 9, di una versione più recente del programma: questa "
               "versione non può usarlo. L'archivio non è stato modificato.";
    }
    void apertureRifiutate() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, motivo);
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath("a.db");
        if (contenuto == "futuro")
            QVERIFY(Schema::CreaArchivio(percorso, [](sqlite3* db) {
                        return EseguiSql(db, "PRAGMA user_version = 9");
                    }).ok());
        else if (!contenuto.isNull())
            ScriviFile(percorso, contenuto);
        const QByteArray prima = LeggiFile(percorso);
        const EsitoOperazione esito = Archivio::Apri("Prova", percorso);
        QVERIFY(!esito.ok());
        QCOMPARE(esito.errore().descrizione,
                 QString("Impossibile aprire l'archivio «%1».\r%2").arg(percorso, motivo));
        QVERIFY(Archivio::Maniglia("Prova") == nullptr);
        QCOMPARE(LeggiFile(percorso), prima);
        QCOMPARE(Voci(cartella.path()), contenuto.isNull() ? QStringList() : QStringList{"a.db"});
    }

    void attesaDelBlocco_data() {
        QTest::addColumn<QString>("blocco"); // taken by another connection
        QTest::addColumn<int>("rilascioMs"); // -1: never released during the test
        QTest::newRow("esclusivo rilasciato") << "BEGIN EXCLUSIVE" << 400;
        QTest::newRow("scrittura tenuta") << "BEGIN IMMEDIATE" << -1;
    }
    void attesaDelBlocco() {
        QFETCH(QString, blocco);
        QFETCH(int, rilascioMs);
        ArchivioProva archivio;
        QVERIFY(archivio.esegui(blocco));
        sqlite3* tenuta = archivio.db();
        std::thread rilascio([&] {
            if (rilascioMs >= 0) {
                QThread::msleep(rilascioMs);
                sqlite3_exec(tenuta, "ROLLBACK", nullptr, nullptr, nullptr);
            }
        });
        // The default wait of an operation is long enough for a short write of another copy.
        EsitoOperazione esito = rilascioMs >= 0
                                    ? Archivio::Apri("Secondo", archivio.percorso())
                                    : Archivio::Apri("Secondo", archivio.percorso(), 100);
        if (esito.ok())
            esito = IniziaTransazione(Archivio::Maniglia("Secondo"));
        Archivio::Chiudi("Secondo");
        rilascio.join();
        archivio.esegui("ROLLBACK");
        QCOMPARE(esito.ok(), rilascioMs >= 0);
        if (!esito.ok())
            QVERIFY(esito.errore().descrizione.contains("L'archivio è bloccato da un altro "
                                                        "programma"));
    }

    void creazione_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("prima");  // what lies in the folder before: a file or a link
        QTest::addColumn<QString>("errore"); // the end of the message; empty: created
        const auto riga = [](const char* caso, const QString& nome, const char* prima,
                             const QString& errore) {
            QTest::newRow(caso) << nome << prima << errore;
        };
        const QString lungo = "il nome è troppo lungo.";
        const QString interrotto = "», lasciato da un programma interrotto. Spostarlo o "
                                   "cancellarlo, poi riprovare.";
        riga("caratteri speciali", "a #1 ?mode=rwc città%20.db", "", "");
        riga("nome di 255 byte", QString(252, 'a') + ".db", "", "");
        riga("nome di 256 byte", QString(253, 'a') + ".db", "", lungo);
        riga("journal rimasto", "a.db", "a.db-journal", "a.db-journal" + interrotto);
        riga("wal rimasto", "a.db", "a.db-wal", "a.db-wal" + interrotto);
        riga("collegamento pendente", "a.db", "->altrove.db", "non viene sovrascritto.");
        riga("file esistente", "a.db", "a.db", "non viene sovrascritto.");
        riga("riempimento fallito", "a.db", "", "riga 3: valore non valido");
    }
    void creazione() {
        QFETCH(QString, nome);
        QFETCH(QString, prima);
        QFETCH(QString, errore);
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(nome);
        if (prima.startsWith("->"))
            QVERIFY(QFile::link(cartella.filePath(prima.mid(2)), percorso));
        else if (!prima.isEmpty())
            ScriviFile(cartella.filePath(prima), "dell'utente");
        const bool fallisce = QByteArray(QTest::currentDataTag()) == "riempimento fallito";
        const EsitoOperazione esito = Schema::CreaArchivio(percorso, [&](sqlite3* db) {
            EseguiSql(db, "INSERT INTO Comuni (COM_NAME) VALUES ('ROMA')");
            return fallisce ? EsitoOperazione(ErroreRuntime::Database("riga 3: valore non valido"))
                            : EsitoOperazione();
        });
        QCOMPARE(esito.ok() ? QString() : esito.errore().descrizione.right(errore.size()), errore);
        // Nothing else is ever left in the folder, and what was there stays as it was.
        QStringList attese;
        if (errore.isEmpty())
            attese << nome;
        if (!prima.isEmpty())
            attese << (prima.startsWith("->") ? nome : prima);
        QCOMPARE(Voci(cartella.path()), attese);
        if (!prima.isEmpty() && !prima.startsWith("->"))
            QCOMPARE(LeggiFile(cartella.filePath(prima)), QByteArray("dell'utente"));
    }

    void permessiDallaMaschera_data() {
        QTest::addColumn<int>("maschera");
        QTest::addColumn<int>("permessi"); // user, group, others as QFile flags
        QTest::newRow("077") << 077 << 0x600;
        QTest::newRow("002") << 002 << 0x664;
    }
    void permessiDallaMaschera() {
        QFETCH(int, maschera);
        QFETCH(int, permessi);
        QTemporaryDir cartella;
        const mode_t vecchia = umask(mode_t(maschera));
        Schema::CreaArchivio(cartella.filePath("a.db"));
        umask(vecchia);
        QCOMPARE(int(QFileInfo(cartella.filePath("a.db")).permissions() & 0x777), permessi);
    }

    void temporaneiAbbandonati() {
        // Left by a killed run (its process is gone) they go; those of a running copy and the
        // user's files stay.
        QTemporaryDir cartella;
        const QString vivo =
            QString(".kelvaro-temp-%1-vivo").arg(QCoreApplication::applicationPid());
        for (const QString& nome :
             QStringList{".kelvaro-temp-2147483646-abc", ".kelvaro-temp-2147483646-abc-journal",
                         vivo, QString("kelvaro-temp-2147483646-utente")})
            ScriviFile(cartella.filePath(nome), "x");
        QVERIFY(Schema::CreaArchivio(cartella.filePath("a.db")).ok());
        QCOMPARE(Voci(cartella.path()),
                 QStringList({vivo, "a.db", "kelvaro-temp-2147483646-utente"}));
    }

    void ordineEConfronti_data() {
        QTest::addColumn<QString>("condizione");
        QTest::addColumn<QStringList>("nomi");
        QTest::newRow("ordine italiano")
            << "Order By COM_NAME"
            << QStringList{"AGLIANO", "ÀGLIÈ", "Forli", "FORLÌ", "FORLIMPOPOLI"};
        QTest::newRow("uguale senza maiuscole")
            << "WHERE COM_NAME = 'forlì'" << QStringList{"FORLÌ"};
        QTest::newRow("LIKE, un carattere di due byte")
            << "WHERE COM_NAME LIKE 'forl_' Order By COM_NAME" << QStringList{"Forli", "FORLÌ"};
        QTest::newRow("LIKE torna all'ultimo percento")
            << "WHERE COM_NAME LIKE '%LI%LI'" << QStringList{"FORLIMPOPOLI"};
    }
    void ordineEConfronti() {
        QFETCH(QString, condizione);
        QFETCH(QStringList, nomi);
        ArchivioProva archivio;
        for (const char* nome : {"FORLIMPOPOLI", "FORLÌ", "ÀGLIÈ", "AGLIANO", "Forli"})
            archivio.aggiungiComune(nome, "XX");
        QCOMPARE(archivio.testi("SELECT COM_NAME FROM Comuni " + condizione), nomi);
    }

    void adattaSql_data() {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("sì e no") << "capoluogo <> No AND x = True AND n = 'No' AND NoteNo = 1"
                                 << "capoluogo <> 0 AND x = -1 AND n = 'No' AND NoteNo = 1";
        QTest::newRow("assegnazione e confronto")
            << "UPDATE C SET COM_NAME = 'A' WHERE COM_RIFER_NAME IN ('b') AND COM_NAME LIKE 'c'"
            << "UPDATE C SET COM_NAME = 'A' WHERE COM_RIFER_NAME COLLATE ITALIANO IN ('b') AND "
               "COM_NAME LIKE 'c'";
    }
    void adattaSql() {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        QCOMPARE(AdattaSql(jet), sqlite);
    }

    void erroriInItaliano_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("messaggio");
        const auto riga = [](const char* caso, const char* sql, const QString& messaggio) {
            QTest::newRow(caso) << sql << messaggio;
        };
        riga("apice nella provincia",
             "SELECT * FROM Comuni WHERE (COM_PROV LIKE 'L'%') Order By COM_NAME",
             "Istruzione SQL non valida: «') Order By COM_NAME» non è un simbolo riconosciuto "
             "(forse un apice non chiuso).");
        riga("sintassi", "SELEC 1", "Errore di sintassi nell'istruzione SQL vicino a «SELEC».");
        riga("tabella", "SELECT * FROM Manca", "Nell'archivio manca la tabella «Manca».");
        riga("colonna", "SELECT Manca FROM Comuni", "Nell'archivio manca la colonna «Manca».");
        riga("controllo", "INSERT INTO Comuni (COM_ALT) VALUES (40000)",
             "L'archivio non accetta il valore: non rispetta la regola «COM_ALT BETWEEN -32768 "
             "AND 32767».");
        riga("valore obbligatorio", "INSERT INTO RicComuni (RicId) VALUES (NULL)",
             "L'archivio non accetta il valore: la colonna «RicComuni.RicId» non può restare "
             "vuota.");
    }
    void erroriInItaliano() {
        QFETCH(QString, sql);
        QFETCH(QString, messaggio);
        ArchivioProva archivio;
        Istruzione istruzione(archivio.db(), sql);
        istruzione.esegui();
        QCOMPARE(istruzione.esito().ok() ? "" : istruzione.esito().errore().descrizione, messaggio);
    }
};

QTEST_GUILESS_MAIN(TArchivio)
#include "tst_archivio.moc"
