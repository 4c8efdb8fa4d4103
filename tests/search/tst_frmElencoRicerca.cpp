#include "FinestraElencoProva.h"
#include "app/Connessione.h"
#include "app/Global.h"
#include "app/ServiziFinestra.h"

#include <QtTest>

// Searching and the result grid: what the window, the list and the printed list's rows hold
// after a search, also when the input or the archive is bad; sorting, letters and clicks.
class TFrmElencoRicerca : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void risultati_data();
    void risultati();
    void errori_data();
    void errori();
    void griglia_data();
    void griglia();
    void colonnaCliccata();
    void indiceDellaRigaCorrente();
};

// Filters typed (after the panel is shown and row 5 chosen), then Enter: the count, the names
// found, the cells of row 1.
void TFrmElencoRicerca::risultati_data() {
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<QStringList>("attesi");
    for (const char* riga : {
             "scrivi:txtComuneC:r;2 Comuni;RHO|ROMA;RHO|MI|E|158|2420|45° 32'|9° 2'|",
             "scrivi:txtComuneC:FORLÌ;1 Comune;FORLÌ;FORLÌ|FC|D|34|2087|44° 13'|12° 2'|1450",
             "scrivi:txtComuneC:sant';1 Comune;SANT'ANGELO LODIGIANO;"
             "SANT'ANGELO LODIGIANO|LO|E|73|2532|45° 14'|9° 24'|",
             "scrivi:txtComuneC:_A;2 Comuni;lampedusa e linosa|SANT'ANGELO LODIGIANO;"
             "lampedusa e linosa|AG|A|16|568|35° 30'|12° 36'|2100",
             "scrivi:txtProvC:mi,scrivi:txtZonaC:e;2 Comuni;MILANO|RHO;"
             "MILANO|MI|E|122|2404|45° 28'|9° 11'|1300",
             "premi:ChkLatitudC,scrivi:txtLatitudMaxC:0,4;1 Comune;SENZA COORDINATE;"
             "SENZA COORDINATE|XX| |0|0|||",
             "premi:ChkAltitudC,scrivi:txtAltitudMinC:121.5,scrivi:txtAltitudMaxC:583;3 Comuni;"
             "AOSTA|MILANO|RHO;AOSTA|AO|E|583|2850|45° 44'|7° 19'|1200",
             "scrivi:txtComuneC:QQ;0 Comuni;;|||||||",
         }) {
        const QStringList parti = QString(riga).split(';');
        QTest::newRow(riga) << parti[0].split(',') << parti.mid(1);
    }
}

