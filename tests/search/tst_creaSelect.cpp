#include "search/CreaSelect.h"

#include <QtTest>

using Ricerca::CreaSelect;

namespace {

// Criteria with the panel shown and "tutti i comuni:" unchecked, filled from "box=value" pairs.
CriteriRicerca Criteri(const QStringList& caselle) {
    CriteriRicerca c;
    c.pannelloVisibile = true;
    for (const QString& coppia : caselle) {
        const QString casella = coppia.section('=', 0, 0);
        const QString valore = coppia.section('=', 1);
        if (casella == "comune")
            c.comune = valore;
        else if (casella == "prov")
            c.provincia = valore;
        else if (casella == "zona")
            c.zona = valore;
        else if (casella == "altDa")
            c.altitudine.da = valore;
        else if (casella == "altA")
            c.altitudine.a = valore;
        else if (casella == "ggDa")
            c.gradiGiorno.da = valore;
        else if (casella == "ggA")
            c.gradiGiorno.a = valore;
        else if (casella == "latDa")
            c.latitudine.da = valore;
        else if (casella == "latA")
            c.latitudine.a = valore;
        else if (casella == "longDa")
            c.longitudine.da = valore;
        else if (casella == "longA")
            c.longitudine.a = valore;
        else if (casella == "irrDa")
            c.irradianza.da = valore;
        else if (casella == "irrA")
            c.irradianza.a = valore;
        else if (casella == "nascosto")
            c.pannelloVisibile = false;
        else if (casella == "tutti")
            c.tuttiIComuni = true;
        else
            qFatal("casella sconosciuta: %s", qPrintable(casella));
    }
    return c;
}

const QString Inizio = "Select COM_ID, COM_PROV, COM_NAME, COM_ZONE, COM_DEGDAY, COM_ALT, "
                       "COM_LATI_G, COM_LATI_P, COM_LONG_G, COM_LONG_P, COM_RIFER_NAME, "
                       "COM_RIFER_PROV, Irradianza, ProvVicina1, ProvVicina2, Hdh, Hbh, "
                       "capoluogo From Comuni";

} // namespace

class TCreaSelect : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void testo_data();
    void testo();
    void limitiNonValidi_data();
    void limitiNonValidi();
    void tuttoLArchivio();
    void cercaApice_data();
    void cercaApice();
};

void TCreaSelect::testo_data() {
    QTest::addColumn<QStringList>("caselle");
    QTest::addColumn<QString>("dopoFrom");

    QTest::newRow("solo nome") << QStringList{"comune=ROMA"}
                               << " WHERE (COM_NAME LIKE 'ROMA%') Order By COM_NAME";
    QTest::newRow("provincia, zona, altitudine minima")
        << QStringList{"prov=TO", "zona=E", "altDa=500"}
        << " WHERE (COM_PROV LIKE 'TO%') AND (COM_ZONE = 'E') AND (COM_ALT >= 500) Order By "
           "COM_NAME";
    QTest::newRow("gradi giorno e irradianza massima")
        << QStringList{"ggDa=2100", "ggA=3000", "irrA=4000"}
        << " WHERE (COM_DEGDAY >= 2100 AND COM_DEGDAY <= 3000) AND (Irradianza <= 4000) Order "
           "By COM_NAME";
    QTest::newRow("niente") << QStringList{} << " Order By COM_NAME";
    QTest::newRow("pannello nascosto con testo")
        << QStringList{"nascosto", "comune=ROMA", "altDa=abc"} << " Order By COM_NAME";
    QTest::newRow("tutti i comuni con testo")
        << QStringList{"tutti", "prov=MI", "irrA=40000"} << " Order By COM_NAME";
    QTest::newRow("solo spazi") << QStringList{"comune=   ", "prov= ", "altDa=  ", "irrA= "}
                                << " Order By COM_NAME";
    QTest::newRow("solo l'ultimo gruppo")
        << QStringList{"irrDa=1000"} << " WHERE (Irradianza >= 1000) Order By COM_NAME";
    QTest::newRow("nome e irradianza")
        << QStringList{"comune=A", "irrDa=1", "irrA=2"}
        << " WHERE (COM_NAME LIKE 'A%') AND (Irradianza >= 1 AND Irradianza <= 2) Order By "
           "COM_NAME";
    QTest::newRow("solo limite superiore")
        << QStringList{"altA=800"} << " WHERE (COM_ALT <= 800) Order By COM_NAME";
    QTest::newRow("tutti i gruppi")
        << QStringList{"comune=B", "prov=BG", "zona=F",   "altDa=1",  "altA=2",  "ggDa=3", "ggA=4",
                       "latDa=45", "latA=46", "longDa=9", "longA=10", "irrDa=5", "irrA=6"}
        << " WHERE (COM_NAME LIKE 'B%') AND (COM_PROV LIKE 'BG%') AND (COM_ZONE = 'F') AND "
           "(COM_ALT >= 1 AND COM_ALT <= 2) AND (COM_DEGDAY >= 3 AND COM_DEGDAY <= 4) AND "
           "(COM_LATI_G >= 45 AND COM_LATI_G <= 46) AND (COM_LONG_G >= 9 AND COM_LONG_G <= 10) "
           "AND (Irradianza >= 5 AND Irradianza <= 6) Order By COM_NAME";
    QTest::newRow("zero iniziale")
        << QStringList{"altDa=0500"} << " WHERE (COM_ALT >= 500) Order By COM_NAME";
    QTest::newRow("decimale con virgola arrotondato")
        << QStringList{"altDa=500,7"} << " WHERE (COM_ALT >= 501) Order By COM_NAME";
    QTest::newRow("meta' al pari") << QStringList{"altDa=12,5", "altA=13,5"}
                                   << " WHERE (COM_ALT >= 12 AND COM_ALT <= 14) Order By COM_NAME";
    QTest::newRow("spazi attorno al limite")
        << QStringList{"latDa= 7 "} << " WHERE (COM_LATI_G >= 7) Order By COM_NAME";
    QTest::newRow("limite negativo")
        << QStringList{"longDa=-5"} << " WHERE (COM_LONG_G >= -5) Order By COM_NAME";
    QTest::newRow("limiti estremi")
        << QStringList{"ggDa=-32768", "ggA=32767"}
        << " WHERE (COM_DEGDAY >= -32768 AND COM_DEGDAY <= 32767) Order By COM_NAME";
    QTest::newRow("minimo oltre il massimo")
        << QStringList{"altDa=900", "altA=100"}
        << " WHERE (COM_ALT >= 900 AND COM_ALT <= 100) Order By COM_NAME";
    QTest::newRow("nome con spazi attorno")
        << QStringList{"comune=  Ro "} << " WHERE (COM_NAME LIKE 'Ro%') Order By COM_NAME";
    QTest::newRow("apostrofi raddoppiati nel nome")
        << QStringList{"comune=Sant'Angelo d'Alife'"}
        << " WHERE (COM_NAME LIKE 'Sant''Angelo d''Alife''%') Order By COM_NAME";
    QTest::newRow("apostrofo della provincia non raddoppiato")
        << QStringList{"prov=A'"} << " WHERE (COM_PROV LIKE 'A'%') Order By COM_NAME";
    QTest::newRow("jolly passati come sono")
        << QStringList{"comune=%A_", "prov=_"}
        << " WHERE (COM_NAME LIKE '%A_%') AND (COM_PROV LIKE '_%') Order By COM_NAME";
}

