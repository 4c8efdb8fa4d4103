#include "gui/SceltaFile.h"
#include "gui/preview/AnteprimaElenco.h"
#include "gui/search/FinestraElencoProva.h"
#include "support/ElencoLetto.h"
#include "support/File.h"

#include <QAction>
#include <QDesktopServices>
#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>

// The main window's print command on the ten comuni of the window fixture.
struct CasoStampa {
    const char* nome;
    QList<Azione> azioni = {};    // after "Cerca" has shown the panel
    QString guasto = {};          // SQL run on the archive before "Stampa"
    QString messaggio = {};       // instead of a preview: the start of its one message
    ElencoLetto stampato = {};    // the PDF exported from the preview, read back
    RigaStampata primaRiga = {};  // checked when it has a name
    QStringList ricElComuni = {}; // the stored detail rows, checked when given
};

const CasoStampa CasiStampa[] = {
    {.nome = "cerca e stampa",
     .azioni = {Scrivi("txtComuneC", " r"), Scrivi("txtProvC", "mi"), Invio("txtProvC")},
     .stampato = {.criteri = {.comune = "R*", .prov = "MI"},
                  .nomi = {"RHO"},
                  .conteggio = "1 Comune"}},
    {.nome = "filtro cambiato senza cercare",
     .azioni = {Scrivi("txtProvC", "MI"), Invio("txtProvC"), Scrivi("txtZonaC", "D")},
     .stampato = {.criteri = {.prov = "MI"}, .nomi = {"MILANO", "RHO"}, .conteggio = "2 Comuni"}},
    {.nome = "dopo una ricerca fallita",
     .azioni = {Scrivi("txtProvC", "MI"), Invio("txtProvC"), Clic("ChkAltitudC"),
                Scrivi("txtAltitudMinC", "abc"), Invio("txtAltitudMinC")},
     .messaggio = "L'ultima ricerca non è riuscita: non c'è un elenco da stampare."},
    {.nome = "nell'ordine della griglia, valori mancanti vuoti",
     .azioni = {ClicIntestazione(4)},
     .stampato = {.nomi = {"SENZA COORDINATE", "lampedusa e linosa", "ROMA", "FORLIMPOPOLI",
                           "FORLÌ", "SANT'ANGELO LODIGIANO", "MILANO", "RHO", "AOSTA",
                           "CORTINA D'AMPEZZO"},
                  .conteggio = "10 Comuni"},
     .primaRiga = {"SENZA COORDINATE", "XX", "", "0", "0", "", "", ""},
     .ricElComuni = {"AOSTA", "CORTINA D'AMPEZZO", "FORLÌ", "FORLIMPOPOLI", "lampedusa e linosa",
                     "MILANO", "RHO", "ROMA", "SANT'ANGELO LODIGIANO", "SENZA COORDINATE"}},
    {.nome = "nessun comune trovato",
     .azioni = {Scrivi("txtProvC", "ZZ"), Invio("txtProvC")},
     .stampato = {.criteri = {.prov = "ZZ"}, .conteggio = "0 Comuni"}},
    {.nome = "archivio bloccato", .guasto = "BEGIN IMMEDIATE", .messaggio = "L'archivio"},
};

// One export from the preview, in the order of the table: each one proposes, in the folder of
// the one before (the home folder at first), the name of the filters and the date.
struct PassoEsportazione {
    const char* nome;
    const char* comando;
    QString scelta;         // in the test's folder
    QString messaggio = {}; // the start of the first message; %1 the test's folder
    RispostaMessaggio risposta = RispostaMessaggio::Ok;
    bool esisteGia = false; // the chosen file holds "vecchio" before
    bool scritto = true;    // the chosen file, with its extension, holds the list afterwards
    bool aperto = false;    // and is opened with the desktop's viewer
};

const PassoEsportazione Esportazioni[] = {
    {.nome = "estensione aggiunta, file aperto",
     .comando = "cmdEsportaPdf",
     .scelta = "lista",
     .messaggio = "Elenco salvato in «%1/lista.pdf».",
     .risposta = RispostaMessaggio::Altro,
     .aperto = true},
    {.nome = "CSV",
     .comando = "cmdEsportaCsv",
     .scelta = "lista.CSV",
     .messaggio = "Elenco salvato in «%1/lista.CSV»."},
    {.nome = "file esistente non sostituito",
     .comando = "cmdEsportaPdf",
     .scelta = "lista.pdf",
     .messaggio = "Il file «%1/lista.pdf» esiste già.\rSostituirlo?",
     .risposta = RispostaMessaggio::No,
     .esisteGia = true,
     .scritto = false},
    {.nome = "file esistente sostituito",
     .comando = "cmdEsportaCsv",
     .scelta = "lista.csv",
     .messaggio = "Il file «%1/lista.csv» esiste già.",
     .risposta = RispostaMessaggio::Si,
     .esisteGia = true},
    {.nome = "cartella rifiutata",
     .comando = "cmdEsportaPdf",
     .scelta = "cartella.pdf",
     .messaggio = "«%1/cartella.pdf» è una cartella: resta com'è, l'elenco non è stato scritto.",
     .scritto = false},
};

