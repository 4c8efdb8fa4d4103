#include "app/Connessione.h"
#include "app/Global.h"
#include "app/IstanzaCondivisa.h"
#include "app/ServiziFinestra.h"
#include "record/FrmGestioneLoc.h"
#include "search/FinestraElencoProva.h"

#include <QComboBox>
#include <QListWidget>
#include <QtTest>

using R = RispostaMessaggio;

// The record window driven through its controls, on a small archive whose capitals carry
// made-up irradiation: PV at 45° 00' and SO at 46° 00' (equally far from LODI at 45° 30').
class SchedaProva : public FinestraElencoProva {
public:
    SchedaProva()
        : FinestraElencoProva({{"MILANO", "MI", "E", 2404, 122, 45, 28, 9, 11, 1300},
                               {"RHO", "MI", "E", 2420, 158, 45, 32, 9, 2, 0},
                               {"LODI", "LO", "D", 2592, 87, 45, 30, 9, 0, 0},
                               {"PAVIA", "PV", "E", 2623, 77, 45, 0, 9, 0, 0},
                               {"SONDRIO", "SO", "E", 2755, 307, 46, 0, 9, 0, 0},
                               {"ROMA", "RM", "D", 1415, 20, 41, 54, 12, 29, 1500},
                               {"CASTEL SECONDO", "PR", "E", 2500, 200, 44, 55, 10, 5, 0},
                               {"CASTEL PRIMO", "PR", "D", 2000, 100, 44, 45, 10, 5, 0},
                               {"SANT'ANGELO", "LO", "E", 2532, 73, 0, 30, 0, 0, 0}}) {
        archivio().esegui("UPDATE Comuni SET capoluogo = -1, Hdh = 6, Hbh = 8 WHERE COM_PROV = "
                          "'PV'; UPDATE Comuni SET capoluogo = -1, Hdh = 5, Hbh = 7 WHERE "
                          "COM_PROV = 'SO'; UPDATE Comuni SET capoluogo = -1, Hdh = 9, Hbh = 9 "
                          "WHERE COM_PROV = 'RM'; UPDATE Comuni SET ProvVicina1 = 'SO', "
                          "ProvVicina2 = 'PV' WHERE COM_NAME = 'MILANO'");
        archivio().chiudi();
        finestra().cmdCercaFra_Click();
    }
    ~SchedaProva() {
        if (IstanzaCondivisa<FrmGestioneLoc>::Caricata())
            IstanzaCondivisa<FrmGestioneLoc>::Scarica();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static qint32 Indice(const QString& nome) {
        for (qint32 i = 0; i < Global::ElencoComuni.size(); ++i)
            if (Global::ElencoComuni[i].Nome == nome)
                return i;
        return -1;
    }
    // Opens the record window on a listed municipality, or empty for a new locality ("").
    FrmGestioneLoc* apri(const QString& nome) {
        Global::ModoScheda = nome.isEmpty() ? 2 : 0;
        Global::IndiceComune = nome.isEmpty() ? 0 : Indice(nome);
        auto* f = &IstanzaCondivisa<FrmGestioneLoc>::Ottieni();
        f->show();
        f->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(f)); }();
        return f;
    }
    static FrmGestioneLoc* scheda() {
        return IstanzaCondivisa<FrmGestioneLoc>::Caricata()
                   ? &IstanzaCondivisa<FrmGestioneLoc>::Ottieni()
                   : nullptr;
    }
    static QLineEdit* box(const QString& nome) { return scheda()->findChild<QLineEdit*>(nome); }
    static QComboBox* cbo(int n) {
        return scheda()->findChild<QComboBox*>("cboProvVicina" + QString::number(n));
    }
    // Actions on the record window: "scrivi:box:text" (replaces the text by typing), "esci:box"
    // (Tab out of it), "premi:button", "scegli:1|2:entry".
    static void agisci(const QStringList& azioni) {
        for (const QString& azione : azioni) {
            const QStringList p = azione.split(':');
            if (p[0] == "scrivi") {
                box(p[1])->setFocus();
                box(p[1])->selectAll();
                QTest::keyClick(box(p[1]), Qt::Key_Delete);
                QTest::keyClicks(box(p[1]), p.value(2));
            } else if (p[0] == "esci") {
                box(p[1])->setFocus();
                QTest::keyClick(box(p[1]), Qt::Key_Tab);
            } else if (p[0] == "premi") {
                QTest::mouseClick(scheda()->findChild<QPushButton*>(p[1]), Qt::LeftButton);
            } else if (p[0] == "scegli") {
                cbo(p[1].toInt())->setCurrentIndex(p[2].toInt());
            }
        }
    }
    // A typed new locality ready for "Calcola": name, province, altitude and coordinates.
    static QStringList nuova(const QString& alt, const QString& lat, const QString& lon) {
        return {"scrivi:txtComune:nuova",
                "scrivi:txtProv:pr",
                "scrivi:txtAltitudine:" + alt,
                "scrivi:txtLatiG:" + lat.section(' ', 0, 0),
                "scrivi:txtLatiP:" + lat.section(' ', 1),
                "scrivi:txtLongiG:" + lon.section(' ', 0, 0),
                "scrivi:txtLongiP:" + lon.section(' ', 1)};
    }
    // Every message as icon, buttons, title (* the program's, - none) and text: "IO*Salvato".
    QStringList registro() {
        QStringList r;
        for (const Messaggio& m : messaggi().mostrati())
            r << QString(QString("-IDE")[int(m.icona)]) + QString("OSA")[int(m.pulsanti)] +
                     (m.titolo == Global::TitoloProgramma ? "*" : "-") + m.testo;
        return r;
    }
    // One stored row: name, province, zone, degree days, altitude, coordinates, reference,
    // irradiance and capitals, joined by "|" (Null as "-").
    QString riga(const QString& nome) {
        QString colonne;
        for (const char* c :
             {"COM_NAME", "COM_PROV", "COM_ZONE", "COM_DEGDAY", "COM_ALT", "COM_LATI_G",
              "COM_LATI_P", "COM_LONG_G", "COM_LONG_P", "COM_RIFER_NAME", "COM_RIFER_PROV",
              "Irradianza", "ProvVicina1", "ProvVicina2"})
            colonne += QString(colonne.isEmpty() ? "" : "||'|'||") + "ifnull(" + c + ",'-')";
        const QString r =
            archivio()
                .valore("SELECT " + colonne + " FROM Comuni WHERE COM_NAME = '" + nome + "'")
                .toString();
        archivio().chiudi();
        return r;
    }
};

