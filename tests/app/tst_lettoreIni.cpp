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

class TlettoreIni : public QObject {
    Q_OBJECT

private slots:
    void leggiStringaProfilo_data() {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("sezione");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<int>("buffer");
        QTest::addColumn<QString>("atteso");

        const QByteArray base = "[Percorsi]\nDB=/dati/clima.db\nImmagini=/dati/img/\n"
                                "[ico]\nSemRosso=rosso.png\n";
        QTest::newRow("valore trovato") << base << "Percorsi"
                                        << "DB" << 3000 << "/dati/clima.db";
        QTest::newRow("seconda sezione") << base << "ico"
                                         << "SemRosso" << 3000 << "rosso.png";
        QTest::newRow("sezione e chiave senza maiuscole") << base << "PERCORSI"
                                                          << "immagini" << 3000 << "/dati/img/";
        QTest::newRow("chiave di un'altra sezione") << base << "ico"
                                                    << "DB" << 3000 << "";
        QTest::newRow("sezione mancante") << base << "Altro"
                                          << "DB" << 3000 << "";
        QTest::newRow("chiave mancante") << base << "Percorsi"
                                         << "Manca" << 3000 << "";
        QTest::newRow("file vuoto") << QByteArray() << "Percorsi"
                                    << "DB" << 3000 << "";
        QTest::newRow("nessuna sezione") << QByteArray("DB=/dati/clima.db\n") << "Percorsi"
                                         << "DB" << 3000 << "";
        QTest::newRow("righe prima della sezione ignorate")
            << QByteArray("DB=sbagliato\n[Percorsi]\nDB=giusto\n") << "Percorsi"
            << "DB" << 3000 << "giusto";
        QTest::newRow("chiave doppia: vale la prima")
            << QByteArray("[Percorsi]\nDB=primo\nDB=secondo\n") << "Percorsi"
            << "DB" << 3000 << "primo";
        QTest::newRow("sezione doppia: vale la prima")
            << QByteArray("[Percorsi]\nDB=primo\n[Percorsi]\nDB=secondo\nAltro=x\n") << "Percorsi"
            << "DB" << 3000 << "primo";
        QTest::newRow("sezione doppia: la seconda non si legge")
            << QByteArray("[Percorsi]\nDB=primo\n[Percorsi]\nAltro=x\n") << "Percorsi"
            << "Altro" << 3000 << "";
        QTest::newRow("la sezione finisce alla successiva")
            << QByteArray("[Percorsi]\n[ico]\nDB=x\n") << "Percorsi"
            << "DB" << 3000 << "";
        QTest::newRow("spazi attorno a uguale e nomi")
            << QByteArray("  [ Percorsi ]  \n \t DB \t=\t /dati/a b.db \t\n") << "Percorsi"
            << "DB" << 3000 << "/dati/a b.db";
        QTest::newRow("testo dopo la parentesi chiusa")
            << QByteArray("[Percorsi] commento\nDB=x\n") << "Percorsi"
            << "DB" << 3000 << "x";
        QTest::newRow("sezione senza parentesi chiusa")
            << QByteArray("[Percorsi\nDB=x\n") << "Percorsi"
            << "DB" << 3000 << "x";
        QTest::newRow("nome di sezione fino all'ultima parentesi")
            << QByteArray("[a]b]\nDB=x\n") << "a]b"
            << "DB" << 3000 << "x";
        QTest::newRow("uguale nel valore") << QByteArray("[s]\nk=a=b\n") << "s"
                                           << "k" << 3000 << "a=b";
        QTest::newRow("virgolette doppie tolte") << QByteArray("[s]\nk=\" a \"\n") << "s"
                                                 << "k" << 3000 << " a ";
        QTest::newRow("apici tolti") << QByteArray("[s]\nk='x'\n") << "s"
                                     << "k" << 3000 << "x";
        QTest::newRow("virgolette diverse restano") << QByteArray("[s]\nk=\"x'\n") << "s"
                                                    << "k" << 3000 << "\"x'";
        QTest::newRow("una virgoletta sola resta") << QByteArray("[s]\nk=\"\n") << "s"
                                                   << "k" << 3000 << "\"";
        QTest::newRow("due virgolette: vuoto") << QByteArray("[s]\nk=\"\"\n") << "s"
                                               << "k" << 3000 << "";
        QTest::newRow("virgoletta solo all'inizio") << QByteArray("[s]\nk=\"abc\n") << "s"
                                                    << "k" << 3000 << "\"abc";
        QTest::newRow("commento ignorato") << QByteArray("[s]\n;k=commento\nk=valore\n") << "s"
                                           << "k" << 3000 << "valore";
        QTest::newRow("commento rientrato ignorato") << QByteArray("[s]\n  ;k=commento\n") << "s"
                                                     << "k" << 3000 << "";
        QTest::newRow("riga senza uguale: valore vuoto") << QByteArray("[s]\nk\nk=dopo\n") << "s"
                                                         << "k" << 3000 << "";
        QTest::newRow("valore vuoto") << QByteArray("[s]\nk=\n") << "s"
                                      << "k" << 3000 << "";
        QTest::newRow("fine riga CRLF") << QByteArray("[s]\r\nk=uno\r\nj=due\r\n") << "s"
                                        << "k" << 3000 << "uno";
        QTest::newRow("fine riga CR") << QByteArray("[s]\rk=uno\rj=due\r") << "s"
                                      << "j" << 3000 << "due";
        QTest::newRow("ultima riga senza a capo") << QByteArray("[s]\nk=fine") << "s"
                                                  << "k" << 3000 << "fine";
        QTest::newRow("righe vuote") << QByteArray("\n\n[s]\n\n\r\n\nk=x\n\n") << "s"
                                     << "k" << 3000 << "x";
        QTest::newRow("BOM UTF-8") << QByteArray("\xEF\xBB\xBF[s]\nk=x\n") << "s"
                                   << "k" << 3000 << "x";
        QTest::newRow("UTF-8 accentato") << QByteArray("[s]\nk=citt\xC3\xA0\n") << "s"
                                         << "k" << 3000 << QString::fromUtf8("città");
        QTest::newRow("Latin-1 accentato") << QByteArray("[s]\nk=citt\xE0\n") << "s"
                                           << "k" << 3000 << QString::fromUtf8("città");
        QTest::newRow("Windows-1252 euro") << QByteArray("[s]\nk=\x80 5\n") << "s"
                                           << "k" << 3000 << QString::fromUtf8("€ 5");
        QTest::newRow("sezione accentata senza maiuscole")
            << QByteArray("[CITT\xC3\x80]\nk=x\n") << QString::fromUtf8("città") << "k" << 3000
            << "x";
        QTest::newRow("byte nulli prima della sezione") << Byte("\0\0\x01\xFF\n[s]\nk=x\n") << "s"
                                                        << "k" << 3000 << "x";
        QTest::newRow("byte nullo nel valore lo tronca") << Byte("[s]\nk=ab\0cd\n") << "s"
                                                         << "k" << 3000 << "ab";
        QTest::newRow("byte nullo in un'altra chiave") << Byte("[s]\nj\0=1\nk=x\n") << "s"
                                                       << "k" << 3000 << "x";
        QTest::newRow("valore lungo tagliato a 2999")
            << (QByteArray("[s]\nk=") + QByteArray(5000, 'x') + "\n") << "s"
            << "k" << 3000 << QString(2999, u'x');
        QTest::newRow("valore di 2999 intero")
            << (QByteArray("[s]\nk=") + QByteArray(2999, 'y') + "\n") << "s"
            << "k" << 3000 << QString(2999, u'y');
        QTest::newRow("buffer piccolo") << QByteArray("[s]\nk=abcdef\n") << "s"
                                        << "k" << 4 << "abc";
        QTest::newRow("buffer di un carattere") << QByteArray("[s]\nk=abc\n") << "s"
                                                << "k" << 1 << "";
        QTest::newRow("taglio dopo le virgolette") << QByteArray("[s]\nk=\"abcdef\"\n") << "s"
                                                   << "k" << 4 << "abc";
        QTest::newRow("riga molto lunga prima")
            << (QByteArray("[s]\nz=") + QByteArray(200000, 'z') + "\nk=x\n") << "s"
            << "k" << 3000 << "x";
    }

