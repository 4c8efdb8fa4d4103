#include "FinestraElencoProva.h"
#include "app/Global.h"
#include "app/ServiziFinestra.h"

#include <QtTest>

// The filter panel: its controls, its rules, and how many searches each user action causes.
class TFrmElencoFiltri : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void controlli();
    void ordineTab();
    void ricercheCausate_data();
    void ricercheCausate();
    void tuttiIComuniSvuotaIlPannello();
    void caselleDegliIntervalli();
    void maiuscoloInUscita();
    void cercaSvuotaENasconde();
    void pulsantiAllAttivazione();
    void esci();
};

void TFrmElencoFiltri::controlli() {
    FinestraElencoProva prova;
    QCOMPARE(prova.finestra().windowTitle(), QString("Zizovuvo Rizu Zodadazid"));
    const std::pair<const char*, const char*> pulsanti[] = {{"cmdCerca", "Cerca"},
                                                            {"cmdDettagli", "Visualizza Dettagli"},
                                                            {"cmdNuovo", "Inserisci nuovo comune"},
                                                            {"cmdContinua", "Continua"},
                                                            {"cmdStampa", "Stampa"},
                                                            {"cmdEsci", "Esci"},
                                                            {"cmdCercaFra", "Cerca"}};
    for (const auto& [nome, testo] : pulsanti) {
        QCOMPARE(prova.pulsante(nome)->text(), QString(testo));
        QVERIFY(!prova.pulsante(nome)->icon().isNull());
    }
    const std::pair<const char*, const char*> spunte[] = {
        {"ChkAltitudC", "Altitudine (m)"},   {"ChkGGiornoC", "Gradi Giorno (GG)"},
        {"ChkLatitudC", "Latitudine"},       {"ChkLongitudC", "Longitudine"},
        {"chkIrraC", "Irradianza"},          {"chkAllC", "tutti i comuni:"},
        {"chkInter", "ricerca interattiva:"}};
    for (const auto& [nome, testo] : spunte) {
        QCOMPARE(prova.spunta(nome)->text(), QString(testo));
        QCOMPARE(prova.spunta(nome)->checkState(), Qt::Unchecked);
    }
    QStringList etichette;
    for (const QLabel* etichetta : prova.finestra().findChildren<QLabel*>())
        etichette << etichetta->text();
    for (const char* atteso : {"comune:", "provincia:", "zona:", ">=", "<=", "°",
                               "...elaborazione in corso...", "Attendere prego."})
        QVERIFY2(etichette.contains(atteso), atteso);
    QCOMPARE(prova.casella("txtProvC")->maxLength(), 2);
    QCOMPARE(prova.casella("txtZonaC")->maxLength(), 1);
    QVERIFY(prova.finestra().findChild<QWidget*>("fraCerca")->isHidden());
    // The range boxes start locked, in the button-face colour.
    for (const char* nome :
         {"txtAltitudMinC", "txtAltitudMaxC", "txtGGiornoMinC", "txtGGiornoMaxC", "txtLatitudMinC",
          "txtLatitudMaxC", "txtLongitudMinC", "txtLongitudMaxC", "txtIrraMinC", "txtIrraMaxC"}) {
        QVERIFY2(prova.casella(nome)->isReadOnly(), nome);
        QCOMPARE(prova.casella(nome)->palette().color(QPalette::Base),
                 ServiziFinestra::ColoreFacciaPulsante());
    }
    // The focus-parking box lies outside the visible part of the window.
    const QLineEdit* nascosta = prova.casella("txtHide");
    QVERIFY(!prova.finestra().rect().intersects(nascosta->geometry()));
}

void TFrmElencoFiltri::ordineTab() {
    FinestraElencoProva prova;
    prova.esegui({"premi:cmdCerca"});
    QStringList ordine;
    QWidget* w = prova.casella("txtHide");
    for (int i = 0; i < 29; ++i) {
        ordine << w->objectName();
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty() ||
               w->objectName().startsWith("qt_"))
            w = w->nextInFocusChain();
    }
    QCOMPARE(ordine.mid(0, 10),
             QStringList({"txtHide", "cmdCerca", "cmdDettagli", "cmdNuovo", "cmdContinua",
                          "cmdStampa", "cmdEsci", "txtComuneC", "txtProvC", "txtZonaC"}));
    QCOMPARE(ordine.mid(21, 3), QStringList({"txtLongitudMaxC", "chkAllC", "cmdCercaFra"}));
    QCOMPARE(ordine.mid(25, 4),
             QStringList({"chkInter", "txtIrraMaxC", "txtIrraMinC", "chkIrraC"}));
}

