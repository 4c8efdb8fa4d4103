#include "core/Global.h"
#include "db/Connessione.h"
#include "gui/IstanzaCondivisa.h"
#include "gui/record/FrmGestioneLoc.h"
#include "gui/search/FinestraElencoProva.h"

#include <QPushButton>
#include <QtTest>

using Scheda = IstanzaCondivisa<FrmGestioneLoc>;

// The record window driven through its controls, on a small archive whose capitals carry
// made-up irradiation: PV at 45° 00' and SO at 46° 00', equally far from LODI at 45° 30'.
class SchedaProva : public FinestraElencoProva {
public:
    SchedaProva()
        : FinestraElencoProva(
              {"MILANO,MI,E,2404,122,45,28,9,11,1300", "RHO,MI,E,2420,158,45,32,9,2,0",
               "LODI,LO,D,2592,87,45,30,9,0,0", "PAVIA,PV,E,2623,77,45,0,9,0,0",
               "SONDRIO,SO,E,2755,307,46,0,9,0,0", "ROMA,RM,D,1415,20,41,54,12,29,1500",
               "CASTEL SECONDO,PR,E,2500,200,44,55,10,5,0",
               "CASTEL PRIMO,PR,D,2000,100,44,45,10,5,0", "SANT'ANGELO,LO,E,2532,73,0,30,0,0,0"}) {
        archivio.esegui("UPDATE Comuni SET capoluogo = -1, Hdh = 6, Hbh = 8 WHERE COM_PROV = "
                        "'PV'; UPDATE Comuni SET capoluogo = -1, Hdh = 5, Hbh = 7 WHERE "
                        "COM_PROV = 'SO'; UPDATE Comuni SET capoluogo = -1, Hdh = 9, Hbh = 9 "
                        "WHERE COM_PROV = 'RM'; UPDATE Comuni SET ProvVicina1 = 'SO', "
                        "ProvVicina2 = 'PV' WHERE COM_NAME = 'MILANO'");
        archivio.chiudi();
        finestra().cmdCercaFra_Click();
    }
    ~SchedaProva() {
        Scheda::Scarica();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static qint32 Indice(const QString& nome) {
        const auto& l = Global::ElencoComuni;
        return qint32(std::ranges::find(l, nome, &DatiComune::Nome) - l.begin());
    }
    // Opens the record window on a listed municipality, or empty for a new locality ("").
    FrmGestioneLoc* apri(const QString& nome) {
        Global::ModoScheda = nome.isEmpty() ? 2 : 0;
        Global::IndiceComune = Indice(nome);
        auto* f = &Scheda::Ottieni();
        f->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(f)); }();
        return f;
    }
    static FrmGestioneLoc* scheda() { return Scheda::Caricata() ? &Scheda::Ottieni() : nullptr; }
    static QLineEdit* box(const QString& nome) { return scheda()->findChild<QLineEdit*>(nome); }
    static QComboBox* cbo(int n) {
        return scheda()->findChild<QComboBox*>("cboProvVicina" + QString::number(n));
    }
    // "scrivi:box:text" replaces the text by typing, "esci:box" tabs out, "premi:button" clicks,
    // "invio:button" presses Enter on it; "Si"/"No"/"Annulla" the next answer, "chiudi" the window
    // system's close control, "sql:" on another connection, "manca" no archive file, "cbo:n:i"
    // selects; "soloRoma" leaves only ROMA in the main window's list.
    void agisci(const QStringList& azioni) {
        static const QStringList risposte{"Si", "No", "Annulla"};
        for (const QString& azione : azioni) {
            const QStringList p = azione.split(':');
            if (p[0] == "premi") {
                QTest::mouseClick(scheda()->findChild<QPushButton*>(p[1]), Qt::LeftButton);
            } else if (p[0] == "invio") { // Enter on the focused button
                scheda()->findChild<QWidget*>(p[1])->setFocus();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else if (risposte.contains(azione)) {
                messaggi.rispondi(RispostaMessaggio(int(risposte.indexOf(azione)) + 1));
            } else if (azione == "chiudi") {
                scheda()->close();
            } else if (p[0] == "sql") {
                QVERIFY(archivio.esegui(azione.mid(4)));
            } else if (p[0] == "cbo") {
                cbo(p[1].toInt())->setCurrentIndex(p[2].toInt());
            } else if (azione == "manca") {
                Global::PercorsoDB += ".manca";
            } else if (azione == "soloRoma") {
                Global::ElencoComuni = {Global::ElencoComuni.at(Indice("ROMA"))};
                Global::IndiceRiferimento = 0;
            } else {
                QLineEdit* b = box(p[1]);
                b->setFocus();
                b->selectAll();
                QTest::keyClick(b, p[0] == "esci" ? Qt::Key_Tab : Qt::Key_Delete);
                QTest::keyClicks(b, p.value(2));
            }
        }
    }
    // A new locality typed: name, province, then altitude and coordinates ("300 44 50 10 5").
    static QStringList nuova(const QString& valori) {
        QStringList azioni{"scrivi:txtComune:nuova", "scrivi:txtProv:pr"};
        const QStringList v = valori.split(' ');
        int i = 0;
        for (const char* b : {"txtAltitudine", "txtLatiG", "txtLatiP", "txtLongiG", "txtLongiP"})
            azioni << QString("scrivi:%1:").arg(b) + v.value(i++);
        return azioni;
    }
    // Every message as icon, buttons, title (* the program's, - none) and text: "IO*Salvato";
    // one that starts with the expected one (error texts are given by their start) as that.
    QStringList registro(const QStringList& attesi) {
        QStringList r;
        for (const Messaggio& m : messaggi.mostrati()) {
            r << QString(QString("-IDE")[int(m.icona)]) + QString("OSA")[int(m.pulsanti)] +
                     (m.titolo == Global::TitoloProgramma ? "*" : "-") + m.testo;
            if (r.size() <= attesi.size() && r.last().startsWith(attesi[r.size() - 1]))
                r.last() = attesi[r.size() - 1];
        }
        return r;
    }
    // One stored row, its columns joined by "|" (Null as "-").
    QString riga(const QString& nome) {
        QString c = "COM_NAME COM_PROV COM_ZONE COM_DEGDAY COM_ALT COM_LATI_G COM_LATI_P "
                    "COM_LONG_G COM_LONG_P COM_RIFER_NAME COM_RIFER_PROV Irradianza ProvVicina1 "
                    "ProvVicina2";
        c = "SELECT ifnull(" + c.replace(" ", ", '-')||'|'||ifnull(") +
            ", '-') FROM Comuni WHERE COM_NAME = '" + nome + "'";
        const QString r = archivio.testi(c).value(0);
        archivio.chiudi();
        return r;
    }
};

