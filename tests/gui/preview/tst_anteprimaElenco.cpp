#include "gui/SceltaFile.h"
#include "gui/preview/AnteprimaElenco.h"
#include "support/MessaggiRegistrati.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

// The preview of a list of three pages driven by the keyboard alone.
class TAnteprimaElenco : public QObject, public ServizioSceltaFile {
    Q_OBJECT

    QString prossimoFile; // the answer of the file choice
    QString fileDaSalvare(QWidget*, const QString&, const QString&, const QString&) override {
        return prossimoFile;
    }

    struct Anteprima {
        MessaggiRegistrati messaggi;
        AnteprimaElenco finestra;
        Anteprima()
            : finestra(Dati()) {
            finestra.show();
            finestra.activateWindow();
        }
        static Report::DatiReport Dati() {
            Report::DatiReport dati{{"NumRec"}, {"Comune"}, {{{"46 Comuni"}, {}}}};
            dati.gruppi[0].righe.fill({"RHO"}, 46);
            return dati;
        }
        void premi(QKeyCombination tasto) {
            QWidget* fuoco = QApplication::focusWidget();
            QTest::keyClick(fuoco ? fuoco : &finestra, tasto.key(), tasto.keyboardModifiers());
        }
        QAction* comando(const char* nome) { return finestra.findChild<QAction*>(nome); }
    };

    enum Effetto { Pagina, Ingrandisce, Riduce, Larghezza, Intera, Stampa, Pdf, Chiude };

private slots:
    void initTestCase() { ImpostaServizioSceltaFile(this); }
    void cleanupTestCase() { ImpostaServizioSceltaFile(nullptr); }

