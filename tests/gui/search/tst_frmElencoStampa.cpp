#include "core/print/IntestazioneStampa.h"
#include "gui/SceltaFile.h"
#include "gui/preview/AnteprimaElenco.h"
#include "gui/search/FinestraElencoProva.h"

#include <QAction>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>

// The print command: the criteria stored as the header row, the preview and its commands.
class TFrmElencoStampa : public QObject, public ServizioSceltaFile {
    Q_OBJECT

    QString prossimoFile; // the answer of the file choice
    QString fileDaSalvare(QWidget*, const QString&, const QString&, const QString&) override {
        return prossimoFile;
    }

    static inline const char* const Intervalli[5][4] = {
        {"ChkAltitudC", "txtAltitudMinC", "txtAltitudMaxC", "Altitudine"},
        {"ChkGGiornoC", "txtGGiornoMinC", "txtGGiornoMaxC", "GradiGiorno"},
        {"ChkLatitudC", "txtLatitudMinC", "txtLatitudMaxC", "Latitudine"},
        {"ChkLongitudC", "txtLongitudMinC", "txtLongitudMaxC", "Longitudine"},
        {"chkIrraC", "txtIrraMinC", "txtIrraMaxC", "Irradianza"}};

    // Comune, Prov, Zona, the four columns of each range and NumRec, as stored.
    static QStringList Riga(ArchivioProva& archivio) {
        QString colonne = "Comune||'|'||Prov||'|'||Zona";
        for (const auto& intervallo : Intervalli)
            for (const char* suffisso : {"MinEt", "Min", "MaxEt", "Max"})
                colonne += QString("||'|'||") + intervallo[3] + suffisso;
        colonne = "SELECT " + colonne + "||'|'||NumRec FROM RicComuni";
        return archivio.testi(colonne).value(0).split('|');
    }

private slots:
    void initTestCase() { ImpostaServizioSceltaFile(this); }
    void cleanupTestCase() { ImpostaServizioSceltaFile(nullptr); }

    // Filters "comune|prov|range (0-4)|its check state (0-2)|min|max", then "=" and Comune, Prov
    // and the range's four columns; every other range stays empty.
    void caricaComxRic_data() {
        QTest::addColumn<QString>("caso"); // filters=expected
        QTest::newRow("testi") << "  Ro |rm|0|0||=Ro*|rm||||";
        QTest::newRow("compresa") << "||0|2| 200 |600 =||compresa tra|200|e|600";
        QTest::newRow("minimo") << "||1|2|2000|=||maggiore o uguale a|2000||";
        QTest::newRow("massimo") << "||2|2||45=||minore o uguale a|45||";
        QTest::newRow("vuoto") << "||3|2| |=||||||";
        QTest::newRow("non spuntato") << "||4|0|1|2=||||||";
        QTest::newRow("grigio") << "||0|1|1|2=||||||";
        QTest::newRow("come scritto") << "||4|2|1,5e3|abc=||compresa tra|1,5e3|e|abc";
    }
    void caricaComxRic() {
        QFETCH(QString, caso);
        const QStringList f = caso.section('=', 0, 0).split('|');
        const QStringList a = caso.section('=', 1).split('|');
        FinestraElencoProva prova;
        prova.w<QLineEdit>("txtComuneC")->setText(f[0]);
        prova.w<QLineEdit>("txtProvC")->setText(f[1]);
        prova.w<QLineEdit>("txtZonaC")->setText("e");
        const int n = f[2].toInt();
        prova.w<QCheckBox>(Intervalli[n][0])->setCheckState(Qt::CheckState(f[3].toInt()));
        prova.w<QLineEdit>(Intervalli[n][1])->setText(f[4]);
        prova.w<QLineEdit>(Intervalli[n][2])->setText(f[5]);
        // Printing twice replaces the row.
        QVERIFY(prova.finestra().CaricaComxRic() && prova.finestra().CaricaComxRic());
        QCOMPARE(prova.archivio.conta("RicComuni"), 1);
        QStringList riga = QStringList{a[0], a[1], "e"} + QStringList(20, QString()) << "10 Comuni";
        for (int i = 0; i < 4; ++i)
            riga[3 + 4 * n + i] = a[2 + i];
        QCOMPARE(Riga(prova.archivio), riga);
        QVERIFY(prova.messaggi.mostrati().isEmpty());
    }