static bool Corrisponde(const QStringList& visti, const QStringList& attesi) {
    if (visti.size() != attesi.size())
        return false;
    for (int i = 0; i < visti.size(); ++i)
        if (attesi[i].endsWith("...") ? !visti[i].startsWith(attesi[i].chopped(3))
                                      : visti[i] != attesi[i])
            return false;
    return true;
}

class TFrmGestioneLoc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void apertura_data();
    void apertura();
    void reazioni_data();
    void reazioni();
    void calcola_data();
    void calcola();
    void salva_data();
    void salva();
    void chiusura_data();
    void chiusura();
    void nuovaLocalitaDalMenuPrincipale();
    void modificaDallElenco();
};

QTEST_MAIN(TFrmGestioneLoc)

// What a box, the capital selectors (their codes) and the buttons show.
static QString Caselle(const char* nomi = "txtComune txtProv txtZona txtGGiorno txtAltitudine "
                                          "txtLatiG txtLatiP txtLongiG txtLongiP txtIrradianza") {
    QStringList testi;
    for (const QString& nome : QString(nomi).split(' '))
        testi << SchedaProva::box(nome)->text();
    return testi.join('|') + '|' + SchedaProva::cbo(1)->currentText().left(2) + '|' +
           SchedaProva::cbo(2)->currentText().left(2);
}

