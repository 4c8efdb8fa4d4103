#include "db/Archivio.h"
#include "db/ImportaIrradiazione.h"
#include "support/ArchivioProva.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<int>)

// Loading the capitals' Hdh and Hbh from a CSV file as users write it: good files update the
// capitals they name, a faulty file is refused whole and leaves the archive as it was.
class TImportaIrradiazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fileAccettati_data();
    void fileAccettati();
    void righeSenzaCapoluogo();
    void fileRifiutati_data();
    void fileRifiutati();
    void erroreAMetaNonCambiaNulla();
    void fileOArchivioMancante();

private:
    // Writes `contenuto` to a CSV file and imports it into the test archive.
    Esito<ImportaIrradiazione::Rapporto> importa(const QByteArray& contenuto);
    // "PROV NOME=Hdh/Hbh" for every row, Null as "-".
    QStringList valori();

    std::unique_ptr<ArchivioProva> archivio;
};

void TImportaIrradiazione::init() {
    archivio = std::make_unique<ArchivioProva>();
    QVERIFY(archivio->valido());
    const char* const comuni[][2] = {{"ROMA", "RM"},   {"FIUMICINO", "RM"},    {"FORLÌ", "FC"},
                                     {"CESENA", "FC"}, {"FORLIMPOPOLI", "FC"}, {"MILANO", "MI"}};
    for (const auto& [nome, prov] : comuni)
        QVERIFY(archivio->aggiungiComune(nome, prov) > 0);
    QVERIFY(archivio->esegui("UPDATE Comuni SET capoluogo = True WHERE COM_NAME IN ('ROMA', "
                             "'FORLÌ', 'CESENA', 'MILANO')"));
}

void TImportaIrradiazione::cleanup() {
    archivio.reset();
}

Esito<ImportaIrradiazione::Rapporto> TImportaIrradiazione::importa(const QByteArray& contenuto) {
    const QString csv = archivio->cartella() + "/irradiazione.csv";
    QFile file(csv);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return ErroreRuntime::Database("file di prova non scritto");
    file.write(contenuto);
    file.close();
    return ImportaIrradiazione::Importa(archivio->percorso(), csv);
}

QStringList TImportaIrradiazione::valori() {
    return archivio->testi("SELECT COM_PROV || ' ' || COM_NAME || '=' || coalesce(Hdh, '-') || "
                           "'/' || coalesce(Hbh, '-') FROM Comuni ORDER BY COM_ID");
}

void TImportaIrradiazione::fileAccettati_data() {
    QTest::addColumn<QByteArray>("contenuto");
    // Every file sets ROMA to 1.25 / 3.5 and FORLÌ to 2 / 4.75.
    QTest::newRow("punto e virgola, virgola decimale") << QByteArray("RM;ROMA;1,25;3,5\n"
                                                                     "FC;FORLÌ;2;4,75\n");
    QTest::newRow("virgola, punto decimale") << QByteArray("RM,ROMA,1.25,3.5\n"
                                                           "FC,FORLÌ,2.0,4.75\n");
    QTest::newRow("virgola, virgola decimale tra virgolette")
        << QByteArray("RM,ROMA,\"1,25\",\"3,5\"\n"
                      "FC,FORLÌ,2,\"4,75\"\n");
    QTest::newRow("punto e virgola, punto decimale") << QByteArray("RM;ROMA;1.25;3.50\n"
                                                                   "FC;FORLÌ;2.;4.75\n");
    QTest::newRow("intestazione") << QByteArray("Provincia;Comune;Hdh;Hbh\n"
                                                "RM;ROMA;1,25;3,5\n"
                                                "FC;FORLÌ;2;4,75\n");
    QTest::newRow("BOM, CRLF, intestazione tra virgolette con virgolette doppie")
        << QByteArray("\xEF\xBB\xBF\"Prov\";\"Nome\";\"Hdh \"\"diffusa\"\"\";\"Hbh; diretta\"\r\n"
                      "\"RM\";\"ROMA\";\"1,25\";\"3,5\"\r\n"
                      "\"FC\";\"FORLÌ\";\"2\";\"4,75\"\r\n");
    QTest::newRow("BOM senza intestazione") << QByteArray("\xEF\xBB\xBFRM;ROMA;1,25;3,5\n"
                                                          "FC;FORLÌ;2;4,75");
    QTest::newRow("minuscole e accenti") << QByteArray("rm;Roma;1,25;3,5\n"
                                                       "fc;forlì;2;4,75\n");
    QTest::newRow("spazi attorno e righe vuote") << QByteArray("\n  \n RM ; ROMA ; 1,25 ;3,5\n"
                                                               "\n;;;\n"
                                                               "FC;  FORLÌ\t;2;4,75\n\n\n");
    QTest::newRow("spazi prima delle virgolette") << QByteArray("RM, ROMA, \"1,25\", \"3,5\"\n"
                                                                "FC, FORLÌ, 2, \"4,75\"\n");
    QTest::newRow("a capo di un vecchio Mac") << QByteArray("RM;ROMA;1,25;3,5\r"
                                                            "FC;FORLÌ;2;4,75\r");
    QTest::newRow("codifica di Windows") << QByteArray("RM;ROMA;1,25;3,5\n"
                                                       "FC;FORL\xCC;2;4,75\n");
    QTest::newRow("separatore nel nome tra virgolette")
        << QByteArray("Prov,\"Nome, ufficiale\",Hdh,Hbh\n"
                      "RM,\"ROMA\",+1.25,3.5\n"
                      "FC,\"FORLÌ\",2,4.75\n");
    QTest::newRow("zeri in fondo") << QByteArray("RM;ROMA;1,25;3,5\n"
                                                 "FC;FORLÌ;2;4,750\n");
}

