#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/Schema.h"
#include "db/import/ImportaComuni.h"
#include "db/import/ImportaIrradiazione.h"
#include "support/ArchivioProva.h"
#include "support/File.h"

#include <QtTest>

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
    // "PROV NOME=Hdh/Hbh" for every row that has either value, Null as "-".
    QStringList valori() {
        return archivio->testi("SELECT COM_PROV || ' ' || COM_NAME || '=' || coalesce(Hdh, '-') "
                               "|| '/' || coalesce(Hbh, '-') FROM Comuni WHERE Hdh IS NOT NULL "
                               "OR Hbh IS NOT NULL ORDER BY COM_ID");
    }

private slots:
    void comuniDelProgramma() {
        QTemporaryDir cartella;
        QVERIFY(Schema::CreaArchivio(cartella.filePath("a.db"),
                                     ImportaComuni::InserisciComuniDelProgramma)
                    .ok());
        Archivio::Apri("Verifica", cartella.filePath("a.db"));
        const auto testi = [](const QString& sql) {
            Istruzione query(Archivio::Maniglia("Verifica"), sql);
            return query.passo() ? query.testo(0) : query.esito().errore().descrizione;
        };
        // Null where the shipped data has no values.
        QCOMPARE(testi("SELECT count(*) || '|' || sum(capoluogo <> No) || '|' || sum(COM_ZONE IS "
                       "NULL AND COM_DEGDAY IS NULL AND COM_ALT IS NULL) FROM Comuni"),
                 "7904|112|123");
        // Upper case with accents, capitals as -1.
        QCOMPARE(testi("SELECT group_concat(COM_NAME || COM_PROV || COM_ZONE || COM_DEGDAY || "
                       "COM_ALT || COM_LATI_G || COM_LATI_P || COM_LONG_G || COM_LONG_P || "
                       "capoluogo, ' ') FROM (SELECT * FROM Comuni WHERE COM_NAME IN ('roma', "
                       "'forlì') ORDER "
                       "BY COM_PROV)"),
                 "FORLÌFCD2087344413122-1 ROMARMD14152041541229-1");
        Archivio::Chiudi("Verifica");
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
        for (const char* nome : {"RM ROMA", "RM FIUMICINO", "FC FORLÌ", "FC CESENA", "MI MILANO"})
            QVERIFY(archivio->aggiungiComune(QString(nome).mid(3), QString(nome).left(2)) > 0);
        QVERIFY(archivio->esegui("UPDATE Comuni SET capoluogo = True WHERE COM_ID <> 2"));
    }

    void cleanup() { archivio.reset(); }

    void fileAccettati_data() {
        // Every file sets ROMA to 1.25 / 3.5 and FORLÌ to 2 / 4.75.
        QTest::addColumn<QByteArray>("contenuto");
        QTest::newRow("punto e virgola, intestazione, virgola e punto decimali")
            << QByteArray("Provincia;Comune;Hdh;Hbh\nRM;ROMA;1,25;3.50\nFC;FORLÌ;2.;4,75\n");
        QTest::newRow("virgola, virgolette con separatore, spazi prima delle virgolette, segno più")
            << QByteArray("Prov,\"Nome, ufficiale\",Hdh,Hbh\n"
                          "RM,ROMA, \"1,25\",+3.5\nFC,\"FORLÌ\",2.0,4.750\n");

        // The mark before a data line, not a header, shows whether it is dropped.
        QTest::newRow("BOM senza intestazione, a capo di un vecchio Mac, accenti staccati")
            << QByteArray("\xEF\xBB\xBFRM;ROMA;1,25;3,5\rFC;FORLI\xCC\x80;2;4,75");
        QTest::newRow("minuscole e accento nella codifica di Windows")
            << QByteArray("rm;Roma;1,25;3,5\nfc;forl\xEC;2;4,75\n");
        QTest::newRow("spazi attorno e righe vuote")
            << QByteArray("\r\n  \r\n RM ; ROMA ; 1,25 ;3,5\r\n\r\n;;;\r\nFC;  FORLÌ\t;2;4,75\n\n");
    }

    void fileAccettati() {
        QFETCH(QByteArray, contenuto);
        const auto rapporto = importa(contenuto);
        QVERIFY2(rapporto.ok(),
                 qPrintable(rapporto.ok() ? QString() : rapporto.errore().descrizione));
        QCOMPARE(ImportaIrradiazione::DescriviRapporto(rapporto.valore()),
                 QStringList({"Aggiornati 2 capoluoghi su 2 righe del file."}));
        QCOMPARE(valori(), QStringList({"RM ROMA=1.25/3.5", "FC FORLÌ=2.0/4.75"}));
    }

    void righeSenzaCapoluogo() {
        // Lines 3 to 6: a comune that is not a capital, a capital of another province, a name
        // without its accent, an unknown province and name.
        const auto rapporto =
            importa("Prov;Nome;Hdh;Hbh\nRM;Roma;1;2\nRM;Fiumicino;3;4\nMI;Forlì;5;6\n"
                    "FC;Forli;7;8\nxx;Atlantide;9;10\nFC;Cesena;11;12\n");
        QVERIFY(rapporto.ok());
        QCOMPARE(valori(), QStringList({"RM ROMA=1.0/2.0", "FC CESENA=11.0/12.0"}));
        QCOMPARE(ImportaIrradiazione::DescriviRapporto(rapporto.valore()).mid(1),
                 QStringList({"4 righe non corrispondono ad alcun capoluogo dell'archivio:",
                              "  riga 3: RM Fiumicino", "  riga 4: MI Forlì", "  riga 5: FC Forli",
                              "  riga 6: XX Atlantide"}));
    }

    void fileRifiutati_data() {
        QTest::addColumn<QByteArray>("contenuto"); // a path under /dev/: that device
        QTest::addColumn<QString>("errore");       // from "riga", inside the standard sentence
        const auto riga = [](const char* nome, const QByteArray& contenuto, const QString& errore) {
            QTest::newRow(nome) << contenuto << errore;
        };
        riga("virgola decimale non tra virgolette", "RM,ROMA,1.5,2\nFC,FORLÌ,2,4,75\n",
             "riga 2: ci sono 5 campi invece di 4 (provincia, nome, Hdh, Hbh); con la virgola "
             "come separatore un numero con la virgola decimale va scritto tra virgolette");
        // A first line with one number is data, not a header.
        riga("un solo valore non numerico", "RM;ROMA;n.d.;3,5\nFC;FORLÌ;2;4,75\n",
             "riga 1: il valore di Hdh «n.d.» non è un numero");
        riga("negativo", "RM,ROMA,\"-0,01\",\"3,5\"\n",
             "riga 1: il valore di Hdh «-0,01» è negativo");
        // A line end inside quotes, CRLF and blank lines each count as one line.
        riga("righe contate", "Prov;\"Nome\ndel comune\";Hdh;Hbh\r\n\r\nRM;ROMA;1;-2\n",
             "riga 4: il valore di Hbh «-2» è negativo");
        riga("non chiuse", "RM;ROMA;1;2\nFC;\"FORLÌ;2;3\n",
             "riga 2: le virgolette aperte non sono chiuse");
        riga("ripetuto", "RM;ROMA;1;2\nFC;FORLÌ;2;3\nrm;Roma;5;6\n",
             "riga 3: RM Roma compare già alla riga 1");
        riga("vuoto", "\r\n;;;\n", "Il file dell'irradiazione non contiene righe con valori.");
        riga("senza fine", "/dev/zero",
             "Il file «/dev/zero» è troppo grande per un file dell'irradiazione dei capoluoghi "
             "(più di 1024 KB). L'archivio non è stato modificato.");
    }

    void fileRifiutati() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, errore);
        // Values loaded before must survive a refused file.
        QVERIFY(archivio->esegui("UPDATE Comuni SET Hdh = 9.5, Hbh = 8.5 WHERE COM_NAME = 'ROMA'"));
        const auto rapporto = importa(contenuto);
        QVERIFY(!rapporto.ok());
        if (errore.startsWith("riga"))
            errore = "File dell'irradiazione rifiutato, " + errore +
                     ". L'archivio non è stato modificato.";
        QCOMPARE(rapporto.errore().descrizione, errore);
        QCOMPARE(valori(), QStringList({"RM ROMA=9.5/8.5"}));
    }

    void erroreAMetaNonCambiaNulla() {
        // The archive refuses the second update: the first one must be undone with it.
        QVERIFY(archivio->esegui("CREATE TRIGGER rifiuta BEFORE UPDATE ON Comuni "
                                 "WHEN NEW.COM_PROV = 'FC' BEGIN SELECT RAISE(ABORT, 'no'); END"));
        const auto rapporto = importa("RM;ROMA;1;2\nFC;FORLÌ;3;4\nMI;MILANO;5;6\n");
        QVERIFY(!rapporto.ok() && rapporto.errore().descrizione.contains("non accetta il valore"));
        QCOMPARE(valori(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TImportazioni)
#include "tst_importazioni.moc"