static QString Pulsanti() {
    QString abilitati;
    for (const char* nome : {"cmdModifica", "cmdAnnulla", "cmdSalva", "cmdCanc", "cmdEsci"})
        abilitati += SchedaProva::scheda()->findChild<QPushButton*>(nome)->isEnabled() ? '1' : '0';
    return abilitati;
}

void TFrmGestioneLoc::apertura_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<QString>("caselle");
    QTest::addColumn<QString>("pulsanti"); // Modifica, Annulla, Salva, Cancella, Esci
    QTest::addColumn<bool>("bloccata");
    QTest::newRow("vista: capoluoghi salvati, irradianza intatta")
        << "MILANO" << QStringList() << "MILANO|MI|E|2404|122|45|28|9|11|1300|SO|PV"
        << "10011" << true;
    QTest::newRow("gradi nulli: niente coordinate")
        << "SANT'ANGELO" << QStringList() << "SANT'ANGELO|LO|E|2532|73|||||||"
        << "10011" << true;
    QTest::newRow("modifica") << "MILANO" << QStringList{"premi:cmdModifica"}
                              << "MILANO|MI|E|2404|122|45|28|9|11|1300|SO|PV"
                              << "01101" << false;
    QTest::newRow("nuova località") << "" << QStringList() << "|||||||||||"
                                    << "01101" << false;
    QTest::newRow("annulla la modifica")
        << "MILANO"
        << QStringList{"premi:cmdModifica", "scrivi:txtAltitudine:999",
                       "scrivi:txtLatiG:", "premi:cmdAnnulla"}
        << "MILANO|MI|E|2404|122|45|28|9|11|1300|SO|PV"
        << "10011" << true;
}

void TFrmGestioneLoc::apertura() {
    QFETCH(QString, nome);
    QFETCH(QStringList, azioni);
    QFETCH(QString, caselle);
    QFETCH(QString, pulsanti);
    QFETCH(bool, bloccata);
    SchedaProva prova;
    FrmGestioneLoc* f = prova.apri(nome);
    prova.agisci(azioni);
    QCOMPARE(Caselle(), caselle);
    QCOMPARE(Pulsanti(), pulsanti);
    QCOMPARE(f->findChild<QWidget*>("fraCalcola")->isVisible(), nome.isEmpty());
    for (const char* c : {"txtComune", "txtLongiP", "txtZona", "txtIrradianza", "txtComLocRif"}) {
        const bool sempre = QByteArray(c) != "txtComune" && QByteArray(c) != "txtLongiP";
        QCOMPARE(prova.box(c)->isReadOnly(), bloccata || sempre);
        QCOMPARE(prova.box(c)->palette().color(QPalette::Base),
                 bloccata || sempre ? ServiziFinestra::ColoreFacciaPulsante()
                                    : ServiziFinestra::ColoreSfondoFinestra());
    }
    QCOMPARE(static_cast<SelettoreBloccabile*>(prova.cbo(2))->Bloccato(), bloccata);
    QVERIFY(prova.messaggi().mostrati().isEmpty());
}

