#include "core/Global.h"
#include "core/query/CreaSelect.h"
#include "db/AdattatoreSql.h"
#include "db/Archivio.h"
#include "db/CollazioneItaliana.h"
#include "db/Connessione.h"
#include "db/Istruzione.h"
#include "db/RicalcoloIrradianza.h"
#include "db/RicercaComuni.h"
#include "db/Schema.h"
#include "db/import/ImportaComuni.h"
#include "db/import/ImportaIrradiazione.h"
#include "support/ArchivioProva.h"
#include "support/Confronta.h"
#include "support/File.h"
#include "support/MessaggiRegistrati.h"

#include <QtTest>
#include <sqlite3.h>
#include <sys/stat.h> // umask
#include <thread>

namespace {

// The first column of the first row of `sql` on a connection that registers nothing (as the
// sqlite3 shell), or the SQLite error text.
QString Nudo(const QString& percorso, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(percorso), &db);
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
    sqlite3_close(db);
    return testo;
}

// The files a test starts from.
enum class File {
    FormatoZero,            // names with the program's collation; ids 1, 2, 5 used, counter at 9
    Danneggiato,            // every comune, the last 512 bytes cut off (an interrupted copy)
    DanneggiatoFormatoZero, // the same, in format 0
    EstraneoSenzaHdh,       // another program's table Comuni, without the irradiation
    Estraneo,               // another program's table Comuni, with what an import writes
};

void Crea(File file, const QString& percorso, const QString& comuni) {
    if (file == File::FormatoZero) {
        QVERIFY(Schema::CreaArchivio(percorso).ok());
        const QString vecchia =
            Schema::TabellaComuni("Comuni").replace("NAME TEXT,", "NAME TEXT COLLATE ITALIANO,");
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(percorso), &db);
        CollazioneItaliana::Registra(db);
        const QByteArray sql = ("DROP TABLE Comuni;" + vecchia +
                                "CREATE INDEX Comuni_Nome ON Comuni (COM_NAME); INSERT INTO Comuni "
                                "(COM_ID, COM_NAME, COM_PROV) VALUES (1, 'ROMA', 'RM'), (2, "
                                "'FORLÌ', 'FC'), (5, 'ÀGLIÈ', 'TO'), (9, 'X', 'XX'); DELETE FROM "
                                "Comuni WHERE COM_ID = 9; PRAGMA user_version = 0;")
                                   .toUtf8();
        QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    } else if (file == File::Estraneo || file == File::EstraneoSenzaHdh) {
        Nudo(percorso, file == File::Estraneo
                           ? "CREATE TABLE Comuni (COM_PROV, COM_NAME, Hdh, Hbh, capoluogo)"
                           : "CREATE TABLE Comuni (COM_PROV, COM_NAME, capoluogo)");
        Nudo(percorso, "INSERT INTO Comuni (COM_PROV, COM_NAME, capoluogo) VALUES ('RM', 'ROMA', "
                       "-1)");
    } else {
        QVERIFY(QFile::copy(comuni, percorso));
        if (file == File::DanneggiatoFormatoZero)
            Nudo(percorso, "PRAGMA user_version = 0");
        QFile copia(percorso);
        QVERIFY(copia.resize(copia.size() - 512));
    }
}

// Commands that write into an archive, each on its own connection; the error, or "".
enum class Comando { Ricerca, RicalcoloSenzaIrradiazione, Importazione, AperturaDelleFinestre };

QString Esegui(Comando comando, const QString& percorso, const QString& csv) {
    if (comando == Comando::Importazione) {
        const auto rapporto = ImportaIrradiazione::Importa(percorso, csv);
        return rapporto.ok() ? QString() : rapporto.errore().descrizione;
    }
    if (comando == Comando::AperturaDelleFinestre) {
        MessaggiRegistrati messaggi;
        Global::PercorsoDB = percorso;
        Global::ApriConnessione();
        Global::ChiudiConnessione();
        return messaggi.testi().join('\n');
    }
    EsitoOperazione esito = Archivio::Apri("Comando", percorso, 100);
    sqlite3* db = Archivio::Maniglia("Comando");
    QList<DatiComune> elenco(1), capoluoghi;
    if (esito.ok() && comando == Comando::Ricerca)
        esito = RicercaComuni::Esegui(db, Ricerca::SelectTuttiIComuni, elenco).esito;
    else if (esito.ok())
        esito = RicalcoloIrradianza::Esegui(db, elenco, capoluoghi).esito;
    Archivio::Chiudi("Comando");
    return esito.ok() ? QString() : esito.errore().descrizione;
}

} // namespace