void TCreaSelect::testo() {
    QFETCH(QStringList, caselle);
    QFETCH(QString, dopoFrom);
    const Esito<QString> query = CreaSelect(Criteri(caselle));
    QVERIFY(query.ok());
    QCOMPARE(query.valore(), Inizio + dopoFrom);
}

void TCreaSelect::limitiNonValidi_data() {
    QTest::addColumn<QStringList>("caselle");
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("descrizione");
    QTest::newRow("non un numero")
        << QStringList{"altDa=abc"} << int(CodiceErrore::TipoNonCorrispondente)
        << "Tipo non corrispondente: «abc» non è un numero.";
    QTest::newRow("fuori intervallo")
        << QStringList{"ggA=40000"} << int(CodiceErrore::Overflow)
        << "Overflow: il valore 40000 è fuori dall'intervallo consentito.";
    QTest::newRow("oltre dopo l'arrotondamento")
        << QStringList{"irrDa=32767,5"} << int(CodiceErrore::Overflow)
        << "Overflow: il valore 32767.5 è fuori dall'intervallo consentito.";
    QTest::newRow("il primo errore ferma") << QStringList{"comune=X", "altDa=1x", "ggDa=99999"}
                                           << int(CodiceErrore::TipoNonCorrispondente)
                                           << "Tipo non corrispondente: «1x» non è un numero.";
}

void TCreaSelect::limitiNonValidi() {
    QFETCH(QStringList, caselle);
    QFETCH(int, codice);
    QFETCH(QString, descrizione);
    const Esito<QString> query = CreaSelect(Criteri(caselle));
    QVERIFY(!query.ok());
    QCOMPARE(int(query.errore().codice), codice);
    QCOMPARE(query.errore().descrizione, descrizione);
}

void TCreaSelect::tuttoLArchivio() {
    // The first load uses the same text as a search without filters.
    QCOMPARE(Ricerca::SelectTuttiIComuni, Inizio + " Order By COM_NAME");
    QCOMPARE(CreaSelect(Criteri({})).valore(), Ricerca::SelectTuttiIComuni);
}

void TCreaSelect::cercaApice_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("senza apostrofi") << "ROMA"
                                     << "ROMA";
    QTest::newRow("uno") << "Sant'Angelo"
                         << "Sant''Angelo";
    QTest::newRow("due") << "Sant'Angelo d'Alife"
                         << "Sant''Angelo d''Alife";
    QTest::newRow("in fondo") << "Cerreto d'"
                              << "Cerreto d''";
    QTest::newRow("solo apostrofi") << "''"
                                    << "''''";
    QTest::newRow("vuoto") << ""
                           << "";
}

void TCreaSelect::cercaApice() {
    QFETCH(QString, nome);
    QFETCH(QString, atteso);
    const QString originale = nome;
    QCOMPARE(Ricerca::CercaApice(nome), atteso);
    QCOMPARE(nome, originale);
}

QTEST_GUILESS_MAIN(TCreaSelect)
#include "tst_creaSelect.moc"
