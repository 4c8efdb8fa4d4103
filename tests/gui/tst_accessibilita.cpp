#include "core/Global.h"
#include "gui/FrmInformazioni.h"
#include "gui/IconaProgramma.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/MessaggiQt.h"
#include "gui/record/FrmGestioneLoc.h"
#include "gui/search/FinestraElencoProva.h"

#include <QAccessible>
#include <QtTest>

using Scheda = IstanzaCondivisa<FrmGestioneLoc>;

static QString Nome(QWidget* w, QAccessible::Text testo = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(w)->text(testo);
}

// The windows as a screen reader meets them, the icon they carry and "Informazioni".
class TAccessibilita : public QObject {
    Q_OBJECT
private slots:
    void init() { Global::Azzera(); }

    void ogniControlloHaUnNome() {
        // Every control the keyboard can reach, hidden ones included (the filter panel, the
        // calculation panel). KELVARO_ALBERO=1 prints them with their names.
        FinestraElencoProva elenco;
        FrmGestioneLoc scheda;
        FrmInformazioni informazioni;
        QStringList senzaNome;
        for (QWidget* finestra :
             std::initializer_list<QWidget*>{&elenco.finestra(), &scheda, &informazioni}) {
            for (QWidget* w : finestra->findChildren<QWidget*>()) {
                const QString riga =
                    finestra->objectName() + '/' + w->objectName() + ": «" + Nome(w) + "»";
                if (qEnvironmentVariableIsSet("KELVARO_ALBERO") && w->focusPolicy() & Qt::TabFocus)
                    qInfo().noquote() << riga;
                if (w->focusPolicy() & Qt::TabFocus && Nome(w).trimmed().isEmpty())
                    senzaNome << riga;
            }
        }
        QVERIFY2(senzaNome.isEmpty(), qPrintable("senza nome: " + senzaNome.join("; ")));

        // Boxes that share a label say which part they hold (object names differ between the
        // two windows).
        struct NomeAtteso {
            const char* controllo;
            const char* nome;
        };
        const NomeAtteso attesi[] = {{.controllo = "txtAltitudMinC", .nome = "Altitudine da"},
                                     {.controllo = "txtAltitudMaxC", .nome = "Altitudine a"},
                                     {.controllo = "txtGGiornoMaxC", .nome = "Gradi Giorno a"},
                                     {.controllo = "txtLatiG", .nome = "Latitudine, gradi"},
                                     {.controllo = "txtLongiP", .nome = "Longitudine, primi"}};
        for (const NomeAtteso& a : attesi) {
            QWidget* w = elenco.w(a.controllo) ? elenco.w(a.controllo)
                                               : scheda.findChild<QWidget*>(a.controllo);
            QVERIFY2(Nome(w) == a.nome, qPrintable(QString(a.controllo) + ": «" + Nome(w) + "»"));
        }
    }

    void descrizioneDelSemaforo() {
        struct Luce {
            qint16 colore;
            const char* descrizione;
        };
        const Luce luci[] = {
            {.colore = 0, .descrizione = "in elaborazione"},
            {.colore = 1, .descrizione = "in elaborazione: l'elenco si sta riempiendo"},
            {.colore = 2, .descrizione = "pronto"}};
        FinestraElencoProva f;
        for (const Luce& luce : luci) {
            f.finestra().CambiaSemaforo(luce.colore);
            const QString letta = Nome(f.w("imgSemaforo"), QAccessible::Description);
            QVERIFY2(letta == luce.descrizione,
                     qPrintable(QString("colore %1: letta «%2»").arg(luce.colore).arg(letta)));
        }
    }

    void f1ApreInformazioni() {
        // "Informazioni" opens modally over the window in which F1 was pressed.
        for (const bool dallaScheda : {false, true}) {
            FinestraElencoProva f;
            QWidget* finestra = &f.finestra();
            if (dallaScheda) {
                Global::ModoScheda = 0;
                Global::IndiceComune = 0;
                finestra = &Scheda::Ottieni();
                finestra->show();
                QVERIFY(QTest::qWaitForWindowActive(finestra));
            }
            QWidget* sopra = nullptr;
            QTimer::singleShot(0, this, [&] {
                if (auto* i = qobject_cast<FrmInformazioni*>(QApplication::activeModalWidget())) {
                    sopra = i->parentWidget();
                    i->close();
                }
            });
            QTest::keyClick(finestra, Qt::Key_F1);
            QCoreApplication::processEvents();
            Scheda::Scarica();
            QVERIFY2(sopra == finestra, qPrintable("F1 in " + finestra->objectName()));
        }
    }

    void informazioniComeIlReadme() {
        // The sources as the README lists them under "Dati e fonti", one item a line.
        QFile readme(KELVARO_SORGENTI "/README.md");
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QString sezione = QString::fromUtf8(readme.readAll())
                                    .section("## Dati e fonti\n", 1)
                                    .section("\nAvvertenze:", 0, 0)
                                    .remove('`');
        const QStringList fonti = sezione.split("\n- ").mid(1);
        QCOMPARE(fonti.size(), 4);
        Global::PercorsoDB = "/dati/comuni.db";
        FrmInformazioni informazioni;
        QStringList testi;
        for (const QLabel* etichetta : informazioni.findChildren<QLabel*>())
            testi << etichetta->text();
        for (const QString& fonte : fonti)
            QVERIFY2(testi.contains("• " + fonte.simplified()), qPrintable("manca: " + fonte));
        QVERIFY2(testi.contains("Versione " KELVARO_VERSIONE_PROGETTO),
                 qPrintable(testi.join('/')));
        QVERIFY2(testi.contains("/dati/comuni.db"), qPrintable(testi.join('/')));
        Global::PercorsoDB = "-1"; // no configuration
        const QString nessuno = FrmInformazioni::ArchivioInUso();
        QVERIFY2(nessuno.startsWith("Nessuno: il file di configurazione"), qPrintable(nessuno));
    }

    void iconaDelProgramma() {
        // Drawn for the small sizes; on every window and message box; the desktop links the
        // running program to its menu entry by the entry's file name.
        for (const int lato : {16, 32, 48})
            QVERIFY2(IconaProgramma().availableSizes().contains(QSize(lato, lato)),
                     qPrintable(QString("manca %1 px").arg(lato)));
        const QImage attesa = IconaProgramma().pixmap(16).toImage();
        const auto box = CreaFinestraMessaggio({.testo = "testo", .titolo = "T"});
        QVERIFY2(box->windowIcon().pixmap(16).toImage() == attesa, "finestra di messaggio");
        ImpostaIdentitaDesktop();
        QVERIFY2(QFile::exists(KELVARO_SORGENTI "/data/" + QGuiApplication::desktopFileName() +
                               ".desktop"),
                 qPrintable(QGuiApplication::desktopFileName()));
        FinestraElencoProva elenco;
        FrmGestioneLoc scheda;
        FrmInformazioni informazioni;
        for (QWidget* finestra :
             std::initializer_list<QWidget*>{&elenco.finestra(), &scheda, &informazioni})
            QVERIFY2(finestra->windowIcon().pixmap(16).toImage() == attesa,
                     qPrintable(finestra->objectName()));
    }
};

QTEST_MAIN(TAccessibilita)
#include "tst_accessibilita.moc"
