#include "FinestraElencoProva.h"
#include "app/Global.h"
#include "app/ServiziFinestra.h"

#include <QHeaderView>
#include <QtTest>

// Searching: what the window, the list and the printed list's rows hold afterwards, also when
// the input or the archive is bad.
class TFrmElencoRicerca : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void caricamentoIniziale();
    void celle();
    void risultati_data();
    void risultati();
    void limiteNonValido_data();
    void limiteNonValido();
    void archivioSparito();
    void archivioBloccato();
    void archivioVuotoAllAvvio();
    void semaforiMancanti();

private:
    static void VerificaInattiva(FinestraElencoProva& prova);
};

void TFrmElencoRicerca::VerificaInattiva(FinestraElencoProva& prova) {
    QCOMPARE(prova.semaforo(), QString("verde"));
    QVERIFY(!prova.finestra().InElaborazione());
    QCOMPARE(ServiziFinestra::PuntatoreAttuale(), ServiziFinestra::Puntatore::Predefinito);
}

void TFrmElencoRicerca::caricamentoIniziale() {
    FinestraElencoProva prova;
    QCOMPARE(prova.conteggio(), QString("10 Comuni"));
    QCOMPARE(prova.colonna(1), QStringList({"AOSTA", "CORTINA D'AMPEZZO", "FORLÌ", "FORLIMPOPOLI",
                                            "lampedusa e linosa", "MILANO", "RHO", "ROMA",
                                            "SANT'ANGELO LODIGIANO", "SENZA COORDINATE"}));
    QCOMPARE(prova.archivio().conta("RicElComuni"), 10);
    QCOMPARE(prova.finestra().NumeroRicerche(), 0);
    QVERIFY(!prova.griglia()->Evidenziazione());
    QStringList intestazioni;
    for (int colonna = 0; colonna < 8; ++colonna)
        intestazioni << prova.griglia()->model()->headerData(colonna, Qt::Horizontal).toString();
    QCOMPARE(intestazioni, QStringList({"Comune", "Prov.", "Zona", "Altititudine", "Gradi Giorno",
                                        "Latitudine", "Longitudine", "Irradianza"}));
    // Widths follow the layout in twips (never narrower than at 15 twips a pixel) and every
    // header fits its column.
    const int twip[9] = {250, 3345, 600, 555, 990, 1230, 1230, 1230, 1005};
    const QFontMetrics metrica(prova.griglia()->horizontalHeader()->font());
    for (int colonna = 0; colonna < 9; ++colonna) {
        QVERIFY(prova.griglia()->Larghezza(colonna) >= twip[colonna] / 15);
        if (colonna > 0)
            QVERIFY2(metrica.horizontalAdvance(intestazioni[colonna - 1]) <
                         prova.griglia()->Larghezza(colonna),
                     qPrintable(intestazioni[colonna - 1]));
    }
    VerificaInattiva(prova);
}

void TFrmElencoRicerca::celle() {
    FinestraElencoProva prova;
    const auto riga = [&](int numero) {
        QStringList celle;
        for (int colonna = 1; colonna <= 8; ++colonna)
            celle << prova.griglia()->modello()->TestoCella(numero, colonna);
        return celle;
    };
    // Latitude degrees 0 (with primes 30) and irradiance 0 leave their cells empty; altitude
    // and degree days show 0.
    QCOMPARE(riga(10), QStringList({"SENZA COORDINATE", "XX", " ", "0", "0", "", "", ""}));
    QCOMPARE(riga(8), QStringList({"ROMA", "RM", "D", "20", "1415", "41° 54'", "12° 29'", "1500"}));
    QCOMPARE(riga(7), QStringList({"RHO", "MI", "E", "158", "2420", "45° 32'", "9° 2'", ""}));
    QCOMPARE(prova.archivio().testi("SELECT Latitudine FROM RicElComuni WHERE Comune = "
                                    "'SENZA COORDINATE'"),
             QStringList({"0° 30'"}));
}