// The archive file: opened with the SQLite C API, readable by any SQLite tool, made safely,
// checked before commands write into it.
class TArchivio : public QObject {
    Q_OBJECT
private slots:
    void scritture() {
        // An archive in format 0 is upgraded inside the transaction of the first command that
        // writes into it, so a command that fails leaves it as it was. A damaged archive is
        // refused by every command that writes, with a message naming it; a database of another
        // program is never marked as an archive.
        struct Caso {
            const char* nome;
            File file;
            Comando comando;
            QString errore; // how the error ends (%1: the file); empty: the command succeeds
            int versione;   // PRAGMA user_version afterwards
        };
        const QString danneggiato = "L'archivio «%1» è danneggiato: il controllo dell'integrità "
                                    "di SQLite (PRAGMA quick_check) ha trovato errori.\rL'archivio "
                                    "non è stato modificato: ripristinarne una copia di sicurezza.";
        // clang-format off
        const Caso casi[] = {
            {.nome = "formato 0, aggiornato dalla prima ricerca", .file = File::FormatoZero,
             .comando = Comando::Ricerca, .errore = "", .versione = 1},
            {.nome = "formato 0, lasciato da un ricalcolo fallito", .file = File::FormatoZero,
             .comando = Comando::RicalcoloSenzaIrradiazione,
             .errore = "Caricare prima l'irradiazione dei capoluoghi.", .versione = 0},
            {.nome = "importazione in un archivio danneggiato", .file = File::Danneggiato,
             .comando = Comando::Importazione, .errore = danneggiato, .versione = 1},
            {.nome = "ricalcolo in un archivio danneggiato", .file = File::Danneggiato,
             .comando = Comando::RicalcoloSenzaIrradiazione, .errore = danneggiato, .versione = 1},
            {.nome = "aggiornamento di un archivio danneggiato", .file = File::DanneggiatoFormatoZero,
             .comando = Comando::Ricerca, .errore = danneggiato, .versione = 0},
            {.nome = "finestre su un archivio danneggiato", .file = File::Danneggiato,
             .comando = Comando::AperturaDelleFinestre, .errore = danneggiato, .versione = 1},
            {.nome = "importazione in un Comuni senza Hdh", .file = File::EstraneoSenzaHdh,
             .comando = Comando::Importazione, .errore = "Nell'archivio manca la colonna «Hdh».",
             .versione = 0},
            {.nome = "importazione in un Comuni di un altro programma", .file = File::Estraneo,
             .comando = Comando::Importazione, .errore = "", .versione = 0},
        };
        // clang-format on
        QTemporaryDir altrove;
        const QString comuni = altrove.filePath("comuni.db"), csv = altrove.filePath("i.csv");
        QVERIFY(Schema::CreaArchivio(comuni, ImportaComuni::InserisciComuniDelProgramma).ok());
        ScriviFile(csv, "RM;Roma;1;2\n");
        for (const Caso& caso : casi) {
            QTemporaryDir cartella;
            const QString percorso = cartella.filePath("a.db");
            Crea(caso.file, percorso, comuni);
            const QByteArray prima = LeggiFile(percorso);
            const QString errore = Esegui(caso.comando, percorso, csv);
            const QString atteso = QString(caso.errore).replace("%1", percorso);
            CONFRONTA(caso.nome, "errore", atteso.isEmpty() ? errore : errore.right(atteso.size()),
                      atteso);
            CONFRONTA(caso.nome, "versione", Nudo(percorso, "PRAGMA user_version"),
                      QString::number(caso.versione));
            CONFRONTA(caso.nome, "file invariato", atteso.isEmpty() || LeggiFile(percorso) == prima,
                      true);
            CONFRONTA(caso.nome, "cartella", Voci(cartella.path()), QStringList{"a.db"});
            if (caso.file != File::FormatoZero || !atteso.isEmpty())
                continue;
            // Upgraded: any SQLite tool sorts and adds names; ids and the id counter are kept.
            CONFRONTA(caso.nome, "ids per nome",
                      Nudo(percorso, "SELECT group_concat(COM_ID) FROM (SELECT COM_ID FROM Comuni "
                                     "ORDER BY COM_NAME)"),
                      "2,1,5");
            CONFRONTA(caso.nome, "inserimento",
                      Nudo(percorso, "INSERT INTO Comuni (COM_NAME) VALUES ('NUOVO')"), "fatto");
            CONFRONTA(caso.nome, "nuovo id", Nudo(percorso, "SELECT max(COM_ID) FROM Comuni"),
                      "10");
        }
    }

