#include "FinestraElencoProva.h"
#include "app/Global.h"

#include <QHeaderView>
#include <QtTest>

// The result grid: sorting by its headers, jumping by letter, selecting rows and finding the
// list element of the current row.
class TFrmElencoGriglia : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void colonnaCliccata_data();
    void colonnaCliccata();
    void ordinamento_data();
    void ordinamento();
    void clicSenzaOrdinamento_data();
    void clicSenzaOrdinamento();
    void ordinamentoNonRiapplicatoDallaRicerca();
    void saltoPerLettera_data();
    void saltoPerLettera();
    void clicSuUnaRiga();
    void indiceNellaGrigliaRiordinata();
    void stessoNomeEProvincia();
    void rigaCorrenteSempreVisibile();

private:
    // Presses the left button on a header at X pixels from the grid's left edge.
    static void ClicIntestazione(GrigliaElenco* griglia, int x);
    static int CentroColonna(GrigliaElenco* griglia, int colonna);
};

void TFrmElencoGriglia::ClicIntestazione(GrigliaElenco* griglia, int x) {
    QWidget* intestazione = griglia->horizontalHeader()->viewport();
    QTest::mouseClick(intestazione, Qt::LeftButton, {}, QPoint(x - griglia->Larghezza(0), 5));
}

int TFrmElencoGriglia::CentroColonna(GrigliaElenco* griglia, int colonna) {
    int x = 0;
    for (int k = 0; k < colonna; ++k)
        x += griglia->Larghezza(k);
    return x + griglia->Larghezza(colonna) / 2;
}

void TFrmElencoGriglia::colonnaCliccata_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("colonna");
    // Widths 10, 100, 20, 20, 30, 40, 50, 50, 30: borders at 10, 110, 130, 150, 180, 220, 270, 320.
    QTest::newRow("colonna fissa") << 5.0 << 0;
    QTest::newRow("bordo della colonna fissa") << 10.0 << 0;
    QTest::newRow("Comune") << 10.5 << 1;
    QTest::newRow("bordo tra Comune e Prov.") << 110.0 << 0;
    QTest::newRow("Prov.") << 120.0 << 2;
    QTest::newRow("Zona") << 149.9 << 3;
    QTest::newRow("Altitudine") << 151.0 << 4;
    QTest::newRow("Gradi Giorno") << 219.0 << 5;
    QTest::newRow("bordo dopo Gradi Giorno") << 220.0 << 0;
    QTest::newRow("Latitudine") << 240.0 << 0;
    QTest::newRow("Longitudine") << 300.0 << 0;
    QTest::newRow("bordo di Irradianza") << 320.0 << 0;
    QTest::newRow("Irradianza") << 321.0 << 8;
    QTest::newRow("oltre l'ultima colonna") << 900.0 << 8;
}

void TFrmElencoGriglia::colonnaCliccata() {
    QFETCH(double, x);
    QFETCH(int, colonna);
    const int larghezze[9] = {10, 100, 20, 20, 30, 40, 50, 50, 30};
    QCOMPARE(ColonnaIntestazioneCliccata(x, larghezze), colonna);
}

