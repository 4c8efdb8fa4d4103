#include "FinestraElencoProva.h"
#include "app/Global.h"
#include "search/CriteriRicerca.h"

#include <QDialog>
#include <QtTest>

// The filter panel and the window as the user drives them with keyboard and mouse: how many
// searches each action causes, what the panel shows afterwards, focus, activation, Enter.
class TFrmElencoFiltri : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void azioni_data();
    void azioni();
    void clicDopoLaScrittura_data();
    void clicDopoLaScrittura();
    void ordineTab();
    void attivazione();
};

// The three text boxes; per range its check box (c or -), whether its boxes are locked (b or u)
// and the ">=" text; "tutti i comuni:" (T or -) and the panel (P shown, - hidden).
static QString Pannello(FinestraElencoProva& p) {
    QString s;
    for (const char* nome : {"txtComuneC", "txtProvC", "txtZonaC"})
        s += p.w<QLineEdit>(nome)->text() + '|';
    for (const DefinizioneIntervallo& d : IntervalliRicerca)
        s += QString(p.w<QCheckBox>(d.spunta)->isChecked() ? "c" : "-") +
             (p.w<QLineEdit>(d.da)->isReadOnly() ? "b" : "u") + p.w<QLineEdit>(d.da)->text();
    return s + '|' + (p.w<QCheckBox>("chkAllC")->isChecked() ? 'T' : '-') +
           (p.w("fraCerca")->isVisible() ? 'P' : '-');
}

// Actions (after the panel is shown); searches caused by the last one; the panel afterwards
// ("V" stands for five unchecked, locked, empty ranges).
void TFrmElencoFiltri::azioni_data() {
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<int>("ricerche");
    QTest::addColumn<QString>("pannello");
    for (const char* riga : {
             "scrivi:txtComuneC:ro;0;ro|||V|-P",
             "premi:ChkGGiornoC,scrivi:txtGGiornoMinC:9,invio:txtGGiornoMinC;1;|||-bcu9-b-b-b|-P",
             "premi:chkInter,scrivi:txtComuneC:rom;3;rom|||V|-P",
             "premi:chkAllC,premi:chkInter,scrivi:txtProvC:m;2;|m||V|-P",
             "scrivi:txtComuneC:ro,premi:chkIrraC,scrivi:txtIrraMinC:5,premi:chkInter,"
             "premi:chkAllC;1;|||V|TP",
             "premi:chkAllC,premi:ChkAltitudC;0;|||cu-b-b-b-b|-P",
             "premi:ChkLatitudC,scrivi:txtLatitudMinC:4,scrivi:txtLatitudMaxC:6,premi:chkInter,"
             "premi:ChkLatitudC;2;|||V|-P",
             "scrivi:txtAltitudMinC:5;0;|||V|-P",
             "premi:chkInter,scrivi:txtComuneC:forlì,esci:txtComuneC;1;FORLÌ|||V|-P",
             "scrivi:txtProvC:fcx,esci:txtProvC,scrivi:txtZonaC:de,esci:txtZonaC;0;|FC|D|V|-P",
             "scrivi:txtComuneC:r,scrivi:txtProvC:m,premi:chkInter,premi:cmdCerca;2;|||V|--",
             "premi:cmdCerca,premi:cmdCerca;0;|||V|-P",
             "invio:cmdCercaFra;1;|||V|-P",
         }) {
        const QStringList parti = QString(riga).split(';');
        QTest::newRow(riga) << parti[0].split(',') << parti[1].toInt()
                            << QString(parti[2]).replace("V", "-b-b-b-b-b");
    }
}

void TFrmElencoFiltri::azioni() {
    QFETCH(QStringList, azioni);
    QFETCH(int, ricerche);
    QFETCH(QString, pannello);
    FinestraElencoProva prova;
    const QString ultima = azioni.takeLast();
    prova.esegui(QStringList{"premi:cmdCerca"} + azioni);
    QCOMPARE(prova.esegui({ultima}), ricerche);
    QCOMPARE(Pannello(prova), pannello);
    QVERIFY(prova.messaggi.mostrati().isEmpty());
}

