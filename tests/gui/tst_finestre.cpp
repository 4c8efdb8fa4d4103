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

// A message box as Qt draws it: the icon, the buttons' captions in Qt's order, the answer each
// stands for, the default and the Escape button; the title given, or the application's name.
using R = RispostaMessaggio;
struct FinestraMessaggio {
    const char* nome;
    IconaMessaggio icona;
    QMessageBox::Icon qt;
    PulsantiMessaggio pulsanti;
    QStringList didascalie;
    QList<RispostaMessaggio> risposte;
    QString predefinito, esc;
    QString titolo{};
};
Q_DECLARE_METATYPE(FinestraMessaggio)
// clang-format off
const FinestraMessaggio Finestre[] = {
    {.nome = "errore, OK", .icona = IconaMessaggio::Esclamazione, .qt = QMessageBox::Warning, .pulsanti = PulsantiMessaggio::Ok,
     .didascalie = {"OK"}, .risposte = {R::Ok}, .predefinito = "OK", .esc = "OK", .titolo = "Titolo"},
    {.nome = "domanda, Sì No", .icona = IconaMessaggio::Domanda, .qt = QMessageBox::Question, .pulsanti = PulsantiMessaggio::SiNo,
     .didascalie = {"&Sì", "&No"}, .risposte = {R::Si, R::No}, .predefinito = "&Sì", .esc = "&No"},
    {.nome = "Sì No Annulla", .icona = IconaMessaggio::Informazione, .qt = QMessageBox::Information, .pulsanti = PulsantiMessaggio::SiNoAnnulla,
     .didascalie = {"Annulla", "&Sì", "&No"}, .risposte = {R::Annulla, R::Si, R::No}, .predefinito = "&Sì", .esc = "Annulla"},
    {.nome = "nessuna icona", .icona = IconaMessaggio::Nessuna, .qt = QMessageBox::NoIcon, .pulsanti = PulsantiMessaggio::Ok,
     .didascalie = {"OK"}, .risposte = {R::Ok}, .predefinito = "OK", .esc = "OK"},
};
// clang-format on

// Start-up, the real message box and the window services the windows rely on.
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

    // The text with its line ends.
    void finestraMessaggio_data() { Righe(Finestre); }
    void finestraMessaggio() {
        QFETCH(FinestraMessaggio, caso);
        QCoreApplication::setApplicationName("Kelvaro_2007");
        const Messaggio messaggio{"riga 1\rriga 2", caso.pulsanti, caso.icona, caso.titolo};
        const auto prima = CreaFinestraMessaggio(messaggio);
        QCOMPARE(prima->icon(), caso.qt);
        QCOMPARE(prima->text(), "riga 1\nriga 2");
        QCOMPARE(prima->windowTitle(), caso.titolo.isEmpty() ? "Kelvaro_2007" : caso.titolo);
        QStringList didascalie;
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
        QCOMPARE(CaricaImmagine(&immagine, "/manca/rosso.png").errore().descrizione,
                 QString("Impossibile trovare il file «/manca/rosso.png»."));
        // The test program itself is a file that is not a picture; the previous picture stays.
        QCOMPARE(CaricaImmagine(&immagine, QCoreApplication::applicationFilePath()).errore().codice,
                 CodiceErrore::ImmagineNonValida);
        QCOMPARE(immagine.pixmap().size(), QImage(":/immagini/semaforo_verde.png").size());
    }

    void puntatore() {
        ImpostaPuntatore(Puntatore::FrecciaClessidra);
        ImpostaPuntatore(Puntatore::Clessidra);
        QCOMPARE(PuntatoreAttuale(), Puntatore::Clessidra);
        // One call restores the default, however many times the pointer was set before.
        ImpostaPuntatore(Puntatore::Predefinito);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(TFinestre)
#include "tst_finestre.moc"
