#include "app/IstanzaCondivisa.h"
#include "app/ServiziFinestra.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace ServiziFinestra;

namespace {

class FinestraContata : public QWidget {
public:
    static inline int caricamenti = 0;
    void Form_Load() { ++caricamenti; }
};

class DialogoContato : public QDialog {
public:
    int mostrato = 0;
    int dipinto = 0;

protected:
    void showEvent(QShowEvent* e) override {
        ++mostrato;
        QDialog::showEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        ++dipinto;
        QDialog::paintEvent(e);
    }
};

} // namespace

// The windows rely on these behaviours of the toolkit; each is checked here on Qt itself.
class TServiziFinestra : public QObject {
    Q_OBJECT
private slots:
    void reazioniAiCambiDelProgramma() {
        QLineEdit casella;
        QSignalSpy testo(&casella, &QLineEdit::textChanged);
        casella.setText("ROMA");
        casella.setText("ROMA");
        QCOMPARE(testo.count(), 1);
        casella.setMaxLength(2);
        casella.setText("MIL");
        QCOMPARE(casella.text(), QString("MI")); // the length limit cuts the program's text too
        QCheckBox spunta;
        QSignalSpy stato(&spunta, &QCheckBox::stateChanged);
        QSignalSpy clic(&spunta, &QCheckBox::clicked);
        spunta.setChecked(true);
        spunta.setChecked(true);
        QCOMPARE(stato.count(), 1);
        QCOMPARE(clic.count(), 0);
        QComboBox scelta;
        scelta.addItems({"MI (10 Km)", "BG (40 Km)"});
        QSignalSpy indice(&scelta, &QComboBox::currentIndexChanged);
        scelta.setCurrentIndex(1);
        scelta.setCurrentIndex(1);
        QCOMPARE(indice.count(), 1);
    }

    void casellaBloccata() {
        QWidget finestra;
        auto* prima = new QLineEdit(&finestra);
        auto* casella = new QLineEdit(&finestra); // next after prima in the focus chain
        finestra.show();
        finestra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&finestra));
        QVERIFY(ColoreFacciaPulsante() != ColoreSfondoFinestra()); // else the colours tell nothing
        casella->setText("500");
        ImpostaBloccata(casella, true);
        QCOMPARE(casella->palette().color(QPalette::Base), ColoreFacciaPulsante());
        prima->setFocus();
        QTest::keyClick(prima, Qt::Key_Tab);
        QTRY_VERIFY(casella->hasFocus()); // a locked box still takes the focus
        QTest::keyClicks(casella, "12");
        QCOMPARE(casella->text(), QString("500")); // but refuses typing
        casella->setText("600");
        QCOMPARE(casella->text(), QString("600")); // the program can still set it
        ImpostaBloccata(casella, false);
        QCOMPARE(casella->palette().color(QPalette::Base), ColoreSfondoFinestra());
        QTest::keyClicks(casella, "7");
        QCOMPARE(casella->text(), QString("6007"));
    }

    void modaleCheSiNasconde() {
        DialogoContato dialogo;
        auto* casella = new QLineEdit(&dialogo);
        QTimer::singleShot(0, &dialogo, [&] {
            casella->setText("scritto prima di nascondersi");
            dialogo.hide();
        });
        bool forzato = false; // the dialog did not return by hiding: end it without a hang
        QTimer::singleShot(5000, &dialogo, [&] {
            forzato = true;
            dialogo.done(0);
        });
        MostraModale(&dialogo);
        QVERIFY(!forzato);
        QCOMPARE(dialogo.mostrato, 1);

        // Shown again, the same instance still holds what was typed.
        QTimer::singleShot(0, &dialogo, [&] { dialogo.hide(); });
        MostraModale(&dialogo);
        QCOMPARE(dialogo.mostrato, 2);
        QCOMPARE(casella->text(), QString("scritto prima di nascondersi"));
    }

    void eventiInSospeso() {
        DialogoContato finestra;
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        ElaboraEventi();
        const int dipintiPrima = finestra.dipinto;
        bool eseguito = false;
        QMetaObject::invokeMethod(
            &finestra, [&] { eseguito = true; }, Qt::QueuedConnection);
        finestra.update();
        ElaboraEventi();
        QVERIFY(eseguito);
        QVERIFY(finestra.dipinto > dipintiPrima);
    }

    void immagini() {
        QLabel immagine;
        QVERIFY(CaricaImmagine(&immagine, ":/immagini/semaforo_verde.png").ok());
        const QSize verde = immagine.pixmap().size();
        QVERIFY(!verde.isEmpty());
        const EsitoOperazione mancante = CaricaImmagine(&immagine, "/manca/semaforo_rosso.png");
        QVERIFY(!mancante.ok());
        QCOMPARE(mancante.errore().codice, CodiceErrore::FileNonTrovato);
        QVERIFY(mancante.errore().descrizione.contains("/manca/semaforo_rosso.png"));
        // The test program itself is a file that is not a picture.
        const EsitoOperazione nonValida =
            CaricaImmagine(&immagine, QCoreApplication::applicationFilePath());
        QVERIFY(!nonValida.ok());
        QCOMPARE(nonValida.errore().codice, CodiceErrore::ImmagineNonValida);
        QCOMPARE(immagine.pixmap().size(), verde); // the previous picture stays
    }

    void puntatore() {
        ImpostaPuntatore(Puntatore::FrecciaClessidra);
        ImpostaPuntatore(Puntatore::FrecciaClessidra);
        QCOMPARE(PuntatoreAttuale(), Puntatore::FrecciaClessidra);
        ImpostaPuntatore(Puntatore::Clessidra);
        QCOMPARE(PuntatoreAttuale(), Puntatore::Clessidra);
        // One call restores the default, however many times the pointer was set before.
        ImpostaPuntatore(Puntatore::Predefinito);
        QCOMPARE(PuntatoreAttuale(), Puntatore::Predefinito);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void istanzaCondivisa() {
        using Istanza = IstanzaCondivisa<FinestraContata>;
        FinestraContata::caricamenti = 0;
        QCOMPARE(&Istanza::Ottieni(), &Istanza::Ottieni());
        QCOMPARE(FinestraContata::caricamenti, 1);
        QPointer<FinestraContata> osservata(&Istanza::Ottieni());
        Istanza::Scarica();
        QVERIFY(!Istanza::Caricata());
        QTRY_VERIFY(osservata.isNull());
        Istanza::Ottieni();
        QCOMPARE(FinestraContata::caricamenti, 2);
        Istanza::Scarica();
    }
};

QTEST_MAIN(TServiziFinestra)
#include "tst_serviziFinestra.moc"