void TFrmElencoFiltri::ricercheCausate_data() {
    QTest::addColumn<QStringList>("preparazione");
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<int>("ricerche");
    const QStringList pannello{"premi:cmdCerca"};
    const QStringList interattiva{"premi:cmdCerca", "spunta:chkInter"};

    QTest::newRow("senza interattiva scrivere non cerca")
        << pannello << QStringList{"scrivi:txtComuneC:ro", "scrivi:txtProvC:mi"} << 0;
    QTest::newRow("senza interattiva invio cerca")
        << pannello << QStringList{"scrivi:txtComuneC:ro", "invio:txtComuneC"} << 1;
    QTest::newRow("invio in una casella d'intervallo")
        << pannello
        << QStringList{"spunta:ChkGGiornoC", "scrivi:txtGGiornoMaxC:2000", "invio:txtGGiornoMaxC"}
        << 1;
    QTest::newRow("interattiva: una ricerca per carattere")
        << interattiva << QStringList{"scrivi:txtComuneC:rom"} << 3;
    QTest::newRow("interattiva con tutti i comuni: due per il primo carattere")
        << QStringList{"premi:cmdCerca", "spunta:chkAllC", "spunta:chkInter"}
        << QStringList{"scrivi:txtComuneC:ro"} << 3;
    QTest::newRow("spuntare tutti i comuni: una ricerca in fondo")
        << QStringList{"premi:cmdCerca",     "scrivi:txtComuneC:ro",      "scrivi:txtZonaC:E",
                       "spunta:ChkAltitudC", "scrivi:txtAltitudMinC:100", "spunta:chkInter"}
        << QStringList{"spunta:chkAllC"} << 1;
    QTest::newRow("togliere tutti i comuni in interattiva")
        << QStringList{"premi:cmdCerca", "spunta:chkAllC", "spunta:chkInter"}
        << QStringList{"spunta:chkAllC"} << 1;
    QTest::newRow("spuntare un intervallo non cerca")
        << interattiva << QStringList{"spunta:ChkAltitudC"} << 0;
    QTest::newRow("spuntare un intervallo con tutti i comuni spuntato")
        << QStringList{"premi:cmdCerca", "spunta:chkAllC", "spunta:chkInter"}
        << QStringList{"spunta:ChkAltitudC"} << 1;
    QTest::newRow("interattiva: ogni carattere di un limite")
        << QStringList{"premi:cmdCerca", "spunta:chkInter", "spunta:ChkAltitudC"}
        << QStringList{"scrivi:txtAltitudMinC:500"} << 3;
    QTest::newRow("togliere un intervallo pieno svuota e cerca per casella")
        << QStringList{"premi:cmdCerca", "spunta:ChkAltitudC", "scrivi:txtAltitudMinC:5",
                       "scrivi:txtAltitudMaxC:9", "spunta:chkInter"}
        << QStringList{"spunta:ChkAltitudC"} << 2;
    QTest::newRow("uscire dal nome in minuscolo cerca di nuovo")
        << interattiva << QStringList{"scrivi:txtComuneC:ro", "esci:txtComuneC"} << 3;
    QTest::newRow("uscire dal nome gia' maiuscolo non cerca")
        << interattiva << QStringList{"scrivi:txtComuneC:RO", "esci:txtComuneC"} << 2;
    QTest::newRow("Cerca in interattiva svuota le caselle piene, una ricerca ciascuna")
        << QStringList{"premi:cmdCerca", "scrivi:txtComuneC:r", "scrivi:txtProvC:m",
                       "spunta:chkInter"}
        << QStringList{"premi:cmdCerca"} << 2;
    QTest::newRow("Cerca senza interattiva non cerca")
        << QStringList{"premi:cmdCerca", "scrivi:txtComuneC:r"} << QStringList{"premi:cmdCerca"}
        << 0;
    QTest::newRow("il pulsante Cerca del pannello")
        << pannello << QStringList{"premi:cmdCercaFra"} << 1;
}

void TFrmElencoFiltri::ricercheCausate() {
    QFETCH(QStringList, preparazione);
    QFETCH(QStringList, azioni);
    QFETCH(int, ricerche);
    FinestraElencoProva prova;
    prova.esegui(preparazione);
    QCOMPARE(prova.esegui(azioni), ricerche);
    QVERIFY(!prova.finestra().InElaborazione());
    QVERIFY(prova.messaggi().mostrati().isEmpty());
}

void TFrmElencoFiltri::tuttiIComuniSvuotaIlPannello() {
    FinestraElencoProva prova;
    prova.esegui({"premi:cmdCerca", "scrivi:txtComuneC:ro", "scrivi:txtProvC:rm",
                  "scrivi:txtZonaC:d", "spunta:ChkGGiornoC", "scrivi:txtGGiornoMinC:1000",
                  "spunta:chkIrraC", "scrivi:txtIrraMaxC:2000", "invio:txtIrraMaxC"});
    QCOMPARE(prova.conteggio(), QString("1 Comune"));
    prova.esegui({"spunta:chkAllC"});
    for (const char* nome : {"txtComuneC", "txtProvC", "txtZonaC", "txtGGiornoMinC", "txtIrraMaxC"})
        QVERIFY2(prova.casella(nome)->text().isEmpty(), nome);
    for (const char* nome : {"ChkGGiornoC", "chkIrraC"})
        QCOMPARE(prova.spunta(nome)->checkState(), Qt::Unchecked);
    QVERIFY(prova.casella("txtGGiornoMinC")->isReadOnly());
    QVERIFY(prova.casella("txtIrraMaxC")->isReadOnly());
    QVERIFY(prova.spunta("chkAllC")->isChecked());
    // Not interactive: no search yet; the next one lists everything.
    prova.esegui({"premi:cmdCercaFra"});
    QCOMPARE(prova.conteggio(), QString("10 Comuni"));
}

