#include "db/Archivio.h"
#include "db/ImportaComuni.h"
#include "db/Istruzione.h"
#include "db/Schema.h"

#include <QtTest>

// Filling a new archive with the municipalities: from a small file made here, and from the file
// shipped inside the program.
class TImportaComuni : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void valoriRegistrati_data();
    void valoriRegistrati();
    void righeMalformate_data();
    void righeMalformate();
    void fileDelProgramma();

private:
    EsitoOperazione crea(const QByteArray& csv);
    QStringList riga(const QString& sql);
    QStringList colonna(const QString& sql);
    qint64 numero(const QString& sql) { return riga(sql).value(0).toLongLong(); }

    std::unique_ptr<QTemporaryDir> cartella;
    QString percorso;
};

namespace {

const QByteArray Intestazione =
    "nome,prov,zona,gradi_giorno,altitudine,lat_g,lat_p,long_g,long_p,capoluogo\n";

// Real lines of the shipped file: capitals, a comune without Table A values, accents and
// apostrophes.
const QByteArray FilePiccolo = Intestazione + "Forlì,FC,D,2087,34,44,13,12,2,1\n"
                                              "Forlimpopoli,FC,D,2082,30,44,11,12,8,0\n"
                                              "Valsamoggia,BO,,,,44,30,11,5,0\n"
                                              "L'Aquila,AQ,E,2514,714,42,21,13,24,1\n"
                                              "Cefalù,PA,B,702,16,38,2,14,1,0\n"
                                              "Vito d'Asio,PN,F,2962,320,46,14,12,58,0\n";

const QString Colonne = QStringLiteral(
    "COM_NAME, COM_PROV, COM_ZONE, COM_DEGDAY, COM_ALT, COM_LATI_G, COM_LATI_P, COM_LONG_G, "
    "COM_LONG_P, capoluogo, Hdh, Hbh, Irradianza, ProvVicina1, ProvVicina2, COM_RIFER_NAME, "
    "COM_RIFER_PROV");

} // namespace

void TImportaComuni::cleanup() {
    Archivio::Chiudi("Verifica");
    cartella.reset();
}

EsitoOperazione TImportaComuni::crea(const QByteArray& csv) {
    cartella = std::make_unique<QTemporaryDir>();
    percorso = cartella->filePath("comuni.db");
    return Schema::CreaArchivio(percorso,
                                [&](sqlite3* db) { return ImportaComuni::Inserisci(db, csv); });
}

// The columns of the first row, Null shown as "NULL".
QStringList TImportaComuni::riga(const QString& sql) {
    if (!Archivio::Maniglia("Verifica") && !Archivio::Apri("Verifica", percorso).ok())
        return {};
    Istruzione query(Archivio::Maniglia("Verifica"), sql);
    QStringList valori;
    if (query.passo()) {
        for (int i = 0; i < query.colonne(); ++i)
            valori << (query.nullo(i) ? QStringLiteral("NULL") : query.testo(i));
    }
    if (!query.esito().ok())
        qWarning() << query.esito().errore().descrizione;
    return valori;
}

QStringList TImportaComuni::colonna(const QString& sql) {
    if (!Archivio::Maniglia("Verifica") && !Archivio::Apri("Verifica", percorso).ok())
        return {};
    Istruzione query(Archivio::Maniglia("Verifica"), sql);
    QStringList valori;
    while (query.passo())
        valori << query.testo(0);
    return valori;
}