    // The count from the list of the last search: its size, its first name, the text ("" for
    // an error).
    void numRec_data() {
        QTest::addColumn<QStringList>("caso");
        QTest::newRow("nessuna ricerca") << QStringList{"0", "", ""};
        QTest::newRow("risultato vuoto") << QStringList{"1", " ", "0 Comuni"};
        QTest::newRow("uno") << QStringList{"1", "RHO", "1 Comune"};
        QTest::newRow("due") << QStringList{"2", "RHO", "2 Comuni"};
    }
    void numRec() {
        QFETCH(QStringList, caso);
        QCOMPARE(Stampa::TestoNumRec(caso[0].toInt(), caso[1]).valoreOppure(QString()), caso[2]);
    }

    // The print button stores the header row and shows the preview of the list just found. A
    // failed write keeps the previous header row, says why once and shows no preview.
    void stampa_data() {
        QTest::addColumn<QString>("guasto");
        QTest::newRow("nessun guasto") << "";
        QTest::newRow("archivio bloccato") << "BEGIN IMMEDIATE";
        QTest::newRow("riga rifiutata")
            << "CREATE TRIGGER rifiuta BEFORE INSERT ON RicComuni WHEN NEW.Comune = 'MI*' "
               "BEGIN SELECT RAISE(ABORT, 'riga rifiutata'); END";
    }
    void stampa() {
        QFETCH(QString, guasto);
        FinestraElencoProva prova;
        prova.w<QLineEdit>("txtComuneC")->setText("RO");
        QVERIFY(prova.finestra().CaricaComxRic());
        prova.w<QLineEdit>("txtComuneC")->setText("MI");
        QVERIFY(guasto.isEmpty() || prova.archivio.esegui(guasto));
        int pagine = 0;
        QTimer anteprima; // reads and closes the preview
        connect(&anteprima, &QTimer::timeout, [&] {
            if (auto* f = qobject_cast<AnteprimaElenco*>(QApplication::activeModalWidget())) {
                pagine = f->anteprima()->pageCount();
                f->findChild<QAction*>("cmdChiudi")->trigger();
            }
        });
        anteprima.start(50);
        QTest::mouseClick(prova.w<QPushButton>("cmdStampa"), Qt::LeftButton);
        QCOMPARE(pagine, guasto.isEmpty() ? 1 : 0);
        QCOMPARE(prova.messaggi.mostrati().size(), guasto.isEmpty() ? 0 : 1);
        prova.archivio.esegui("ROLLBACK");
        QCOMPARE(prova.archivio.testi("SELECT Comune FROM RicComuni"),
                 QStringList{guasto.isEmpty() ? "MI*" : "RO*"});
    }

    // Navigation, export to PDF and printing without a printer.
    void comandi() {
        Report::DatiReport dati{{"NumRec"}, {"Comune"}, {{{"46 Comuni"}, {}}}};
        dati.gruppi[0].righe.fill({"RHO"}, 46);
        MessaggiRegistrati messaggi;
        AnteprimaElenco finestra(dati);
        finestra.show();
        auto comando = [&](const char* nome) { finestra.findChild<QAction*>(nome)->trigger(); };
        QTRY_COMPARE(finestra.anteprima()->pageCount(), 3);
        comando("cmdUltimaPagina");
        comando("cmdPaginaPrecedente");
        QCOMPARE(finestra.findChild<QLabel*>("lblPagina")->text(), QString("Pagina 2 di 3"));
        comando("cmdPrimaPagina");
        comando("cmdPaginaSuccessiva");
        QCOMPARE(finestra.findChild<QLabel*>("lblPagina")->text(), QString("Pagina 2 di 3"));

        QTemporaryDir cartella;
        for (const char* file : {"elenco.pdf", "manca/elenco.pdf", ""}) {
            prossimoFile = *file ? cartella.filePath(file) : QString();
            QCOMPARE(finestra.EsportaPdf(), QString(file) == "elenco.pdf");
        }
        QVERIFY(QFileInfo(cartella.filePath("elenco.pdf")).size() > 1000);
        QCOMPARE(messaggi.mostrati().size(), 1); // the missing folder; cancelling says nothing
        QVERIFY(messaggi.testi().first().startsWith("Impossibile scrivere il file PDF"));
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            comando("cmdStampa");
            QVERIFY(messaggi.testi().last().startsWith("Nessuna stampante è installata"));
        }
    }
};

QTEST_MAIN(TFrmElencoStampa)
#include "tst_frmElencoStampa.moc"
