#include "core/Configurazione.h"
#include "core/Global.h"
#include "db/PrimaConfigurazione.h"
#include "support/File.h"

#include <QtTest>

// The first-run preparation, in temporary folders standing for ~/.config, the program's folder
// and ~/.local/share/kelvaro: it creates what is missing and never touches what exists.
class TPrimaConfigurazione : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> base;
    QString windows, applicazione, dati;

private slots:
    void init() {
        Global::Azzera();
        base = std::make_unique<QTemporaryDir>();
        QVERIFY(base->isValid());
        windows = base->filePath("config");
        applicazione = base->filePath("programma/build");
        dati = base->filePath("share/kelvaro");
        QVERIFY(QDir().mkpath(applicazione));
    }

    void cleanup() { base.reset(); }

    void creaQuelloCheManca() {
        // Files of the user in the data folder before the first run.
        const QStringList esistenti{"kelvaro.db", "immagini/semaforo_giallo.png"};
        for (const QString& nome : esistenti)
            QVERIFY(ScriviFile(QDir(dati).filePath(nome), "file dell'utente"));

        const auto rapporto = PrimaConfigurazione::Prepara(windows, applicazione, dati);
        QVERIFY2(rapporto.esito.ok(), qPrintable(rapporto.fatto.join('\n')));
        QCOMPARE(rapporto.fatto.last(),
                 QString("Creato il file di configurazione «%1/Kelvaro_2007.ini».").arg(windows));

        // The program's own reading finds the new file and its values.
        QVERIFY(Global::LeggiConfigurazione(windows, applicazione));
        QCOMPARE(QStringList({Global::PercorsoIni, Global::PercorsoDB, Global::PercorsoImmagini,
                              Global::ImgSemRosso, Global::ImgSemGiallo, Global::ImgSemVerde}),
                 QStringList({windows + '/', dati + "/kelvaro.db", dati + "/immagini/",
                              "semaforo_rosso.png", "semaforo_giallo.png", "semaforo_verde.png"}));

        // The user's files are untouched; the pictures are the program's, writable, and the
        // archive is a database (that it is filled is seen where the program imports into it).
        for (const QString nome : {"kelvaro.db", "immagini/semaforo_rosso.png",
                                   "immagini/semaforo_giallo.png", "immagini/semaforo_verde.png"}) {
            const QString percorso = QDir(dati).filePath(nome);
            if (esistenti.contains(nome))
                QCOMPARE(LeggiFile(percorso), QByteArray("file dell'utente"));
            else if (nome.endsWith(".png"))
                QVERIFY(LeggiFile(percorso) == LeggiFile(":/" + nome) &&
                        QFileInfo(percorso).permissions().testFlag(QFile::WriteOwner));
            else
                QVERIFY(LeggiFile(percorso).startsWith("SQLite format 3"));
        }
    }

    void configurazioneGiaPresente() {
        // Found beside the program (where it is looked for last), it is left alone.
        const QString file = "programma/Ini/Kelvaro_2007.ini";
        ScriviFile(base->filePath(file), "[Percorsi]\nDB=/altrove/mio.db\n");
        const auto rapporto = PrimaConfigurazione::Prepara(windows, applicazione, dati);
        QVERIFY(rapporto.esito.ok());
        QCOMPARE(rapporto.fatto, QStringList({QString("Il file di configurazione «%1» esiste già: "
                                                      "non è stato cambiato nulla.")
                                                  .arg(base->filePath(file))}));
        // Nothing is created or changed.
        QCOMPARE(LeggiFile(base->filePath(file)), QByteArray("[Percorsi]\nDB=/altrove/mio.db\n"));
        QVERIFY(!QFileInfo::exists(windows + "/Kelvaro_2007.ini"));
        QVERIFY(!QFileInfo::exists(dati));
    }

    void erroreNonScriveLaConfigurazione() {
        // A file where the data folder should be: nothing can be created under it.
        ScriviFile(dati, {});
        const auto rapporto = PrimaConfigurazione::Prepara(windows, applicazione, dati);
        QVERIFY(!rapporto.esito.ok());
        QCOMPARE(rapporto.esito.errore().descrizione,
                 QString("Impossibile creare la cartella «%1».").arg(dati));
        // Without a configuration file the next run tries again.
        QVERIFY(!QFileInfo::exists(windows + "/Kelvaro_2007.ini"));
    }
};

QTEST_GUILESS_MAIN(TPrimaConfigurazione)
#include "tst_primaConfigurazione.moc"