void TFrmElencoGriglia::ordinamento_data() {
    QTest::addColumn<QList<int>>("clic");    // header columns clicked, in order
    QTest::addColumn<int>("stato");          // StatoOrdinamento afterwards
    QTest::addColumn<int>("colonna");        // the column whose order is checked
    QTest::addColumn<QStringList>("attesa"); // that column, top to bottom
    const QStringList nomiCrescenti{"AOSTA",
                                    "CORTINA D'AMPEZZO",
                                    "FORLÌ",
                                    "FORLIMPOPOLI",
                                    "lampedusa e linosa",
                                    "MILANO",
                                    "RHO",
                                    "ROMA",
                                    "SANT'ANGELO LODIGIANO",
                                    "SENZA COORDINATE"};
    QStringList nomiDecrescenti = nomiCrescenti;
    std::reverse(nomiDecrescenti.begin(), nomiDecrescenti.end());
    QTest::newRow("Comune una volta") << QList<int>{1} << 1 << 1 << nomiCrescenti;
    QTest::newRow("Comune due volte") << QList<int>{1, 1} << 2 << 1 << nomiDecrescenti;
    QTest::newRow("Comune tre volte") << QList<int>{1, 1, 1} << 1 << 1 << nomiCrescenti;
    QTest::newRow("Zona, Altitudine, Zona: crescente")
        << QList<int>{3, 4, 3} << 5 << 3
        << QStringList{" ", "A", "D", "D", "D", "E", "E", "E", "E", "F"};
    QTest::newRow("Prov. decrescente")
        << QList<int>{2, 2} << 4 << 2
        << QStringList{"XX", "RM", "MI", "MI", "LO", "FC", "FC", "BL", "AO", "AG"};
    QTest::newRow("Altitudine numerica")
        << QList<int>{4} << 7 << 4
        << QStringList{"0", "16", "20", "30", "34", "73", "122", "158", "583", "1224"};
    QTest::newRow("Gradi Giorno decrescenti")
        << QList<int>{5, 5} << 10 << 5
        << QStringList{"4225", "2850", "2532", "2420", "2404", "2087", "2082", "1415", "568", "0"};
    QTest::newRow("Irradianza: le vuote valgono zero")
        << QList<int>{8} << 11 << 8
        << QStringList{"", "", "", "", "900", "1200", "1300", "1450", "1500", "2100"};
}

void TFrmElencoGriglia::ordinamento() {
    QFETCH(QList<int>, clic);
    QFETCH(int, stato);
    QFETCH(int, colonna);
    QFETCH(QStringList, attesa);
    FinestraElencoProva prova;
    for (int c : clic)
        ClicIntestazione(prova.griglia(), CentroColonna(prova.griglia(), c));
    QCOMPARE(int(prova.finestra().StatoOrdinamento()), stato);
    QCOMPARE(prova.colonna(colonna), attesa);
    QVERIFY(!prova.griglia()->Evidenziazione());
    QVERIFY(!prova.finestra().InElaborazione());
    // Each row moves whole: the name still goes with its own province.
    const QStringList nomi = prova.colonna(1);
    const QStringList province = prova.colonna(2);
    QCOMPARE(province.at(nomi.indexOf("ROMA")), QString("RM"));
    QCOMPARE(province.at(nomi.indexOf("AOSTA")), QString("AO"));
}

void TFrmElencoGriglia::clicSenzaOrdinamento_data() {
    QTest::addColumn<QString>("dove");
    QTest::newRow("Latitudine") << "latitudine";
    QTest::newRow("Longitudine") << "longitudine";
    QTest::newRow("bordo tra due intestazioni") << "bordo";
    QTest::newRow("colonna fissa") << "fissa";
}

void TFrmElencoGriglia::clicSenzaOrdinamento() {
    QFETCH(QString, dove);
    FinestraElencoProva prova;
    GrigliaElenco* g = prova.griglia();
    ClicIntestazione(g, CentroColonna(g, 4)); // altitude ascending
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(2, 0)).center());
    QVERIFY(g->Evidenziazione());
    const QStringList prima = prova.colonna(1);
    int x = 0;
    if (dove == "latitudine")
        x = CentroColonna(g, 6);
    else if (dove == "longitudine")
        x = CentroColonna(g, 7);
    else if (dove == "bordo")
        x = g->Larghezza(0) + g->Larghezza(1);
    if (dove == "fissa")
        QTest::mouseClick(g->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(-2, 5));
    else
        ClicIntestazione(g, x);
    QCOMPARE(prova.colonna(1), prima);
    QCOMPARE(int(prova.finestra().StatoOrdinamento()), 7);
    // The highlight goes off except for a click over the fixed column, which does nothing.
    QCOMPARE(g->Evidenziazione(), dove == "fissa");
}