// The boxes, the codes of the selected capitals and the enabled buttons (Modifica, Annulla,
// Salva, Cancella, Esci as 1 or 0), joined by "|".
static QString Schermo() {
    const char* nomi = "txtComune txtProv txtZona txtGGiorno txtAltitudine txtLatiG txtLatiP "
                       "txtLongiG txtLongiP txtIrradianza txtComLocRif";
    QStringList testi;
    for (const QString& nome : QString(nomi).split(' '))
        testi << SchedaProva::box(nome)->text();
    testi << SchedaProva::cbo(1)->currentText().left(2)
          << SchedaProva::cbo(2)->currentText().left(2);
    QString abilitati;
    for (const char* nome : {"cmdModifica", "cmdAnnulla", "cmdSalva", "cmdCanc", "cmdEsci"})
        abilitati += SchedaProva::scheda()->findChild<QPushButton*>(nome)->isEnabled() ? '1' : '0';
    return testi.join('|') + '|' + abilitati;
}

class TFrmGestioneLoc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void finestra_data();
    void finestra();
    void comandi_data();
    void comandi();
    void giroCompletoDallElenco();
};

void TFrmGestioneLoc::finestra_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<QString>("schermo"); // then "#" and the selectors' codes, nearest first
    QTest::addColumn<QStringList>("registro");
    const QString milano = "MILANO|MI|E|2404|122|45|28|9|11|1300||SO|PV|10011#PV SO RM";
    auto calcolo = [](const QString& valori) {
        return SchedaProva::nuova(valori) << "premi:cmdCalcola";
    };
    const QString calcolata = "NUOVA|PR|E|2683|300|44|50|10|5||CASTEL SECONDO|||01101#PV SO RM";
    QTest::newRow("vista: capoluoghi salvati, irradianza intatta")
        << "MILANO" << QStringList() << milano << QStringList();
    QTest::newRow("gradi nulli: niente coordinate")
        << "SANT'ANGELO" << QStringList() << "SANT'ANGELO|LO|E|2532|73|||||||||10011#"
        << QStringList();
    QTest::newRow("annulla la modifica")
        << "MILANO" << QStringList{"premi:cmdModifica", "scrivi:txtLatiG:", "premi:cmdAnnulla"}
        << milano << QStringList();
    QTest::newRow("capoluogo più lontano per primo: rifiutato")
        << "MILANO" << QStringList{"premi:cmdModifica", "cbo:1:2"}
        << "MILANO|MI|E|2404|122|45|28|9|11|1300||RM|PV|01101#PV SO RM"
        << QStringList{"EO*la distanza tra il comune e la I provincia"};
    QTest::newRow("nuova: maiuscole")
        << "" << QStringList{"scrivi:txtComune:sant'elia", "scrivi:txtProv:pr", "esci:txtProv"}
        << "SANT'ELIA|PR||||||||||||01101#" << QStringList();
    QTest::newRow("in vista la zona segue i gradi giorno")
        << "LODI" << QStringList{"esci:txtGGiorno"} << "LODI|LO|E|2592|87|45|30|9|0|||||10011#"
        << QStringList();
    QTest::newRow("tre coordinate: nessun elenco") << "" << SchedaProva::nuova("1 45 30 9 ").mid(3)
                                                   << "|||||45|30|9||||||01101#" << QStringList();
    QTest::newRow("quattro coordinate: per distanza, a pari distanza per sigla")
        << "" << SchedaProva::nuova("1 45 30 9 0").mid(3) + QStringList{"esci:txtLongiP"}
        << "|||||45|30|9|0|||||01101#PV SO RM" << QStringList();
    QTest::newRow("anche in vista, due volte")
        << "RHO" << QStringList{"esci:txtLatiG", "esci:txtLongiP"}
        << "RHO|MI|E|2420|158|45|32|9|2|||||10011#SO PV RM" << QStringList();
    // Calculation of a new locality (a reference picked in the main window:
    // giroCompletoDallElenco).
    QTest::newRow("altitudine mancante")
        << "" << calcolo(" 44 50 10 5") << "NUOVA|PR||||44|50|10|5|||||01101#PV SO RM"
        << QStringList{"IO*Inserire l'altudine della nuova località."};
    QTest::newRow("né riferimento né latitudine: il secondo messaggio")
        << "" << calcolo("x   10 5") << "NUOVA|PR|||x|||10|5|||||01101#"
        << QStringList{"IO*Inserire le coordinate geografiche, oppure selezionare una "
                       "località di riferimento."};
    QTest::newRow("dalle coordinate: a pari distanza il primo dell'archivio")
        << "" << calcolo("300 44 50 10 5") << calcolata << QStringList();
    QTest::newRow("riferimento fuori dall'elenco: letto dall'archivio")
        << "" << QStringList{"soloRoma"} + calcolo("300 44 50 10 5") << calcolata << QStringList();
    QTest::newRow("nessuna località vicina: nulla cambia")
        << "" << calcolo("300 30 0 10 5") << "NUOVA|PR|||300|30|0|10|5|||||01101#RM PV SO"
        << QStringList();
    QTest::newRow("longitudine mancante: errore")
        << "" << calcolo("300 44 50  ") << "NUOVA|PR|||300|44|50|||||||01101#"
        << QStringList{"EO*Tipo non corrispondente"};
}

