#include "core/Global.h"
#include "core/query/CreaSelect.h"
#include "db/AdattatoreSql.h"
#include "db/Archivio.h"
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

namespace {

// Runs `sql` on a connection that registers nothing, as the sqlite3 shell: the first column of
// the first row, "fatto" without rows, or the SQLite error text.
QString Nudo(const QString& percorso, const QString& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(percorso), &db);
    char** tabella = nullptr;
    int righe = 0, colonne = 0;
    const int codice = sqlite3_get_table(db, sql.toUtf8(), &tabella, &righe, &colonne, nullptr);
    const QString testo = QString::fromUtf8(codice != SQLITE_OK ? sqlite3_errmsg(db)
                                            : righe > 0         ? tabella[colonne]
                                                                : "fatto");
    sqlite3_free_table(tabella);
    sqlite3_close(db);
    return testo;
}

// Where a test's file comes from: a new archive, a copy of the archive of every comune with its
// last 512 bytes cut off (an interrupted copy), or a database made by another program.
enum class File { Nuovo, Danneggiato, Estraneo };

// Commands that write into an archive (the batch without irradiation data), each on its own
// connection; the error, or "".
enum class Comando { Ricerca, Ricalcolo, Importazione, Finestre };

QString Esegui(Comando comando, const QString& percorso, const QString& csv) {
    if (comando == Comando::Importazione) {
        const auto rapporto = ImportaIrradiazione::Importa(percorso, csv);
        return rapporto.ok() ? QString() : rapporto.errore().descrizione;
    }
    if (comando == Comando::Finestre) {
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
            QString sql = {}; // run on the file before the command
            Comando comando;
            QString errore = {}; // how the error ends (%1: the file); empty: the command succeeds
            int versione;        // PRAGMA user_version afterwards
        };
        // Names with the program's collation; ids 1, 2, 5 used, the id counter at 9.
        const QString formatoZero =
            "DROP TABLE Comuni;" +
            Schema::TabellaComuni("Comuni").replace("NAME TEXT,", "NAME TEXT COLLATE ITALIANO,") +
            "CREATE INDEX Comuni_Nome ON Comuni (COM_NAME); INSERT INTO Comuni (COM_ID, COM_NAME, "
            "COM_PROV) VALUES (1, 'ROMA', 'RM'), (2, 'FORLÌ', 'FC'), (5, 'ÀGLIÈ', 'TO'), (9, 'X', "
            "'XX'); DELETE FROM Comuni WHERE COM_ID = 9; PRAGMA user_version = 0;";
        // What an import writes, in a table Comuni of another program.
        const QString estraneo = "CREATE TABLE Comuni (COM_PROV, COM_NAME, Hdh, Hbh, capoluogo); "
                                 "INSERT INTO Comuni VALUES ('RM', 'ROMA', NULL, NULL, -1)";
        // An archive in format 0 that lacks a column the import does not use.
        const QString senzaColonna = "ALTER TABLE Comuni DROP COLUMN COM_RIFER_NAME; INSERT INTO "
                                     "Comuni (COM_PROV, COM_NAME, capoluogo) VALUES ('RM', "
                                     "'ROMA', -1); PRAGMA user_version = 0";
        const QString danneggiato = "L'archivio «%1» è danneggiato: il controllo dell'integrità "
                                    "di SQLite (PRAGMA quick_check) ha trovato errori.\rL'archivio "
                                    "non è stato modificato: ripristinarne una copia di sicurezza.";
        const QString futuro = "«%1».\rL'archivio è nel formato 9, di una versione più recente del "
                               "programma: questa versione non può usarlo. L'archivio non è stato "
                               "modificato.";
        // clang-format off
        const Caso casi[] = {
            {.nome = "formato 0, ricerca: aggiornato", .file = File::Nuovo, .sql = formatoZero, .comando = Comando::Ricerca, .versione = 1},
            {.nome = "formato 0, ricalcolo fallito", .file = File::Nuovo, .sql = formatoZero, .comando = Comando::Ricalcolo,
             .errore = "Caricare prima l'irradiazione dei capoluoghi.", .versione = 0},
            {.nome = "formato futuro", .file = File::Nuovo, .sql = "PRAGMA user_version = 9", .comando = Comando::Ricerca,
             .errore = futuro, .versione = 9},
            {.nome = "danneggiato, importazione", .file = File::Danneggiato, .comando = Comando::Importazione, .errore = danneggiato, .versione = 1},
            {.nome = "danneggiato, ricalcolo", .file = File::Danneggiato, .comando = Comando::Ricalcolo, .errore = danneggiato, .versione = 1},
            {.nome = "danneggiato in formato 0, ricerca", .file = File::Danneggiato, .sql = "PRAGMA user_version = 0", .comando = Comando::Ricerca,
             .errore = danneggiato, .versione = 0},
            {.nome = "danneggiato, finestre", .file = File::Danneggiato, .comando = Comando::Finestre, .errore = danneggiato, .versione = 1},
            {.nome = "di un altro programma, importazione", .file = File::Estraneo, .sql = estraneo, .comando = Comando::Importazione, .versione = 0},
            {.nome = "formato 0 senza una colonna, importazione", .file = File::Nuovo, .sql = senzaColonna, .comando = Comando::Importazione, .versione = 0},
        };
        // clang-format on
        QTemporaryDir altrove;
        const QString comuni = altrove.filePath("comuni.db"), csv = altrove.filePath("i.csv");
        QVERIFY(Schema::CreaArchivio(comuni, ImportaComuni::InserisciComuniDelProgramma).ok());
        ScriviFile(csv, "RM;Roma;1;2\n");
        for (const Caso& caso : casi) {
            QTemporaryDir cartella;
            const QString percorso = cartella.filePath("a.db");
            if (caso.file == File::Nuovo)
                QVERIFY(Schema::CreaArchivio(percorso, [&](sqlite3* db) {
                            return EseguiSql(db, caso.sql);
                        }).ok());
            QVERIFY(caso.file != File::Danneggiato || QFile::copy(comuni, percorso));
            QVERIFY(caso.file == File::Nuovo || Nudo(percorso, caso.sql) == "fatto");
            QFile copia(percorso);
            QVERIFY(caso.file != File::Danneggiato || copia.resize(copia.size() - 512));
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
            // Upgraded: any SQLite tool sorts and adds names; ids and the id counter are kept.
            if (caso.sql == formatoZero && atteso.isEmpty())
                CONFRONTA(caso.nome, "ids per nome dopo un inserimento",
                          Nudo(percorso, "INSERT INTO Comuni (COM_NAME) VALUES ('NUOVO'); SELECT "
                                         "group_concat(COM_ID) FROM (SELECT COM_ID FROM Comuni "
                                         "ORDER BY COM_NAME)"),
                          "2,10,1,5");
        }
    }

    void creazione() {
        // A new archive is made whole or not at all, never over a file, with the permissions
        // the user's umask gives.
        struct Caso {
            const char* nome;
            QString file;                    // the new archive's name
            QString residuo = {};            // a file of the user's beside it, left by a crash
            bool collegamento = false;       // `file` is a link to a missing file
            bool riempimentoFallito = false; // filling the new archive fails
            mode_t maschera = 022;
            QString errore = {}; // the end of the message; empty: created
            int permessi = 0;    // of the new file as QFile flags; 0: no file
        };
        const QString interrotto = "», lasciato da un programma interrotto. Spostarlo o "
                                   "cancellarlo, poi riprovare.";
        // clang-format off
        const Caso casi[] = {
            {.nome = "caratteri speciali", .file = "a #1 ?mode=rwc città%20.db", .maschera = 077, .permessi = 0x600},
            {.nome = "nome di 255 byte", .file = QString(252, 'a') + ".db", .maschera = 002, .permessi = 0x664},
            {.nome = "nome di 256 byte", .file = QString(253, 'a') + ".db", .errore = "il nome è troppo lungo."},
            {.nome = "journal rimasto", .file = "a.db", .residuo = "a.db-journal", .errore = "a.db-journal" + interrotto},
            {.nome = "wal rimasto", .file = "a.db", .residuo = "a.db-wal", .errore = "a.db-wal" + interrotto},
            {.nome = "collegamento pendente", .file = "a.db", .collegamento = true, .errore = "non viene sovrascritto."},
            {.nome = "riempimento fallito", .file = "a.db", .riempimentoFallito = true, .errore = "riga 3: valore non valido"},
        };
        // clang-format on
        for (const Caso& caso : casi) {
            QTemporaryDir cartella;
            const QString percorso = cartella.filePath(caso.file);
            QVERIFY(!caso.collegamento || QFile::link(cartella.filePath("altrove.db"), percorso));
            QVERIFY(caso.residuo.isEmpty() || ScriviFile(cartella.filePath(caso.residuo), "mio"));
            const mode_t maschera = umask(caso.maschera);
            const EsitoOperazione esito = Schema::CreaArchivio(percorso, [&](sqlite3*) {
                return caso.riempimentoFallito
                           ? EsitoOperazione(ErroreRuntime::Database(caso.errore))
                           : EsitoOperazione();
            });
            umask(maschera);
            const QString visto = esito.ok() ? "" : esito.errore().descrizione;
            CONFRONTA(caso.nome, "errore", visto.right(qMax(1, int(caso.errore.size()))),
                      caso.errore);
            // Nothing else is ever left in the folder, and what was there stays as it was.
            QStringList attese = {caso.errore.isEmpty() || caso.collegamento ? caso.file
                                                                             : caso.residuo};
            attese.removeAll("");
            CONFRONTA(caso.nome, "cartella", Voci(cartella.path()), attese);
            CONFRONTA(caso.nome, "residuo",
                      caso.residuo.isEmpty() ? "mio" : LeggiFile(cartella.filePath(caso.residuo)),
                      "mio");
            CONFRONTA(caso.nome, "permessi", int(QFileInfo(percorso).permissions() & 0x777),
                      caso.permessi);
        }
    }

    void istruzioni() {
        // The program's Jet-style text as SQLite runs it, with the Italian order and LIKE of
        // names; SQLite's errors in Italian.
        struct Caso {
            QString sql;
            QString adattato = {};  // empty: as written
            QStringList righe = {}; // the first column of the rows found
            QString errore = {};    // empty: it runs
        };
        // clang-format off
        const Caso casi[] = {
            {.sql = "SELECT COM_NAME FROM Comuni Order By COM_NAME", .righe = {"AGLIANO", "ÀGLIÈ", "Forli", "FORLÌ", "FORLIMPOPOLI"}},
            {.sql = "SELECT COM_NAME FROM Comuni WHERE COM_NAME = 'forlì' AND capoluogo <> No AND COM_ALT = True",
             .adattato = "SELECT COM_NAME FROM Comuni WHERE COM_NAME COLLATE ITALIANO = 'forlì' AND capoluogo <> 0 AND COM_ALT = -1",
             .righe = {"FORLÌ"}},
            // A character of two bytes; back to the last percent.
            {.sql = "SELECT COM_NAME FROM Comuni WHERE COM_NAME LIKE 'forl_' Order By COM_NAME", .righe = {"Forli", "FORLÌ"}},
            {.sql = "SELECT COM_NAME FROM Comuni WHERE COM_NAME LIKE '%LI%LI'", .righe = {"FORLIMPOPOLI"}},
            // An operation waits for a short write of another copy of the program.
            {.sql = "PRAGMA busy_timeout", .righe = {"3000"}},
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
            QStringList righe;
            while (istruzione.passo())
                righe << istruzione.testo(0);
            CONFRONTA(caso.sql, "righe", righe, caso.righe);
            CONFRONTA(caso.sql, "errore",
                      istruzione.esito().ok() ? "" : istruzione.esito().errore().descrizione,
                      caso.errore);
        }
    }
};

QTEST_GUILESS_MAIN(TArchivio)
#include "tst_archivio.moc"
