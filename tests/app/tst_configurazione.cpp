#include "app/Configurazione.h"
#include "app/Global.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Where the test puts the configuration file.
enum class Posizione { Windows, IniApplicazione, IniGenitore, Nessuna };

bool ScriviFile(const QString& percorso, const QByteArray& contenuto) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(contenuto) == contenuto.size();
}

const QByteArray Completo = "[Percorsi]\n"
                            "DB=/dati/clima.db\n"
                            "Immagini=/dati/img/\n"
                            "[ico]\n"
                            "SemRosso=rosso.png\n"
                            "SemGiallo=giallo.png\n"
                            "SemVerde=verde.png\n";

} // namespace

Q_DECLARE_METATYPE(Posizione)

class Tconfigurazione : public QObject {
    Q_OBJECT

private slots:
    void init() { Global::Azzera(); }

    void leggiConfigurazione_data() {
        // Folders under a temporary base B: the Windows folder B/win, the parent B/programmi
        // and the application folder B/programmi/kelvaro. In the expected folder {W}, {A} and
        // {P} stand for them.
        QTest::addColumn<Posizione>("posizione");
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("percorsoIni");
        QTest::addColumn<QStringList>("valori"); // DB, Immagini, SemRosso, SemGiallo, SemVerde

        const QStringList letti{"/dati/clima.db", "/dati/img/", "rosso.png", "giallo.png",
                                "verde.png"};
        const QStringList mancanti{"-1", "-1", "-1", "-1", "-1"};
        QTest::newRow("nella cartella Windows")
            << Posizione::Windows << Completo << "{W}/" << letti;
        QTest::newRow("nella ini dell'applicazione")
            << Posizione::IniApplicazione << Completo << "{A}/ini/" << letti;
        QTest::newRow("nella Ini del genitore")
            << Posizione::IniGenitore << Completo << "{P}/Ini/" << letti;
        QTest::newRow("file assente: tutti -1")
            << Posizione::Nessuna << QByteArray() << "{P}/Ini/" << mancanti;
        QTest::newRow("file vuoto: tutti -1")
            << Posizione::Windows << QByteArray() << "{W}/" << mancanti;
        QTest::newRow("barre doppie pulite nei percorsi, non nei nomi")
            << Posizione::Windows
            << QByteArray("[Percorsi]\nDB=/dati//archivio///clima.db\nImmagini=/dati//img//\n"
                          "[ico]\nSemRosso=sem//rosso.png\nSemGiallo=//giallo.png\n"
                          "SemVerde=verde//\n")
            << "{W}/"
            << QStringList{"/dati/archivio/clima.db", "/dati/img/", "sem//rosso.png",
                           "//giallo.png", "verde//"};
        QTest::newRow("percorso di rete")
            << Posizione::Windows
            << QByteArray("[Percorsi]\nDB=//server/share//clima.db\nImmagini=//server/img/\n")
            << "{W}/" << QStringList{"//server/share/clima.db", "//server/img/", "-1", "-1", "-1"};
        QTest::newRow("valori mancanti o vuoti, gli altri letti")
            << Posizione::Windows
            << QByteArray("[Percorsi]\nImmagini=\n[ico]\nSemRosso=rosso.png\nSemVerde=  \n"
                          "SemGiallo=giallo.png\n")
            << "{W}/" << QStringList{"-1", "-1", "rosso.png", "giallo.png", "-1"};
        QTest::newRow("nomi senza maiuscole, virgolette, CRLF")
            << Posizione::Windows
            << QByteArray("[PERCORSI]\r\ndb = \"/a b/c.db\"\r\n[Ico]\r\nsemverde='v.png'\r\n")
            << "{W}/" << QStringList{"/a b/c.db", "-1", "-1", "-1", "v.png"};
        QTest::newRow("nessun valore validato")
            << Posizione::Windows
            << QByteArray("[Percorsi]\nDB=-1\nImmagini=non un percorso\n[ico]\nSemRosso=?\n")
            << "{W}/" << QStringList{"-1", "non un percorso", "?", "-1", "-1"};
    }

