#include "db/Istruzione.h"
#include "db/Schema.h"
#include "db/import/ImportaComuni.h"
#include "db/import/ImportaIrradiazione.h"
#include "support/ArchivioProva.h"
#include "support/Confronta.h"
#include "support/File.h"

#include <QtTest>

namespace {

// The comuni of every import test: four capitals and one comune that is not.
const ComuneProva Comuni[] = {
    {.nome = "ROMA", .prov = "RM", .capoluogo = true},
    {.nome = "FIUMICINO", .prov = "RM"},
    {.nome = "FORLÌ", .prov = "FC", .capoluogo = true},
    {.nome = "CESENA", .prov = "FC", .capoluogo = true},
    {.nome = "MILANO", .prov = "MI", .capoluogo = true},
};

// The irradiation a comune holds after an import; comuni not named hold none.
struct Irradiazione {
    QString nome;
    double hdh;
    double hbh;
};

} // namespace

// The comuni shipped inside the program fill a new archive; the capitals' Hdh and Hbh come from a
// CSV file as users write it: good files update the capitals they name, a faulty file is refused
// whole and leaves the archive as it was.
class TImportazioni : public QObject {
    Q_OBJECT

    std::unique_ptr<ArchivioProva> archivio;

    // Writes `contenuto` to a CSV file, unless it names a device, and imports it.
    Esito<ImportaIrradiazione::Rapporto> importa(const QByteArray& contenuto) {
        const bool dispositivo = contenuto.startsWith("/dev/");
        const QString csv = dispositivo ? QString(contenuto) : archivio->cartella() + "/i.csv";
        if (!dispositivo)
            ScriviFile(csv, contenuto);
        return ImportaIrradiazione::Importa(archivio->percorso(), csv);
    }

    // Every comune as init() added it, with the irradiation `attese` gives; fails naming the
    // comune and the field that differs.
    void controllaComuni(const char* caso, const QList<Irradiazione>& attese) {
        for (qint64 id = 1; id <= qint64(std::size(Comuni)); ++id) {
            ComuneProva atteso = Comuni[id - 1];
            for (const Irradiazione& irradiazione : attese) {
                if (irradiazione.nome == atteso.nome)
                    atteso.hdh = irradiazione.hdh, atteso.hbh = irradiazione.hbh;
            }
            const QStringList differenze =
                DifferenzeComune(atteso, archivio->comune(id).value_or(ComuneProva()));
            QVERIFY2(
                differenze.isEmpty(),
                qPrintable(QString("%1, %2: %3").arg(caso, atteso.nome, differenze.join("; "))));
        }
    }

private slots:
    void comuniDelProgramma() {
        archivio = std::make_unique<ArchivioProva>();
        ArchivioProva& tutti = *archivio;
        QVERIFY(tutti.esegui("BEGIN"));
        QVERIFY(ImportaComuni::InserisciComuniDelProgramma(tutti.db()).ok());
        QVERIFY(tutti.esegui("COMMIT"));
        CONFRONTA("comuni", "righe", tutti.conta("Comuni"), 7904);
        CONFRONTA("comuni", "capoluoghi", tutti.conta("Comuni WHERE capoluogo = -1"), 112);
        // Null where the shipped data has no values.
        CONFRONTA("comuni", "senza zona, gradi giorno e altitudine",
                  tutti.conta("Comuni WHERE COM_ZONE IS NULL AND COM_DEGDAY IS NULL AND COM_ALT "
                              "IS NULL"),
                  123);
        // Upper case with accents, capitals as -1.
        // clang-format off
        const ComuneProva attesi[] = {
            {.nome = "ROMA", .prov = "RM", .zona = "D", .altitudine = 20, .gradiGiorno = 1415,
             .latiG = 41, .latiP = 54, .longG = 12, .longP = 29, .capoluogo = true},
            {.nome = "FORLÌ", .prov = "FC", .zona = "D", .altitudine = 34, .gradiGiorno = 2087,
             .latiG = 44, .latiP = 13, .longG = 12, .longP = 2, .capoluogo = true},
        };
        // clang-format on
        for (const ComuneProva& atteso : attesi) {
            const qint64 id =
                tutti.testi("SELECT COM_ID FROM Comuni WHERE COM_NAME = '" + atteso.nome + "'")
                    .value(0)
                    .toLongLong();
            const QStringList differenze =
                DifferenzeComune(atteso, tutti.comune(id).value_or(ComuneProva()));
            QVERIFY2(differenze.isEmpty(), qPrintable(atteso.nome + ": " + differenze.join("; ")));
        }
    }

