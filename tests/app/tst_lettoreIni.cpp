#include "app/LettoreIni.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString NomeIni = QStringLiteral("Kelvaro_2007.ini");

bool ScriviFile(const QString& percorso, const QByteArray& contenuto) {
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(contenuto) == contenuto.size();
}

// The bytes of a literal, NUL bytes included.
template <std::size_t N> QByteArray Byte(const char (&testo)[N]) {
    return QByteArray(testo, static_cast<qsizetype>(N - 1));
}

} // namespace

// The configuration file is read as the Windows profile reader reads it.
class TlettoreIni : public QObject {
    Q_OBJECT

private slots:
    void leggiStringaProfilo_data() {
        // The key is looked for in section "s" unless the row says otherwise; with the full
        // buffer of 3000 characters LeggiIni must give the same value, or "-1" for an empty one.
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("sezione");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<int>("buffer");
        QTest::addColumn<QString>("atteso");
        const QString s = "s";
        const QString k = "k";
        QTest::newRow("valore") << QByteArray("[s]\nk=abc\n") << s << k << 3000 << "abc";
        QTest::newRow("nomi senza maiuscole, anche accentati")
            << QByteArray("[CITT\xC3\x80]\nChiave=x\n") << QString::fromUtf8("città") << "CHIAVE"
            << 3000 << "x";
        QTest::newRow("sezione mancante") << QByteArray("[s]\nk=x\n") << "t" << k << 3000 << "";
        QTest::newRow("chiave mancante") << QByteArray("[s]\nj=x\n") << s << k << 3000 << "";
        QTest::newRow("la sezione finisce alla successiva")
            << QByteArray("[s]\n[t]\nk=x\n") << s << k << 3000 << "";
        QTest::newRow("righe prima di ogni sezione, righe vuote")
            << QByteArray("\n\nk=prima\n\n[s]\n\nk=dopo\n\n") << s << k << 3000 << "dopo";
        QTest::newRow("chiave doppia: vale la prima")
            << QByteArray("[s]\nk=primo\nk=secondo\n") << s << k << 3000 << "primo";
        QTest::newRow("sezione doppia: la seconda non si legge")
            << QByteArray("[s]\nj=primo\n[s]\nk=secondo\n") << s << k << 3000 << "";
        QTest::newRow("riga senza uguale: valore vuoto")
            << QByteArray("[s]\nk\nk=dopo\n") << s << k << 3000 << "";
        QTest::newRow("spazi attorno, uguale nel valore")
            << QByteArray("  [ s ]  \n \t k \t=\t /a b=c.db \t\n") << s << k << 3000 << "/a b=c.db";
        QTest::newRow("nome di sezione fino all'ultima parentesi, testo dopo")
            << QByteArray("[ a]b ] commento\nk=x\n") << "a]b" << k << 3000 << "x";
        QTest::newRow("sezione senza parentesi chiusa")
            << QByteArray("[s\nk=x\n") << s << k << 3000 << "x";
        QTest::newRow("commento rientrato")
            << QByteArray("[s]\n  ;k=x\n") << s << ";k" << 3000 << "";
        QTest::newRow("valore vuoto") << QByteArray("[s]\nk=\n") << s << k << 3000 << "";
        QTest::newRow("solo spazi") << QByteArray("[s]\nk=  \t\n") << s << k << 3000 << "";
        QTest::newRow("virgolette doppie tolte, spazi dentro restano")
            << QByteArray("[s]\nk=\" a \"\n") << s << k << 3000 << " a ";
        QTest::newRow("apici tolti") << QByteArray("[s]\nk='x'\n") << s << k << 3000 << "x";
        QTest::newRow("virgolette vuote") << QByteArray("[s]\nk=\"\"\n") << s << k << 3000 << "";
        QTest::newRow("virgolette diverse restano")
            << QByteArray("[s]\nk=\"x'\n") << s << k << 3000 << "\"x'";
        QTest::newRow("una virgoletta sola resta")
            << QByteArray("[s]\nk=\"\n") << s << k << 3000 << "\"";
        QTest::newRow("fine riga CRLF e CR")
            << QByteArray("[s]\r\nj=uno\rk=due\r\n") << s << k << 3000 << "due";
        QTest::newRow("BOM e UTF-8") << QByteArray("\xEF\xBB\xBF[s]\nk=citt\xC3\xA0\n") << s << k
                                     << 3000 << QString::fromUtf8("città");
        QTest::newRow("UTF-8 senza BOM")
            << QByteArray("[s]\nk=citt\xC3\xA0\n") << s << k << 3000 << QString::fromUtf8("città");
        QTest::newRow("Latin-1 e Windows-1252") << QByteArray("[s]\nk=citt\xE0 \x80\n") << s << k
                                                << 3000 << QString::fromUtf8("città €");
        // The value travels as a C string: a NUL byte ends it.
        QTest::newRow("byte binari e nulli")
            << Byte("\0\x01\xFF\n[s]\nj\0=1\nk=ab\0cd\n") << s << k << 3000 << "ab";
        // Also after a very long line, and in the last line without a line end.
        QTest::newRow("tagliato a 2999")
            << (QByteArray("[s]\nz=") + QByteArray(200000, 'z') + "\nk=" + QByteArray(3000, 'x'))
            << s << k << 3000 << QString(2999, u'x');
        QTest::newRow("tagliato dopo le virgolette")
            << QByteArray("[s]\nk=\"abcdef\"\n") << s << k << 4 << "abc";
        QTest::newRow("buffer di un carattere") << QByteArray("[s]\nk=abc\n") << s << k << 1 << "";
    }