    void leggiConfigurazione() {
        QFETCH(Posizione, posizione);
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, percorsoIni);
        QFETCH(QStringList, valori);

        QTemporaryDir base;
        QVERIFY(base.isValid());
        const QString windows = base.filePath("win");
        const QString genitore = base.filePath("programmi");
        const QString applicazione = genitore + "/kelvaro";
        QVERIFY(QDir().mkpath(windows));
        QVERIFY(QDir().mkpath(applicazione));
        switch (posizione) {
        case Posizione::Windows:
            QVERIFY(ScriviFile(windows + "/" + Global::NomeFileIni, contenuto));
            break;
        case Posizione::IniApplicazione:
            QVERIFY(QDir().mkpath(applicazione + "/ini"));
            QVERIFY(ScriviFile(applicazione + "/ini/" + Global::NomeFileIni, contenuto));
            break;
        case Posizione::IniGenitore:
            QVERIFY(QDir().mkpath(genitore + "/Ini"));
            QVERIFY(ScriviFile(genitore + "/Ini/" + Global::NomeFileIni, contenuto));
            break;
        case Posizione::Nessuna:
            break;
        }

        QVERIFY(Global::LeggiConfigurazione(windows, applicazione));
        percorsoIni.replace("{W}", windows).replace("{A}", applicazione).replace("{P}", genitore);
        QCOMPARE(Global::PercorsoIni, percorsoIni);
        const QStringList letti{Global::PercorsoDB, Global::PercorsoImmagini, Global::ImgSemRosso,
                                Global::ImgSemGiallo, Global::ImgSemVerde};
        QCOMPARE(letti, valori);
    }

    // Folders given with a final slash: the folder found has no doubled slash.
    void percorsoIniSenzaBarreDoppie() {
        QTemporaryDir base;
        QVERIFY(base.isValid());
        QVERIFY(ScriviFile(base.filePath(Global::NomeFileIni), Completo));
        QVERIFY(Global::LeggiConfigurazione(base.path() + "/", base.path() + "/kelvaro/"));
        QCOMPARE(Global::PercorsoIni, base.path() + "/");
        QCOMPARE(Global::PercorsoDB, QStringLiteral("/dati/clima.db"));
    }

    // No folder at all: PercorsoIni is "-1" and so are the five values.
    void nessunaCartella() {
        QTemporaryDir base;
        QVERIFY(base.isValid());
        const QString corrente = QDir::currentPath();
        QVERIFY(QDir::setCurrent(base.path()));
        const bool letto = Global::LeggiConfigurazione(base.filePath("manca"), "senza-barra");
        QDir::setCurrent(corrente);
        QVERIFY(letto);
        QCOMPARE(Global::PercorsoIni, QStringLiteral("-1"));
        const QStringList letti{Global::PercorsoDB, Global::PercorsoImmagini, Global::ImgSemRosso,
                                Global::ImgSemGiallo, Global::ImgSemVerde};
        QCOMPARE(letti, QStringList(5, QStringLiteral("-1")));
    }

    // Without arguments the user's configuration folder stands in for the Windows folder.
    void senzaArgomentiUsaLaCartellaDiConfigurazione() {
        QTemporaryDir base;
        QVERIFY(base.isValid());
        QVERIFY(ScriviFile(base.filePath(Global::NomeFileIni), Completo));
        const QByteArray prima = qgetenv("XDG_CONFIG_HOME");
        const bool eraImpostata = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(base.path()));
        const QString cartellaWindows = Global::CartellaWindows();
        const bool letto = Global::LeggiConfigurazione();
        if (eraImpostata)
            qputenv("XDG_CONFIG_HOME", prima);
        else
            qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(cartellaWindows, base.path());
        QVERIFY(letto);
        QCOMPARE(Global::PercorsoIni, base.path() + "/");
        QCOMPARE(Global::ImgSemVerde, QStringLiteral("verde.png"));
    }
};

QTEST_GUILESS_MAIN(Tconfigurazione)
#include "tst_configurazione.moc"