    void leggiStringaProfilo() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, sezione);
        QFETCH(QString, chiave);
        QFETCH(int, buffer);
        QFETCH(QString, atteso);
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString file = cartella.filePath(NomeIni);
        QVERIFY(ScriviFile(file, contenuto));
        QCOMPARE(Global::LeggiStringaProfilo(file, sezione, chiave, buffer), atteso);
    }

    void leggiStringaProfiloSenzaFile() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        QCOMPARE(Global::LeggiStringaProfilo(cartella.filePath(NomeIni), "s", "k", 3000),
                 QString());
        // A folder in place of the file reads as a missing file.
        QCOMPARE(Global::LeggiStringaProfilo(cartella.path(), "s", "k", 3000), QString());
    }

    void leggiIni_data() {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("valore") << QByteArray("[s]\nk=abc\n") << "k"
                                << "abc";
        QTest::newRow("valore vuoto") << QByteArray("[s]\nk=\n") << "k"
                                      << "-1";
        QTest::newRow("solo spazi") << QByteArray("[s]\nk=   \n") << "k"
                                    << "-1";
        QTest::newRow("virgolette vuote") << QByteArray("[s]\nk=\"\"\n") << "k"
                                          << "-1";
        QTest::newRow("chiave mancante") << QByteArray("[s]\nk=abc\n") << "j"
                                         << "-1";
        QTest::newRow("valore -1 scritto") << QByteArray("[s]\nk=-1\n") << "k"
                                           << "-1";
        QTest::newRow("lungo tagliato a 2999")
            << (QByteArray("[s]\nk=") + QByteArray(3000, 'x')) << "k" << QString(2999, u'x');
    }

    void leggiIni() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, chiave);
        QFETCH(QString, atteso);
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString file = cartella.filePath(NomeIni);
        QVERIFY(ScriviFile(file, contenuto));
        QCOMPARE(Global::LeggiIni(file, "s", chiave), atteso);
    }

    void leggiIniFileMancante() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        QCOMPARE(Global::LeggiIni(cartella.filePath(NomeIni), "s", "k"), QStringLiteral("-1"));
    }

    // Every call reads the file again: a change between two readings is seen.
    void leggiIniRileggeIlFile() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString file = cartella.filePath(NomeIni);
        QVERIFY(ScriviFile(file, "[s]\nk=prima\n"));
        QCOMPARE(Global::LeggiIni(file, "s", "k"), QStringLiteral("prima"));
        QVERIFY(ScriviFile(file, "[s]\nk=dopo\n"));
        QCOMPARE(Global::LeggiIni(file, "s", "k"), QStringLiteral("dopo"));
    }

    void pulisciPercorso_data() {
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("barre doppie e triple") << "/home//u///x/"
                                               << "/home/u/x/";
        QTest::newRow("percorso di rete") << "//server/share//data/"
                                          << "//server/share/data/";
        QTest::newRow("percorso di rete pulito") << "//server/share/"
                                                 << "//server/share/";
        QTest::newRow("tre barre iniziali") << "///x"
                                            << "//x";
        QTest::newRow("doppia barra finale") << "/dati//"
                                             << "/dati/";
        QTest::newRow("un carattere") << "a"
                                      << "a";
        QTest::newRow("una barra") << "/"
                                   << "/";
        QTest::newRow("due barre") << "//"
                                   << "//";
        QTest::newRow("vuoto") << ""
                               << "";
        QTest::newRow("già pulito") << "/dati/clima.db"
                                    << "/dati/clima.db";
        QTest::newRow("primo carattere non barra") << "a//b"
                                                   << "a/b";
        QTest::newRow("-1") << "-1"
                            << "-1";
    }

    void pulisciPercorso() {
        QFETCH(QString, percorso);
        QFETCH(QString, atteso);
        QCOMPARE(Global::PulisciPercorso(percorso), atteso);
    }

    void cercaPercorsoIni_data() {
        // Folders under a temporary base B: the Windows folder B/win, the programs folder
        // B/programmi and the application folder B/programmi/kelvaro. In the expected result
        // {W}, {A} and {P} stand for the Windows, application and parent folder.
        QTest::addColumn<bool>("fileInWindows");
        QTest::addColumn<QString>("sottocartellaApp");
        QTest::addColumn<bool>("fileInApp");
        QTest::addColumn<QString>("sottocartellaGenitore");
        QTest::addColumn<bool>("barraFinale");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("Windows vince su ini") << true << "ini" << true << "" << false << "{W}/";
        QTest::newRow("Windows con barra finale") << true << "" << false << "" << true << "{W}/";
        QTest::newRow("solo ini dell'applicazione")
            << false << "ini" << true << "" << false << "{A}/ini/";
        QTest::newRow("solo INI dell'applicazione")
            << false << "INI" << true << "" << false << "{A}/INI/";
        QTest::newRow("solo Ini dell'applicazione, barra finale")
            << false << "Ini" << true << "" << true << "{A}/Ini/";
        QTest::newRow("ini senza file: cartella superiore")
            << false << "ini" << false << "" << false << "{P}/Ini/";
        QTest::newRow("nessun file: Ini mancante")
            << false << "" << false << "" << false << "{P}/Ini/";
        QTest::newRow("nessun file, barra finale: stesso genitore")
            << false << "" << false << "" << true << "{P}/Ini/";
        QTest::newRow("nessun file: ini esistente del genitore")
            << false << "" << false << "ini" << false << "{P}/ini/";
        QTest::newRow("nessun file: INI esistente del genitore")
            << false << "" << false << "INI" << false << "{P}/INI/";
    }

    void cercaPercorsoIni() {
        QFETCH(bool, fileInWindows);
        QFETCH(QString, sottocartellaApp);
        QFETCH(bool, fileInApp);
        QFETCH(QString, sottocartellaGenitore);
        QFETCH(bool, barraFinale);
        QFETCH(QString, atteso);

        QTemporaryDir base;
        QVERIFY(base.isValid());
        const QString windows = base.filePath("win");
        const QString genitore = base.filePath("programmi");
        const QString applicazione = genitore + "/kelvaro";
        QVERIFY(QDir().mkpath(windows));
        QVERIFY(QDir().mkpath(applicazione));
        if (fileInWindows)
            QVERIFY(ScriviFile(windows + "/" + NomeIni, "[s]\n"));
        if (!sottocartellaApp.isEmpty()) {
            QVERIFY(QDir().mkpath(applicazione + "/" + sottocartellaApp));
            if (fileInApp)
                QVERIFY(ScriviFile(applicazione + "/" + sottocartellaApp + "/" + NomeIni, "[s]\n"));
        }
        if (!sottocartellaGenitore.isEmpty())
            QVERIFY(QDir().mkpath(genitore + "/" + sottocartellaGenitore));

        const QString barra = barraFinale ? "/" : "";
        const QString trovato =
            Global::CercaPercorsoIni(NomeIni, windows + barra, applicazione + barra);
        atteso.replace("{W}", windows).replace("{A}", applicazione).replace("{P}", genitore);
        QCOMPARE(Global::PulisciPercorso(trovato), atteso);
    }

    void cercaPercorsoIniCasiLimite() {
        QTemporaryDir base;
        QVERIFY(base.isValid());
        const QString windows = base.filePath("win");
        const QString applicazione = base.filePath("kelvaro");
        // A folder with the file's name is not the file.
        QVERIFY(QDir().mkpath(windows + "/" + NomeIni));
        QVERIFY(QDir().mkpath(applicazione + "/ini/" + NomeIni));
        QCOMPARE(Global::CercaPercorsoIni(NomeIni, windows, applicazione), base.path() + "/Ini/");
        // Missing Windows folder and an application folder without a slash: no answer.
        QCOMPARE(Global::CercaPercorsoIni(NomeIni, base.filePath("manca"), "kelvaro-senza-barra"),
                 QStringLiteral("-1"));
        QCOMPARE(Global::CercaPercorsoIni(NomeIni, QString(), QString()), QStringLiteral("-1"));
    }
};

QTEST_GUILESS_MAIN(TlettoreIni)
#include "tst_lettoreIni.moc"