    void apertureRifiutate() {
        enum class Contenuto { Nessuno, Testo, FormatoFuturo };
        struct Caso {
            const char* nome;
            Contenuto contenuto;
            QString motivo; // the line after "Impossibile aprire l'archivio «…»."
        };
        // clang-format off
        const Caso casi[] = {
            {.nome = "file mancante", .contenuto = Contenuto::Nessuno, .motivo = "Il file non esiste."},
            {.nome = "non un database", .contenuto = Contenuto::Testo,
             .motivo = "Il file non è un archivio valido: non è un database SQLite."},
            {.nome = "formato futuro", .contenuto = Contenuto::FormatoFuturo,
             .motivo = "L'archivio è nel formato 9, di una versione più recente del programma: "
                       "questa versione non può usarlo. L'archivio non è stato modificato."},
        };
        // clang-format on
        for (const Caso& caso : casi) {
            QTemporaryDir cartella;
            const QString percorso = cartella.filePath("a.db");
            if (caso.contenuto == Contenuto::FormatoFuturo)
                QVERIFY(Schema::CreaArchivio(percorso, [](sqlite3* db) {
                            return EseguiSql(db, "PRAGMA user_version = 9");
                        }).ok());
            else if (caso.contenuto == Contenuto::Testo)
                ScriviFile(percorso, QByteArray("Non è un archivio.\n").repeated(200));
            const QByteArray prima = LeggiFile(percorso);
            const EsitoOperazione esito = Archivio::Apri("Prova", percorso);
            CONFRONTA(
                caso.nome, "errore", esito.ok() ? "" : esito.errore().descrizione,
                QString("Impossibile aprire l'archivio «%1».\r%2").arg(percorso, caso.motivo));
            CONFRONTA(caso.nome, "aperto", Archivio::Maniglia("Prova") != nullptr, false);
            CONFRONTA(caso.nome, "file", LeggiFile(percorso), prima);
        }
    }

    void attesaDelBlocco() {
        struct Caso {
            const char* blocco; // taken by another connection
            int rilascioMs;     // -1: never released during the test
            QString errore;     // how the error begins; empty: the write lock is taken
        };
        // clang-format off
        const Caso casi[] = {
            {.blocco = "BEGIN EXCLUSIVE", .rilascioMs = 400, .errore = ""},
            {.blocco = "BEGIN IMMEDIATE", .rilascioMs = -1,
             .errore = "L'archivio è bloccato da un altro programma"},
        };
        // clang-format on
        for (const Caso& caso : casi) {
            ArchivioProva archivio;
            QVERIFY(archivio.esegui(caso.blocco));
            sqlite3* tenuta = archivio.db();
            std::thread rilascio([&] {
                if (caso.rilascioMs >= 0) {
                    QThread::msleep(caso.rilascioMs);
                    sqlite3_exec(tenuta, "ROLLBACK", nullptr, nullptr, nullptr);
                }
            });
            // The default wait of an operation is long enough for a short write of another copy.
            EsitoOperazione esito =
                Archivio::Apri("Secondo", archivio.percorso(),
                               caso.rilascioMs >= 0 ? Archivio::AttesaSeBloccatoMs : 100);
            if (esito.ok())
                esito = IniziaTransazione(Archivio::Maniglia("Secondo"));
            Archivio::Chiudi("Secondo");
            rilascio.join();
            AnnullaTransazione(archivio.db());
            const QString visto = esito.ok() ? "" : esito.errore().descrizione;
            CONFRONTA(caso.blocco, "errore", visto.left(qMax(1, int(caso.errore.size()))),
                      caso.errore);
        }
    }