void TImportaIrradiazione::fileAccettati() {
    QFETCH(QByteArray, contenuto);
    const Esito<ImportaIrradiazione::Rapporto> rapporto = importa(contenuto);
    QVERIFY2(rapporto.ok(), qPrintable(rapporto.ok() ? QString() : rapporto.errore().descrizione));
    QCOMPARE(rapporto.valore().righeDati, 2);
    QCOMPARE(rapporto.valore().aggiornati, 2);
    QVERIFY(rapporto.valore().nonTrovate.isEmpty());
    QCOMPARE(valori(), QStringList({"RM ROMA=1.25/3.5", "RM FIUMICINO=-/-", "FC FORLÌ=2.0/4.75",
                                    "FC CESENA=-/-", "FC FORLIMPOPOLI=-/-", "MI MILANO=-/-"}));
}

void TImportaIrradiazione::righeSenzaCapoluogo() {
    const Esito<ImportaIrradiazione::Rapporto> rapporto =
        importa("Prov;Nome;Hdh;Hbh\n"
                "RM;Roma;1;2\n"
                "RM;Fiumicino;3;4\n" // a comune, but not a capital
                "MI;Forlì;5;6\n"     // a capital of another province
                "FC;Forli;7;8\n"     // the accent counts
                "xx;Atlantide;9;10\n"
                "FC;Cesena;11;12\n");
    QVERIFY(rapporto.ok());
    QCOMPARE(rapporto.valore().righeDati, 6);
    QCOMPARE(rapporto.valore().aggiornati, 2);
    QList<int> righe;
    for (const auto& riga : rapporto.valore().nonTrovate)
        righe << riga.riga;
    QCOMPARE(righe, QList<int>({3, 4, 5, 6}));
    QCOMPARE(valori(),
             QStringList({"RM ROMA=1.0/2.0", "RM FIUMICINO=-/-", "FC FORLÌ=-/-",
                          "FC CESENA=11.0/12.0", "FC FORLIMPOPOLI=-/-", "MI MILANO=-/-"}));
    QCOMPARE(ImportaIrradiazione::DescriviRapporto(rapporto.valore()),
             QStringList({"Aggiornati 2 capoluoghi su 6 righe del file.",
                          "4 righe non corrispondono ad alcun capoluogo dell'archivio:",
                          "  riga 3: RM Fiumicino", "  riga 4: MI Forlì", "  riga 5: FC Forli",
                          "  riga 6: XX Atlantide"}));
}

void TImportaIrradiazione::fileRifiutati_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("errore"); // what follows "File dell'irradiazione rifiutato, "
    QTest::newRow("tre campi") << QByteArray("RM;ROMA;1,25;3,5\nFC;FORLÌ;2\n")
                               << "riga 2: ci sono 3 campi invece di 4 (provincia, nome, Hdh, Hbh)";
    QTest::newRow("separatore in più in fondo")
        << QByteArray("RM;ROMA;1,25;3,5;\n")
        << "riga 1: ci sono 5 campi invece di 4 (provincia, nome, Hdh, Hbh)";
    QTest::newRow("virgola decimale senza virgolette")
        << QByteArray("RM,ROMA,1.5,2\nFC,FORLÌ,2,4,75\n")
        << "riga 2: ci sono 5 campi invece di 4 (provincia, nome, Hdh, Hbh); con la virgola "
           "come separatore un numero con la virgola decimale va scritto tra virgolette";
    QTest::newRow("testo al posto del numero")
        << QByteArray("RM;ROMA;1,25;3,5\nFC;FORLÌ;due;4,75\n")
        << "riga 2: il valore di Hdh «due» non è un numero";
    QTest::newRow("prima riga con un solo valore non numerico")
        << QByteArray("RM;ROMA;n.d.;3,5\nFC;FORLÌ;2;4,75\n")
        << "riga 1: il valore di Hdh «n.d.» non è un numero";
    QTest::newRow("separatore delle migliaia") << QByteArray("RM;ROMA;1.250,5;3,5\n")
                                               << "riga 1: il valore di Hdh «1.250,5» non è un "
                                                  "numero";
    QTest::newRow("valore vuoto") << QByteArray("Prov;Nome;Hdh;Hbh\nRM;ROMA;1,25;\n")
                                  << "riga 2: manca il valore di Hbh";
    QTest::newRow("negativo") << QByteArray("RM;ROMA;1,25;3,5\nFC;FORLÌ;2;-4,75\n")
                              << "riga 2: il valore di Hbh «-4,75» è negativo";
    QTest::newRow("negativo tra virgolette") << QByteArray("RM,ROMA,\"-0,01\",\"3,5\"\n")
                                             << "riga 1: il valore di Hdh «-0,01» è "
                                                "negativo";
    QTest::newRow("righe vuote contate") << QByteArray("RM;ROMA;1;2\r\n\r\n\r\nFC;FORLÌ;2;x\r\n")
                                         << "riga 4: il valore di Hbh «x» non è un numero";
    QTest::newRow("virgolette non chiuse") << QByteArray("RM;ROMA;1;2\nFC;\"FORLÌ;2;3\n")
                                           << "riga 2: le virgolette aperte non sono chiuse";
    QTest::newRow("testo dopo le virgolette")
        << QByteArray("RM;\"ROMA\"X;1;2\n")
        << "riga 1: dopo le virgolette di chiusura c'è altro testo prima del separatore";
    QTest::newRow("capoluogo ripetuto") << QByteArray("RM;ROMA;1;2\nFC;FORLÌ;2;3\nrm;Roma;5;6\n")
                                        << "riga 3: RM Roma compare già alla riga 1";
    QTest::newRow("numero dopo una riga con a capo tra virgolette")
        << QByteArray("Prov;\"Nome\ndel comune\";Hdh;Hbh\nRM;ROMA;1;-2\n")
        << "riga 3: il valore di Hbh «-2» è negativo";
}