void TFrmElencoGriglia::ordinamentoNonRiapplicatoDallaRicerca() {
    FinestraElencoProva prova;
    ClicIntestazione(prova.griglia(), CentroColonna(prova.griglia(), 1));
    ClicIntestazione(prova.griglia(), CentroColonna(prova.griglia(), 1));
    QCOMPARE(prova.colonna(1).first(), QString("SENZA COORDINATE"));
    prova.esegui({"premi:cmdCerca", "invio:txtComuneC"});
    QCOMPARE(prova.colonna(1).first(), QString("AOSTA"));  // list order again
    QCOMPARE(int(prova.finestra().StatoOrdinamento()), 2); // the state is kept
}

void TFrmElencoGriglia::saltoPerLettera_data() {
    QTest::addColumn<QList<int>>("ordinaPrima");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<QString>("nomeCorrente");
    QTest::addColumn<int>("rigaInAlto");
    QTest::newRow("prima riga con la lettera") << QList<int>{} << int(Qt::Key_R) << "RHO" << 7;
    QTest::newRow("lettera minuscola nella cella non corrisponde")
        << QList<int>{} << int(Qt::Key_L) << "SENZA COORDINATE" << 1;
    QTest::newRow("nessuna corrispondenza: l'ultima riga")
        << QList<int>{} << int(Qt::Key_Z) << "SENZA COORDINATE" << 1;
    QTest::newRow("lettera accentata iniziale no, F si'")
        << QList<int>{} << int(Qt::Key_F) << "FORLÌ" << 3;
    QTest::newRow("dopo l'ordinamento per provincia cerca la provincia")
        << QList<int>{2} << int(Qt::Key_M) << "MILANO" << 7;
    QTest::newRow("dopo l'ordinamento per altitudine nessuna lettera corrisponde")
        << QList<int>{4} << int(Qt::Key_A) << "CORTINA D'AMPEZZO" << 1;
}

void TFrmElencoGriglia::saltoPerLettera() {
    QFETCH(QList<int>, ordinaPrima);
    QFETCH(int, tasto);
    QFETCH(QString, nomeCorrente);
    QFETCH(int, rigaInAlto);
    FinestraElencoProva prova;
    GrigliaElenco* g = prova.griglia();
    for (int c : ordinaPrima)
        ClicIntestazione(g, CentroColonna(g, c));
    g->setFocus();
    QTest::keyClick(g, Qt::Key(tasto), Qt::ShiftModifier);
    QCOMPARE(g->modello()->TestoCella(g->Riga(), 1), nomeCorrente);
    QVERIFY(g->Evidenziazione());
    QVERIFY(prova.pulsante("cmdDettagli")->isEnabled());
    QCOMPARE(g->Colonna(), 1);
    if (g->RigheVisibili() < g->RigheDati())
        QCOMPARE(g->RigaInAlto(), rigaInAlto);
    // Digits and Enter do nothing here.
    const int riga = g->Riga();
    QTest::keyClick(g, Qt::Key_5);
    QCOMPARE(g->Riga(), riga);
}