void TFrmGestioneLoc::finestra() {
    QFETCH(QString, nome);
    QFETCH(QStringList, azioni);
    QFETCH(QString, schermo);
    QFETCH(QStringList, registro);
    SchedaProva prova;
    FrmGestioneLoc* f = prova.apri(nome);
    prova.agisci(azioni);
    QStringList codici;
    for (int i = 0; i < prova.cbo(2)->count(); ++i)
        codici << prova.cbo(2)->itemText(i).left(2);
    QCOMPARE(Schermo() + '#' + codici.join(' '), schermo);
    QCOMPARE(f->findChild<QWidget*>("fraCalcola")->isVisible(), nome.isEmpty());
    // Locked in view.
    const bool bloccata = schermo.contains("10011#");
    QCOMPARE(prova.box("txtLongiP")->isReadOnly(), bloccata);
    QCOMPARE(static_cast<SelettoreBloccabile*>(prova.cbo(2))->Bloccato(), bloccata);
    QCOMPARE(prova.registro(registro), registro);
}

void TFrmGestioneLoc::comandi_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("azioni");
    // The stored row (of NUOVA when it starts with "#"), then the window, ModoScheda,
    // AggiornaElenco, the rows and, while open, the enabled buttons.
    QTest::addColumn<QString>("dopo");
    QTest::addColumn<QStringList>("registro");
    const QString milano = "MILANO|MI|E|2404|122|45|28|9|11|-|-|1300|SO|PV";
    const QString milano130 = "MILANO|MI|E|2404|130|45|28|9|11|-|-|1300|SO|PV";
    const QString ok = "IO*Salvataggio dei dati eseguito correttamente.";
    const QString fallito = "IO*Si è verificato un errore durante il salvataggio dei dati.";
    const QString coordinate = "IS*Senza coordinate geografiche non è possibile calcolare";
    const QString domanda = "DA*L'operazione eliminerà tutti i dati riguardanti il seguente "
                            "comune: \rMILANO (MI).\rContinuare?";
    const QString salvare = "DA-Salvare le modifiche?";
    const QStringList modifica{"invio:cmdModifica", "scrivi:txtAltitudine:130"};
    const QString salva = "premi:cmdSalva", esci = "premi:cmdEsci", canc = "premi:cmdCanc";
    const QString salvato = "#aperta 0 1 9 10011", nonSalvato = "#aperta 1 0 9 01101";
    QTest::newRow("casella obbligatoria vuota")
        << "MILANO" << modifica + QStringList{"scrivi:txtComune: ", salva} << milano + nonSalvato
        << QStringList{"IO*Dati non sufficienti."};
    QTest::newRow("latitudine svuotata: quella salvata resta")
        << "MILANO" << modifica + QStringList{"scrivi:txtLatiG:", "scrivi:txtLatiP:", salva}
        << milano130 + salvato << QStringList{coordinate, ok};
    QTest::newRow("coordinate incomplete: No")
        << "MILANO" << modifica + QStringList{"scrivi:txtLongiP:", "No", salva}
        << milano + nonSalvato << QStringList{coordinate};
    QTest::newRow("senza capoluoghi elencati: errore, poi salvato senza irradianza")
        << "RHO" << modifica + QStringList{salva}
        << "RHO|MI|E|2420|130|45|32|9|2|-|-|0|-|-" + salvato
        << QStringList{"EO*Indice non compreso", ok};
    QTest::newRow("irradianza dai due capoluoghi più vicini")
        << "LODI" << QStringList{"premi:cmdModifica", "esci:txtLatiG", salva}
        << "LODI|LO|D|2592|87|45|30|9|0|-|-|150|PV|SO" + salvato << QStringList{ok};
    QTest::newRow("nuova dalle coordinate, poi modificata")
        << ""
        << SchedaProva::nuova("87 45 30 9 0") + QStringList{"premi:cmdCalcola", salva} + modifica +
               QStringList{salva}
        << "NUOVA|PR|E|2592|130|45|30|9|0|LODI|LO|150|PV|SO#aperta 0 1 10 10011"
        << QStringList{ok, ok};
    QTest::newRow("comune cancellato da un'altra copia: inserito di nuovo")
        << "MILANO"
        << QStringList{"sql:DELETE FROM Comuni WHERE COM_NAME = 'MILANO'"} + modifica +
               QStringList{salva}
        << milano130 + salvato << QStringList{ok};
    QTest::newRow("archivio bloccato: nulla salvato, si può riprovare")
        << "MILANO" << QStringList{"sql:BEGIN IMMEDIATE"} + modifica + QStringList{salva}
        << milano + nonSalvato << QStringList{"EO*", fallito};
    QTest::newRow("modifica: Annulla resta") << "MILANO" << modifica + QStringList{"Annulla", esci}
                                             << milano + nonSalvato << QStringList{salvare};
    QTest::newRow("modifica: Sì salva ed esce")
        << "MILANO" << modifica + QStringList{"Si", esci} << milano130 + "#chiusa 0 1 9"
        << QStringList{salvare, ok};
    QTest::newRow("chiusura della finestra: come Torna all'elenco")
        << "MILANO" << modifica + QStringList{"No", "chiudi"} << milano + "#chiusa 0 0 9"
        << QStringList{salvare};
    QTest::newRow("nuova: Annulla chiude senza salvare")
        << "" << QStringList{"scrivi:txtComune:X", "premi:cmdAnnulla"} << "#chiusa 0 0 9"
        << QStringList();
    QTest::newRow("cancella: No") << "MILANO" << QStringList{"No", canc}
                                  << milano + "#aperta 0 0 9 10011" << QStringList{domanda};
    QTest::newRow("cancella: Sì") << "MILANO" << QStringList{canc} << "#chiusa 0 1 8"
                                  << QStringList{domanda};
    QTest::newRow("cancella con archivio bloccato: errore, chiude comunque")
        << "MILANO" << QStringList{"sql:BEGIN IMMEDIATE", canc} << milano + "#chiusa 0 1 9"
        << QStringList{domanda, "EO*"};
    QTest::newRow("cancella senza archivio: resta aperta")
        << "MILANO" << QStringList{"manca", canc} << milano + "#aperta 0 0 9 10011"
        << QStringList{domanda, "EO*"};
}