void TFrmGestioneLoc::reazioni_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("capoluoghi"); // codes of the distance list, nearest first
    QTest::newRow("nome in maiuscolo")
        << "" << QStringList{"scrivi:txtComune:sant'elia", "esci:txtComune"} << "txtComune"
        << "SANT'ELIA" << QStringList();
    QTest::newRow("provincia in maiuscolo")
        << "" << QStringList{"scrivi:txtProv:pr", "esci:txtProv"} << "txtProv"
        << "PR" << QStringList();
    QTest::newRow("2100 gradi giorno: D")
        << "" << QStringList{"scrivi:txtGGiorno:2100", "esci:txtGGiorno"} << "txtZona"
        << "D" << QStringList();
    QTest::newRow("2101 gradi giorno: E")
        << "" << QStringList{"scrivi:txtGGiorno:2101", "esci:txtGGiorno"} << "txtZona"
        << "E" << QStringList();
    QTest::newRow("gradi giorno non numerici: zona vuota")
        << "" << QStringList{"scrivi:txtGGiorno:abc", "esci:txtGGiorno"} << "txtZona"
        << "" << QStringList();
    QTest::newRow("in vista la zona segue i gradi giorno")
        << "LODI" << QStringList{"esci:txtGGiorno"} << "txtZona"
        << "E" << QStringList();
    QTest::newRow("tre coordinate: nessun elenco")
        << ""
        << QStringList{"scrivi:txtLatiG:45", "scrivi:txtLatiP:30", "scrivi:txtLongiG:9",
                       "esci:txtLongiG"}
        << "txtIrradianza"
        << "" << QStringList();
    QTest::newRow("quattro coordinate: capoluoghi per distanza, pari per sigla")
        << ""
        << QStringList{"scrivi:txtLatiG:45", "scrivi:txtLatiP:30", "scrivi:txtLongiG:9",
                       "scrivi:txtLongiP:0", "esci:txtLongiP"}
        << "txtIrradianza"
        << "" << QStringList{"PV", "SO", "RM"};
    QTest::newRow("anche in vista, due volte")
        << "RHO" << QStringList{"esci:txtLatiG", "esci:txtLongiP"} << "txtIrradianza"
        << "" << QStringList{"SO", "PV", "RM"};
}

void TFrmGestioneLoc::reazioni() {
    QFETCH(QString, nome);
    QFETCH(QStringList, azioni);
    QFETCH(QString, casella);
    QFETCH(QString, testo);
    QFETCH(QStringList, capoluoghi);
    SchedaProva prova;
    FrmGestioneLoc* f = prova.apri(nome);
    prova.agisci(azioni);
    QCOMPARE(prova.box(casella)->text(), testo);
    const QListWidget* distanze = f->findChild<QListWidget*>("LstDistanze");
    QStringList codici;
    for (int i = 0; i < distanze->count(); ++i) {
        const QString voce = distanze->item(i)->text();
        codici << voce.right(2);
        // Each selector entry is the list entry's capital with the same distance.
        for (int n : {1, 2})
            QCOMPARE(prova.cbo(n)->itemText(i),
                     voce.right(2) + " (" + voce.section(" AAA ", 0, 0).trimmed() + " Km)");
    }
    QCOMPARE(codici, capoluoghi);
    QCOMPARE(prova.cbo(1)->count(), capoluoghi.size());
    QCOMPARE(prova.cbo(1)->currentIndex(), -1);
    QVERIFY(prova.messaggi().mostrati().isEmpty());
}

void TFrmGestioneLoc::calcola_data() {
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<QString>("scelto");  // reference picked in the main window
    QTest::addColumn<bool>("soloRoma");   // the main window's list holds only ROMA
    QTest::addColumn<QString>("caselle"); // degree days, zone, reference, stored reference
    QTest::addColumn<QStringList>("registro");
    QTest::addColumn<QString>("fuoco");
    const QString nessuna = "Inserire le coordinate geografiche, oppure selezionare una località "
                            "di riferimento.";
    QTest::newRow("altitudine mancante")
        << SchedaProva::nuova("", "44 50", "10 5") << "" << false << "|||"
        << QStringList{"IO*Inserire l'altudine della nuova località."} << "txtAltitudine";
    QTest::newRow("né riferimento né latitudine: vince il secondo messaggio")
        << SchedaProva::nuova("x", " ", "10 5") << "" << false << "|||"
        << QStringList{"IO*" + nessuna} << "txtLatiG";
    QTest::newRow("solo i primi di latitudine")
        << QStringList{"scrivi:txtAltitudine:300", "scrivi:txtLatiP:5"} << "" << false << "|||"
        << QStringList{"IO*" + nessuna} << "txtLatiG";
    QTest::newRow("dalle coordinate: a pari distanza il primo dato dall'archivio")
        << SchedaProva::nuova("300", "44 50", "10 5") << "" << false << "2683|E|CASTEL SECONDO|PR"
        << QStringList() << "";
    QTest::newRow("riferimento fuori dall'elenco: letto dall'archivio")
        << SchedaProva::nuova("300", "44 50", "10 5") << "" << true << "2683|E|CASTEL SECONDO|PR"
        << QStringList() << "";
    QTest::newRow("nessuna località vicina: nulla cambia")
        << SchedaProva::nuova("300", "30 0", "10 5") << "" << false << "|||" << QStringList() << "";
    QTest::newRow("longitudine mancante: errore")
        << SchedaProva::nuova("300", "44 50", " ") << "" << false << "|||"
        << QStringList{"EO*Tipo non corrispondente..."} << "";
    QTest::newRow("riferimento scelto: zona del riferimento")
        << QStringList{"scrivi:txtAltitudine:350"} << "CASTEL PRIMO" << false
        << "2415|D|CASTEL PRIMO|PR" << QStringList() << "";
}