    void leggiStringaProfilo() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, sezione);
        QFETCH(QString, chiave);
        QFETCH(int, buffer);
        QFETCH(QString, atteso);
        QTemporaryDir cartella;
        const QString file = cartella.filePath(NomeIni);
        QVERIFY(ScriviFile(file, contenuto));
        QCOMPARE(Global::LeggiStringaProfilo(file, sezione, chiave, buffer), atteso);
        if (buffer == 3000)
            QCOMPARE(Global::LeggiIni(file, sezione, chiave), atteso.isEmpty() ? "-1" : atteso);
    }

    void fileMancanteOCartella() {
        QTemporaryDir cartella;
        QCOMPARE(Global::LeggiIni(cartella.filePath(NomeIni), "s", "k"), QString("-1"));
        QCOMPARE(Global::LeggiIni(cartella.path(), "s", "k"), QString("-1"));
    }

    void ogniLetturaRileggeIlFile() {
        QTemporaryDir cartella;
        const QString file = cartella.filePath(NomeIni);
        QVERIFY(ScriviFile(file, "[s]\nk=prima\n"));
        QCOMPARE(Global::LeggiIni(file, "s", "k"), QString("prima"));
        QVERIFY(ScriviFile(file, "[s]\nk=dopo\n"));
        QCOMPARE(Global::LeggiIni(file, "s", "k"), QString("dopo"));
    }

    void pulisciPercorso_data() {
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("barre doppie e triple") << "/home//u///x/" << QString("/home/u/x/");
        QTest::newRow("percorso di rete")
            << "//server/share//data/" << QString("//server/share/data/");
        QTest::newRow("tre barre iniziali") << "///x" << QString("//x");
        QTest::newRow("primo carattere non barra") << "a//b" << QString("a/b");
        QTest::newRow("vuoto") << "" << QString("");
    }

    void pulisciPercorso() {
        QFETCH(QString, percorso);
        QFETCH(QString, atteso);
        QCOMPARE(Global::PulisciPercorso(percorso), atteso);
    }

    void cercaPercorsoIni_data() {
        // Under a temporary base: the Windows folder win, the application folder
        // programmi/kelvaro, given with a final slash or not. In the expected folder {W}, {A}
        // and {P} stand for the Windows, application and parent folder.
        QTest::addColumn<QStringList>("crea"); // files, or folders when ending with '/'
        QTest::addColumn<bool>("barraFinale");
        QTest::addColumn<QString>("atteso");
        const QString app = "programmi/kelvaro/";
        QTest::newRow("Windows vince su ini")
            << QStringList{"win/" + NomeIni, app + "ini/" + NomeIni} << false << "{W}/";
        QTest::newRow("ini dell'applicazione in maiuscolo")
            << QStringList{app + "INI/" + NomeIni} << true << "{A}/INI/";
        QTest::newRow("ini senza file: Ini del genitore, senza verifica")
            << QStringList{app + "ini/"} << true << "{P}/Ini/";
        QTest::newRow("ini del genitore scritto come esiste")
            << QStringList{"programmi/INI/"} << false << "{P}/INI/";
        QTest::newRow("una cartella col nome del file non è il file")
            << QStringList{"win/" + NomeIni + "/", app + "ini/" + NomeIni + "/"} << false
            << "{P}/Ini/";
    }

    void cercaPercorsoIni() {
        QFETCH(QStringList, crea);
        QFETCH(bool, barraFinale);
        QFETCH(QString, atteso);
        QTemporaryDir base;
        QVERIFY(QDir().mkpath(base.filePath("win")) &&
                QDir().mkpath(base.filePath("programmi/kelvaro")));
        for (const QString& voce : crea) {
            QVERIFY(QDir().mkpath(QFileInfo(base.filePath(voce)).path()));
            QVERIFY(voce.endsWith('/') ? QDir().mkpath(base.filePath(voce))
                                       : ScriviFile(base.filePath(voce), "[s]\n"));
        }
        const QString barra = barraFinale ? "/" : "";
        const QString trovato = Global::CercaPercorsoIni(
            NomeIni, base.filePath("win") + barra, base.filePath("programmi/kelvaro") + barra);
        atteso.replace("{W}", base.filePath("win"))
            .replace("{A}", base.filePath("programmi/kelvaro"))
            .replace("{P}", base.filePath("programmi"));
        QCOMPARE(Global::PulisciPercorso(trovato), atteso);
    }

    void cercaPercorsoIniSenzaRisposta() {
        // No file and an application folder without a parent.
        QCOMPARE(Global::CercaPercorsoIni(NomeIni, "/manca", "kelvaro-senza-barra"), QString("-1"));
        QCOMPARE(Global::CercaPercorsoIni(NomeIni, QString(), QString()), QString("-1"));
    }
};

QTEST_GUILESS_MAIN(TlettoreIni)
#include "tst_lettoreIni.moc"