    void creazione() {
        struct Caso {
            const char* nome;
            QString file;       // the new archive's name
            QString prima = {}; // what lies in the folder before: a file, or "->" a dangling link
            QString errore;     // the end of the message; empty: created
        };
        const QString interrotto = "», lasciato da un programma interrotto. Spostarlo o "
                                   "cancellarlo, poi riprovare.";
        const QString esiste = "non viene sovrascritto.";
        // clang-format off
        const Caso casi[] = {
            {.nome = "caratteri speciali", .file = "a #1 ?mode=rwc città%20.db", .errore = ""},
            {.nome = "nome di 255 byte", .file = QString(252, 'a') + ".db", .errore = ""},
            {.nome = "nome di 256 byte", .file = QString(253, 'a') + ".db", .errore = "il nome è troppo lungo."},
            {.nome = "journal rimasto", .file = "a.db", .prima = "a.db-journal", .errore = "a.db-journal" + interrotto},
            {.nome = "wal rimasto", .file = "a.db", .prima = "a.db-wal", .errore = "a.db-wal" + interrotto},
            {.nome = "collegamento pendente", .file = "a.db", .prima = "->altrove.db", .errore = esiste},
            {.nome = "file esistente", .file = "a.db", .prima = "a.db", .errore = esiste},
            {.nome = "riempimento fallito", .file = "a.db", .errore = "riga 3: valore non valido"},
        };
        // clang-format on
        for (const Caso& caso : casi) {
            QTemporaryDir cartella;
            const QString percorso = cartella.filePath(caso.file);
            if (caso.prima.startsWith("->"))
                QVERIFY(QFile::link(cartella.filePath(caso.prima.mid(2)), percorso));
            else if (!caso.prima.isEmpty())
                ScriviFile(cartella.filePath(caso.prima), "dell'utente");
            const EsitoOperazione esito = Schema::CreaArchivio(percorso, [&](sqlite3* db) {
                EseguiSql(db, "INSERT INTO Comuni (COM_NAME) VALUES ('ROMA')");
                return caso.errore.startsWith("riga")
                           ? EsitoOperazione(ErroreRuntime::Database(caso.errore))
                           : EsitoOperazione();
            });
            const QString visto = esito.ok() ? "" : esito.errore().descrizione;
            CONFRONTA(caso.nome, "errore", visto.right(qMax(1, int(caso.errore.size()))),
                      caso.errore);
            // Nothing else is ever left in the folder, and what was there stays as it was.
            QStringList attese;
            if (caso.errore.isEmpty())
                attese << caso.file;
            if (!caso.prima.isEmpty())
                attese << (caso.prima.startsWith("->") ? caso.file : caso.prima);
            CONFRONTA(caso.nome, "cartella", Voci(cartella.path()), attese);
            if (!caso.prima.isEmpty() && !caso.prima.startsWith("->"))
                CONFRONTA(caso.nome, "file di prima", LeggiFile(cartella.filePath(caso.prima)),
                          "dell'utente");
        }
    }