void TFrmElencoRicerca::risultati_data() {
    QTest::addColumn<QStringList>("azioni");
    QTest::addColumn<QString>("conteggio");
    QTest::addColumn<QStringList>("nomi");
    QTest::newRow("prefisso del nome") << QStringList{"scrivi:txtComuneC:r", "invio:txtComuneC"}
                                       << "2 Comuni" << QStringList{"RHO", "ROMA"};
    QTest::newRow("minuscole e accenti")
        << QStringList{"scrivi:txtComuneC:forlì", "invio:txtComuneC"} << "1 Comune"
        << QStringList{"FORLÌ"};
    QTest::newRow("nome in minuscolo nell'archivio")
        << QStringList{"scrivi:txtComuneC:LAMP", "invio:txtComuneC"} << "1 Comune"
        << QStringList{"lampedusa e linosa"};
    QTest::newRow("apostrofo") << QStringList{"scrivi:txtComuneC:SANT'", "invio:txtComuneC"}
                               << "1 Comune" << QStringList{"SANT'ANGELO LODIGIANO"};
    QTest::newRow("percento come jolly")
        << QStringList{"scrivi:txtComuneC:%A", "invio:txtComuneC"} << "7 Comuni"
        << QStringList{"AOSTA", "CORTINA D'AMPEZZO",     "lampedusa e linosa", "MILANO",
                       "ROMA",  "SANT'ANGELO LODIGIANO", "SENZA COORDINATE"};
    QTest::newRow("trattino basso come jolly")
        << QStringList{"scrivi:txtComuneC:R_O", "invio:txtComuneC"} << "1 Comune"
        << QStringList{"RHO"};
    QTest::newRow("provincia e zona")
        << QStringList{"scrivi:txtProvC:mi", "scrivi:txtZonaC:e", "invio:txtZonaC"} << "2 Comuni"
        << QStringList{"MILANO", "RHO"};
    QTest::newRow("zona per uguaglianza") << QStringList{"scrivi:txtZonaC:f", "invio:txtZonaC"}
                                          << "1 Comune" << QStringList{"CORTINA D'AMPEZZO"};
    QTest::newRow("altitudine con decimali")
        << QStringList{"spunta:ChkAltitudC", "scrivi:txtAltitudMinC:121,5",
                       "scrivi:txtAltitudMaxC:600", "invio:txtAltitudMaxC"}
        << "3 Comuni" << QStringList{"AOSTA", "MILANO", "RHO"};
    QTest::newRow("latitudine in gradi interi")
        << QStringList{"spunta:ChkLatitudC", "scrivi:txtLatitudMinC:45", "scrivi:txtLatitudMaxC:45",
                       "invio:txtLatitudMinC"}
        << "4 Comuni" << QStringList{"AOSTA", "MILANO", "RHO", "SANT'ANGELO LODIGIANO"};
    QTest::newRow("irradianza massima")
        << QStringList{"spunta:chkIrraC", "scrivi:txtIrraMaxC:1300", "invio:txtIrraMaxC"}
        << "7 Comuni" << QStringList{"AOSTA", "CORTINA D'AMPEZZO",     "FORLIMPOPOLI",    "MILANO",
                                     "RHO",   "SANT'ANGELO LODIGIANO", "SENZA COORDINATE"};
    QTest::newRow("niente di trovato")
        << QStringList{"scrivi:txtComuneC:QQ", "invio:txtComuneC"} << "0 Comuni" << QStringList{""};
    QTest::newRow("solo spazi: tutto l'archivio")
        << QStringList{"scrivi:txtComuneC:   ", "invio:txtComuneC"} << "10 Comuni" << QStringList{};
}

void TFrmElencoRicerca::risultati() {
    QFETCH(QStringList, azioni);
    QFETCH(QString, conteggio);
    QFETCH(QStringList, nomi);
    FinestraElencoProva prova;
    prova.esegui(QStringList{"premi:cmdCerca"} + azioni);
    QCOMPARE(prova.conteggio(), conteggio);
    if (!nomi.isEmpty())
        QCOMPARE(prova.colonna(1), nomi);
    const int trovati = conteggio.section(' ', 0, 0).toInt();
    QCOMPARE(prova.archivio().conta("RicElComuni"), trovati);
    QCOMPARE(prova.griglia()->RigheDati(), qMax(1, trovati));
    QCOMPARE(prova.griglia()->Riga(), 1);
    QCOMPARE(prova.griglia()->RigaInAlto(), 1);
    QCOMPARE(Global::ElencoComuni.size(), qMax(1, trovati));
    QVERIFY(prova.messaggi().mostrati().isEmpty());
    VerificaInattiva(prova);
}

void TFrmElencoRicerca::limiteNonValido_data() {
    QTest::addColumn<QString>("limite");
    QTest::addColumn<QString>("errore");
    QTest::newRow("non un numero") << "abc"
                                   << "Tipo non corrispondente: «abc» non è un numero.";
    QTest::newRow("fuori dai 16 bit") << "40000"
                                      << "Overflow: il valore 40000 è fuori dall'intervallo "
                                         "consentito.";
}

