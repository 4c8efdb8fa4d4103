#include "db/Archivio.h"
#include "db/ImportaComuni.h"
#include "db/Istruzione.h"
#include "db/Schema.h"

#include <QtTest>

namespace {

const QByteArray Intestazione =
    "nome,prov,zona,gradi_giorno,altitudine,lat_g,lat_p,long_g,long_p,capoluogo\n";

// The columns that an import fills, one row per text, Null shown as "NULL", and "-" when every
// other column is Null.
const QString Righe = QStringLiteral(
    "SELECT COM_NAME || '|' || COM_PROV || '|' || ifnull(COM_ZONE, 'NULL') || '|' || "
    "ifnull(COM_DEGDAY, 'NULL') || '|' || ifnull(COM_ALT, 'NULL') || '|' || COM_LATI_G || '|' || "
    "COM_LATI_P || '|' || COM_LONG_G || '|' || COM_LONG_P || '|' || capoluogo || '|' || "
    "ifnull(coalesce(Hdh, Hbh, Irradianza, ProvVicina1, ProvVicina2, COM_RIFER_NAME, "
    "COM_RIFER_PROV), '-') FROM Comuni ");

} // namespace

// Filling a new archive with the municipalities: from a small file made here, and from the file
// shipped inside the program.
class TImportaComuni : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> cartella;
    QString percorso;

    EsitoOperazione crea(const std::function<EsitoOperazione(sqlite3*)>& riempi) {
        cartella = std::make_unique<QTemporaryDir>();
        percorso = cartella->filePath("comuni.db");
        return Schema::CreaArchivio(percorso, riempi);
    }
    QStringList testi(const QString& sql) {
        if (!Archivio::Maniglia("Verifica") && !Archivio::Apri("Verifica", percorso).ok())
            return {};
        Istruzione query(Archivio::Maniglia("Verifica"), sql);
        QStringList valori;
        while (query.passo())
            valori << query.testo(0);
        return valori;
    }

private slots:
    void cleanup() {
        Archivio::Chiudi("Verifica");
        cartella.reset();
    }

    void fileFattoQui() {
        // Real lines of the shipped file, with Windows line ends and a blank last line.
        QByteArray csv = Intestazione + "Forlì,FC,D,2087,34,44,13,12,2,1\n"
                                        "Valsamoggia,BO,,,,44,30,11,5,0\n"
                                        "L'Aquila,AQ,E,2514,714,42,21,13,24,1\n"
                                        "Vito d'Asio,PN,F,2962,320,46,14,12,58,0\n\n";
        const EsitoOperazione esito = crea(
            [&](sqlite3* db) { return ImportaComuni::Inserisci(db, csv.replace("\n", "\r\n")); });
        QVERIFY2(esito.ok(), qPrintable(esito.ok() ? QString() : esito.errore().descrizione));
        // Names in upper case, accents included; a capital is -1; an empty field is Null.
        QCOMPARE(testi(Righe + "ORDER BY COM_ID"),
                 QStringList({"FORLÌ|FC|D|2087|34|44|13|12|2|-1|-",
                              "VALSAMOGGIA|BO|NULL|NULL|NULL|44|30|11|5|0|-",
                              "L'AQUILA|AQ|E|2514|714|42|21|13|24|-1|-",
                              "VITO D'ASIO|PN|F|2962|320|46|14|12|58|0|-"}));
    }

    void righeMalformate_data() {
        QTest::addColumn<QByteArray>("rigaErrata");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("nove campi")
            << QByteArray("Roma,RM,D,1415,20,41,54,12,1") << "ci sono 9 campi invece di 10";
        QTest::newRow("undici campi")
            << QByteArray("Roma,RM,D,1415,20,41,54,12,29,1,0") << "ci sono 11 campi invece di 10";
        QTest::newRow("gradi giorno non numerici")
            << QByteArray("Roma,RM,D,14l5,20,41,54,12,29,1")
            << "il campo gradi_giorno («14l5») non è un numero intero tra -32768 e 32767";
        QTest::newRow("altitudine oltre 16 bit")
            << QByteArray("Roma,RM,D,1415,32768,41,54,12,29,1") << "il campo altitudine («32768»)";
        QTest::newRow("zona fuori da A-F") << QByteArray("Roma,RM,G,1415,20,41,54,12,29,1")
                                           << "la zona «G» non è una lettera da A a F";
        QTest::newRow("zona di due lettere")
            << QByteArray("Roma,RM,DE,1415,20,41,54,12,29,1") << "la zona «DE»";
        QTest::newRow("provincia di una lettera")
            << QByteArray("Roma,R,D,1415,20,41,54,12,29,1") << "la sigla della provincia «R»";
        QTest::newRow("capoluogo non 0 o 1") << QByteArray("Roma,RM,D,1415,20,41,54,12,29,-1")
                                             << "il campo capoluogo («-1») non è 0 o 1";
        QTest::newRow("nome vuoto")
            << QByteArray(" ,RM,D,1415,20,41,54,12,29,1") << "manca il nome del comune";
        QTest::newRow("nome non UTF-8")
            << QByteArray("Forl\xEC,FC,D,2087,34,44,13,12,2,1") << "il nome non è scritto in UTF-8";
    }

    void righeMalformate() {
        QFETCH(QByteArray, rigaErrata);
        QFETCH(QString, motivo);
        const QByteArray csv =
            Intestazione + "Agrigento,AG,B,729,230,37,19,13,35,1\n\n" + rigaErrata;
        const EsitoOperazione esito =
            crea([&](sqlite3* db) { return ImportaComuni::Inserisci(db, csv); });
        QVERIFY(!esito.ok());
        // Line 1 is the header, line 3 is blank: the faulty line is the fourth of the file.
        QVERIFY2(esito.errore().descrizione.startsWith("Dati dei comuni non validi alla riga 4: " +
                                                       motivo),
                 qPrintable(esito.errore().descrizione));
        QVERIFY(!QFileInfo::exists(percorso));
    }

    void fileDelProgramma() {
        const EsitoOperazione esito = crea(ImportaComuni::InserisciComuniDelProgramma);
        QVERIFY2(esito.ok(), qPrintable(esito.ok() ? QString() : esito.errore().descrizione));
        QCOMPARE(testi("SELECT count(*) FROM Comuni"), QStringList({"7904"}));
        QCOMPARE(testi("SELECT count(*) FROM Comuni WHERE capoluogo <> No"), QStringList({"112"}));
        // Looked for as the program looks for names, without regard to letter case.
        QCOMPARE(testi(Righe + "WHERE COM_PROV = 'rm' AND COM_NAME = 'roma'"),
                 QStringList({"ROMA|RM|D|1415|20|41|54|12|29|-1|-"}));
        QCOMPARE(testi(Righe + "WHERE COM_PROV = 'FC' AND COM_NAME = 'forlì'"),
                 QStringList({"FORLÌ|FC|D|2087|34|44|13|12|2|-1|-"}));
        // The comuni missing from Table A lack all three of its values, and only they lack any.
        QCOMPARE(testi("SELECT count(*) || '|' || sum(COM_ZONE IS NULL AND COM_DEGDAY IS NULL AND "
                       "COM_ALT IS NULL) FROM Comuni WHERE COM_ZONE IS NULL OR COM_DEGDAY IS NULL "
                       "OR COM_ALT IS NULL OR COM_LATI_G IS NULL OR COM_LATI_P IS NULL OR "
                       "COM_LONG_G IS NULL OR COM_LONG_P IS NULL"),
                 QStringList({"123|123"}));
    }
};

QTEST_GUILESS_MAIN(TImportaComuni)
#include "tst_importaComuni.moc"
