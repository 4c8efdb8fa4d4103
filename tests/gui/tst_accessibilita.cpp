#include "core/Global.h"
#include "gui/FrmInformazioni.h"
#include "gui/IconaProgramma.h"
#include "gui/MessaggiQt.h"
#include "gui/record/FrmGestioneLoc.h"
#include "gui/search/FinestraElencoProva.h"

#include <QAccessible>
#include <QtTest>

static QString Nome(QWidget* w, QAccessible::Text testo = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(w)->text(testo);
}

// The windows as a screen reader meets them, the icon they carry and "Informazioni".
class TAccessibilita : public QObject {
    Q_OBJECT
private slots:
    // The icon is drawn for the small sizes and set on the message boxes, then on every window
    // through the application; the desktop links the running program to its menu entry by the
    // entry's file name. Every control the keyboard can reach has a name, hidden ones included
    // (the filter panel, the calculation panel); KELVARO_ALBERO=1 prints them with their names.
    // The traffic light describes its state. F1 opens "Informazioni" modally over the window in
    // which it was pressed; "Informazioni" lists the sources as the README does under "Dati e
    // fonti", one item a line, the version and the archive in use, or none without a
    // configuration ("-1").
    void finestre() {
        for (const int lato : {16, 32, 48})
            QVERIFY2(IconaProgramma().availableSizes().contains(QSize(lato, lato)),
                     qPrintable(QString("manca %1 px").arg(lato)));
        const QImage icona = IconaProgramma().pixmap(16).toImage();
        const auto box = CreaFinestraMessaggio({.testo = "testo", .titolo = "T"});
        QVERIFY2(box->windowIcon().pixmap(16).toImage() == icona, "finestra di messaggio");
        ImpostaIdentitaDesktop();
        QVERIFY2(QFile::exists(KELVARO_SORGENTI "/data/" + QGuiApplication::desktopFileName() +
                               ".desktop"),
                 qPrintable(QGuiApplication::desktopFileName()));
        FinestraElencoProva elenco;
        FrmGestioneLoc scheda;
        FrmInformazioni informazioni;
        QStringList senzaNome;
        for (QWidget* f :
             std::initializer_list<QWidget*>{&elenco.finestra(), &scheda, &informazioni}) {
            QVERIFY2(f->windowIcon().pixmap(16).toImage() == icona, qPrintable(f->objectName()));
            for (QWidget* w : f->findChildren<QWidget*>()) {
                const QString riga =
                    f->objectName() + '/' + w->objectName() + ": «" + Nome(w) + "»";
                if (qEnvironmentVariableIsSet("KELVARO_ALBERO") && w->focusPolicy() & Qt::TabFocus)
                    qInfo().noquote() << riga;
                if (w->focusPolicy() & Qt::TabFocus && Nome(w).trimmed().isEmpty())
                    senzaNome << riga;
            }
        }
        QVERIFY2(senzaNome.isEmpty(), qPrintable("senza nome: " + senzaNome.join("; ")));

        // Boxes that share a label say which part they hold (object names differ between the
        // two windows); the traffic light's description for each colour.
        QCOMPARE(Nome(elenco.w("txtAltitudMinC")), "Altitudine da");
        QCOMPARE(Nome(elenco.w("txtGGiornoMaxC")), "Gradi Giorno a");
        QCOMPARE(Nome(scheda.findChild<QWidget*>("txtLatiG")), "Latitudine, gradi");
        QCOMPARE(Nome(scheda.findChild<QWidget*>("txtLongiP")), "Longitudine, primi");
        elenco.finestra().CambiaSemaforo(0);
        QCOMPARE(Nome(elenco.w("imgSemaforo"), QAccessible::Description), "in elaborazione");
        elenco.finestra().CambiaSemaforo(1);
        QCOMPARE(Nome(elenco.w("imgSemaforo"), QAccessible::Description),
                 "in elaborazione: l'elenco si sta riempiendo");
        elenco.finestra().CambiaSemaforo(2);
        QCOMPARE(Nome(elenco.w("imgSemaforo"), QAccessible::Description), "pronto");

        for (QWidget* finestra : std::initializer_list<QWidget*>{&elenco.finestra(), &scheda}) {
            finestra->show();
            QVERIFY(QTest::qWaitForWindowActive(finestra));
            QWidget* sopra = nullptr;
            QTimer::singleShot(0, this, [&] {
                if (auto* i = qobject_cast<FrmInformazioni*>(QApplication::activeModalWidget())) {
                    sopra = i->parentWidget();
                    i->close();
                }
            });
            QTest::keyClick(finestra, Qt::Key_F1);
            QCoreApplication::processEvents();
            QVERIFY2(sopra == finestra, qPrintable("F1 in " + finestra->objectName()));
        }

        QFile readme(KELVARO_SORGENTI "/README.md");
        QVERIFY(readme.open(QIODevice::ReadOnly));
        QStringList attesi = {"Versione " KELVARO_VERSIONE_PROGETTO, Global::PercorsoDB}, testi;
        for (const QString& fonte : QString::fromUtf8(readme.readAll())
                                        .section("## Dati e fonti\n", 1)
                                        .section("\nAvvertenze:", 0, 0)
                                        .remove('`')
                                        .split("\n- ")
                                        .mid(1))
            attesi << "• " + fonte.simplified();
        QCOMPARE(attesi.size(), 6);
        for (const QLabel* etichetta : informazioni.findChildren<QLabel*>())
            testi << etichetta->text();
        for (const QString& atteso : attesi)
            QVERIFY2(testi.contains(atteso), qPrintable("manca: " + atteso));
        Global::PercorsoDB = "-1";
        QVERIFY2(FrmInformazioni::ArchivioInUso().startsWith("Nessuno: il file di configurazione"),
                 qPrintable(FrmInformazioni::ArchivioInUso()));
    }
};

QTEST_MAIN(TAccessibilita)
#include "tst_accessibilita.moc"