class TFrmElencoStampa : public QObject, public ServizioSceltaFile {
    Q_OBJECT

    QStringList proposte;
    QString prossimoFile; // the answer of the file choice
    QString fileDaSalvare(QWidget*, const QString&, const QString& proposta,
                          const QString&) override {
        proposte << proposta;
        return prossimoFile;
    }
    QStringList aperti;

    // Clicks "Stampa" and, in its preview, runs the export commands, each into its file.
    // False when no preview opened.
    bool Stampa(FinestraElencoProva& prova, const QList<std::pair<const char*, QString>>& file) {
        bool aperta = false;
        QTimer anteprima;
        connect(&anteprima, &QTimer::timeout, [&] {
            if (auto* f = qobject_cast<AnteprimaElenco*>(QApplication::activeModalWidget())) {
                aperta = true;
                for (const auto& [comando, percorso] : file) {
                    prossimoFile = percorso;
                    f->findChild<QAction*>(comando)->trigger();
                }
                f->findChild<QAction*>("cmdChiudi")->trigger();
            }
        });
        anteprima.start(50);
        QTest::mouseClick(prova.w<QPushButton>("cmdStampa"), Qt::LeftButton);
        return aperta;
    }
    QStringList Esegui(const QStringList& argomenti) {
        QProcess programma;
        programma.start(KELVARO_ESEGUIBILE, argomenti);
        programma.waitForFinished(60000);
        return {QString::number(programma.exitCode()), programma.readAllStandardError()};
    }

public slots:
    void apri(const QUrl& url) { aperti << url.toLocalFile(); }

private slots:
    void initTestCase() {
        ImpostaServizioSceltaFile(this);
        QDesktopServices::setUrlHandler("file", this, "apri");
    }
    void cleanupTestCase() {
        ImpostaServizioSceltaFile(nullptr);
        QDesktopServices::unsetUrlHandler("file");
    }

    // Exporting from the preview: the name proposed, the extension added, the question before
    // replacing, a refused destination, the message that says where with its button. It runs
    // first, before any export has chosen the folder proposed.
    void esportazioni() {
        FinestraElencoProva prova;
        prova.esegui({Clic("cmdCerca"), Scrivi("txtProvC", "MI"), Clic("ChkAltitudC"),
                      Scrivi("txtAltitudMinC", "100"), Invio("txtAltitudMinC")});
        QTemporaryDir cartella;
        QVERIFY(QDir(cartella.path()).mkdir("cartella.pdf"));
        proposte.clear();
        QString cartellaProposta = QDir::homePath();
        for (const PassoEsportazione& passo : Esportazioni) {
            const QString scelta = cartella.filePath(passo.scelta);
            const QString estensione = QString(passo.comando).right(3).toLower();
            QVERIFY(!passo.esisteGia || ScriviFile(scelta, "vecchio"));
            prova.messaggi.svuota();
            prova.messaggi.rispondi(passo.risposta);
            aperti.clear();
            QVERIFY(Stampa(prova, {{passo.comando, scelta}}));
            const QString c = QString(passo.nome) + ": ";
            QCOMPARE(c + proposte.value(proposte.size() - 1),
                     c + QString("%1/elenco-comuni-MI-altitudine-da-100-%2.%3")
                             .arg(cartellaProposta, QDate::currentDate().toString(Qt::ISODate),
                                  estensione));
            const QString messaggio = QString(passo.messaggio).replace("%1", cartella.path());
            QCOMPARE(c + prova.messaggi.testi().value(0).left(messaggio.size()), c + messaggio);
            const QString scritto = scelta + (scelta.contains('.') ? "" : "." + estensione);
            if (passo.scritto)
                QCOMPARE(c + LeggiFile(scritto).left(4), c + (estensione == "pdf" ? "%PDF"
                                                                                  : "\xEF\xBB\xBF"
                                                                                    "C"));
            else if (passo.esisteGia)
                QCOMPARE(c + LeggiFile(scritto), c + "vecchio");
            cartellaProposta = passo.scritto ? cartella.path() : cartellaProposta;
            QCOMPARE(aperti, passo.aperto ? QStringList{scritto} : QStringList());
        }
        QCOMPARE(Voci(cartella.path()),
                 QStringList({"cartella.pdf", "lista.CSV", "lista.csv", "lista.pdf"}));
    }

