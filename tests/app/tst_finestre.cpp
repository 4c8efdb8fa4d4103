#include "app/FrmSplash.h"
#include "app/Global.h"
#include "app/IstanzaCondivisa.h"
#include "app/Main.h"
#include "app/MessaggiQt.h"
#include "app/ServiziFinestra.h"
#include "search/FrmElenco.h"
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

Q_DECLARE_METATYPE(PulsantiMessaggio)
Q_DECLARE_METATYPE(IconaMessaggio)
Q_DECLARE_METATYPE(RispostaMessaggio)

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
        QCOMPARE(Global::Titolo, QString("Zizovuvo Rizu Zodadazid"));
        QVERIFY(!messaggi.mostrati().isEmpty());
        for (const Messaggio& m : messaggi.mostrati())
            QCOMPARE(m.titolo, Global::Titolo);
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
        QTest::addColumn<PulsantiMessaggio>("pulsanti");
        QTest::addColumn<IconaMessaggio>("icona");
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<int>("icona_qt");
        QTest::addColumn<QString>("attesi"); // captions; the default first, then the Escape one
        QTest::addColumn<int>("premuto");
        QTest::addColumn<RispostaMessaggio>("risposta");
        QTest::newRow("errore") << PulsantiMessaggio::Ok << IconaMessaggio::Esclamazione << "T"
                                << int(QMessageBox::Warning) << "OK|OK|OK" << 0
                                << RispostaMessaggio::Ok;
        QTest::newRow("domanda senza titolo")
            << PulsantiMessaggio::SiNo << IconaMessaggio::Domanda << ""
            << int(QMessageBox::Question) << "&Sì,&No|&Sì|&No" << 1 << RispostaMessaggio::No;
        QTest::newRow("tre risposte")
            << PulsantiMessaggio::SiNoAnnulla << IconaMessaggio::Informazione << "T"
            << int(QMessageBox::Information) << "Annulla,&Sì,&No|&Sì|Annulla" << 0
            << RispostaMessaggio::Annulla;
        QTest::newRow("senza icona")
            << PulsantiMessaggio::SiNo << IconaMessaggio::Nessuna << "T" << int(QMessageBox::NoIcon)
            << "&Sì,&No|&Sì|&No" << 0 << RispostaMessaggio::Si;
    }
    void finestraMessaggio() {
        QFETCH(PulsantiMessaggio, pulsanti);
        QFETCH(IconaMessaggio, icona);
        QFETCH(QString, titolo);
        QFETCH(int, icona_qt);
        QFETCH(QString, attesi);
        QFETCH(int, premuto);
        QFETCH(RispostaMessaggio, risposta);
        QCoreApplication::setApplicationName("Kelvaro_2007");
        const auto box = CreaFinestraMessaggio({"riga 1\rriga 2", pulsanti, icona, titolo});
        QCOMPARE(int(box->icon()), icona_qt);
        QCOMPARE(box->text(), QString("riga 1\nriga 2"));
        QCOMPARE(box->windowTitle(), titolo.isEmpty() ? "Kelvaro_2007" : titolo);
        QStringList testi;
        for (const QAbstractButton* pulsante : box->buttons())
            testi << pulsante->text();
        QCOMPARE(testi.join(',') + '|' + box->defaultButton()->text() + '|' +
                     box->escapeButton()->text(),
                 attesi);
        box->buttons().at(premuto)->click();
        QCOMPARE(RispostaDelPulsante(*box), risposta);
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