void TImportaIrradiazione::fileRifiutati() {
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, errore);
    // Values loaded before must survive a refused file.
    QVERIFY(archivio->esegui("UPDATE Comuni SET Hdh = 9.5, Hbh = 8.5 WHERE COM_NAME = 'ROMA'"));
    archivio->chiudi();
    QFile file(archivio->percorso());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray prima = file.readAll();
    file.close();

    const Esito<ImportaIrradiazione::Rapporto> rapporto = importa(contenuto);
    QVERIFY(!rapporto.ok());
    QCOMPARE(rapporto.errore().descrizione, "File dell'irradiazione rifiutato, " + errore +
                                                ". L'archivio non è stato modificato.");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == prima);
    QCOMPARE(valori(), QStringList({"RM ROMA=9.5/8.5", "RM FIUMICINO=-/-", "FC FORLÌ=-/-",
                                    "FC CESENA=-/-", "FC FORLIMPOPOLI=-/-", "MI MILANO=-/-"}));
}

void TImportaIrradiazione::erroreAMetaNonCambiaNulla() {
    // The archive refuses the second update: the first one must be undone with it.
    QVERIFY(archivio->esegui("CREATE TRIGGER rifiuta BEFORE UPDATE ON Comuni "
                             "WHEN NEW.COM_PROV = 'FC' BEGIN SELECT RAISE(ABORT, 'no'); END"));
    const Esito<ImportaIrradiazione::Rapporto> rapporto =
        importa("RM;ROMA;1;2\nFC;FORLÌ;3;4\nMI;MILANO;5;6\n");
    QVERIFY(!rapporto.ok());
    QVERIFY2(rapporto.errore().descrizione.contains("non accetta il valore"),
             qPrintable(rapporto.errore().descrizione));
    QCOMPARE(archivio->valore("SELECT count(*) FROM Comuni WHERE Hdh IS NOT NULL").toInt(), 0);
}

void TImportaIrradiazione::fileOArchivioMancante() {
    const QString mancante = archivio->cartella() + "/manca.csv";
    Esito<ImportaIrradiazione::Rapporto> rapporto =
        ImportaIrradiazione::Importa(archivio->percorso(), mancante);
    QVERIFY(!rapporto.ok());
    QCOMPARE(rapporto.errore().descrizione,
             QString("Impossibile trovare il file «%1».").arg(mancante));

    const QString csv = archivio->cartella() + "/buono.csv";
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("RM;ROMA;1;2\n");
    file.close();
    const QString archivioMancante = archivio->cartella() + "/altro.db";
    rapporto = ImportaIrradiazione::Importa(archivioMancante, csv);
    QVERIFY(!rapporto.ok());
    QVERIFY(rapporto.errore().descrizione.contains(archivioMancante));
    QVERIFY(!QFileInfo::exists(archivioMancante));

    QVERIFY(!ImportaIrradiazione::Importa(archivio->percorso(), archivio->cartella()).ok());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write("\r\n;;;\n");
    file.close();
    rapporto = ImportaIrradiazione::Importa(archivio->percorso(), csv);
    QVERIFY(!rapporto.ok());
    QCOMPARE(rapporto.errore().descrizione,
             QString("Il file dell'irradiazione non contiene righe con valori."));
}

QTEST_GUILESS_MAIN(TImportaIrradiazione)
#include "tst_importaIrradiazione.moc"