    // Each key (or Ctrl with the wheel turned by `rotella`) does what the button `comando`
    // does, and the button's tooltip names it. The page commands that lead nowhere are off.
    void tasti() {
        struct Caso {
            const char* comando;
            QKeyCombination tasto = {};
            int rotella = 0;
            const char* nome;
            Effetto effetto = Pagina;
            int da = 1; // the page shown before
            int a = 1;  // the page shown after
        };
        // clang-format off
        const Caso casi[] = {
            {.comando = "cmdPaginaSuccessiva", .tasto = Qt::Key_PageDown, .nome = "Pag↓", .da = 1, .a = 2},
            {.comando = "cmdPaginaPrecedente", .tasto = Qt::Key_PageUp, .nome = "Pag↑", .da = 3, .a = 2},
            {.comando = "cmdUltimaPagina", .tasto = Qt::Key_End, .nome = "Fine", .da = 1, .a = 3},
            {.comando = "cmdPrimaPagina", .tasto = Qt::Key_Home, .nome = "Home", .da = 3, .a = 1},
            {.comando = "cmdIngrandisci", .tasto = Qt::Key_Plus, .nome = "+", .effetto = Ingrandisce},
            {.comando = "cmdRiduci", .tasto = Qt::Key_Minus, .nome = "−", .effetto = Riduce},
            {.comando = "cmdIngrandisci", .rotella = 120, .nome = "Ctrl+rotellina", .effetto = Ingrandisce},
            {.comando = "cmdRiduci", .rotella = -120, .nome = "Ctrl+rotellina", .effetto = Riduce},
            {.comando = "cmdAdattaLarghezza", .tasto = Qt::Key_L, .nome = "L", .effetto = Larghezza},
            {.comando = "cmdPaginaIntera", .tasto = Qt::Key_I, .nome = "I", .effetto = Intera},
            {.comando = "cmdStampa", .tasto = Qt::CTRL | Qt::Key_P, .nome = "Ctrl+P", .effetto = Stampa},
            {.comando = "cmdEsportaPdf", .tasto = Qt::CTRL | Qt::Key_S, .nome = "Ctrl+S", .effetto = Pdf},
            {.comando = "cmdChiudi", .tasto = Qt::Key_Escape, .nome = "Esc", .effetto = Chiude},
        };
        // clang-format on
        QTemporaryDir cartella;
        for (const Caso& caso : casi) {
            if (caso.effetto == Stampa && !QPrinterInfo::availablePrinters().isEmpty())
                continue; // a printer dialog would wait for an answer
            const QString c = QString(caso.comando) + " con " +
                              (caso.rotella ? "la rotella" : QKeySequence(caso.tasto).toString());
            Anteprima prova;
            QPrintPreviewWidget* pagine = prova.finestra.anteprima();
            QVERIFY(QTest::qWaitForWindowActive(&prova.finestra));
            QTRY_COMPARE(pagine->pageCount(), 3);
            const QString suggerimento = prova.comando(caso.comando)->toolTip();
            QVERIFY2(suggerimento.contains(caso.nome), qPrintable(c + ": " + suggerimento));
            pagine->setCurrentPage(caso.da);
            pagine->setZoomFactor(0.5);
            const double zoom = pagine->zoomFactor();
            prossimoFile = cartella.filePath(c + ".pdf");
            if (caso.rotella) {
                QWidget* vista = pagine->findChild<QAbstractScrollArea*>()->viewport();
                QWheelEvent rotella(QPointF(50, 50), vista->mapToGlobal(QPointF(50, 50)), {},
                                    {0, caso.rotella}, Qt::NoButton, Qt::ControlModifier,
                                    Qt::NoScrollPhase, false);
                QApplication::sendEvent(vista, &rotella);
            } else {
                prova.premi(caso.tasto);
            }
            auto errore = [&](const QString& cosa) { return (c + ": " + cosa).toUtf8(); };
            const bool indietro = prova.comando("cmdPrimaPagina")->isEnabled() &&
                                  prova.comando("cmdPaginaPrecedente")->isEnabled();
            const bool avanti = prova.comando("cmdPaginaSuccessiva")->isEnabled() &&
                                prova.comando("cmdUltimaPagina")->isEnabled();
            const auto modo =
                QList{QPrintPreviewWidget::FitToWidth, QPrintPreviewWidget::FitInView};
            if (caso.effetto == Pagina) {
                QVERIFY2(pagine->currentPage() == caso.a, errore("pagina mostrata"));
                QVERIFY2(indietro == (caso.a > 1), errore("prima e precedente"));
                QVERIFY2(avanti == (caso.a < 3), errore("successiva e ultima"));
            } else if (caso.effetto == Ingrandisce || caso.effetto == Riduce) {
                QVERIFY2((pagine->zoomFactor() > zoom) == (caso.effetto == Ingrandisce),
                         errore("zoom"));
            } else if (caso.effetto == Larghezza || caso.effetto == Intera) {
                QVERIFY2(pagine->zoomMode() == modo[caso.effetto - Larghezza],
                         errore("modo dello zoom"));
            } else if (caso.effetto == Stampa) {
                QVERIFY2(prova.messaggi.testi().value(0).startsWith("Nessuna stampante"),
                         errore("messaggio"));
            } else {
                QVERIFY2(QFileInfo::exists(prossimoFile) == (caso.effetto == Pdf),
                         errore("file PDF"));
                QVERIFY2(prova.finestra.isVisible() == (caso.effetto == Pdf),
                         errore("finestra aperta"));
            }
        }
    }

    // Tab reaches every button of the toolbar (on page 2, where all are on); Enter on a button
    // presses it.
    void tab() {
        Anteprima prova;
        QVERIFY(QTest::qWaitForWindowActive(&prova.finestra));
        QTRY_COMPARE(prova.finestra.anteprima()->pageCount(), 3);
        prova.finestra.anteprima()->setCurrentPage(2);
        QSet<QWidget*> raggiunti;
        for (int volte = 0; volte < 40; ++volte) {
            prova.premi(Qt::Key_Tab);
            raggiunti.insert(QApplication::focusWidget());
        }
        for (QToolButton* pulsante : prova.finestra.findChildren<QToolButton*>())
            QVERIFY2(!pulsante->isVisible() || raggiunti.contains(pulsante),
                     qPrintable(pulsante->toolTip() + ": mai raggiunto"));
        QWidget* successiva = prova.finestra.findChild<QToolBar*>()->widgetForAction(
            prova.comando("cmdPaginaSuccessiva"));
        for (int volte = 0; volte < 40 && QApplication::focusWidget() != successiva; ++volte)
            prova.premi(Qt::Key_Tab);
        prova.premi(Qt::Key_Return);
        QCOMPARE(prova.finestra.anteprima()->currentPage(), 3);
    }
};

QTEST_MAIN(TAnteprimaElenco)
#include "tst_anteprimaElenco.moc"