void TFrmElencoFiltri::caselleDegliIntervalli() {
    FinestraElencoProva prova;
    prova.esegui({"premi:cmdCerca", "spunta:chkAllC", "spunta:ChkLatitudC"});
    QVERIFY(!prova.spunta("chkAllC")->isChecked()); // checking a range unchecks "tutti i comuni:"
    QLineEdit* da = prova.casella("txtLatitudMinC");
    QVERIFY(!da->isReadOnly());
    QCOMPARE(da->palette().color(QPalette::Base), ServiziFinestra::ColoreSfondoFinestra());
    prova.esegui({"scrivi:txtLatitudMinC:45", "scrivi:txtLatitudMaxC:46"});
    QCOMPARE(da->text(), QString("45"));
    prova.esegui({"spunta:ChkLatitudC"});
    QVERIFY(da->text().isEmpty());
    QVERIFY(prova.casella("txtLatitudMaxC")->text().isEmpty());
    QVERIFY(da->isReadOnly());
    QCOMPARE(da->palette().color(QPalette::Base), ServiziFinestra::ColoreFacciaPulsante());
    prova.esegui({"scrivi:txtLatitudMinC:45"});
    QVERIFY(da->text().isEmpty()); // a locked box refuses typing
}

void TFrmElencoFiltri::maiuscoloInUscita() {
    FinestraElencoProva prova;
    prova.esegui({"premi:cmdCerca", "scrivi:txtComuneC:forlì", "esci:txtComuneC",
                  "scrivi:txtProvC:fc", "esci:txtProvC", "scrivi:txtZonaC:d", "esci:txtZonaC"});
    QCOMPARE(prova.casella("txtComuneC")->text(), QString("FORLÌ"));
    QCOMPARE(prova.casella("txtProvC")->text(), QString("FC"));
    QCOMPARE(prova.casella("txtZonaC")->text(), QString("D"));
    QCOMPARE(prova.casella("txtProvC")->maxLength(), 2);
    prova.esegui({"scrivi:txtProvC:xyz"});
    QCOMPARE(prova.casella("txtProvC")->text(), QString("FC"));
}

void TFrmElencoFiltri::cercaSvuotaENasconde() {
    FinestraElencoProva prova;
    QWidget* pannello = prova.finestra().findChild<QWidget*>("fraCerca");
    prova.esegui({"premi:cmdCerca", "scrivi:txtComuneC:ro", "spunta:ChkAltitudC",
                  "scrivi:txtAltitudMinC:10", "spunta:chkAllC", "spunta:chkAllC",
                  "scrivi:txtZonaC:E"});
    QVERIFY(!pannello->isHidden());
    prova.esegui({"premi:cmdCerca"});
    QVERIFY(pannello->isHidden());
    prova.esegui({"premi:cmdCerca"});
    QVERIFY(!pannello->isHidden());
    for (const char* nome : {"txtComuneC", "txtZonaC", "txtAltitudMinC"})
        QVERIFY2(prova.casella(nome)->text().isEmpty(), nome);
    QVERIFY(!prova.spunta("ChkAltitudC")->isChecked());
    QVERIFY(prova.casella("txtAltitudMinC")->isReadOnly());
}

void TFrmElencoFiltri::pulsantiAllAttivazione() {
    FinestraElencoProva prova;
    const auto stato = [&] {
        QString s;
        for (const char* nome :
             {"cmdCerca", "cmdDettagli", "cmdNuovo", "cmdContinua", "cmdStampa", "cmdEsci"})
            s += prova.pulsante(nome)->isEnabled() ? '1' : '0';
        return s;
    };
    QCOMPARE(stato(), QString("101011"));
    QVERIFY(prova.casella("txtHide")->hasFocus());
    Global::RicercaRiferimento = 1;
    prova.finestra().Form_Activate();
    QCOMPARE(stato(), QString("100101"));
    Global::RicercaRiferimento = 0;
    prova.finestra().Form_Activate();
    QCOMPARE(stato(), QString("101011"));
}

void TFrmElencoFiltri::esci() {
    FinestraElencoProva prova;
    prova.esegui({"premi:cmdEsci"});
    QCOMPARE(prova.terminazioni(), 1);
}

QTEST_MAIN(TFrmElencoFiltri)
#include "tst_frmElencoFiltri.moc"