void TFrmGestioneLoc::comandi() {
    QFETCH(QString, nome);
    QFETCH(QStringList, azioni);
    QFETCH(QString, dopo);
    QFETCH(QStringList, registro);
    SchedaProva prova;
    prova.apri(nome);
    Global::RicercaRiferimento = 1;
    prova.agisci(azioni);
    QCOMPARE(prova.registro(registro), registro);
    const bool aperta = SchedaProva::scheda();
    QString stato = prova.riga(dopo.startsWith('#') ? "NUOVA" : dopo.section('|', 0, 0)) +
                    QString("#%1 %2 %3 %4")
                        .arg(aperta ? "aperta" : "chiusa")
                        .arg(Global::ModoScheda + (aperta ? 0 : Global::RicercaRiferimento))
                        .arg(int(Global::AggiornaElenco))
                        .arg(prova.archivio.conta("Comuni"));
    if (aperta) {
        stato += ' ' + Schermo().right(5);
        QCOMPARE(prova.box("txtComune")->isReadOnly(), stato.endsWith("10011"));
    }
    QCOMPARE(stato, dopo);
    QVERIFY(!Global::Cnn());
}

// Runs `azioni` on the record window as soon as a command of the main window shows it
// modally; a watchdog hides the window if the test goes wrong, so that nothing hangs.
static void QuandoAppare(std::function<void()> azioni) {
    QTimer::singleShot(0, [azioni] {
        QTimer::singleShot(20000, [] {
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->hide();
        });
        (void)QTest::qWaitForWindowActive(QApplication::activeModalWidget());
        azioni();
    });
}