void TFrmGestioneLoc::calcola() {
    QFETCH(QStringList, azioni);
    QFETCH(QString, scelto);
    QFETCH(bool, soloRoma);
    QFETCH(QString, caselle);
    QFETCH(QStringList, registro);
    QFETCH(QString, fuoco);
    SchedaProva prova;
    FrmGestioneLoc* f = prova.apri("");
    prova.agisci(azioni);
    if (!scelto.isEmpty()) {
        f->hide();
        Global::RicercaRiferimento = 1;
        Global::IndiceRiferimento = SchedaProva::Indice(scelto);
        f->show();
        QCOMPARE(prova.box("txtComuneRif")->text(), scelto);
    }
    if (soloRoma) {
        Global::ElencoComuni = {Global::ElencoComuni.at(SchedaProva::Indice("ROMA"))};
        Global::IndiceRiferimento = 0;
    }
    prova.agisci({"premi:cmdCalcola"});
    QCOMPARE(Caselle("txtGGiorno txtZona txtComLocRif txtProvLocRif").chopped(2), caselle);
    QVERIFY2(Corrisponde(prova.registro(), registro), qPrintable(prova.registro().join('\n')));
    if (!fuoco.isEmpty())
        QCOMPARE(QApplication::focusWidget()->objectName(), fuoco);
}