    void permessiDallaMaschera() {
        struct Caso {
            mode_t maschera;
            int permessi; // user, group, others as QFile flags
        };
        for (const Caso caso :
             {Caso{.maschera = 077, .permessi = 0x600}, Caso{.maschera = 002, .permessi = 0x664}}) {
            QTemporaryDir cartella;
            const mode_t vecchia = umask(caso.maschera);
            Schema::CreaArchivio(cartella.filePath("a.db"));
            umask(vecchia);
            CONFRONTA(QString::number(caso.maschera, 8), "permessi",
                      int(QFileInfo(cartella.filePath("a.db")).permissions() & 0x777),
                      caso.permessi);
        }
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

    void istruzioni() {
        // The program's Jet-style text as SQLite runs it, with the Italian order and LIKE of
        // names; SQLite's errors in Italian.
        struct Caso {
            QString sql;
            QString adattato = {}; // empty: as written
            QStringList nomi = {}; // the rows found
            QString errore = {};   // empty: it runs
        };
        // clang-format off
        const Caso casi[] = {
            {.sql = "SELECT COM_NAME FROM Comuni Order By COM_NAME", .nomi = {"AGLIANO", "ÀGLIÈ", "Forli", "FORLÌ", "FORLIMPOPOLI"}},
            {.sql = "SELECT COM_NAME FROM Comuni WHERE COM_NAME = 'forlì' AND capoluogo <> No AND COM_ALT = True",
             .adattato = "SELECT COM_NAME FROM Comuni WHERE COM_NAME COLLATE ITALIANO = 'forlì' AND capoluogo <> 0 AND COM_ALT = -1",
             .nomi = {"FORLÌ"}},
            // A character of two bytes; back to the last percent.
            {.sql = "SELECT COM_NAME FROM Comuni WHERE COM_NAME LIKE 'forl_' Order By COM_NAME", .nomi = {"Forli", "FORLÌ"}},
            {.sql = "SELECT COM_NAME FROM Comuni WHERE COM_NAME LIKE '%LI%LI'", .nomi = {"FORLIMPOPOLI"}},
            {.sql = "SELECT * FROM Comuni WHERE (COM_PROV LIKE 'L'%') Order By COM_NAME",
             .errore = "Istruzione SQL non valida: «') Order By COM_NAME» non è un simbolo riconosciuto (forse un apice non chiuso)."},
            {.sql = "SELEC 1", .errore = "Errore di sintassi nell'istruzione SQL vicino a «SELEC»."},
            {.sql = "UPDATE T SET COM_NAME = 'A' WHERE COM_RIFER_NAME IN ('b') AND COM_NAME LIKE 'c' AND NoteNo = 'No'",
             .adattato = "UPDATE T SET COM_NAME = 'A' WHERE COM_RIFER_NAME COLLATE ITALIANO IN ('b') AND COM_NAME LIKE 'c' AND NoteNo = 'No'",
             .errore = "Nell'archivio manca la tabella «T»."},
            {.sql = "SELECT Manca FROM Comuni", .errore = "Nell'archivio manca la colonna «Manca»."},
            {.sql = "INSERT INTO Comuni (COM_ALT) VALUES (40000)",
             .errore = "L'archivio non accetta il valore: non rispetta la regola «COM_ALT BETWEEN -32768 AND 32767»."},
            {.sql = "INSERT INTO RicComuni (RicId) VALUES (NULL)",
             .errore = "L'archivio non accetta il valore: la colonna «RicComuni.RicId» non può restare vuota."},
        };
        // clang-format on
        ArchivioProva archivio;
        for (const char* nome : {"FORLIMPOPOLI", "FORLÌ", "ÀGLIÈ", "AGLIANO", "Forli"})
            archivio.aggiungi({.nome = nome, .prov = "XX", .altitudine = -1, .capoluogo = true});
        for (const Caso& caso : casi) {
            if (!caso.adattato.isEmpty())
                CONFRONTA(caso.sql, "adattato", AdattaSql(caso.sql), caso.adattato);
            Istruzione istruzione(archivio.db(), caso.sql);
            QStringList nomi;
            while (istruzione.passo())
                nomi << istruzione.testo(0);
            CONFRONTA(caso.sql, "nomi", nomi, caso.nomi);
            CONFRONTA(caso.sql, "errore",
                      istruzione.esito().ok() ? "" : istruzione.esito().errore().descrizione,
                      caso.errore);
        }
    }
};

QTEST_GUILESS_MAIN(TArchivio)
#include "tst_archivio.moc"
