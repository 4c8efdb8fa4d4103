#include "app/Configurazione.h"
#include "app/Global.h"
#include "app/LettoreIni.h"
#include "app/PrimaConfigurazione.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"

#include <QtTest>

// The first-run preparation, in temporary folders standing for ~/.config, the program's folder
// and ~/.local/share/kelvaro: it creates what is missing and never touches what exists.
class TPrimaConfigurazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void creaQuelloCheManca_data();
    void creaQuelloCheManca();
    void secondoAvvioNonCambiaNulla();
    void configurazioneGiaPresente_data();
    void configurazioneGiaPresente();
    void erroreNonScriveLaConfigurazione();

private:
    PrimaConfigurazione::Rapporto prepara() {
        return PrimaConfigurazione::Prepara(windows, applicazione, dati);
    }
    // Every file under the temporary folder with its content.
    QMap<QString, QByteArray> istantanea() const;
    qint64 comuniNellArchivio(const QString& percorso);

    std::unique_ptr<QTemporaryDir> base;
    QString windows;
    QString applicazione;
    QString dati;
};

void TPrimaConfigurazione::init() {
    Global::Azzera();
    base = std::make_unique<QTemporaryDir>();
    QVERIFY(base->isValid());
    windows = base->filePath("config");
    applicazione = base->filePath("programma/build");
    dati = base->filePath("share/kelvaro");
    QVERIFY(QDir().mkpath(applicazione));
}

void TPrimaConfigurazione::cleanup() {
    Archivio::Chiudi("Verifica");
    base.reset();
}

QMap<QString, QByteArray> TPrimaConfigurazione::istantanea() const {
    QMap<QString, QByteArray> file;
    QDirIterator voci(base->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (voci.hasNext()) {
        QFile voce(voci.next());
        if (voce.open(QIODevice::ReadOnly))
            file.insert(voce.fileName(), voce.readAll());
    }
    return file;
}

qint64 TPrimaConfigurazione::comuniNellArchivio(const QString& percorso) {
    if (!Archivio::Apri("Verifica", percorso).ok())
        return -1;
    qint64 numero = -1;
    {
        Istruzione conta(Archivio::Maniglia("Verifica"), "SELECT count(*) FROM Comuni");
        if (conta.passo())
            numero = conta.intero(0);
    }
    Archivio::Chiudi("Verifica");
    return numero;
}

void TPrimaConfigurazione::creaQuelloCheManca_data() {
    // Files that exist before the first run, relative to the data folder, with their content.
    QTest::addColumn<QStringList>("esistenti");
    QTest::newRow("nulla") << QStringList();
    QTest::newRow("cartella dei dati vuota") << QStringList{"immagini/"};
    QTest::newRow("un'immagine dell'utente") << QStringList{"immagini/semaforo_giallo.png"};
    QTest::newRow("archivio dell'utente") << QStringList{"kelvaro.db"};
    QTest::newRow("tutto tranne la configurazione")
        << QStringList{"kelvaro.db", "immagini/semaforo_rosso.png", "immagini/semaforo_giallo.png",
                       "immagini/semaforo_verde.png"};
}

void TPrimaConfigurazione::creaQuelloCheManca() {
    QFETCH(QStringList, esistenti);
    for (const QString& nome : esistenti) {
        const QString percorso = QDir(dati).filePath(nome);
        QVERIFY(QDir().mkpath(QFileInfo(percorso).path()));
        if (nome.endsWith('/'))
            continue;
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("file dell'utente " + nome.toUtf8());
    }

    const PrimaConfigurazione::Rapporto rapporto = prepara();
    QVERIFY2(rapporto.esito.ok(), qPrintable(rapporto.fatto.join('\n')));

    const QString ini = windows + "/Kelvaro_2007.ini";
    const QString archivio = dati + "/kelvaro.db";
    const QString immagini = dati + "/immagini/";
    // The user's files are untouched, the others are what the program ships.
    for (const QString nome : {"immagini/semaforo_rosso.png", "immagini/semaforo_giallo.png",
                               "immagini/semaforo_verde.png"}) {
        QFile creato(QDir(dati).filePath(nome));
        QVERIFY2(creato.open(QIODevice::ReadOnly), qPrintable(creato.fileName()));
        QFile risorsa(":/" + nome);
        QVERIFY(risorsa.open(QIODevice::ReadOnly));
        QCOMPARE(creato.readAll(), esistenti.contains(nome) ? "file dell'utente " + nome.toUtf8()
                                                            : risorsa.readAll());
        QVERIFY(creato.permissions().testFlag(QFile::WriteOwner));
    }
    if (esistenti.contains("kelvaro.db")) {
        QFile file(archivio);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("file dell'utente kelvaro.db"));
        QVERIFY(rapporto.fatto.contains(
            QString("L'archivio «%1» esiste già: non viene toccato.").arg(archivio)));
    } else {
        QCOMPARE(comuniNellArchivio(archivio), 7904);
    }
    QCOMPARE(rapporto.fatto.last(), QString("Creato il file di configurazione «%1».").arg(ini));

    // The program's own reading of the configuration finds the new file and its values.
    QVERIFY(Global::LeggiConfigurazione(windows, applicazione));
    QCOMPARE(Global::PercorsoIni, windows + '/');
    QCOMPARE(Global::PercorsoDB, archivio);
    QCOMPARE(Global::PercorsoImmagini, immagini);
    QCOMPARE(Global::ImgSemRosso, QString("semaforo_rosso.png"));
    QCOMPARE(Global::ImgSemGiallo, QString("semaforo_giallo.png"));
    QCOMPARE(Global::ImgSemVerde, QString("semaforo_verde.png"));
    QVERIFY(QFileInfo::exists(Global::PercorsoImmagini + Global::ImgSemVerde));

    // The file reads as the documented one.
    QFile file(ini);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QString("[Percorsi]\n"
                                                        "DB=%1\n"
                                                        "Immagini=%2\n"
                                                        "\n"
                                                        "[ico]\n"
                                                        "SemRosso=semaforo_rosso.png\n"
                                                        "SemGiallo=semaforo_giallo.png\n"
                                                        "SemVerde=semaforo_verde.png\n")
                                                    .arg(archivio, immagini));
}

