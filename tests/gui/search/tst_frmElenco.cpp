#include "core/Global.h"
#include "core/query/CriteriRicerca.h"
#include "db/Connessione.h"
#include "gui/ServiziFinestra.h"
#include "gui/search/FinestraElencoProva.h"

#include <QDialog>
#include <QtTest>

// A table of rows "actions;expected;expected...", the actions separated by ','.
static void Tabella(std::initializer_list<const char*> righe) {
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<QStringList>("attesi");
    for (const char* riga : righe) {
        const QStringList parti = QString(riga).split(';');
        QTest::newRow(riga) << parti[0].split(',', Qt::SkipEmptyParts) << parti.mid(1);
    }
}

// The three text boxes; per range its check box (c or -), its boxes locked (b) or not (u) and
// the ">=" text; "tutti i comuni:" (T or -) and the panel (P shown, - hidden).
static QString Pannello(FinestraElencoProva& p) {
    QString s;
    for (const char* nome : {"txtComuneC", "txtProvC", "txtZonaC"})
        s += p.w<QLineEdit>(nome)->text() + '|';
    for (const DefinizioneIntervallo& d : IntervalliRicerca)
        s += QString(p.w<QCheckBox>(d.spunta)->isChecked() ? "c" : "-") +
             (p.w<QLineEdit>(d.da)->isReadOnly() ? "b" : "u") + p.w<QLineEdit>(d.da)->text();
    s += QString("|") + (p.w<QCheckBox>("chkAllC")->isChecked() ? 'T' : '-') +
         (p.w("fraCerca")->isVisible() ? 'P' : '-');
    return s.replace("-b-b-b-b-b", "V");
}