    // The page says which search produced its rows: the header words taken when that search
    // succeeded, its rows in the grid's order, its count; nothing after a failed search.
    void stampa_data() {
        QTest::addColumn<int>("riga");
        for (int i = 0; i < int(std::size(CasiStampa)); ++i)
            QTest::newRow(CasiStampa[i].nome) << i;
    }
    void stampa() {
        QFETCH(int, riga);
        const CasoStampa& caso = CasiStampa[riga];
        FinestraElencoProva prova;
        QTemporaryDir cartella;
        prova.esegui(QList<Azione>{Clic("cmdCerca")} + caso.azioni);
        QVERIFY(caso.guasto.isEmpty() || prova.archivio.esegui(caso.guasto));
        prova.messaggi.svuota();
        const QString pdf = cartella.filePath("elenco.pdf");
        QCOMPARE(Stampa(prova, {{"cmdEsportaPdf", pdf}}), caso.messaggio.isEmpty());
        QVERIFY(caso.guasto.isEmpty() || prova.archivio.esegui("ROLLBACK"));
        if (!caso.messaggio.isEmpty()) {
            QCOMPARE(prova.messaggi.testi().size(), 1);
            QVERIFY2(prova.messaggi.testi()[0].startsWith(caso.messaggio),
                     qPrintable(prova.messaggi.testi()[0]));
            return;
        }
        const ElencoLetto letto = LeggiElenco(pdf);
        const QStringList d = DifferenzeElenco(caso.stampato, letto);
        QVERIFY2(d.isEmpty(), qPrintable(d.join("; ")));
        const QStringList r = DifferenzeRiga(caso.primaRiga, letto.righe.value(0));
        QVERIFY2(caso.primaRiga.comune.isEmpty() || r.isEmpty(), qPrintable(r.join("; ")));
        if (!caso.ricElComuni.isEmpty())
            QCOMPARE(prova.archivio.testi("SELECT Comune FROM RicElComuni ORDER BY rowid"),
                     caso.ricElComuni);
        QCOMPARE(prova.archivio.testi("SELECT NumRec FROM RicComuni"),
                 QStringList{caso.stampato.conteggio});
    }

    // The same filters give the same page and the same rows from the window and from the
    // command line.
    void comeLaRigaDiComando() {
        FinestraElencoProva prova;
        prova.esegui({Clic("cmdCerca"), Scrivi("txtProvC", "mi"), Tab("txtProvC"),
                      Clic("ChkAltitudC"), Scrivi("txtAltitudMinC", "100"),
                      Invio("txtAltitudMinC")});
        QTemporaryDir cartella;
        QVERIFY(Stampa(prova, {{"cmdEsportaPdf", cartella.filePath("finestra.pdf")},
                               {"cmdEsportaCsv", cartella.filePath("finestra.csv")}}));
        for (const char* opzione : {"--stampa-pdf", "--esporta-csv"}) {
            const QString file = cartella.filePath(opzione[2] == 's' ? "riga.pdf" : "riga.csv");
            QCOMPARE(Esegui({opzione, file, "--archivio", prova.archivio.percorso(), "--provincia",
                             "MI", "--altitudine", "100:"}),
                     QStringList({"0", ""}));
        }
        QProcess pdftotext;
        QStringList testi;
        for (const char* pdf : {"finestra.pdf", "riga.pdf"}) {
            pdftotext.start("pdftotext", {cartella.filePath(pdf), "-"});
            pdftotext.waitForFinished();
            testi << pdftotext.readAllStandardOutput();
        }
        QVERIFY(testi[0].contains("maggiore o uguale a 100"));
        QCOMPARE(testi[1], testi[0]);
        QCOMPARE(LeggiFile(cartella.filePath("riga.csv")),
                 LeggiFile(cartella.filePath("finestra.csv")));
    }

    // The "Stampa" button shows a printer; printing without a printer suggests the PDF.
    void stampante() {
        FinestraElencoProva prova;
        const QImage immagine = prova.w<QPushButton>("cmdStampa")->icon().pixmap(32).toImage();
        QCOMPARE(immagine.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 QImage(":/qt-project.org/dialogs/qprintpreviewdialog/images/printer-32.png")
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied));
        AnteprimaElenco anteprima(Report::DatiReport{});
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            anteprima.Stampa();
            QVERIFY(prova.messaggi.testi().last().startsWith("Nessuna stampante è installata"));
        }
    }
};

QTEST_MAIN(TFrmElencoStampa)
#include "tst_frmElencoStampa.moc"