void TFrmGestioneLoc::salva_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("prima"); // SQL run on another connection first
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<QList<R>>("risposte");
    QTest::addColumn<QString>("riga");
    QTest::addColumn<QStringList>("registro");
    QTest::addColumn<int>("modo");
    const QString milano = "MILANO|MI|E|2404|122|45|28|9|11|-|-|1300|SO|PV";
    const QString ok = "IO*Salvataggio dei dati eseguito correttamente.";
    const QString fallito = "IO*Si è verificato un errore durante il salvataggio dei dati.\r"
                            "I dati non sono stati salvati.";
    const QString coordinate = "IS*Senza coordinate geografiche non è possibile calcolare l "
                               "'irradianza.\rContinuare?";
    const QStringList modifica{"premi:cmdModifica"};
    QTest::newRow("metà al pari, numero iniziale")
        << "MILANO"
        << ""
        << modifica + QStringList{"scrivi:txtAltitudine:12.5 m", "scrivi:txtGGiorno:2403.5",
                                  "premi:cmdSalva"}
        << QList<R>() << "MILANO|MI|E|2404|12|45|28|9|11|-|-|1300|SO|PV" << QStringList{ok} << 0;
    QTest::newRow("oltre 16 bit: nulla salvato")
        << "MILANO"
        << ""
        << modifica +
               QStringList{"scrivi:txtAltitudine:500", "scrivi:txtGGiorno:40000", "premi:cmdSalva"}
        << QList<R>() << milano << QStringList{"EO*Overflow...", fallito} << 1;
    QTest::newRow("casella obbligatoria vuota")
        << "MILANO"
        << "" << modifica + QStringList{"scrivi:txtComune: ", "premi:cmdSalva"} << QList<R>()
        << milano << QStringList{"IO*Dati non sufficienti."} << 1;
    QTest::newRow("latitudine svuotata: quella salvata resta")
        << "MILANO"
        << ""
        << modifica +
               QStringList{"scrivi:txtLatiG:", "scrivi:txtLatiP:", "scrivi:txtAltitudine:130",
                           "premi:cmdSalva"}
        << QList<R>{R::Si} << "MILANO|MI|E|2404|130|45|28|9|11|-|-|1300|SO|PV"
        << QStringList{coordinate, ok} << 0;
    QTest::newRow("coordinate incomplete: No")
        << "MILANO"
        << ""
        << modifica + QStringList{"scrivi:txtLongiP:", "scrivi:txtAltitudine:130", "premi:cmdSalva"}
        << QList<R>{R::No} << milano << QStringList{coordinate} << 1;
    QTest::newRow("senza capoluoghi elencati: errore, poi salvato senza irradianza")
        << "RHO"
        << "" << modifica + QStringList{"scrivi:txtAltitudine:160", "premi:cmdSalva"} << QList<R>()
        << "RHO|MI|E|2420|160|45|32|9|2|-|-|0|-|-" << QStringList{"EO*Indice non compreso...", ok}
        << 0;
    QTest::newRow("irradianza completata dai due capoluoghi più vicini")
        << "LODI"
        << "" << modifica + QStringList{"esci:txtLatiG", "premi:cmdSalva"} << QList<R>()
        << "LODI|LO|D|2592|87|45|30|9|0|-|-|150|PV|SO" << QStringList{ok} << 0;
    QTest::newRow("nuova località dalle coordinate")
        << ""
        << ""
        << SchedaProva::nuova("87", "45 30", "9 0") +
               QStringList{"premi:cmdCalcola", "premi:cmdSalva"}
        << QList<R>() << "NUOVA|PR|E|2592|87|45|30|9|0|LODI|LO|150|PV|SO" << QStringList{ok} << 0;
    QTest::newRow("comune cancellato da un'altra copia: inserito di nuovo")
        << "MILANO"
        << "DELETE FROM Comuni WHERE COM_NAME = 'MILANO'"
        << modifica + QStringList{"scrivi:txtProv:MB", "premi:cmdSalva"} << QList<R>()
        << "MILANO|MB|E|2404|122|45|28|9|11|-|-|1300|SO|PV" << QStringList{ok} << 0;
    QTest::newRow("archivio bloccato: nulla salvato, si può riprovare")
        << "MILANO"
        << "BEGIN IMMEDIATE" << modifica + QStringList{"scrivi:txtAltitudine:130", "premi:cmdSalva"}
        << QList<R>() << milano << QStringList{"EO*...", fallito} << 1;
}

void TFrmGestioneLoc::salva() {
    QFETCH(QString, nome);
    QFETCH(QString, prima);
    QFETCH(QStringList, azioni);
    QFETCH(QList<R>, risposte);
    QFETCH(QString, riga);
    QFETCH(QStringList, registro);
    QFETCH(int, modo);
    SchedaProva prova;
    prova.apri(nome);
    if (!prima.isEmpty())
        QVERIFY(prova.archivio().esegui(prima));
    for (R r : risposte)
        prova.messaggi().rispondi(r);
    prova.agisci(azioni);
    QVERIFY2(Corrisponde(prova.registro(), registro), qPrintable(prova.registro().join('\n')));
    QCOMPARE(prova.riga(riga.section('|', 0, 0)), riga);
    QCOMPARE(int(Global::ModoScheda), modo);
    QCOMPARE(Global::AggiornaElenco, modo == 0);
    QCOMPARE(Pulsanti(), modo == 0 ? QString("10011") : QString("01101"));
    QCOMPARE(prova.box("txtComune")->isReadOnly(), modo == 0);
    QVERIFY(!Global::Cnn());
}

