#include "core/Configurazione.h"
#include "core/Global.h"
#include "core/LettoreIni.h"
#include "support/File.h"
#include "support/TabellaCasi.h"

// One value read from a configuration file, as the Windows profile reader reads it.
struct Valore {
    const char* nome;
    QByteArray contenuto; // Null: no file
    QString sezione = "s";
    QString chiave = "k";
    QString valore{};
};
Q_DECLARE_METATYPE(Valore)
// clang-format off
const Valore Valori[] = {
    {.nome = "nomi senza maiuscole, accentati", .contenuto = "[CITT\xC3\x80]\nChiave=x\n",
     .sezione = "città", .chiave = "CHIAVE", .valore = "x"},
    {.nome = "file mancante", .contenuto = QByteArray(), .valore = "-1"},
    {.nome = "sezione mancante", .contenuto = "[t]\nk=x\n", .valore = "-1"},
    {.nome = "vale solo la prima sezione del nome", .contenuto = "[s]\nj=x\n[s]\nk=y\n",
     .valore = "-1"},
    {.nome = "spazi attorno, uguale nel valore", .contenuto = " [ s ] \n \t k \t=\t /a b=c.db \t\n",
     .valore = "/a b=c.db"},
    {.nome = "tra virgolette", .contenuto = "[s]\nk=\" a \"\n", .valore = " a "},
    {.nome = "commento", .contenuto = "[s]\n  ;k=x\n", .chiave = ";k", .valore = "-1"},
    {.nome = "valore vuoto", .contenuto = "[s]\nk=  \t\n", .valore = "-1"},
    {.nome = "fine riga CRLF e CR", .contenuto = "[s]\r\nj=uno\rk=due\r\n", .valore = "due"},
    {.nome = "BOM e UTF-8", .contenuto = "\xEF\xBB\xBF[s]\nk=citt\xC3\xA0\n", .valore = "città"},
    {.nome = "Windows-1252", .contenuto = "[s]\nk=citt\xE0 \x80\n", .valore = "città €"},
    {.nome = "tagliato a 2999", .contenuto = "[s]\nk=" + QByteArray(3000, 'x'),
     .valore = QString(2999, u'x')},
};
// clang-format on

// A path as stored after reading.
struct Percorso {
    const char* nome;
    QString letto;
    QString pulito;
};
Q_DECLARE_METATYPE(Percorso)
const Percorso Percorsi[] = {
    {.nome = "percorso di rete", .letto = "//server/share//d/", .pulito = "//server/share/d/"},
    {.nome = "tre barre iniziali", .letto = "///x", .pulito = "//x"},
    {.nome = "un carattere", .letto = "/", .pulito = "/"},
};

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
// clang-format off
const Ricerca Ricerche[] = {
    {.nome = "Windows prima", .crea = {"win/" + Ini, App + "ini/" + Ini}, .trovata = "win/"},
    {.nome = "ini in maiuscolo", .crea = {App + "INI/" + Ini}, .trovata = App + "INI/"},
    // Without the file, the folder Ini of the parent, not tested.
    {.nome = "ini vuota", .crea = {App + "ini/"}, .trovata = "programmi/Ini/"},
    {.nome = "INI del genitore", .crea = {"programmi/INI/"}, .trovata = "programmi/INI/"},
    {.nome = "cartella, non file", .crea = {"win/" + Ini + "/"}, .trovata = "programmi/Ini/"},
};
// clang-format on

// The configuration file: where it is looked for, how one value is read, how paths are cleaned,
// and the five values read at start-up.
class TConfigurazione : public QObject {
    Q_OBJECT
private slots:
    void leggiIni_data() { Righe(Valori); }
    void leggiIni() {
        QFETCH(Valore, caso);
        QTemporaryDir cartella;
        const QString file = cartella.filePath(Ini);
        if (!caso.contenuto.isNull())
            QVERIFY(ScriviFile(file, caso.contenuto));
        QCOMPARE(Global::LeggiIni(file, caso.sezione, caso.chiave), caso.valore);
    }

    void pulisciPercorso_data() { Righe(Percorsi); }
    void pulisciPercorso() {
        QFETCH(Percorso, caso);
        QCOMPARE(Global::PulisciPercorso(caso.letto), caso.pulito);
    }

    void cercaELeggi_data() { Righe(Ricerche); }
    void cercaELeggi() {
        QFETCH(Ricerca, caso);
        QTemporaryDir base;
        QVERIFY(QDir().mkpath(base.filePath("win")) && QDir().mkpath(base.filePath(App)));
        for (const QString& voce : caso.crea)
            QVERIFY(voce.endsWith('/') ? QDir().mkpath(base.filePath(voce))
                                       : ScriviFile(base.filePath(voce),
                                                    "[Percorsi]\nDB=/d//a///c.db\nImmagini=/d//i//"
                                                    "\n[ico]\nSemRosso=r//.png\nSemVerde=v.png"));
        // The Windows folder given with a doubled slash, which the folder found loses too.
        QVERIFY(Global::LeggiConfigurazione(base.path() + "//win", base.filePath(App)));
        QCOMPARE(Global::PercorsoIni, base.filePath(caso.trovata));
        // The two folders lose their doubled slashes, the names of the pictures keep them; a
        // missing file or key is "-1".
        const bool letto = QFileInfo::exists(Global::PercorsoIni + Ini);
        const auto valore = [&](const char* dalFile) { return letto ? dalFile : "-1"; };
        QCOMPARE(Global::PercorsoDB, valore("/d/a/c.db"));
        QCOMPARE(Global::PercorsoImmagini, valore("/d/i/"));
        QCOMPARE(Global::ImgSemRosso, valore("r//.png"));
        QCOMPARE(Global::ImgSemGiallo, "-1");
        QCOMPARE(Global::ImgSemVerde, valore("v.png"));
    }

    void senzaRisposta() {
        // No file and an application folder without a parent.
        QCOMPARE(Global::CercaPercorsoIni(Ini, "/manca", "senza-barra"), QString("-1"));
    }
};

QTEST_GUILESS_MAIN(TConfigurazione)
#include "tst_configurazione.moc"