void TFrmElencoFiltri::clicDopoLaScrittura_data() {
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QString>("pannello");
    QTest::newRow("tutti i comuni") << "chkAllC"
                                    << "|||-b-b-b-b-b|TP";
    QTest::newRow("Esci") << "cmdEsci"
                          << "RO|||-b-b-b-b-b|-P";
}

// In interactive mode, the first click after typing reaches its control whole, after the
// lost-focus reaction and its search. Press and release come queued, as from the window system.
void TFrmElencoFiltri::clicDopoLaScrittura() {
    QFETCH(QString, controllo);
    QFETCH(QString, pannello);
    FinestraElencoProva prova;
    prova.esegui({"premi:cmdCerca", "premi:chkInter", "scrivi:txtComuneC:ro"});
    auto* bersaglio = prova.w<QAbstractButton>(controllo);
    PostaClic(prova.finestra().windowHandle(),
              bersaglio->mapTo(&prova.finestra(), FinestraElencoProva::PuntoDiClic(bersaglio)));
    QTRY_COMPARE(Pannello(prova), pannello);
    QCOMPARE(prova.terminazioni, int(controllo == "cmdEsci"));
    QVERIFY(!bersaglio->isDown());
}

void TFrmElencoFiltri::ordineTab() {
    FinestraElencoProva prova;
    prova.esegui({"premi:cmdCerca", "riga:3"});
    QStringList avanti;
    QStringList indietro;
    for (QStringList* giro : {&avanti, &indietro})
        for (int i = 0; i < 60; ++i) {
            *giro << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(),
                            giro == &avanti ? Qt::Key_Tab : Qt::Key_Backtab);
        }
    // One round visits every enabled control once, the grid included; Shift+Tab goes the same
    // round backwards and never moves the grid's row.
    const int n = int(avanti.indexOf(avanti[0], 1));
    const QStringList giro = avanti.mid(0, n);
    QCOMPARE(QSet<QString>(giro.begin(), giro.end()).size(), n);
    QVERIFY(giro.contains("GrdLista") && giro.contains("chkIrraC"));
    QCOMPARE(avanti.mid(n, n), giro);
    const int s = int(giro.indexOf(indietro[0]));
    for (int k = 0; k < 60; ++k)
        QCOMPARE(indietro[k], giro[((s - k) % n + n) % n]);
    QCOMPARE(prova.griglia()->currentIndex().row(), 2);
}

// Form_Activate runs when the window is shown and when another window of the program hands
// the activation back; not on the return from another application, which also leaves the box
// that had the focus without its lost-focus reaction.
void TFrmElencoFiltri::attivazione() {
    FinestraElencoProva prova;
    const auto stato = [&] {
        QString s = prova.finestra().focusWidget()->objectName() + " ";
        for (const char* nome :
             {"cmdCerca", "cmdDettagli", "cmdNuovo", "cmdContinua", "cmdStampa", "cmdEsci"})
            s += prova.w(nome)->isEnabled() ? '1' : '0';
        return s;
    };
    QCOMPARE(stato(), QString("txtHide 101011"));
    prova.esegui({"premi:cmdCerca", "riga:2", "scrivi:txtComuneC:ro"});
    PostaAttivazione(nullptr);
    QTRY_VERIFY(!prova.finestra().isActiveWindow());
    PostaAttivazione(prova.finestra().windowHandle());
    QTRY_VERIFY(prova.finestra().isActiveWindow());
    QCOMPARE(stato() + prova.w<QLineEdit>("txtComuneC")->text(), QString("txtComuneC 111011ro"));

    Global::RicercaRiferimento = 1;
    QDialog scheda(&prova.finestra());
    scheda.show();
    QTRY_VERIFY(scheda.isActiveWindow());
    scheda.hide();
    PostaAttivazione(prova.finestra().windowHandle());
    QTRY_COMPARE(stato(), QString("txtHide 100101"));
    prova.finestra().hide();
    Global::RicercaRiferimento = 0;
    prova.finestra().show();
    QCOMPARE(stato(), QString("txtHide 101011"));
}

QTEST_MAIN(TFrmElencoFiltri)
#include "tst_frmElencoFiltri.moc"