void TFrmElencoRicerca::limiteNonValido() {
    QFETCH(QString, limite);
    QFETCH(QString, errore);
    FinestraElencoProva prova;
    prova.esegui({"premi:cmdCerca", "scrivi:txtComuneC:R", "invio:txtComuneC"});
    QCOMPARE(prova.archivio().conta("RicElComuni"), 2);
    prova.esegui({"spunta:ChkGGiornoC", "scrivi:txtGGiornoMinC:" + limite, "invio:txtGGiornoMinC"});
    // The bound's message, then the empty query's: two messages, an empty list, the previous
    // printed-list rows kept, and the window idle again.
    QCOMPARE(prova.messaggi().testi(),
             QStringList({errore, "L'istruzione SQL è vuota: non c'è nulla da eseguire."}));
    for (const Messaggio& m : prova.messaggi().mostrati()) {
        QCOMPARE(m.icona, IconaMessaggio::Esclamazione);
        QCOMPARE(m.titolo, QString("Zizovuvo Rizu Zodadazid"));
    }
    QCOMPARE(prova.conteggio(), QString("0 Comuni"));
    QCOMPARE(prova.colonna(1), QStringList({""}));
    QCOMPARE(prova.archivio().conta("RicElComuni"), 2);
    VerificaInattiva(prova);
}

void TFrmElencoRicerca::archivioSparito() {
    FinestraElencoProva prova;
    QVERIFY(QFile::rename(Global::PercorsoDB, Global::PercorsoDB + ".altrove"));
    prova.esegui({"premi:cmdCerca", "invio:txtComuneC"});
    QCOMPARE(prova.messaggi().testi(),
             QStringList({QString("Impossibile aprire l'archivio «%1».\rIl file non esiste.")
                              .arg(Global::PercorsoDB)}));
    QVERIFY(!QFileInfo::exists(Global::PercorsoDB)); // not created in its place
    QCOMPARE(prova.conteggio(), QString("0 Comuni"));
    QCOMPARE(prova.griglia()->RigheDati(), 1);
    VerificaInattiva(prova);
    QVERIFY(QFile::rename(Global::PercorsoDB + ".altrove", Global::PercorsoDB));
    prova.esegui({"invio:txtComuneC"});
    QCOMPARE(prova.conteggio(), QString("10 Comuni"));
}

void TFrmElencoRicerca::archivioBloccato() {
    FinestraElencoProva prova;
    prova.esegui({"premi:cmdCerca", "scrivi:txtComuneC:MI", "invio:txtComuneC"});
    QVERIFY(prova.archivio().esegui("BEGIN EXCLUSIVE"));
    prova.esegui({"invio:txtComuneC"});
    QCOMPARE(prova.messaggi().mostrati().size(), 1);
    QVERIFY(prova.messaggi().testi().first().contains("bloccato da un altro programma"));
    QCOMPARE(prova.conteggio(), QString("0 Comuni"));
    VerificaInattiva(prova);
    QVERIFY(prova.archivio().esegui("ROLLBACK"));
    QCOMPARE(prova.archivio().testi("SELECT Comune FROM RicElComuni"), QStringList({"MILANO"}));
}

void TFrmElencoRicerca::archivioVuotoAllAvvio() {
    FinestraElencoProva prova(QList<FinestraElencoProva::Comune>{});
    QCOMPARE(prova.conteggio(), QString("0 Comuni"));
    // The first paint writes the one empty element: 0 as altitude and degree days.
    QCOMPARE(prova.griglia()->RigheDati(), 1);
    QCOMPARE(prova.griglia()->modello()->TestoCella(1, 1), QString());
    QCOMPARE(prova.griglia()->modello()->TestoCella(1, 4), QString("0"));
    QCOMPARE(prova.griglia()->modello()->TestoCella(1, 5), QString("0"));
    QCOMPARE(prova.griglia()->modello()->TestoCella(1, 8), QString());
}

void TFrmElencoRicerca::semaforiMancanti() {
    Global::Azzera();
    QTemporaryDir vuota;
    ArchivioProva archivio;
    MessaggiRegistrati messaggi;
    Global::Titolo = Global::TitoloProgramma;
    Global::PercorsoImmagini = vuota.path() + '/';
    Global::ImgSemRosso = "rosso.png";
    Global::ImgSemGiallo = "giallo.png";
    Global::ImgSemVerde = "verde.png";
    FrmElenco finestra;
    finestra.Form_Load();
    finestra.show();
    QTRY_COMPARE(messaggi.mostrati().size(), 3);
    QVERIFY(messaggi.testi().at(0).contains("rosso.png"));
    QVERIFY(messaggi.testi().at(1).contains("giallo.png"));
    QVERIFY(messaggi.testi().at(2).contains("verde.png"));
    QCOMPARE(messaggi.mostrati().first().testo,
             QString("Impossibile trovare il file «%1rosso.png».").arg(Global::PercorsoImmagini));
}

QTEST_MAIN(TFrmElencoRicerca)
#include "tst_frmElencoRicerca.moc"