static void DoppioClic(FinestraElencoProva& prova, const QString& nome) {
    GrigliaElenco* g = prova.griglia();
    const QPoint punto =
        g->visualRect(g->model()->index(int(prova.colonna(1).split('|').indexOf(nome)), 0))
            .center();
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, punto);
}

// A new locality whose reference is picked in the main window's list, saved, then opened again
// from the list and deleted; the list is searched again after each return.
void TFrmGestioneLoc::giroCompletoDallElenco() {
    SchedaProva prova;
    prova.eseguiTesti({"p:cmdCerca", "s:txtComuneC:C", "i:txtComuneC"});
    QuandoAppare([&] {
        prova.agisci({"scrivi:txtComune:nuova", "scrivi:txtProv:pr", "scrivi:txtAltitudine:350",
                      "premi:cmdRiferimento"});
    });
    prova.eseguiTesti({"p:cmdNuovo"});
    QVERIFY(prova.w<QPushButton>("cmdContinua")->isEnabled());
    // The same window comes back with what was typed and the picked reference.
    QuandoAppare([&] { prova.agisci({"premi:cmdCalcola", "premi:cmdSalva", "premi:cmdEsci"}); });
    DoppioClic(prova, "CASTEL PRIMO");
    QCOMPARE(prova.riga("NUOVA"), "NUOVA|PR|D|2415|350|-|-|-|-|CASTEL PRIMO|PR|-|-|-");
    // The whole archive is listed again, with the new locality.
    const QStringList nomi = prova.colonna(1).split('|');
    QCOMPARE(nomi.size(), 10);
    QCOMPARE(prova.colonna(5).split('|').value(nomi.indexOf("NUOVA")), "2415");
    QuandoAppare([&] { prova.agisci({"premi:cmdCanc"}); });
    DoppioClic(prova, "NUOVA");
    QVERIFY(!prova.colonna(1).split('|').contains("NUOVA") && !Global::AggiornaElenco);
}

QTEST_MAIN(TFrmGestioneLoc)
#include "tst_frmGestioneLoc.moc"