void TFrmGestioneLoc::chiusura_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("azioni"); // "chiudi" uses the window system's close control
    QTest::addColumn<QList<R>>("risposte");
    QTest::addColumn<bool>("bloccato");
    QTest::addColumn<bool>("chiusa");
    QTest::addColumn<bool>("aggiorna");
    QTest::addColumn<int>("comuni");
    QTest::addColumn<QStringList>("registro");
    const QString domanda = "DA*L'operazione eliminerà tutti i dati riguardanti il seguente "
                            "comune: \rMILANO (MI).\rContinuare?";
    const QStringList modifica{"premi:cmdModifica", "scrivi:txtAltitudine:500"};
    QTest::newRow("vista: esce senza domande")
        << "MILANO" << QStringList{"premi:cmdEsci"} << QList<R>() << false << true << false << 9
        << QStringList();
    QTest::newRow("modifica: Annulla resta")
        << "MILANO" << modifica + QStringList{"premi:cmdEsci"} << QList<R>{R::Annulla} << false
        << false << false << 9 << QStringList{"DA-Salvare le modifiche?"};
    QTest::newRow("modifica: Sì salva ed esce")
        << "MILANO" << modifica + QStringList{"premi:cmdEsci"} << QList<R>{R::Si} << false << true
        << true << 9
        << QStringList{"DA-Salvare le modifiche?",
                       "IO*Salvataggio dei dati eseguito correttamente."};
    QTest::newRow("chiusura della finestra: come Torna all'elenco")
        << "MILANO" << modifica + QStringList{"chiudi"} << QList<R>{R::No} << false << true << false
        << 9 << QStringList{"DA-Salvare le modifiche?"};
    QTest::newRow("nuova incompleta: Sì, poi esce senza salvare")
        << "" << QStringList{"scrivi:txtComune:X", "premi:cmdEsci"} << QList<R>{R::Si} << false
        << true << false << 9
        << QStringList{"DA-Salvare le modifiche?", "IO*Dati non sufficienti."};
    QTest::newRow("nuova: Annulla chiude senza salvare")
        << "" << QStringList{"scrivi:txtComune:X", "premi:cmdAnnulla"} << QList<R>() << false
        << true << false << 9 << QStringList();
    QTest::newRow("cancella: No") << "MILANO" << QStringList{"premi:cmdCanc"} << QList<R>{R::No}
                                  << false << false << false << 9 << QStringList{domanda};
    QTest::newRow("cancella: Annulla")
        << "MILANO" << QStringList{"premi:cmdCanc"} << QList<R>{R::Annulla} << false << false
        << false << 9 << QStringList{domanda};
    QTest::newRow("cancella: Sì") << "MILANO" << QStringList{"premi:cmdCanc"} << QList<R>{R::Si}
                                  << false << true << true << 8 << QStringList{domanda};
    QTest::newRow("cancella con archivio bloccato: errore, chiude comunque")
        << "MILANO" << QStringList{"premi:cmdCanc"} << QList<R>{R::Si} << true << true << true << 9
        << QStringList{domanda, "EO*..."};
}

void TFrmGestioneLoc::chiusura() {
    QFETCH(QString, nome);
    QFETCH(QStringList, azioni);
    QFETCH(QList<R>, risposte);
    QFETCH(bool, bloccato);
    QFETCH(bool, chiusa);
    QFETCH(bool, aggiorna);
    QFETCH(int, comuni);
    QFETCH(QStringList, registro);
    SchedaProva prova;
    FrmGestioneLoc* f = prova.apri(nome);
    Global::RicercaRiferimento = 1;
    if (bloccato)
        QVERIFY(prova.archivio().esegui("BEGIN IMMEDIATE"));
    for (R r : risposte)
        prova.messaggi().rispondi(r);
    for (const QString& azione : azioni)
        azione == "chiudi" ? void(f->close()) : prova.agisci({azione});
    QCOMPARE(!IstanzaCondivisa<FrmGestioneLoc>::Caricata(), chiusa);
    QCOMPARE(Global::AggiornaElenco, aggiorna);
    if (chiusa)
        QCOMPARE(Global::ModoScheda + Global::RicercaRiferimento, 0);
    prova.archivio().chiudi();
    QCOMPARE(prova.archivio().conta("Comuni"), comuni);
    QVERIFY2(Corrisponde(prova.registro(), registro), qPrintable(prova.registro().join('\n')));
}

