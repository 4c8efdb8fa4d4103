#include "app/IstanzaCondivisa.h"
#include "app/ServiziFinestra.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
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
    void reazioniAiCambiDelProgramma();
    void casellaBloccata();
    void modaleCheSiNasconde();
    void eventiInSospeso();
    void immagini();
    void puntatore();
    void terminazione();
    void istanzaCondivisa();
};

void TServiziFinestra::reazioniAiCambiDelProgramma() {
    QLineEdit casella;
    QSignalSpy testo(&casella, &QLineEdit::textChanged);
    casella.setText("ROMA");
    casella.setText("ROMA");
    QCOMPARE(testo.count(), 1);
    casella.setText("");
    QCOMPARE(testo.count(), 2);
    casella.setMaxLength(2);
    casella.setText("MIL");
    QCOMPARE(casella.text(), QString("MI")); // the length limit cuts the program's text too

    QCheckBox spunta;
    QSignalSpy stato(&spunta, &QCheckBox::stateChanged);
    QSignalSpy clic(&spunta, &QCheckBox::clicked);
    spunta.setChecked(true);
    spunta.setChecked(true);
    spunta.setChecked(false);
    QCOMPARE(stato.count(), 2);
    QCOMPARE(clic.count(), 0);

    QComboBox scelta;
    scelta.addItems({"MI (10 Km)", "BG (40 Km)"});
    QSignalSpy indice(&scelta, &QComboBox::currentIndexChanged);
    scelta.setCurrentIndex(1);
    scelta.setCurrentIndex(1);
    QCOMPARE(indice.count(), 1);
}

void TServiziFinestra::casellaBloccata() {
    QWidget finestra;
    auto* prima = new QLineEdit(&finestra);
    auto* casella = new QLineEdit(&finestra);
    auto* layout = new QVBoxLayout(&finestra);
    layout->addWidget(prima);
    layout->addWidget(casella);
    finestra.show();
    finestra.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&finestra));

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
    casella->clear();
    QTest::keyClicks(casella, "12");
    QCOMPARE(casella->text(), QString("12"));
    QVERIFY(ColoreFacciaPulsante() != ColoreSfondoFinestra());
}

void TServiziFinestra::modaleCheSiNasconde() {
    DialogoContato dialogo;
    auto* casella = new QLineEdit(&dialogo);
    bool tornato = false;
    QTimer::singleShot(0, &dialogo, [&] {
        casella->setText("scritto prima di nascondersi");
        dialogo.hide();
    });
    QTimer::singleShot(5000, &dialogo, [&] {
        if (!tornato)
            dialogo.done(0);
    });
    MostraModale(&dialogo);
    tornato = true;
    QCOMPARE(dialogo.mostrato, 1);

    // Shown again, the same instance still holds what was typed.
    QTimer::singleShot(0, &dialogo, [&] { dialogo.hide(); });
    MostraModale(&dialogo);
    QCOMPARE(dialogo.mostrato, 2);
    QCOMPARE(casella->text(), QString("scritto prima di nascondersi"));
}

void TServiziFinestra::eventiInSospeso() {
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

void TServiziFinestra::immagini() {
    QTemporaryDir cartella;
    const QString buona = cartella.filePath("verde.png");
    QPixmap verde(25, 25);
    verde.fill(Qt::green);
    QVERIFY(verde.save(buona));
    const QString rotta = cartella.filePath("rotta.png");
    QFile file(rotta);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("non un'immagine");
    file.close();

    QLabel immagine;
    QVERIFY(CaricaImmagine(&immagine, buona).ok());
    QCOMPARE(immagine.pixmap().size(), QSize(25, 25));

    const EsitoOperazione mancante = CaricaImmagine(&immagine, cartella.filePath("rosso.png"));
    QVERIFY(!mancante.ok());
    QCOMPARE(mancante.errore().codice, CodiceErrore::FileNonTrovato);
    QVERIFY(mancante.errore().descrizione.contains("rosso.png"));
    QCOMPARE(immagine.pixmap().size(), QSize(25, 25)); // the previous picture stays

    const EsitoOperazione nonValida = CaricaImmagine(&immagine, rotta);
    QVERIFY(!nonValida.ok());
    QCOMPARE(nonValida.errore().codice, CodiceErrore::ImmagineNonValida);
    QVERIFY(!immagine.pixmap().isNull());

    QVERIFY(!CaricaImmagine(&immagine, "-1semaforo_verde.png").ok());
}

void TServiziFinestra::puntatore() {
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

void TServiziFinestra::terminazione() {
    int chiamate = 0;
    ImpostaTerminazione([&] { ++chiamate; });
    TerminaProgramma();
    QCOMPARE(chiamate, 1);
}

void TServiziFinestra::istanzaCondivisa() {
    FinestraContata::caricamenti = 0;
    FinestraContata& prima = IstanzaCondivisa<FinestraContata>::Ottieni();
    FinestraContata& ancora = IstanzaCondivisa<FinestraContata>::Ottieni();
    QCOMPARE(&prima, &ancora);
    QCOMPARE(FinestraContata::caricamenti, 1);
    QPointer<FinestraContata> osservata(&prima);
    IstanzaCondivisa<FinestraContata>::Scarica();
    QVERIFY(!IstanzaCondivisa<FinestraContata>::Caricata());
    QTRY_VERIFY(osservata.isNull());
    IstanzaCondivisa<FinestraContata>::Ottieni();
    QCOMPARE(FinestraContata::caricamenti, 2);
    IstanzaCondivisa<FinestraContata>::Scarica();
}

QTEST_MAIN(TServiziFinestra)
#include "tst_serviziFinestra.moc"
