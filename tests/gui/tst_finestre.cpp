#include "core/Global.h"
#include "gui/FrmSplash.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/Main.h"
#include "gui/MessaggiQt.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"
#include "support/MessaggiRegistrati.h"
#include "support/TabellaCasi.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace ServiziFinestra;

// The icon of a message box as Qt draws it.
struct Icona {
    const char* nome;
    IconaMessaggio icona;
    QMessageBox::Icon qt;
};
Q_DECLARE_METATYPE(Icona)
// clang-format off
const Icona Icone[] = {
    {.nome = "errore", .icona = IconaMessaggio::Esclamazione, .qt = QMessageBox::Warning},
    {.nome = "domanda", .icona = IconaMessaggio::Domanda, .qt = QMessageBox::Question},
    {.nome = "informazione", .icona = IconaMessaggio::Informazione, .qt = QMessageBox::Information},
    {.nome = "nessuna", .icona = IconaMessaggio::Nessuna, .qt = QMessageBox::NoIcon},
};
// clang-format on

// The buttons of a message box: their captions in Qt's order, the answer each stands for, the
// default and the Escape button.
using R = RispostaMessaggio;
struct Pulsanti {
    const char* nome;
    PulsantiMessaggio pulsanti;
    QStringList didascalie;
    QList<RispostaMessaggio> risposte;
    QString predefinito, esc;
};
Q_DECLARE_METATYPE(Pulsanti)
// clang-format off
const Pulsanti ScelteDiPulsanti[] = {
    {.nome = "OK", .pulsanti = PulsantiMessaggio::Ok, .didascalie = {"OK"}, .risposte = {R::Ok},
     .predefinito = "OK", .esc = "OK"},
    {.nome = "Sì, No", .pulsanti = PulsantiMessaggio::SiNo, .didascalie = {"&Sì", "&No"},
     .risposte = {R::Si, R::No}, .predefinito = "&Sì", .esc = "&No"},
    {.nome = "Sì, No, Annulla", .pulsanti = PulsantiMessaggio::SiNoAnnulla,
     .didascalie = {"Annulla", "&Sì", "&No"}, .risposte = {R::Annulla, R::Si, R::No},
     .predefinito = "&Sì", .esc = "Annulla"},
};
// clang-format on

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
        Main();
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

    void iconaMessaggio_data() { Righe(Icone); }
    void iconaMessaggio() {
        QFETCH(Icona, caso);
        QCOMPARE(CreaFinestraMessaggio({"", PulsantiMessaggio::Ok, caso.icona, ""})->icon(),
                 caso.qt);
    }

    // The text with its line ends; the title given, or the application's name.
    void testoETitolo() {
        QCoreApplication::setApplicationName("Kelvaro_2007");
        const auto box = CreaFinestraMessaggio(
            {"riga 1\rriga 2", PulsantiMessaggio::Ok, IconaMessaggio::Nessuna, "Titolo"});
        QCOMPARE(box->text(), QString("riga 1\nriga 2"));
        QCOMPARE(box->windowTitle(), QString("Titolo"));
        QCOMPARE(CreaFinestraMessaggio({"", PulsantiMessaggio::Ok, IconaMessaggio::Nessuna, ""})
                     ->windowTitle(),
                 QString("Kelvaro_2007"));
    }

    void pulsantiMessaggio_data() { Righe(ScelteDiPulsanti); }
    void pulsantiMessaggio() {
        QFETCH(Pulsanti, caso);
        const Messaggio messaggio{"", caso.pulsanti, IconaMessaggio::Nessuna, ""};
        QStringList didascalie;
        const auto prima = CreaFinestraMessaggio(messaggio);
        for (const QAbstractButton* pulsante : prima->buttons())
            didascalie << pulsante->text();
        QCOMPARE(Elenco(didascalie), Elenco(caso.didascalie));
        for (int i = 0; i < didascalie.size(); ++i) {
            const auto box = CreaFinestraMessaggio(messaggio);
            QCOMPARE(box->defaultButton()->text(), caso.predefinito);
            QCOMPARE(box->escapeButton()->text(), caso.esc);
            box->buttons().at(i)->click();
            QCOMPARE(std::pair(didascalie[i], RispostaDelPulsante(*box)),
                     std::pair(didascalie[i], caso.risposte.value(i)));
        }
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