void TImportaComuni::valoriRegistrati_data() {
    QTest::addColumn<QString>("provincia");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("attesa"); // the columns of Colonne joined by '|'
    QTest::newRow("capoluogo con accento")
        << "FC"
        << "FORLÌ"
        << "FORLÌ|FC|D|2087|34|44|13|12|2|-1|NULL|NULL|NULL|NULL|NULL|NULL|NULL";
    QTest::newRow("comune qualsiasi")
        << "FC"
        << "FORLIMPOPOLI"
        << "FORLIMPOPOLI|FC|D|2082|30|44|11|12|8|0|NULL|NULL|NULL|NULL|NULL|NULL|NULL";
    QTest::newRow("senza zona, gradi giorno e altitudine")
        << "BO"
        << "VALSAMOGGIA"
        << "VALSAMOGGIA|BO|NULL|NULL|NULL|44|30|11|5|0|NULL|NULL|NULL|NULL|NULL|NULL|NULL";
    QTest::newRow("apostrofo") << "AQ"
                               << "L'AQUILA"
                               << "L'AQUILA|AQ|E|2514|714|42|21|13|24|-1|NULL|NULL|NULL|NULL|NULL|"
                                  "NULL|NULL";
    QTest::newRow("accento minuscolo")
        << "PA"
        << "CEFALÙ"
        << "CEFALÙ|PA|B|702|16|38|2|14|1|0|NULL|NULL|NULL|NULL|NULL|NULL|NULL";
    QTest::newRow("minuscole dopo l'apostrofo")
        << "PN"
        << "VITO D'ASIO"
        << "VITO D'ASIO|PN|F|2962|320|46|14|12|58|0|NULL|NULL|NULL|NULL|NULL|NULL|NULL";
}

void TImportaComuni::valoriRegistrati() {
    QFETCH(QString, provincia);
    QFETCH(QString, nome);
    QFETCH(QString, attesa);
    // Windows line ends and a blank last line are read as the plain file.
    QByteArray csv = FilePiccolo;
    const EsitoOperazione esito = crea(csv.replace("\n", "\r\n") + "\r\n");
    QVERIFY2(esito.ok(), qPrintable(esito.ok() ? QString() : esito.errore().descrizione));
    // The comparison is exact (binary), so the name must be stored exactly in upper case.
    const QStringList trovata =
        riga(QString("SELECT %1 FROM Comuni WHERE COM_PROV = '%2' AND COM_NAME = '%3' "
                     "COLLATE BINARY")
                 .arg(Colonne, provincia, QString(nome).replace("'", "''")));
    QCOMPARE(trovata.join('|'), attesa);
    QCOMPARE(numero("SELECT count(*) FROM Comuni"), 6);
}

void TImportaComuni::righeMalformate_data() {
    QTest::addColumn<QByteArray>("rigaErrata");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("nove campi") << QByteArray("Roma,RM,D,1415,20,41,54,12,1")
                                << "ci sono 9 campi invece di 10";
    QTest::newRow("undici campi") << QByteArray("Roma,RM,D,1415,20,41,54,12,29,1,0")
                                  << "ci sono 11 campi invece di 10";
    QTest::newRow("gradi giorno non numerici")
        << QByteArray("Roma,RM,D,14l5,20,41,54,12,29,1")
        << "il campo gradi_giorno («14l5») non è un numero intero";
    QTest::newRow("altitudine oltre 16 bit")
        << QByteArray("Roma,RM,D,1415,32768,41,54,12,29,1") << "il campo altitudine («32768»)";
    QTest::newRow("primi decimali")
        << QByteArray("Roma,RM,D,1415,20,41,54.5,12,29,1") << "il campo lat_p («54.5»)";
    QTest::newRow("zona fuori da A-F") << QByteArray("Roma,RM,G,1415,20,41,54,12,29,1")
                                       << "la zona «G» non è una lettera da A a F";
    QTest::newRow("zona di due lettere")
        << QByteArray("Roma,RM,DE,1415,20,41,54,12,29,1") << "la zona «DE»";
    QTest::newRow("provincia di una lettera")
        << QByteArray("Roma,R,D,1415,20,41,54,12,29,1") << "la sigla della provincia «R»";
    QTest::newRow("capoluogo non 0 o 1") << QByteArray("Roma,RM,D,1415,20,41,54,12,29,-1")
                                         << "il campo capoluogo («-1») non è 0 o 1";
    QTest::newRow("capoluogo vuoto")
        << QByteArray("Roma,RM,D,1415,20,41,54,12,29,") << "il campo capoluogo («») non è 0 o 1";
    QTest::newRow("nome vuoto") << QByteArray(" ,RM,D,1415,20,41,54,12,29,1")
                                << "manca il nome del comune";
    QTest::newRow("nome non UTF-8")
        << QByteArray("Forl\xEC,FC,D,2087,34,44,13,12,2,1") << "il nome non è scritto in UTF-8";
}

