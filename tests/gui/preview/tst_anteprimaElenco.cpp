#include "gui/SceltaFile.h"
#include "gui/preview/AnteprimaElenco.h"
#include "support/MessaggiRegistrati.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QToolBar>
#include <QtTest>

// A command of the preview of a list of five pages, shown at page 3 and half its size, run by its
// key, by reaching its button with Tab and pressing Enter, and by turning the wheel with Ctrl by
// `rotella`. The button's tooltip names the keys; the page commands that lead nowhere are off.
struct Comando {
    const char* comando;
    QKeyCombination tasto = {};
    int rotella = 0;
    const char* nome; // of the keys, in the tooltip
    int pagina = 3;   // shown after
    int zoom = 0;     // 1: larger, -1: smaller
    QPrintPreviewWidget::ZoomMode modo = QPrintPreviewWidget::CustomZoom; // after
    QString messaggio = {}; // how the one message starts
    bool aperta = true;     // the preview after
};
Q_DECLARE_METATYPE(Comando)

// clang-format off
const Comando Comandi[] = {
    {.comando = "cmdPaginaSuccessiva", .tasto = Qt::Key_PageDown, .nome = "Pag↓", .pagina = 4},
    {.comando = "cmdPaginaPrecedente", .tasto = Qt::Key_PageUp, .nome = "Pag↑", .pagina = 2},
    {.comando = "cmdUltimaPagina", .tasto = Qt::Key_End, .nome = "Fine", .pagina = 5},
    {.comando = "cmdPrimaPagina", .tasto = Qt::Key_Home, .nome = "Home", .pagina = 1},
    {.comando = "cmdIngrandisci", .tasto = Qt::Key_Plus, .rotella = 120, .nome = "+ o Ctrl+rotellina", .zoom = 1},
    {.comando = "cmdRiduci", .tasto = Qt::Key_Minus, .rotella = -120, .nome = "− o Ctrl+rotellina", .zoom = -1},
    {.comando = "cmdAdattaLarghezza", .tasto = Qt::Key_L, .nome = "L", .modo = QPrintPreviewWidget::FitToWidth},
    {.comando = "cmdPaginaIntera", .tasto = Qt::Key_I, .nome = "I", .modo = QPrintPreviewWidget::FitInView},
    {.comando = "cmdStampa", .tasto = Qt::CTRL | Qt::Key_P, .nome = "Ctrl+P", .messaggio = "Nessuna stampante"},
    {.comando = "cmdEsportaPdf", .tasto = Qt::CTRL | Qt::Key_S, .nome = "Ctrl+S", .messaggio = "Elenco salvato in"},
    {.comando = "cmdEsportaCsv", .tasto = Qt::CTRL | Qt::Key_E, .nome = "Ctrl+E", .messaggio = "Elenco salvato in"},
    {.comando = "cmdChiudi", .tasto = Qt::Key_Escape, .nome = "Esc", .aperta = false},
};
// clang-format on

class TAnteprimaElenco : public QObject, public ServizioSceltaFile {
    Q_OBJECT

    QTemporaryDir cartella;
    // The file chosen for an export: one for each row of comandi().
    QString fileDaSalvare(QWidget*, const QString&, const QString&, const QString&) override {
        return cartella.filePath(QTest::currentDataTag());
    }

private slots:
    // The file choice of every export answers from here.
    void initTestCase() { ImpostaServizioSceltaFile(this); }

    void comandi_data() {
        QTest::addColumn<Comando>("caso");
        QTest::addColumn<QString>("via"); // the key, Tab and Enter on the button, or the wheel
        for (const Comando& c : Comandi)
            for (const QString via : {"tasto", "Tab", "rotella"})
                if (c.rotella || via != "rotella")
                    QTest::addRow("%s %s", c.comando, qPrintable(via)) << c << via;
    }
    void comandi() {
        QFETCH(Comando, caso);
        QFETCH(QString, via);
        if (caso.comando == QString("cmdStampa") && !QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("A printer dialog would wait for an answer.");
        MessaggiRegistrati messaggi;
        AnteprimaElenco finestra({{"NumRec"}, {"Comune"}, {{{"120 Comuni"}, {120, {"RHO"}}}}});
        finestra.show();
        QVERIFY(QTest::qWaitForWindowActive(&finestra));
        QPrintPreviewWidget* pagine = finestra.anteprima();
        QTRY_COMPARE(pagine->pageCount(), 5);
        QAction* comando = finestra.findChild<QAction*>(caso.comando);
        QVERIFY2(comando->toolTip().contains(caso.nome), qPrintable(comando->toolTip()));
        pagine->setCurrentPage(3);
        pagine->setZoomFactor(0.5);
        QWidget* pulsante = finestra.findChild<QToolBar*>()->widgetForAction(comando);
        for (int i = 0; via == "Tab" && i < 40 && QApplication::focusWidget() != pulsante; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(via != "Tab" || QApplication::focusWidget() == pulsante, "pulsante mai raggiunto");
        QWheelEvent giro({}, {}, {}, {0, caso.rotella}, {}, Qt::ControlModifier, {}, false);
        const QKeyCombination tasto = via == "Tab" ? QKeyCombination(Qt::Key_Return) : caso.tasto;
        if (via == "rotella")
            QApplication::sendEvent(pagine->findChild<QAbstractScrollArea*>()->viewport(), &giro);
        else
            QTest::keyClick(QApplication::focusWidget(), tasto.key(), tasto.keyboardModifiers());
        const auto acceso = [&](auto n) { return finestra.findChild<QAction*>(n)->isEnabled(); };
        QCOMPARE(pagine->currentPage(), caso.pagina);
        QCOMPARE(acceso("cmdPrimaPagina") && acceso("cmdPaginaPrecedente"), caso.pagina > 1);
        QCOMPARE(acceso("cmdPaginaSuccessiva") && acceso("cmdUltimaPagina"), caso.pagina < 5);
        if (caso.modo == QPrintPreviewWidget::CustomZoom) // the other modes fit the window
            QCOMPARE((pagine->zoomFactor() > 0.5) - (pagine->zoomFactor() < 0.5), caso.zoom);
        QCOMPARE(pagine->zoomMode(), caso.modo);
        QCOMPARE(messaggi.testi().size(), caso.messaggio.isEmpty() ? 0 : 1);
        QCOMPARE(messaggi.testi().value(0).left(caso.messaggio.size()), caso.messaggio);
        QCOMPARE(finestra.isVisible(), caso.aperta);
    }
};

QTEST_MAIN(TAnteprimaElenco)
#include "tst_anteprimaElenco.moc"