void TFrmElencoRicerca::risultati() {
    QFETCH(QStringList, azioni);
    QFETCH(QStringList, attesi);
    FinestraElencoProva prova;
    prova.esegui(QStringList{"premi:cmdCerca", "riga:5"} + azioni);
    prova.luci();
    QCOMPARE(prova.esegui({"invio:txtComuneC"}), 1);
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

void TFrmElencoRicerca::errori_data() {
    QTest::addColumn<QString>("guasto");
    QTest::addColumn<QStringList>("messaggi");
    const QString vuota = "L'istruzione SQL è vuota: non c'è nulla da eseguire.";
    QTest::newRow("limite non numerico")
        << "abc" << QStringList{"Tipo non corrispondente: «abc» non è un numero.", vuota};
    QTest::newRow("limite fuori dai 16 bit")
        << "32767,5"
        << QStringList{"Overflow: il valore 32767,5 è fuori dall'intervallo consentito.", vuota};
    QTest::newRow("archivio sparito")
        << "sparito" << QStringList{"Impossibile aprire l'archivio «%1».\rIl file non esiste."};
    QTest::newRow("archivio bloccato")
        << "bloccato" << QStringList{"bloccato da un altro programma"};
}

// A failed search: its messages, an empty list, the previous printed-list rows kept, the
// archive neither created nor left locked, the window idle again.
void TFrmElencoRicerca::errori() {
    QFETCH(QString, guasto);
    QFETCH(QStringList, messaggi);
    FinestraElencoProva prova;
    prova.esegui(
        {"premi:cmdCerca", "scrivi:txtComuneC:R", "invio:txtComuneC", "premi:ChkGGiornoC"});
    const QString percorso = Global::PercorsoDB;
    if (guasto == "sparito")
        QVERIFY(QFile::rename(percorso, percorso + ".altrove"));
    else if (guasto == "bloccato")
        QVERIFY(prova.archivio.esegui("BEGIN EXCLUSIVE"));
    else
        prova.esegui({"scrivi:txtGGiornoMinC:" + guasto});
    prova.esegui({"invio:txtComuneC"});
    QCOMPARE(prova.messaggi.mostrati().size(), messaggi.size());
    for (int i = 0; i < messaggi.size(); ++i) {
        const Messaggio& m = prova.messaggi.mostrati()[i];
        QVERIFY2(m.testo.contains(messaggi[i].arg(percorso)), qPrintable(m.testo));
        QCOMPARE(m.icona, IconaMessaggio::Esclamazione);
        QCOMPARE(m.titolo, QString("Zizovuvo Rizu Zodadazid"));
    }
    QCOMPARE(prova.conteggio() + prova.colonna(1) + prova.semaforo(), QString("0 Comuniverde"));
    QCOMPARE(Global::Cnn(), nullptr);
    QCOMPARE(QFile::rename(percorso + ".altrove", percorso), guasto == "sparito");
    if (guasto == "bloccato")
        QVERIFY(prova.archivio.esegui("ROLLBACK"));
    QVERIFY(prova.archivio.esegui("BEGIN IMMEDIATE") && prova.archivio.esegui("ROLLBACK"));
    QCOMPARE(prova.archivio.testi("SELECT Comune FROM RicElComuni").join('|'), "RHO|ROMA");
}

// Grid actions (after the panel is shown); the column checked; that column from row 1 and,
// after '>', the current row's name; whether a row is shown selected.
void TFrmElencoRicerca::griglia_data() {
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<int>("colonna");
    QTest::addColumn<QString>("attesa");
    QTest::addColumn<bool>("evidenziata");
    const QString nomi = "AOSTA|CORTINA D'AMPEZZO|FORLÌ|FORLIMPOPOLI|lampedusa e linosa|MILANO|RHO|"
                         "ROMA|SANT'ANGELO LODIGIANO|SENZA COORDINATE";
    for (const char* riga : {
             "intestazione:1,intestazione:1,intestazione:1;1;N>AOSTA;0",
             "intestazione:3,intestazione:4,intestazione:3;3; |A|D|D|D|E|E|E|E|F>SENZA "
             "COORDINATE;0",
             "intestazione:2,intestazione:2;2;XX|RM|MI|MI|LO|FC|FC|BL|AO|AG>SENZA COORDINATE;0",
             "intestazione:5,intestazione:5;5;4225|2850|2532|2420|2404|2087|2082|1415|568|0>"
             "CORTINA D'AMPEZZO;0",
             "intestazione:8;8;||||900|1200|1300|1450|1500|2100>FORLIMPOPOLI;0",
             "intestazione:4,riga:3,intestazione:6;4;0|16|20|30|34|73|122|158|583|1224>ROMA;0",
             "riga:4,riga:7:destro,riga:2:centrale;1;N>FORLIMPOPOLI;1",
             "riga:2,tasto:L;1;N>SENZA COORDINATE;1",
             "intestazione:2,tasto:M;2;AG|AO|BL|FC|FC|LO|MI|MI|RM|XX>MILANO;1",
             "intestazione:1,intestazione:1,invio:txtComuneC;1;N>AOSTA;0",
         }) {
        const QStringList parti = QString(riga).split(';');
        QTest::newRow(riga) << parti[0].split(',') << parti[1].toInt()
                            << QString(parti[2]).replace("N>", nomi + '>') << (parti[3] == "1");
    }
}

void TFrmElencoRicerca::griglia() {
    QFETCH(QStringList, azioni);
    QFETCH(int, colonna);
    QFETCH(QString, attesa);
    QFETCH(bool, evidenziata);
    FinestraElencoProva prova;
    GrigliaElenco* g = prova.griglia();
    prova.esegui(QStringList{"premi:cmdCerca"} + azioni);
    QCOMPARE(prova.colonna(colonna) + '>' + g->modello()->TestoCella(g->Riga(), 1), attesa);
    QCOMPARE(g->Evidenziazione(), evidenziata);
    QVERIFY(prova.w("cmdDettagli")->isEnabled() || !evidenziata);
}

// A header click picks a column strictly inside it; borders, the fixed column and the two
// coordinate columns pick none. Widths 10, 100, 20, 20, 30, 40, 50, 50, 30.
void TFrmElencoRicerca::colonnaCliccata() {
    const int larghezze[9] = {10, 100, 20, 20, 30, 40, 50, 50, 30};
    QString colonne;
    for (const double x : {10.0, 10.5, 110.0, 149.9, 219.0, 220.0, 300.0, 320.0, 321.0, 900.0})
        colonne += QString::number(ColonnaIntestazioneCliccata(x, larghezze));
    QCOMPARE(colonne, QString("0103500088"));
}

// The list element of the current row is found by name and province, whatever the order of
// the grid: the first of two equal ones; while picking a reference it goes to IndiceRiferimento.
void TFrmElencoRicerca::indiceDellaRigaCorrente() {
    FinestraElencoProva prova(
        {"CASTRO,BG,E,2500,190,45,48,10,4,0", "CASTRO,BG,E,2600,300,45,48,10,4,0",
         "CASTRO,LE,C,1100,98,40,0,18,25,0", "ZERI,MS,E,2600,700,44,21,9,46,0"});
    prova.esegui({"intestazione:4", "intestazione:4", "riga:2"});
    prova.finestra().CercaIndiceComune();
    QCOMPARE(Global::IndiceComune, 0);
    QCOMPARE(prova.griglia()->Colonna(), 2);
    Global::RicercaRiferimento = 1;
    prova.esegui({"riga:4"});
    prova.finestra().CercaIndiceComune();
    QCOMPARE(QList<int>({Global::IndiceComune, Global::IndiceRiferimento}), QList<int>({0, 2}));
    QVERIFY(!prova.w("cmdDettagli")->isEnabled());
}

QTEST_MAIN(TFrmElencoRicerca)
#include "tst_frmElencoRicerca.moc"