void TImportaComuni::righeMalformate() {
    QFETCH(QByteArray, rigaErrata);
    QFETCH(QString, motivo);
    const EsitoOperazione esito =
        crea(Intestazione + "Agrigento,AG,B,729,230,37,19,13,35,1\n\n" + rigaErrata + "\n");
    QVERIFY(!esito.ok());
    // Line 1 is the header, line 3 is blank: the faulty line is the fourth of the file.
    QVERIFY2(
        esito.errore().descrizione.startsWith("Dati dei comuni non validi alla riga 4: " + motivo),
        qPrintable(esito.errore().descrizione));
    QVERIFY(!QFileInfo::exists(percorso));
}

void TImportaComuni::fileDelProgramma() {
    cartella = std::make_unique<QTemporaryDir>();
    percorso = cartella->filePath("tutti.db");
    const EsitoOperazione esito =
        Schema::CreaArchivio(percorso, ImportaComuni::InserisciComuniDelProgramma);
    QVERIFY2(esito.ok(), qPrintable(esito.ok() ? QString() : esito.errore().descrizione));

    QCOMPARE(numero("SELECT count(*) FROM Comuni"), 7904);
    QCOMPARE(numero("SELECT count(*) FROM Comuni WHERE capoluogo <> No"), 112);
    QCOMPARE(numero("SELECT count(*) FROM Comuni WHERE capoluogo NOT IN (0, -1)"), 0);
    // Known rows, looked for as the program looks for names (without regard to letter case).
    const QString campi = "SELECT COM_NAME, COM_PROV, COM_ZONE, COM_DEGDAY, COM_ALT, COM_LATI_G, "
                          "COM_LATI_P, COM_LONG_G, COM_LONG_P, capoluogo FROM Comuni ";
    QCOMPARE(riga(campi + "WHERE COM_PROV = 'RM' AND COM_NAME = 'roma'").join('|'),
             QString("ROMA|RM|D|1415|20|41|54|12|29|-1"));
    QCOMPARE(riga(campi + "WHERE COM_PROV = 'FC' AND COM_NAME = 'forlì'").join('|'),
             QString("FORLÌ|FC|D|2087|34|44|13|12|2|-1"));
    // The comuni missing from Table A have none of its three values, and no other comune
    // misses any of them.
    QCOMPARE(numero("SELECT count(*) FROM Comuni WHERE COM_ZONE IS NULL"), 123);
    QCOMPARE(numero("SELECT count(*) FROM Comuni WHERE COM_ZONE IS NULL AND COM_DEGDAY IS NULL "
                    "AND COM_ALT IS NULL"),
             123);
    QCOMPARE(numero("SELECT count(*) FROM Comuni WHERE COM_DEGDAY IS NULL OR COM_ALT IS NULL"),
             123);
    QCOMPARE(numero("SELECT count(*) FROM Comuni WHERE COM_LATI_G IS NULL OR COM_LATI_P IS NULL "
                    "OR COM_LONG_G IS NULL OR COM_LONG_P IS NULL"),
             0);
    QCOMPARE(numero("SELECT count(*) FROM Comuni WHERE Hdh IS NOT NULL OR Hbh IS NOT NULL OR "
                    "Irradianza IS NOT NULL OR ProvVicina1 IS NOT NULL OR ProvVicina2 IS NOT "
                    "NULL OR COM_RIFER_NAME IS NOT NULL OR COM_RIFER_PROV IS NOT NULL"),
             0);
    // Provinces with more than one capital.
    QCOMPARE(colonna("SELECT COM_PROV FROM Comuni WHERE capoluogo <> No GROUP BY COM_PROV "
                     "HAVING count(*) > 1 ORDER BY COM_PROV"),
             QStringList({"BT", "FC", "MS", "PU"}));
    // Every name is stored in upper case, accented letters included (SQLite's upper() would
    // leave them alone, so the check is made here).
    const QStringList nomi = colonna("SELECT COM_NAME FROM Comuni");
    QCOMPARE(nomi.size(), 7904);
    for (const QString& nome : nomi)
        QVERIFY2(nome == nome.toUpper() && nome == nome.trimmed() && !nome.isEmpty(),
                 qPrintable(nome));
}

QTEST_GUILESS_MAIN(TImportaComuni)
#include "tst_importaComuni.moc"
