#include "core/Configurazione.h"
#include "core/Global.h"
#include "core/LettoreIni.h"
#include "support/File.h"
#include "support/TabellaCasi.h"

// One value read from a configuration file, as the Windows profile reader reads it.
struct Valore {
    const char* nome;
    QByteArray contenuto;
    QString sezione = "s", chiave = "k";
    QString valore{};
};
Q_DECLARE_METATYPE(Valore)
// clang-format off
const Valore Valori[] = {
    {.nome = "nomi senza maiuscole, accentati", .contenuto = "[CITT\xC3\x80]\nChiave=x\n", .sezione = "città", .chiave = "CHIAVE", .valore = "x"},
    {.nome = "vale solo la prima sezione del nome", .contenuto = "[s]\nj=x\n[s]\nk=y\n", .valore = "-1"},
    {.nome = "spazi attorno, uguale nel valore", .contenuto = " [ s ] \n \t k \t=\t /a b=c.db \t\n", .valore = "/a b=c.db"},
    {.nome = "tra virgolette", .contenuto = "[s]\nk=\" a \"\n", .valore = " a "},
    {.nome = "valore vuoto", .contenuto = "[s]\nk=  \t\n", .valore = "-1"},
    {.nome = "fine riga CRLF e CR", .contenuto = "[s]\r\nj=uno\rk=due\r\n", .valore = "due"},
    {.nome = "BOM e UTF-8", .contenuto = "\xEF\xBB\xBF[s]\nk=citt\xC3\xA0\n", .valore = "città"},
    {.nome = "Windows-1252", .contenuto = "[s]\nk=citt\xE0 \x80\n", .valore = "città €"},
};
// clang-format on

// Where the configuration file is taken to be, under a temporary base holding the Windows
// folder "win" and the application folder "programmi/kelvaro".
struct Ricerca {
    const char* nome;
    QStringList crea; // files written under the base; a name ending in '/' is a folder
    QString trovata;  // the folder taken, under the base; its values are read if the file is there
};
Q_DECLARE_METATYPE(Ricerca)
const QString Ini = "Kelvaro_2007.ini";
const QString App = "programmi/kelvaro/";
const QByteArray Contenuto =
    "[Percorsi]\nDB=//server//a///c.db\nImmagini=/d//i//\n[ico]\nSemRosso=r//.png";
// clang-format off
const Ricerca Ricerche[] = {
    {.nome = "Windows prima", .crea = {"win/" + Ini, App + "ini/" + Ini}, .trovata = "win/"},
    {.nome = "ini in maiuscolo", .crea = {App + "INI/" + Ini}, .trovata = App + "INI/"},
    // Without the file, the folder Ini of the parent in any letter case, not tested.
    {.nome = "ini vuota, INI del genitore", .crea = {App + "ini/", "programmi/INI/"}, .trovata = "programmi/INI/"},
};
// clang-format on

// The configuration file: how one value is read, where the file is looked for and how the paths
// read from it are cleaned (the five values read at start-up are seen in tst_primaConfigurazione).
class TConfigurazione : public QObject {
    Q_OBJECT
private slots:
    void leggiIni_data() { Righe(Valori); }
    void leggiIni() {
        QFETCH(Valore, caso);
        QTemporaryDir cartella;
        QVERIFY(ScriviFile(cartella.filePath(Ini), caso.contenuto));
        QCOMPARE(Global::LeggiIni(cartella.filePath(Ini), caso.sezione, caso.chiave), caso.valore);
    }

    void cercaELeggi_data() { Righe(Ricerche); }
    void cercaELeggi() {
        QFETCH(Ricerca, caso);
        QTemporaryDir base;
        QVERIFY(QDir().mkpath(base.filePath("win")) && QDir().mkpath(base.filePath(App)));
        for (const QString& voce : caso.crea)
            QVERIFY(voce.endsWith('/') ? QDir().mkpath(base.filePath(voce))
                                       : ScriviFile(base.filePath(voce), Contenuto));
        // The Windows folder given with a doubled slash, which the folder found loses too.
        QVERIFY(Global::LeggiConfigurazione(base.path() + "//win", base.filePath(App)));
        QCOMPARE(Global::PercorsoIni, base.filePath(caso.trovata));
        // The two folders lose their doubled slashes but the leading pair of a network path, the
        // names of the pictures keep them; a missing file gives "-1".
        const bool letto = QFileInfo::exists(Global::PercorsoIni + Ini);
        QCOMPARE(Global::PercorsoDB, letto ? "//server/a/c.db" : "-1");
        QCOMPARE(Global::PercorsoImmagini, letto ? "/d/i/" : "-1");
        QCOMPARE(Global::ImgSemRosso, letto ? "r//.png" : "-1");
    }
};

QTEST_GUILESS_MAIN(TConfigurazione)
#include "tst_configurazione.moc"
