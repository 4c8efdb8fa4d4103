#include "db/import/ImportaComuni.h"
#include "db/import/ImportaIrradiazione.h"
#include "support/ArchivioProva.h"
#include "support/Confronta.h"
#include "support/File.h"

#include <QtTest>

namespace {

// The irradiation of a comune after an import; those not named keep the values of Comuni.
struct Irradiazione {
    QString nome;
    double hdh;
    double hbh;
};

// clang-format off
// The comuni of every import: four capitals and one comune that is not. ROMA holds 9.5 / 8.5
// before, which a refused file must leave.
const ComuneProva Comuni[] = {
    {.nome = "ROMA", .prov = "RM", .hdh = 9.5, .hbh = 8.5, .capoluogo = true},
    {.nome = "FIUMICINO", .prov = "RM"},
    {.nome = "FORLÌ", .prov = "FC", .capoluogo = true},
    {.nome = "CESENA", .prov = "FC", .capoluogo = true},
    {.nome = "MILANO", .prov = "MI", .capoluogo = true},
};
const QList<Irradiazione> Importati = {{.nome = "ROMA", .hdh = 1.25, .hbh = 3.5}, {.nome = "FORLÌ", .hdh = 2, .hbh = 4.75}};
// FORLÌ as the program's own data hold it: upper case with its accent, a capital as -1.
const ComuneProva Forli = {.nome = "FORLÌ", .prov = "FC", .zona = "D", .altitudine = 34, .gradiGiorno = 2087, .latiG = 44, .latiP = 13,
                           .longG = 12, .longP = 2, .capoluogo = true};
// clang-format on

} // namespace

// The comuni shipped inside the program fill a new archive; the capitals' Hdh and Hbh come from a
// CSV file as users write it: good files update the capitals they name, a faulty file is refused
// whole and leaves the archive as it was.
class TImportazioni : public QObject {
    Q_OBJECT
private slots:
    void comuniDelProgramma() {
        ArchivioProva tutti;
        QVERIFY(tutti.esegui("BEGIN"));
        QVERIFY(ImportaComuni::InserisciComuniDelProgramma(tutti.db()).ok());
        QVERIFY(tutti.esegui("COMMIT"));
        CONFRONTA("comuni", "capoluoghi", tutti.conta("Comuni WHERE capoluogo = -1"), 112);
        // Null where the shipped data has no values.
        CONFRONTA("comuni", "senza zona, gradi giorno e altitudine",
                  tutti.conta("Comuni WHERE coalesce(COM_ZONE, COM_DEGDAY, COM_ALT) IS NULL"), 123);
        const qint64 id =
            tutti.testi("SELECT COM_ID FROM Comuni WHERE COM_NAME = 'FORLÌ'").value(0).toLongLong();
        CONFRONTA("comuni", "FORLÌ",
                  DifferenzeComune(Forli, tutti.comune(id).value_or(ComuneProva())), QStringList());
    }

