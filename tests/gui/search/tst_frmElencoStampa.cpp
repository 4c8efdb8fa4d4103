#include "core/print/ElencoStampato.h"
#include "gui/SceltaFile.h"
#include "gui/preview/AnteprimaElenco.h"
#include "gui/search/FinestraElencoProva.h"
#include "support/Confronta.h"
#include "support/ElencoLetto.h"
#include "support/File.h"
#include "support/TabellaCasi.h"

#include <QAction>
#include <QDesktopServices>
#include <QPushButton>
#include <QtTest>

using enum RispostaMessaggio;

// The main window's print command on the ten comuni of the window fixture.
struct CasoStampa {
    const char* nome;
    QList<Azione> azioni = {};               // after "Cerca" has shown the panel
    QString guasto = {};                     // SQL run on the archive before "Stampa"
    QString messaggio = "Elenco salvato in"; // how the one message starts
    ElencoLetto stampato = {};               // the PDF exported from the preview, read back
};
Q_DECLARE_METATYPE(CasoStampa)

// clang-format off
const CasoStampa CasiStampa[] = {
    {.nome = "testi in maiuscolo", .azioni = {Scrivi("txtProvC", "mi"), Clic("ChkAltitudC"), Scrivi("txtAltitudMinC", "100"), Invio("txtAltitudMinC")},
     .stampato = {.criteri = {.prov = "MI", .altitudine = "maggiore o uguale a 100"}, .nomi = {"MILANO", "RHO"}, .conteggio = "2 Comuni"}},
    {.nome = "filtro cambiato senza cercare", .azioni = {Scrivi("txtComuneC", " r"), Invio("txtComuneC"), Scrivi("txtZonaC", "D")},
     .stampato = {.criteri = {.comune = "R*"}, .nomi = {"RHO", "ROMA"}, .conteggio = "2 Comuni"}},
    {.nome = "dopo una ricerca fallita", .azioni = {Clic("ChkAltitudC"), Scrivi("txtAltitudMinC", "abc"), Invio("txtAltitudMinC")},
     .messaggio = "L'ultima ricerca non è riuscita: non c'è un elenco da stampare."},
    {.nome = "nell'ordine della griglia", .azioni = {ClicIntestazione(4)},
     .stampato = {.nomi = {"SENZA COORDINATE", "lampedusa e linosa", "ROMA", "FORLIMPOPOLI", "FORLÌ", "SANT'ANGELO LODIGIANO",
                           "MILANO", "RHO", "AOSTA", "CORTINA D'AMPEZZO"}, .conteggio = "10 Comuni"}},
    {.nome = "nessun comune trovato", .azioni = {Scrivi("txtProvC", "ZZ"), Invio("txtProvC")},
     .stampato = {.criteri = {.prov = "ZZ"}, .conteggio = "0 Comuni"}},
    {.nome = "archivio bloccato", .guasto = "BEGIN IMMEDIATE", .messaggio = "L'archivio"},
};
// clang-format on

// One export from the preview, in the order of the table: the name chosen in the test's folder
// (with "Esporta CSV" when it ends in "csv", "Esporta PDF" otherwise), the answer to the first
// message (Altro: "Apri il file", which opens it with the desktop's viewer).
struct PassoEsportazione {
    const char* scelta;
    QString messaggio = {}; // how the first message starts; %1 the test's folder
    RispostaMessaggio risposta = Ok;
    bool esiste = false;      // the file holds "vecchio" before
    QByteArray dopo = "%PDF"; // how the file, with its extension, starts afterwards
};

// clang-format off
const PassoEsportazione Esportazioni[] = {
    {.scelta = "lista", .messaggio = "Elenco salvato in «%1/lista.pdf».", .risposta = Altro},
    {.scelta = "lista.CSV", .messaggio = "Elenco salvato in «%1/lista.CSV».", .dopo = "\xEF\xBB\xBF" "Comune;"},
    {.scelta = "vecchio.pdf", .messaggio = "Il file «%1/vecchio.pdf» esiste già.\rSostituirlo?", .risposta = No, .esiste = true, .dopo = "vecchio"},
    {.scelta = "lista.csv", .messaggio = "Il file «%1/lista.csv» esiste già.", .risposta = Si, .esiste = true, .dopo = "\xEF\xBB\xBF" "Comune;"},
    {.scelta = "cartella.pdf", .messaggio = "«%1/cartella.pdf» è una cartella: resta com'è, l'elenco non è stato scritto.", .dopo = "mancante"},
};
// clang-format on

class TFrmElencoStampa : public QObject, public ServizioSceltaFile {
    Q_OBJECT

    QTemporaryDir cartella;
    QString proposta;     // by the last file choice
    QString prossimoFile; // the answer of the file choice
    QString fileDaSalvare(QWidget*, const QString&, const QString& p, const QString&) override {
        proposta = p;
        return prossimoFile;
    }
    QStringList aperti; // by the desktop's viewer
    Q_INVOKABLE void apri(const QUrl& url) { aperti << url.toLocalFile(); }

    // Clicks "Stampa" and, in its preview, runs the export `comando` into `file`. False when no
    // preview opened.
    bool Stampa(FinestraElencoProva& prova, const char* comando, const QString& file) {
        prossimoFile = file;
        QTimer anteprima; // stopped once it has found the preview
        connect(&anteprima, &QTimer::timeout, [&] {
            if (auto* f = qobject_cast<AnteprimaElenco*>(QApplication::activeModalWidget())) {
                anteprima.stop();
                f->findChild<QAction*>(comando)->trigger();
                f->findChild<QAction*>("cmdChiudi")->trigger();
            }
        });
        anteprima.start(50);
        QTest::mouseClick(prova.w<QPushButton>("cmdStampa"), Qt::LeftButton);
        return !anteprima.isActive();
    }

private slots:
    void initTestCase() {
        ImpostaServizioSceltaFile(this);
        QDesktopServices::setUrlHandler("file", this, "apri");
    }
    void cleanupTestCase() {
        ImpostaServizioSceltaFile(nullptr);
        QDesktopServices::unsetUrlHandler("file");
    }