// Runs `azioni` on the record window as soon as a command of the main window shows it
// modally; a watchdog hides the window if the test went wrong, so that nothing hangs.
static void QuandoAppare(std::function<void()> azioni) {
    QTimer::singleShot(0, [azioni] {
        QTimer::singleShot(20000, [] {
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->hide();
        });
        QTest::qWaitForWindowActive(QApplication::activeModalWidget());
        azioni();
    });
}

static void DoppioClic(FinestraElencoProva& prova, const QString& nome) {
    GrigliaElenco* g = prova.griglia();
    const int riga = prova.colonna(1).indexOf(nome);
    QVERIFY(riga >= 0);
    const QPoint punto = g->visualRect(g->model()->index(riga, 0)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, punto);
}

void TFrmGestioneLoc::modificaDallElenco() {
    SchedaProva prova;
    prova.esegui({"premi:cmdCerca", "scrivi:txtComuneC:R", "invio:txtComuneC"});
    QCOMPARE(prova.colonna(1), QStringList({"RHO", "ROMA"}));
    QString visto;
    QuandoAppare([&] {
        visto = SchedaProva::box("txtComune")->text();
        SchedaProva::agisci(
            {"premi:cmdModifica", "scrivi:txtAltitudine:21", "premi:cmdSalva", "premi:cmdEsci"});
    });
    DoppioClic(prova, "ROMA");
    QCOMPARE(visto, QString("ROMA"));
    // Searched again with the same filter: the list shows the new altitude.
    QCOMPARE(prova.colonna(1), QStringList({"RHO", "ROMA"}));
    QCOMPARE(prova.colonna(4).at(1), QString("21"));
    QVERIFY(!Global::AggiornaElenco);
    QVERIFY(!IstanzaCondivisa<FrmGestioneLoc>::Caricata());
}

void TFrmGestioneLoc::nuovaLocalitaDalMenuPrincipale() {
    SchedaProva prova;
    prova.esegui({"premi:cmdCerca", "scrivi:txtComuneC:C", "invio:txtComuneC"});
    QuandoAppare([] {
        SchedaProva::agisci({"scrivi:txtComune:nuova", "scrivi:txtProv:pr",
                             "scrivi:txtAltitudine:350", "premi:cmdRiferimento"});
    });
    prova.esegui({"premi:cmdNuovo"});
    QVERIFY(prova.pulsante("cmdContinua")->isEnabled());
    QCOMPARE(Global::ModoScheda, qint16(2));

    // The reference is picked in the list; the same window comes back with what was typed.
    QStringList visto;
    QuandoAppare([&] {
        visto << Caselle("txtComune txtProv txtAltitudine txtComuneRif txtProvRif");
        SchedaProva::agisci({"premi:cmdCalcola", "premi:cmdSalva"});
        visto << prova.riga("NUOVA");
        // Edit and delete now act on the inserted row.
        SchedaProva::agisci({"premi:cmdModifica", "scrivi:txtAltitudine:360", "premi:cmdSalva"});
        visto << prova.riga("NUOVA");
        SchedaProva::agisci({"premi:cmdCanc"});
    });
    DoppioClic(prova, "CASTEL PRIMO");
    QCOMPARE(visto, QStringList({"NUOVA|PR|350|CASTEL PRIMO|PR||",
                                 "NUOVA|PR|D|2415|350|-|-|-|-|CASTEL PRIMO|PR|-|-|-",
                                 "NUOVA|PR|D|2415|360|-|-|-|-|CASTEL PRIMO|PR|-|-|-"}));
    QCOMPARE(prova.archivio().conta("Comuni"), 9);
    QCOMPARE(prova.riga("NUOVA"), QString());
    // The whole archive is listed again after the new locality.
    QCOMPARE(prova.colonna(1).size(), 9);
    QVERIFY(!prova.pulsante("cmdContinua")->isEnabled() || Global::RicercaRiferimento == 0);
    QCOMPARE(Global::RicercaRiferimento, qint16(0));
}

#include "tst_frmGestioneLoc.moc"