// The main window as the user drives it with keyboard and mouse (actions as in
// FinestraElencoProva::esegui): the searches each action causes and the panel afterwards,
// focus and activation, what a search leaves in the window, the list and the printed list's
// rows, also when the input or the archive is bad; sorting, letters and clicks in the grid.
class TFrmElenco : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    // After the panel is shown: the searches caused by the last action, the panel afterwards.
    void azioni_data() {
        Tabella({"s:txtComuneC:ro;0;ro|||V|-P",
                 "p:ChkGGiornoC,s:txtGGiornoMinC:9,i:txtGGiornoMinC;1;|||-bcu9-b-b-b|-P",
                 "p:chkInter,s:txtComuneC:rom;3;rom|||V|-P",
                 "p:chkAllC,p:chkInter,s:txtProvC:m;2;|m||V|-P",
                 "s:txtComuneC:ro,p:chkIrraC,s:txtIrraMinC:5,p:chkInter,p:chkAllC;1;|||V|TP",
                 "p:chkAllC,p:ChkAltitudC;0;|||cu-b-b-b-b|-P",
                 "p:ChkLatitudC,s:txtLatitudMinC:4,s:txtLatitudMaxC:6,p:chkInter,p:ChkLatitudC;2;||"
                 "|V|-P",
                 "s:txtAltitudMinC:5;0;|||V|-P",
                 "p:chkInter,s:txtComuneC:forlì,e:txtComuneC;1;FORLÌ|||V|-P",
                 "s:txtProvC:fcx,e:txtProvC,s:txtZonaC:de,e:txtZonaC;0;|FC|D|V|-P",
                 "s:txtComuneC:r,s:txtProvC:m,p:chkInter,p:cmdCerca;2;|||V|--",
                 "p:cmdCerca,p:cmdCerca;0;|||V|-P", "i:cmdCercaFra;1;|||V|-P"});
    }

    void azioni() {
        QFETCH(QStringList, azioni);
        QFETCH(QStringList, attesi);
        FinestraElencoProva prova;
        const QString ultima = azioni.takeLast();
        prova.eseguiTesti(QStringList{"p:cmdCerca"} + azioni);
        QCOMPARE(prova.eseguiTesti({ultima}), attesi[0].toInt());
        QCOMPARE(Pannello(prova), attesi[1]);
        QVERIFY(prova.messaggi.mostrati().isEmpty());
    }

    void clicDopoLaScrittura_data() { Tabella({"chkAllC;|||V|TP;0", "cmdEsci;RO|||V|-P;1"}); }

    // In interactive mode, the first click after typing reaches its control whole, after the
    // lost-focus reaction and its search. Press and release come queued, as from the window system.
    void clicDopoLaScrittura() {
        QFETCH(QStringList, azioni);
        QFETCH(QStringList, attesi);
        FinestraElencoProva prova;
        prova.eseguiTesti({"p:cmdCerca", "p:chkInter", "s:txtComuneC:ro"});
        auto* bersaglio = prova.w<QAbstractButton>(azioni[0]);
        PostaClic(prova.finestra().windowHandle(),
                  bersaglio->mapTo(&prova.finestra(), FinestraElencoProva::PuntoDiClic(bersaglio)));
        QTRY_COMPARE(Pannello(prova), attesi[0]);
        QCOMPARE(prova.terminazioni, attesi[1].toInt());
        QVERIFY(!bersaglio->isDown());
    }

    // One round of Tab visits every enabled control once, the grid included; Shift+Tab goes the
    // same round backwards and never moves the grid's row.
    void ordineTab() {
        FinestraElencoProva prova;
        prova.eseguiTesti({"p:cmdCerca", "r:3"});
        QStringList avanti, indietro;
        for (QStringList* giro : {&avanti, &indietro})
            for (int i = 0; i < 60; ++i) {
                *giro << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(),
                                giro == &avanti ? Qt::Key_Tab : Qt::Key_Backtab);
            }
        const int n = int(avanti.indexOf(avanti[0], 1));
        const QStringList giro = avanti.mid(0, n);
        QCOMPARE(QSet<QString>(giro.begin(), giro.end()).size(), n);
        QVERIFY(giro.contains("GrdLista") && giro.contains("chkIrraC"));
        QCOMPARE(avanti.mid(n, n), giro);
        for (int k = 0, s = int(giro.indexOf(indietro[0])); k < 60; ++k)
            QCOMPARE(indietro[k], giro[((s - k) % n + n) % n]);
        QCOMPARE(prova.griglia()->currentIndex().row(), 2);
    }

    // Form_Activate runs when the window is shown and when another window of the program hands
    // the activation back; not on the return from another application, which also leaves the box
    // that had the focus without its lost-focus reaction.
    void attivazione() {
        FinestraElencoProva prova;
        const auto stato = [&] {
            QString s = prova.finestra().focusWidget()->objectName() + " ";
            for (const char* nome :
                 {"cmdCerca", "cmdDettagli", "cmdNuovo", "cmdContinua", "cmdStampa", "cmdEsci"})
                s += prova.w(nome)->isEnabled() ? '1' : '0';
            return s;
        };
        prova.eseguiTesti({"p:cmdCerca", "r:2", "s:txtComuneC:ro"});
        PostaAttivazione(nullptr);
        QTRY_VERIFY(!prova.finestra().isActiveWindow());
        PostaAttivazione(prova.finestra().windowHandle());
        QTRY_VERIFY(prova.finestra().isActiveWindow());
        QCOMPARE(stato() + prova.w<QLineEdit>("txtComuneC")->text(),
                 QString("txtComuneC 111011ro"));
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

    // Filters (after the panel is shown and row 5 chosen), then Enter: the count, the names found,
    // the cells of row 1.
    void risultati_data() {
        Tabella(
            {"s:txtComuneC:r;2 Comuni;RHO|ROMA;RHO|MI|E|158|2420|45° 32'|9° 2'|",
             "s:txtComuneC:FORLÌ;1 Comune;FORLÌ;FORLÌ|FC|D|34|2087|44° 13'|12° 2'|1450",
             "s:txtComuneC:_A;2 Comuni;lampedusa e linosa|SANT'ANGELO LODIGIANO;"
             "lampedusa e linosa|AG|A|16|568|35° 30'|12° 36'|2100",
             "s:txtProvC:mi,s:txtZonaC:e;2 Comuni;MILANO|RHO;MILANO|MI|E|122|2404|45° 28'|9° "
             "11'|1300",
             "p:ChkLatitudC,s:txtLatitudMaxC:0.4;1 Comune;SENZA COORDINATE;SENZA COORDINATE|XX| "
             "|0|0|||",
             "p:ChkAltitudC,s:txtAltitudMinC:121.5,s:txtAltitudMaxC:583;3 Comuni;AOSTA|MILANO|RHO;"
             "AOSTA|AO|E|583|2850|45° 44'|7° 19'|1200",
             "s:txtComuneC:QQ;0 Comuni;;|||||||"});
    }

    void risultati() {
        QFETCH(QStringList, azioni);
        QFETCH(QStringList, attesi);
        FinestraElencoProva prova;
        prova.eseguiTesti(QStringList{"p:cmdCerca", "r:5"} + azioni);
        prova.luci();
        QCOMPARE(prova.eseguiTesti({"i:txtComuneC"}), 1);
        QStringList riga1;
        for (int colonna = 1; colonna <= 8; ++colonna)
            riga1 << prova.griglia()->modello()->TestoCella(1, colonna);
        QCOMPARE(QStringList({prova.conteggio(), prova.colonna(1), riga1.join('|')}), attesi);
        QCOMPARE(prova.archivio.testi("SELECT Comune FROM RicElComuni ORDER BY rowid").join('|'),
                 attesi[1]);
        const int trovati = attesi[0].section(' ', 0, 0).toInt();
        QCOMPARE(Global::ElencoComuni.size(), qMax(1, trovati));
        // Red, yellow while the grid fills (when something was found), green; row 1 current and
        // not shown as selected; the connection closed; the default pointer.
        QCOMPARE(prova.luci().join(' '), trovati ? "rosso giallo verde" : "rosso verde");
        QCOMPARE(prova.griglia()->currentIndex().row(), trovati ? 0 : -1);
        QVERIFY(!prova.griglia()->Evidenziazione());
        QCOMPARE(Global::Cnn(), nullptr);
        QCOMPARE(ServiziFinestra::PuntatoreAttuale(), ServiziFinestra::Puntatore::Predefinito);
        QVERIFY(prova.messaggi.mostrati().isEmpty());
    }

    void errori_data() {
        Tabella({";abc;Tipo non corrispondente: «abc» non è un numero.;L'istruzione SQL è vuota",
                 ";32767,5;Overflow: il valore 32767,5 è fuori dall'intervallo "
                 "consentito.;L'istruzione SQL è vuota",
                 ";sparito;Impossibile aprire l'archivio «%1».\rIl file non esiste.",
                 ";bloccato;bloccato da un altro programma"});
    }

    // A failed search: its messages, an empty list, the previous printed-list rows kept, the
    // archive neither created nor left locked, the window idle again.
    void errori() {
        QFETCH(QStringList, attesi);
        const QString guasto = attesi.takeFirst();
        FinestraElencoProva prova;
        prova.eseguiTesti({"p:cmdCerca", "s:txtComuneC:R", "i:txtComuneC", "p:ChkGGiornoC"});
        const QString percorso = Global::PercorsoDB;
        if (guasto == "sparito")
            QVERIFY(QFile::rename(percorso, percorso + ".altrove"));
        else if (guasto == "bloccato")
            QVERIFY(prova.archivio.esegui("BEGIN EXCLUSIVE"));
        else
            prova.eseguiTesti({"s:txtGGiornoMinC:" + guasto});
        prova.eseguiTesti({"i:txtComuneC"});
        QCOMPARE(prova.messaggi.mostrati().size(), attesi.size());
        for (int i = 0; i < attesi.size(); ++i)
            QVERIFY2(prova.messaggi.mostrati()[i].testo.contains(attesi[i].arg(percorso)),
                     qPrintable(prova.messaggi.mostrati()[i].testo));
        QCOMPARE(prova.conteggio() + prova.colonna(1) + prova.semaforo(), QString("0 Comuniverde"));
        QCOMPARE(Global::Cnn(), nullptr);
        QCOMPARE(QFile::rename(percorso + ".altrove", percorso), guasto == "sparito");
        QVERIFY(guasto != "bloccato" || prova.archivio.esegui("ROLLBACK"));
        QVERIFY(prova.archivio.esegui("BEGIN IMMEDIATE") && prova.archivio.esegui("ROLLBACK"));
        QCOMPARE(prova.archivio.testi("SELECT Comune FROM RicElComuni").join('|'), "RHO|ROMA");
    }

    // Grid actions (after the panel is shown): the column checked, that column from row 1 and
    // after '>' the current row's name ("N" stands for the names in list order), whether a row is
    // shown selected.
    void griglia_data() {
        Tabella({"h:1,h:1,h:1;1;N>AOSTA;0", "h:3,h:4,h:3;3; |A|D|D|D|E|E|E|E|F>SENZA COORDINATE;0",
                 "h:2,h:2;2;XX|RM|MI|MI|LO|FC|FC|BL|AO|AG>SENZA COORDINATE;0",
                 "h:5,h:5;5;4225|2850|2532|2420|2404|2087|2082|1415|568|0>CORTINA D'AMPEZZO;0",
                 "h:8;8;||||900|1200|1300|1450|1500|2100>FORLIMPOPOLI;0",
                 "h:4,r:3,h:6;4;0|16|20|30|34|73|122|158|583|1224>ROMA;0",
                 "r:4,r:7:d,r:2:c;1;N>FORLIMPOPOLI;1", "r:2,t:L;1;N>SENZA COORDINATE;1",
                 "h:2,t:M;2;AG|AO|BL|FC|FC|LO|MI|MI|RM|XX>MILANO;1",
                 "h:1,h:1,i:txtComuneC;1;N>AOSTA;0"});
    }

    void griglia() {
        QFETCH(QStringList, azioni);
        QFETCH(QStringList, attesi);
        FinestraElencoProva prova;
        GrigliaElenco* g = prova.griglia();
        const QString nomi = prova.colonna(1);
        prova.eseguiTesti(QStringList{"p:cmdCerca"} + azioni);
        QCOMPARE(prova.colonna(attesi[0].toInt()) + '>' + g->modello()->TestoCella(g->Riga(), 1),
                 QString(attesi[1]).replace("N>", nomi + '>'));
        QCOMPARE(g->Evidenziazione(), attesi[2] == "1");
        QVERIFY(prova.w("cmdDettagli")->isEnabled() || attesi[2] == "0");
    }

    // A header click picks a column strictly inside it; borders, the fixed column and the two
    // coordinate columns pick none. Widths 10, 100, 20, 20, 30, 40, 50, 50, 30.
    void colonnaCliccata() {
        const int larghezze[9] = {10, 100, 20, 20, 30, 40, 50, 50, 30};
        QString colonne;
        for (const double x : {10.0, 10.5, 110.0, 149.9, 219.0, 220.0, 300.0, 320.0, 321.0, 900.0})
            colonne += QString::number(ColonnaIntestazioneCliccata(x, larghezze));
        QCOMPARE(colonne, QString("0103500088"));
    }

    // The list element of the current row is found by name and province, whatever the order of
    // the grid: the first of two equal ones; while picking a reference it goes to
    // IndiceRiferimento.
    void indiceDellaRigaCorrente() {
        FinestraElencoProva prova(
            {"CASTRO,BG,E,2500,190,45,48,10,4,0", "CASTRO,BG,E,2600,300,45,48,10,4,0",
             "CASTRO,LE,C,1100,98,40,0,18,25,0", "ZERI,MS,E,2600,700,44,21,9,46,0"});
        prova.eseguiTesti({"h:4", "h:4", "r:2"});
        prova.finestra().CercaIndiceComune();
        QCOMPARE(prova.griglia()->Colonna(), 2);
        Global::RicercaRiferimento = 1;
        prova.eseguiTesti({"r:4"});
        prova.finestra().CercaIndiceComune();
        QCOMPARE(QList<int>({Global::IndiceComune, Global::IndiceRiferimento}), QList<int>({0, 2}));
        QVERIFY(!prova.w("cmdDettagli")->isEnabled());
    }
};

QTEST_MAIN(TFrmElenco)
#include "tst_frmElenco.moc"