    // Exporting from the preview: the name proposed (in the folder of the last export, the home
    // folder before the first), the extension added, the question before replacing, a refused
    // destination, the message that says where with its button. It runs first. The command
    // line given the same filters writes the same rows. "Stampa" shows a printer.
    void esportazioni() {
        FinestraElencoProva prova;
        QCOMPARE(prova.w<QPushButton>("cmdStampa")->icon().pixmap(32),
                 QPixmap(":/qt-project.org/dialogs/qprintpreviewdialog/images/printer-32.png"));
        prova.esegui({Clic("cmdCerca"), Scrivi("txtProvC", "MI"), Clic("ChkAltitudC"),
                      Scrivi("txtAltitudMinC", "100"), Invio("txtAltitudMinC")});
        QVERIFY(QDir(cartella.path()).mkdir("cartella.pdf"));
        for (const PassoEsportazione& passo : Esportazioni) {
            const QString scelta = cartella.filePath(passo.scelta);
            const QString estensione = scelta.endsWith("csv", Qt::CaseInsensitive) ? "csv" : "pdf";
            QVERIFY(!passo.esiste || ScriviFile(scelta, "vecchio"));
            prova.messaggi.svuota();
            prova.messaggi.rispondi(passo.risposta);
            QVERIFY(Stampa(prova, estensione == "csv" ? "cmdEsportaCsv" : "cmdEsportaPdf", scelta));
            CONFRONTA(passo.scelta, "nome proposto", proposta,
                      QString("%1/elenco-comuni-MI-altitudine-da-100-%2.%3")
                          .arg(&passo == Esportazioni ? QDir::homePath() : cartella.path(),
                               QDate::currentDate().toString(Qt::ISODate), estensione));
            QVERIFY2(
                prova.messaggi.testi().value(0).startsWith(passo.messaggio.arg(cartella.path())),
                qPrintable(passo.scelta + QString(": ") + prova.messaggi.elenco()));
            const QString scritto = scelta + (scelta.contains('.') ? "" : "." + estensione);
            CONFRONTA(passo.scelta, "file", LeggiFile(scritto).left(passo.dopo.size()), passo.dopo);
        }
        QCOMPARE(aperti, QStringList{cartella.filePath("lista.pdf")});
        QCOMPARE(Voci(cartella.path()), QStringList({"cartella.pdf", "lista.CSV", "lista.csv",
                                                     "lista.pdf", "vecchio.pdf"}));
        // A failed run leaves no file to read.
        QProcess::execute(KELVARO_ESEGUIBILE,
                          {"--esporta-csv", cartella.filePath("riga.csv"), "--archivio",
                           prova.archivio.percorso(), "--provincia", "MI", "--altitudine", "100:"});
        QCOMPARE(LeggiFile(cartella.filePath("riga.csv")),
                 LeggiFile(cartella.filePath("lista.csv")));
    }

    // The page says which search produced its rows: the header words taken when that search
    // succeeded, its rows in the grid's order, its count, also stored in the archive; nothing
    // after a failed search.
    void stampa_data() { Righe(CasiStampa); }
    void stampa() {
        QFETCH(CasoStampa, caso);
        FinestraElencoProva prova;
        prova.esegui(QList<Azione>{Clic("cmdCerca")} + caso.azioni);
        QVERIFY(caso.guasto.isEmpty() || prova.archivio.esegui(caso.guasto));
        prova.messaggi.svuota();
        const QString pdf = cartella.filePath(caso.nome + QString(".pdf"));
        const bool stampato = !caso.stampato.conteggio.isEmpty(); // a printed list has a count
        CONFRONTA(caso.nome, "anteprima", Stampa(prova, "cmdEsportaPdf", pdf), stampato);
        QVERIFY(caso.guasto.isEmpty() || prova.archivio.esegui("ROLLBACK"));
        const QStringList messaggi = prova.messaggi.testi();
        QVERIFY2(messaggi.size() == 1 && messaggi[0].startsWith(caso.messaggio),
                 qPrintable(prova.messaggi.elenco()));
        CONFRONTA(caso.nome, "elenco", DifferenzeElenco(caso.stampato, LeggiElenco(pdf)),
                  QStringList());
        CONFRONTA(caso.nome, "NumRec", prova.archivio.testi("SELECT NumRec FROM RicComuni"),
                  stampato ? QStringList{caso.stampato.conteggio} : QStringList());
    }

    // Only the ranges ticked go into the name proposed, however their boxes are filled; a
    // filter keeps its letters and digits.
    void nomeProposto() {
        Stampa::FiltriStampa filtri{};
        filtri.intervalli[0] = {.spuntato = false, .min = "100", .max = "500"};
        filtri.intervalli[2] = {.spuntato = true, .min = {}, .max = "41.5"};
        QCOMPARE(Stampa::NomeProposto(filtri, QDate(2026, 1, 31), "csv"),
                 QString("elenco-comuni-latitudine-fino-a-41-5-2026-01-31.csv"));
    }
};

QTEST_MAIN(TFrmElencoStampa)
#include "tst_frmElencoStampa.moc"
