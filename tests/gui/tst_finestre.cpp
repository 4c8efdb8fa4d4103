#include "core/Global.h"
#include "gui/FrmSplash.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/Main.h"
#include "gui/MessaggiQt.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"
#include "support/MessaggiRegistrati.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace ServiziFinestra;

namespace {
class FinestraContata : public QWidget {
public:
    static inline int caricamenti = 0;
    void Form_Load() { ++caricamenti; }
};
} // namespace

// Start-up, the splash pause, the real message box and the window services the windows rely on.
class TFinestre : public QObject {
    Q_OBJECT
private slots:
    void avvio() {
        // Start-up sets the title before the main window loads: the error of its first search
        // (no configuration, so no archive) already carries it.
        QTemporaryDir configurazione;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configurazione.path()));
        Global::Azzera();
        MessaggiRegistrati messaggi;
        QElapsedTimer orologio;
        orologio.start();
        Main();
        QVERIFY(orologio.elapsed() >= 1000); // the splash stays one second
        QVERIFY(!IstanzaCondivisa<FrmSplash>::Caricata());
        QVERIFY(IstanzaCondivisa<FrmElenco>::Ottieni().isVisible());
        QCOMPARE(messaggi.mostrati().value(0).titolo, QString("Zizovuvo Rizu Zodadazid"));
        IstanzaCondivisa<FrmElenco>::Scarica();
    }

    void pausaZeroElaboraGliEventi() {
        FrmSplash splash;
        splash.SetPause(0);
        bool eseguito = false;
        QMetaObject::invokeMethod(
            &splash, [&] { eseguito = true; }, Qt::QueuedConnection);
        splash.Action();
        QVERIFY(eseguito);
    }

    void finestraMessaggio_data() {
        QTest::addColumn<int>("pulsanti"); // PulsantiMessaggio
        QTest::addColumn<int>("icona");    // IconaMessaggio
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<int>("premuto");
        // Qt icon, title, captions (the default first, then the Escape one), answer to `premuto`.
        QTest::addColumn<QString>("attesi");
        QTest::newRow("errore") << 0 << 3 << "T" << 0 << "2|T|OK|OK|OK|0";
        QTest::newRow("domanda senza titolo")
            << 1 << 2 << "" << 1 << "4|Kelvaro_2007|&Sì,&No|&Sì|&No|2";
        QTest::newRow("tre risposte") << 2 << 1 << "T" << 0 << "1|T|Annulla,&Sì,&No|&Sì|Annulla|3";
        QTest::newRow("senza icona") << 1 << 0 << "T" << 0 << "0|T|&Sì,&No|&Sì|&No|1";
    }
    void finestraMessaggio() {
        QFETCH(int, pulsanti);
        QFETCH(int, icona);
        QFETCH(QString, titolo);
        QFETCH(int, premuto);
        QFETCH(QString, attesi);
        QCoreApplication::setApplicationName("Kelvaro_2007");
        const auto box = CreaFinestraMessaggio(
            {"riga 1\rriga 2", PulsantiMessaggio(pulsanti), IconaMessaggio(icona), titolo});
        QCOMPARE(box->text(), QString("riga 1\nriga 2"));
        QStringList testi;
        for (const QAbstractButton* pulsante : box->buttons())
            testi << pulsante->text();
        box->buttons().at(premuto)->click();
        QCOMPARE(QStringList({QString::number(box->icon()), box->windowTitle(), testi.join(','),
                              box->defaultButton()->text(), box->escapeButton()->text(),
                              QString::number(int(RispostaDelPulsante(*box)))})
                     .join('|'),
                 attesi);
    }

    void immagini() {
        QLabel immagine;
        QVERIFY(CaricaImmagine(&immagine, ":/immagini/semaforo_verde.png").ok());
        const QSize verde = immagine.pixmap().size();
        const EsitoOperazione mancante = CaricaImmagine(&immagine, "/manca/rosso.png");
        QCOMPARE(mancante.errore().descrizione,
                 QString("Impossibile trovare il file «/manca/rosso.png»."));
        // The test program itself is a file that is not a picture; the previous picture stays.
        const EsitoOperazione nonValida =
            CaricaImmagine(&immagine, QCoreApplication::applicationFilePath());
        QCOMPARE(nonValida.errore().codice, CodiceErrore::ImmagineNonValida);
        QCOMPARE(immagine.pixmap().size(), verde);
    }

    void puntatore() {
        ImpostaPuntatore(Puntatore::FrecciaClessidra);
        ImpostaPuntatore(Puntatore::Clessidra);
        QCOMPARE(PuntatoreAttuale(), Puntatore::Clessidra);
        // One call restores the default, however many times the pointer was set before.
        ImpostaPuntatore(Puntatore::Predefinito);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void istanzaCondivisa() {
        using Istanza = IstanzaCondivisa<FinestraContata>;
        FinestraContata::caricamenti = 0;
        QCOMPARE(&Istanza::Ottieni(), &Istanza::Ottieni());
        QPointer<FinestraContata> osservata(&Istanza::Ottieni());
        Istanza::Scarica();
        QTRY_VERIFY(osservata.isNull());
        Istanza::Ottieni();
        QCOMPARE(FinestraContata::caricamenti, 2);
        Istanza::Scarica();
    }
};

QTEST_MAIN(TFinestre)
#include "tst_finestre.moc"