    void comuniMalformati() {
        // A faulty line of the data stops the creation; its number counts the header and blanks.
        QTemporaryDir cartella;
        const QByteArray csv = "nome,prov,zona,gradi_giorno,altitudine,lat_g,lat_p,long_g,long_p,"
                               "capoluogo\nAgrigento,AG,B,729,230,37,19,13,35,1\n\n"
                               "Roma,RM,D,1415,32768,41,54,12,29,1";
        const EsitoOperazione esito =
            Schema::CreaArchivio(cartella.filePath("a.db"),
                                 [&](sqlite3* db) { return ImportaComuni::Inserisci(db, csv); });
        QCOMPARE(esito.ok() ? QString() : esito.errore().descrizione,
                 "Dati dei comuni non validi alla riga 4: il campo altitudine («32768») non è un "
                 "numero intero tra -32768 e 32767.");
        QVERIFY(Voci(cartella.path()).isEmpty());
    }

    void init() {
        archivio = std::make_unique<ArchivioProva>();
        QVERIFY(archivio->valido());
        for (const ComuneProva& comune : Comuni)
            QVERIFY(archivio->aggiungi(comune) > 0);
    }

    void cleanup() { archivio.reset(); }

    void importazioni() {
        // Every row starts with ROMA holding 9.5 / 8.5, which a refused file must leave.
        const QList<Irradiazione> prima = {{.nome = "ROMA", .hdh = 9.5, .hbh = 8.5}};
        struct Caso {
            const char* nome;
            QByteArray contenuto; // a path under /dev/: that device
            QString errore = {};  // from "riga": inside the standard sentence; empty: imported
            QList<Irradiazione> valori = {{.nome = "ROMA", .hdh = 1.25, .hbh = 3.5},
                                          {.nome = "FORLÌ", .hdh = 2, .hbh = 4.75}};
            QStringList rapporto = {"Aggiornati 2 capoluoghi su 2 righe del file."};
            const char* sql = ""; // run on the archive before
        };
        // clang-format off
        const Caso casi[] = {
            {.nome = "punto e virgola, intestazione, virgola e punto decimali",
             .contenuto = "Provincia;Comune;Hdh;Hbh\nRM;ROMA;1,25;3.50\nFC;FORLÌ;2.;4,75\n"},
            {.nome = "virgola, virgolette con separatore, spazi prima delle virgolette, più",
             .contenuto = "Prov,\"Nome, ufficiale\",Hdh,Hbh\nRM,ROMA, \"1,25\",+3.5\nFC,\"FORLÌ\",2.0,4.750\n"},
            // The mark before a data line, not a header, shows whether it is dropped.
            {.nome = "BOM senza intestazione, a capo di un vecchio Mac, accenti staccati",
             .contenuto = "\xEF\xBB\xBFRM;ROMA;1,25;3,5\rFC;FORLI\xCC\x80;2;4,75"},
            {.nome = "minuscole e accento nella codifica di Windows", .contenuto = "rm;Roma;1,25;3,5\nfc;forl\xEC;2;4,75\n"},
            {.nome = "spazi attorno e righe vuote",
             .contenuto = "\r\n  \r\n RM ; ROMA ; 1,25 ;3,5\r\n\r\n;;;\r\nFC;  FORLÌ\t;2;4,75\n\n"},
            // Lines 3 to 6: a comune that is not a capital, a capital of another province, a
            // name without its accent, an unknown province and name.
            {.nome = "righe senza capoluogo",
             .contenuto = "Prov;Nome;Hdh;Hbh\nRM;Roma;1;2\nRM;Fiumicino;3;4\nMI;Forlì;5;6\nFC;Forli;7;8\nxx;Atlantide;9;10\nFC;Cesena;11;12\n",
             .valori = {{.nome = "ROMA", .hdh = 1, .hbh = 2}, {.nome = "CESENA", .hdh = 11, .hbh = 12}},
             .rapporto = {"Aggiornati 2 capoluoghi su 6 righe del file.", "4 righe non corrispondono ad alcun capoluogo dell'archivio:",
                          "  riga 3: RM Fiumicino", "  riga 4: MI Forlì", "  riga 5: FC Forli", "  riga 6: XX Atlantide"}},
            {.nome = "virgola decimale non tra virgolette", .contenuto = "RM,ROMA,1.5,2\nFC,FORLÌ,2,4,75\n",
             .errore = "riga 2: ci sono 5 campi invece di 4 (provincia, nome, Hdh, Hbh); con la virgola come separatore "
                       "un numero con la virgola decimale va scritto tra virgolette", .valori = prima},
            // A first line with one number is data, not a header.
            {.nome = "un solo valore non numerico", .contenuto = "RM;ROMA;n.d.;3,5\nFC;FORLÌ;2;4,75\n",
             .errore = "riga 1: il valore di Hdh «n.d.» non è un numero", .valori = prima},
            {.nome = "negativo", .contenuto = "RM,ROMA,\"-0,01\",\"3,5\"\n",
             .errore = "riga 1: il valore di Hdh «-0,01» è negativo", .valori = prima},
            // A line end inside quotes, CRLF and blank lines each count as one line.
            {.nome = "righe contate", .contenuto = "Prov;\"Nome\ndel comune\";Hdh;Hbh\r\n\r\nRM;ROMA;1;-2\n",
             .errore = "riga 4: il valore di Hbh «-2» è negativo", .valori = prima},
            {.nome = "virgolette non chiuse", .contenuto = "RM;ROMA;1;2\nFC;\"FORLÌ;2;3\n",
             .errore = "riga 2: le virgolette aperte non sono chiuse", .valori = prima},
            {.nome = "capoluogo ripetuto", .contenuto = "RM;ROMA;1;2\nFC;FORLÌ;2;3\nrm;Roma;5;6\n",
             .errore = "riga 3: RM Roma compare già alla riga 1", .valori = prima},
            {.nome = "vuoto", .contenuto = "\r\n;;;\n",
             .errore = "Il file dell'irradiazione non contiene righe con valori.", .valori = prima},
            {.nome = "senza fine", .contenuto = "/dev/zero",
             .errore = "Il file «/dev/zero» è troppo grande per un file dell'irradiazione dei capoluoghi (più di 1024 KB). "
                       "L'archivio non è stato modificato.", .valori = prima},
            // The archive refuses the second update: the first one is undone with it.
            {.nome = "errore a metà", .contenuto = "RM;ROMA;1;2\nFC;FORLÌ;3;4\nMI;MILANO;5;6\n",
             .errore = "L'archivio non accetta il valore (no).", .valori = prima,
             .sql = "CREATE TRIGGER rifiuta BEFORE UPDATE ON Comuni WHEN NEW.COM_PROV = 'FC' BEGIN SELECT RAISE(ABORT, 'no'); END"},
        };
        // clang-format on
        for (const Caso& caso : casi) {
            init();
            QVERIFY(archivio->esegui("UPDATE Comuni SET Hdh = 9.5, Hbh = 8.5 WHERE COM_ID = 1"));
            if (*caso.sql)
                QVERIFY(archivio->esegui(caso.sql));
            const auto rapporto = importa(caso.contenuto);
            CONFRONTA(caso.nome, "errore", rapporto.ok() ? "" : rapporto.errore().descrizione,
                      caso.errore.startsWith("riga")
                          ? "File dell'irradiazione rifiutato, " + caso.errore +
                                ". L'archivio non è stato modificato."
                          : caso.errore);
            if (rapporto.ok())
                CONFRONTA(caso.nome, "rapporto",
                          ImportaIrradiazione::DescriviRapporto(rapporto.valore()), caso.rapporto);
            controllaComuni(caso.nome, caso.valori);
        }
    }
};

QTEST_GUILESS_MAIN(TImportazioni)
#include "tst_importazioni.moc"