void TFrmElencoGriglia::clicSuUnaRiga() {
    FinestraElencoProva prova;
    GrigliaElenco* g = prova.griglia();
    // Whether a row is painted in the highlight colour, judged at the right end of its name
    // cell, where no text reaches (the style shades the colour slightly).
    const auto evidenziata = [g](int riga) {
        const QRect cella = g->visualRect(g->model()->index(riga - 1, 0));
        const QColor c =
            g->viewport()->grab().toImage().pixelColor(cella.right() - 3, cella.center().y());
        const QColor h = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
        return qAbs(c.red() - h.red()) + qAbs(c.green() - h.green()) + qAbs(c.blue() - h.blue()) <
               24;
    };
    prova.finestra().cmdCercaFra_Click();
    QCOMPARE(g->Riga(), 1);
    QVERIFY(!evidenziata(1)); // after a search the current row is not shown as selected
    QVERIFY(!prova.pulsante("cmdDettagli")->isEnabled());
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(3, 5)).center());
    QCOMPARE(g->Riga(), 4);
    QCOMPARE(g->Colonna(), 1);
    QVERIFY(g->Evidenziazione());
    QVERIFY(evidenziata(4));
    QVERIFY(!evidenziata(1));
    // A press on the fixed column chooses its row as well.
    QTest::mouseClick(g->verticalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(3, g->visualRect(g->model()->index(6, 0)).center().y()));
    QCOMPARE(g->Riga(), 7);
    QVERIFY(evidenziata(7));
    QVERIFY(prova.pulsante("cmdDettagli")->isEnabled());
    QTest::mouseClick(g->viewport(), Qt::RightButton, {},
                      g->visualRect(g->model()->index(5, 0)).center());
    // While a reference locality is picked, a click never enables the details.
    Global::RicercaRiferimento = 1;
    prova.finestra().Form_Activate();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(1, 0)).center());
    QVERIFY(!prova.pulsante("cmdDettagli")->isEnabled());
    QVERIFY(prova.pulsante("cmdContinua")->isEnabled());
}

void TFrmElencoGriglia::indiceNellaGrigliaRiordinata() {
    FinestraElencoProva prova;
    GrigliaElenco* g = prova.griglia();
    ClicIntestazione(g, CentroColonna(g, 1));
    ClicIntestazione(g, CentroColonna(g, 1)); // names descending: row 1 is the last element
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(0, 0)).center());
    prova.finestra().CercaIndiceComune();
    QCOMPARE(Global::IndiceComune, 9);
    QCOMPARE(Global::ElencoComuni.at(Global::IndiceComune).Nome, QString("SENZA COORDINATE"));
    QCOMPARE(g->Colonna(), 2);

    Global::RicercaRiferimento = 1;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(2, 0)).center());
    prova.finestra().CercaIndiceComune();
    QCOMPARE(Global::ElencoComuni.at(Global::IndiceRiferimento).Nome, QString("ROMA"));
    QCOMPARE(Global::IndiceComune, 9); // unchanged while picking a reference
}

void TFrmElencoGriglia::stessoNomeEProvincia() {
    FinestraElencoProva prova({{"CASTRO", "BG", "E", 2500, 190, 45, 48, 10, 4, 0},
                               {"CASTRO", "BG", "E", 2600, 300, 45, 48, 10, 4, 0},
                               {"CASTRO", "LE", "C", 1100, 98, 40, 0, 18, 25, 0}});
    GrigliaElenco* g = prova.griglia();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(1, 0)).center());
    prova.finestra().CercaIndiceComune();
    QCOMPARE(Global::IndiceComune, 0); // the first of the two in list order
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(2, 0)).center());
    prova.finestra().CercaIndiceComune();
    QCOMPARE(Global::IndiceComune, 2);
}

void TFrmElencoGriglia::rigaCorrenteSempreVisibile() {
    QList<FinestraElencoProva::Comune> molti;
    for (int i = 0; i < 120; ++i)
        molti.append(
            {QString("COMUNE %1").arg(i, 3, 10, QChar('0')), "XX", "E", 2000, i, 45, 0, 9, 0, 0});
    FinestraElencoProva prova(molti);
    GrigliaElenco* g = prova.griglia();
    QVERIFY(g->RigheVisibili() < 120);
    g->setFocus();
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(g, Qt::Key_Down);
    QCOMPARE(g->Riga(), 61);
    QVERIFY(g->RigaInAlto() <= 61);
    QVERIFY(61 <= g->RigaInAlto() + g->RigheVisibili() - 1);
    QTest::keyClick(g, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(g->Riga(), 1);
    QCOMPARE(g->RigaInAlto(), 1);
    QVERIFY(g->selectionModel()->isRowSelected(0, {}));
}

QTEST_MAIN(TFrmElencoGriglia)
#include "tst_frmElencoGriglia.moc"
