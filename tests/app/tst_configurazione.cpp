#include "app/Configurazione.h"
#include "app/Global.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Reading the configuration at start-up, from the file found where the program looks for it
// (the search and the reading of single values are tested with the profile reader).
class Tconfigurazione : public QObject {
    Q_OBJECT

private slots:
    void init() { Global::Azzera(); }

    void leggiConfigurazione_data() {
        // Folders under a temporary base: the Windows folder win, the application folder
        // programmi/kelvaro. The file is written at `posizione` under the base, when given.
        QTest::addColumn<QString>("posizione");
        QTest::addColumn<QString>("percorsoIni");
        QTest::addColumn<QStringList>("valori"); // DB, Immagini, SemRosso, SemGiallo, SemVerde
        // The two folders lose their doubled slashes, the names of the pictures keep them.
        const QStringList letti{"/dati/archivio/clima.db", "/dati/img/", "sem//rosso.png",
                                "//giallo.png", "verde.png"};
        QTest::newRow("nella cartella Windows") << "win" << QString("win/") << letti;
        QTest::newRow("nella Ini del genitore, presa senza verifica")
            << "programmi/Ini" << QString("programmi/Ini/") << letti;
        QTest::newRow("file assente: tutti -1")
            << "" << QString("programmi/Ini/") << QStringList{"-1", "-1", "-1", "-1", "-1"};
    }

    void leggiConfigurazione() {
        QFETCH(QString, posizione);
        QFETCH(QString, percorsoIni);
        QFETCH(QStringList, valori);
        QTemporaryDir base;
        QVERIFY(QDir().mkpath(base.filePath("win")));
        QVERIFY(QDir().mkpath(base.filePath("programmi/kelvaro")));
        if (!posizione.isEmpty()) {
            QVERIFY(QDir().mkpath(base.filePath(posizione)));
            QFile file(base.filePath(posizione) + "/" + Global::NomeFileIni);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(
                "[Percorsi]\nDB=/dati//archivio///clima.db\nImmagini=/dati//img//\n"
                "[ico]\nSemRosso=sem//rosso.png\nSemGiallo=//giallo.png\nSemVerde=verde.png\n");
        }
        // The Windows folder is given with a doubled slash, which the folder found loses too.
        QVERIFY(
            Global::LeggiConfigurazione(base.path() + "//win", base.filePath("programmi/kelvaro")));
        QCOMPARE(Global::PercorsoIni, base.filePath(percorsoIni));
        QCOMPARE(QStringList({Global::PercorsoDB, Global::PercorsoImmagini, Global::ImgSemRosso,
                              Global::ImgSemGiallo, Global::ImgSemVerde}),
                 valori);
    }
};

QTEST_GUILESS_MAIN(Tconfigurazione)
#include "tst_configurazione.moc"