void TPrimaConfigurazione::secondoAvvioNonCambiaNulla() {
    QVERIFY(prepara().esito.ok());
    const QMap<QString, QByteArray> prima = istantanea();
    QCOMPARE(prima.size(), 5); // configuration, archive and three pictures

    const PrimaConfigurazione::Rapporto secondo = prepara();
    QVERIFY(secondo.esito.ok());
    QCOMPARE(secondo.fatto, QStringList({QString("Il file di configurazione «%1/Kelvaro_2007.ini» "
                                                 "esiste già: non è stato cambiato nulla.")
                                             .arg(windows)}));
    QVERIFY(istantanea() == prima);
}

void TPrimaConfigurazione::configurazioneGiaPresente_data() {
    // Where a configuration file already is, relative to the temporary folder.
    QTest::addColumn<QString>("file");
    QTest::newRow("cartella dell'utente") << "config/Kelvaro_2007.ini";
    QTest::newRow("sottocartella ini del programma") << "programma/build/ini/Kelvaro_2007.ini";
    QTest::newRow("sottocartella INI del programma") << "programma/build/INI/Kelvaro_2007.ini";
    QTest::newRow("Ini accanto al programma") << "programma/Ini/Kelvaro_2007.ini";
}

void TPrimaConfigurazione::configurazioneGiaPresente() {
    QFETCH(QString, file);
    const QString percorso = base->filePath(file);
    QVERIFY(QDir().mkpath(QFileInfo(percorso).path()));
    QFile ini(percorso);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Percorsi]\nDB=/altrove/mio.db\n");
    ini.close();
    const QMap<QString, QByteArray> prima = istantanea();

    const PrimaConfigurazione::Rapporto rapporto = prepara();
    QVERIFY(rapporto.esito.ok());
    QCOMPARE(rapporto.fatto.size(), 1);
    QVERIFY2(rapporto.fatto.front().contains(percorso), qPrintable(rapporto.fatto.front()));
    QVERIFY(!QFileInfo::exists(dati));
    QVERIFY(!QFileInfo::exists(windows + "/Kelvaro_2007.ini") || file.startsWith("config/"));
    QVERIFY(istantanea() == prima);
}

void TPrimaConfigurazione::erroreNonScriveLaConfigurazione() {
    // A file where the data folder should be: nothing can be created under it.
    QVERIFY(QDir().mkpath(QFileInfo(dati).path()));
    QFile ostacolo(dati);
    QVERIFY(ostacolo.open(QIODevice::WriteOnly));
    ostacolo.close();

    const PrimaConfigurazione::Rapporto rapporto = prepara();
    QVERIFY(!rapporto.esito.ok());
    QCOMPARE(rapporto.esito.errore().descrizione,
             QString("Impossibile creare la cartella «%1».").arg(dati));
    // Without a configuration file the next run tries again.
    QVERIFY(!QFileInfo::exists(windows + "/Kelvaro_2007.ini"));
}

QTEST_GUILESS_MAIN(TPrimaConfigurazione)
#include "tst_primaConfigurazione.moc"
