#include "core/Configurazione.h"
#include "core/Global.h"
#include "core/LettoreIni.h"
#include "support/File.h"

#include <QtTest>

// The configuration file: where it is looked for, how one value is read (as the Windows profile
// reader reads it), how paths are cleaned, and the five values read at start-up.
class TConfigurazione : public QObject {
    Q_OBJECT
private slots:
    void leggiIni_data() {
        // The key "k" of section "s" unless the row says otherwise; Null content: no file.
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("sezione");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("atteso");
        const auto riga = [](const char* nome, const QByteArray& contenuto, const QString& atteso,
                             const QString& sezione = "s", const QString& chiave = "k") {
            QTest::newRow(nome) << contenuto << sezione << chiave << atteso;
        };
        riga("nomi senza maiuscole, accentati", "[CITT\xC3\x80]\nChiave=x\n", "x", "città",
             "CHIAVE");
        riga("file mancante", QByteArray(), "-1");
        riga("sezione mancante", "[t]\nk=x\n", "-1");

        riga("spazi attorno, uguale nel valore", " [ s ] \n \t k \t=\t /a b=c.db \t\n",
             "/a b=c.db");
        riga("commento", "[s]\n  ;k=x\n", "-1", "s", ";k");
        riga("valore vuoto", "[s]\nk=  \t\n", "-1");

        riga("fine riga CRLF e CR", "[s]\r\nj=uno\rk=due\r\n", "due");
        riga("BOM e UTF-8", "\xEF\xBB\xBF[s]\nk=citt\xC3\xA0\n", "città");

        riga("Windows-1252", "[s]\nk=citt\xE0 \x80\n", "città €");
        riga("tagliato a 2999", "[s]\nk=" + QByteArray(3000, 'x'), QString(2999, u'x'));
    }
    void leggiIni() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, sezione);
        QFETCH(QString, chiave);
        QFETCH(QString, atteso);
        QTemporaryDir cartella;
        const QString file = cartella.filePath("Kelvaro_2007.ini");
        if (!contenuto.isNull())
            QVERIFY(ScriviFile(file, contenuto));
        QCOMPARE(Global::LeggiIni(file, sezione, chiave), atteso);
    }

    void pulisciPercorso_data() {
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("percorso di rete") << "//server/share//d/" << QString("//server/share/d/");
        QTest::newRow("tre barre iniziali") << "///x" << QString("//x");
        QTest::newRow("un carattere") << "/" << QString("/");
    }
    void pulisciPercorso() {
        QFETCH(QString, percorso);
        QFETCH(QString, atteso);
        QCOMPARE(Global::PulisciPercorso(percorso), atteso);
    }

    void cercaELeggi_data() {
        // Under a temporary base: the Windows folder win, the application folder
        // programmi/kelvaro. {W}, {A} and {P} stand for the Windows, application and parent
        // folder. The file is written where `crea` says; a name ending in '/' is a folder.
        QTest::addColumn<QStringList>("crea");
        QTest::addColumn<QString>("atteso");
        const QString ini = "Kelvaro_2007.ini";
        const QString app = "programmi/kelvaro/";
        QTest::newRow("Windows vince su ini")
            << QStringList{"win/" + ini, app + "ini/" + ini} << "{W}/";
        QTest::newRow("ini dell'applicazione in maiuscolo")
            << QStringList{app + "INI/" + ini} << "{A}/INI/";
        QTest::newRow("ini senza file: Ini del genitore, senza verifica")
            << QStringList{app + "ini/"} << "{P}/Ini/";
        QTest::newRow("ini del genitore scritto come esiste")
            << QStringList{"programmi/INI/"} << "{P}/INI/";
        QTest::newRow("una cartella col nome del file non è il file")
            << QStringList{"win/" + ini + "/"} << "{P}/Ini/";
    }
    void cercaELeggi() {
        QFETCH(QStringList, crea);
        QFETCH(QString, atteso);
        QTemporaryDir base;
        QVERIFY(QDir().mkpath(base.filePath("win")) &&
                QDir().mkpath(base.filePath("programmi/kelvaro")));
        for (const QString& voce : crea)
            QVERIFY(voce.endsWith('/') ? QDir().mkpath(base.filePath(voce))
                                       : ScriviFile(base.filePath(voce),
                                                    "[Percorsi]\nDB=/d//a///c.db\nImmagini=/d//i//"
                                                    "\n[ico]\nSemRosso=r//.png\nSemVerde=v.png"));
        atteso.replace("{W}", base.filePath("win"))
            .replace("{A}", base.filePath("programmi/kelvaro"))
            .replace("{P}", base.filePath("programmi"));
        // The Windows folder given with a doubled slash, which the folder found loses too.
        QVERIFY(
            Global::LeggiConfigurazione(base.path() + "//win", base.filePath("programmi/kelvaro")));
        QCOMPARE(Global::PercorsoIni, atteso);
        // The two folders lose their doubled slashes, the names of the pictures keep them.
        const bool trovato = QFileInfo::exists(atteso + "Kelvaro_2007.ini");
        QCOMPARE(QStringList({Global::PercorsoDB, Global::PercorsoImmagini, Global::ImgSemRosso,
                              Global::ImgSemGiallo, Global::ImgSemVerde}),
                 trovato ? QStringList({"/d/a/c.db", "/d/i/", "r//.png", "-1", "v.png"})
                         : QStringList({"-1", "-1", "-1", "-1", "-1"}));
    }

    void senzaRisposta() {
        // No file and an application folder without a parent.
        QCOMPARE(Global::CercaPercorsoIni("Kelvaro_2007.ini", "/manca", "senza-barra"),
                 QString("-1"));
    }
};

QTEST_GUILESS_MAIN(TConfigurazione)
#include "tst_configurazione.moc"