    void importazioni() {
        struct Caso {
            const char* nome;
            QByteArray contenuto = {};       // of the file i.csv beside the archive
            QString file = {};               // the file read instead of i.csv
            QString errore = {};             // found in the error; empty: imported
            QList<Irradiazione> valori = {}; // after the import
            QStringList rapporto = {"Aggiornati 2 capoluoghi su 2 righe del file."};
            const char* sql = ""; // run on the archive before
        };
        // clang-format off
        const Caso casi[] = {
            {.nome = "punto e virgola, intestazione, spazi attorno, righe vuote, virgola e punto decimali",
             .contenuto = "\r\n  \r\nProvincia;Comune;Hdh;Hbh\r\n RM ; ROMA ; 1,25 ;3.50\r\n\r\n;;;\r\nFC;  FORLÌ\t;2.;4,75\n\n",
             .valori = Importati},
            {.nome = "virgola, virgolette con separatore, spazi prima delle virgolette, più, minuscole e accento nella codifica di Windows",
             .contenuto = "Prov,\"Nome, ufficiale\",Hdh,Hbh\nrm,Roma, \"1,25\",+3.5\nfc,\"forl\xEC\",2.0,4.750\n", .valori = Importati},
            // The mark before a data line, not a header, shows whether it is dropped.
            {.nome = "BOM senza intestazione, a capo di un vecchio Mac, accenti staccati",
             .contenuto = "\xEF\xBB\xBFRM;ROMA;1,25;3,5\rFC;FORLI\xCC\x80;2;4,75", .valori = Importati},
            // Lines 3 to 6: a comune that is not a capital, a capital of another province, a
            // name without its accent, an unknown province and name.
            {.nome = "righe senza capoluogo",
             .contenuto = "Prov;Nome;Hdh;Hbh\nRM;Roma;1;2\nRM;Fiumicino;3;4\nMI;Forlì;5;6\nFC;Forli;7;8\nxx;Atlantide;9;10\nFC;Cesena;11;12\n",
             .valori = {{.nome = "ROMA", .hdh = 1, .hbh = 2}, {.nome = "CESENA", .hdh = 11, .hbh = 12}},
             .rapporto = {"Aggiornati 2 capoluoghi su 6 righe del file.", "4 righe non corrispondono ad alcun capoluogo dell'archivio:",
                          "  riga 3: RM Fiumicino", "  riga 4: MI Forlì", "  riga 5: FC Forli", "  riga 6: XX Atlantide"}},
            {.nome = "virgola decimale non tra virgolette", .contenuto = "RM,ROMA,1.5,2\nFC,FORLÌ,2,4,75\n",
             .errore = "riga 2: ci sono 5 campi invece di 4 (provincia, nome, Hdh, Hbh); con la virgola come separatore "
                       "un numero con la virgola decimale va scritto tra virgolette"},
            // A first line with one number is data, not a header.
            {.nome = "non numerico", .contenuto = "RM;ROMA;n.d.;3,5\nFC;FORLÌ;2;4,75\n", .errore = "riga 1: il valore di Hdh «n.d.» non è un numero"},
            // A line end inside quotes, CRLF and blank lines each count as one line.
            {.nome = "righe contate", .contenuto = "Prov;\"Nome\ndel comune\";Hdh;Hbh\r\n\r\nRM;ROMA;1;-2\n",
             .errore = "riga 4: il valore di Hbh «-2» è negativo"},
            {.nome = "virgolette non chiuse", .contenuto = "RM;ROMA;1;2\nFC;\"FORLÌ;2;3\n", .errore = "riga 2: le virgolette aperte non sono chiuse"},
            {.nome = "ripetuto", .contenuto = "RM;ROMA;1;2\nFC;FORLÌ;2;3\nrm;Roma;5;6\n", .errore = "riga 3: RM Roma compare già alla riga 1"},
            {.nome = "vuoto", .contenuto = "\r\n;;;\n", .errore = "Il file dell'irradiazione non contiene righe con valori."},
            {.nome = "mancante", .file = "/nessuna cartella/i.csv", .errore = "Impossibile trovare il file «/nessuna cartella/i.csv»."},
            {.nome = "senza fine", .file = "/dev/zero", .errore = "è troppo grande per un file dell'irradiazione dei capoluoghi (più di 1024 KB)"},
            // The archive refuses the second update: the first one is undone with it.
            {.nome = "errore a metà", .contenuto = "RM;ROMA;1;2\nFC;FORLÌ;3;4\nMI;MILANO;5;6\n", .errore = "L'archivio non accetta il valore (no).",
             .sql = "CREATE TRIGGER rifiuta BEFORE UPDATE ON Comuni WHEN NEW.COM_PROV = 'FC' BEGIN SELECT RAISE(ABORT, 'no'); END"},
        };
        // clang-format on
        for (const Caso& caso : casi) {
            ArchivioProva archivio;
            for (const ComuneProva& comune : Comuni)
                QVERIFY(archivio.aggiungi(comune) > 0);
            QVERIFY(archivio.esegui(caso.sql));
            const QString csv = caso.file.isEmpty() ? archivio.cartella() + "/i.csv" : caso.file;
            QVERIFY(!caso.file.isEmpty() || ScriviFile(csv, caso.contenuto));
            const auto rapporto = ImportaIrradiazione::Importa(archivio.percorso(), csv);
            // A file refused for one of its lines names it in a sentence of its own.
            const QString errore = rapporto.ok() ? "" : rapporto.errore().descrizione;
            const bool trovato =
                errore.contains(caso.errore) && errore.isEmpty() == caso.errore.isEmpty();
            CONFRONTA(caso.nome, "errore", trovato ? caso.errore : errore, caso.errore);
            if (rapporto.ok())
                CONFRONTA(caso.nome, "rapporto",
                          ImportaIrradiazione::DescriviRapporto(rapporto.valore()), caso.rapporto);
            for (qint64 id = 1; id <= qint64(std::size(Comuni)); ++id) {
                ComuneProva atteso = Comuni[id - 1];
                for (const Irradiazione& irradiazione : caso.valori)
                    if (irradiazione.nome == atteso.nome)
                        atteso.hdh = irradiazione.hdh, atteso.hbh = irradiazione.hbh;
                CONFRONTA(caso.nome, atteso.nome,
                          DifferenzeComune(atteso, archivio.comune(id).value_or(ComuneProva())),
                          QStringList());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TImportazioni)
#include "tst_importazioni.moc"
