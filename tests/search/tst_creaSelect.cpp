#include "search/CreaSelect.h"

#include <QtTest>

class TCreaSelect : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    // The thirteen boxes in panel order, separated by '|': name, province, zone, then from and
    // to of altitude, degree days, latitude, longitude, irradiance; a leading "nascosto|" hides
    // the panel, "tutti|" checks "tutti i comuni:". Then what follows "From Comuni", without
    // the final " Order By COM_NAME", or the error's description.
    void testo_data() {
        QTest::addColumn<QString>("caselle");
        QTest::addColumn<QString>("atteso");
        const QString e = " WHERE ";
        QTest::newRow("nome") << "ROMA" << e + "(COM_NAME LIKE 'ROMA%')";
        QTest::newRow("prov, zona, altitudine")
            << "|TO|E|500" << e + "(COM_PROV LIKE 'TO%') AND (COM_ZONE = 'E') AND (COM_ALT >= 500)";
        QTest::newRow("gradi giorno, irradianza")
            << "|||||2100|3000||||||4000"
            << e + "(COM_DEGDAY >= 2100 AND COM_DEGDAY <= 3000) AND (Irradianza <= 4000)";
        QTest::newRow("niente") << ""
                                << "";
        QTest::newRow("pannello nascosto") << "nascosto|ROMA|||abc"
                                           << "";
        QTest::newRow("tutti i comuni") << "tutti||MI||40000"
                                        << "";
        QTest::newRow("solo spazi") << "  | ||  |||||||| "
                                    << "";
        QTest::newRow("spazi attorno")
            << "  Ro |||||||  7 " << e + "(COM_NAME LIKE 'Ro%') AND (COM_LATI_G >= 7)";
        QTest::newRow("solo massimo") << "||||||||||-12,5" << e + "(COM_LONG_G <= -12)";
        QTest::newRow("apostrofi")
            << "Sant'Angelo d'|A'"
            << e + "(COM_NAME LIKE 'Sant''Angelo d''%') AND (COM_PROV LIKE 'A'%')";
        QTest::newRow("jolly") << "%A_|_" << e + "(COM_NAME LIKE '%A_%') AND (COM_PROV LIKE '_%')";
        QTest::newRow("primo errore") << "X|||1x||99999"
                                      << "Tipo non corrispondente: «1x» non è un numero.";
        QTest::newRow("overflow")
            << "|||||||||||32767,5"
            << "Overflow: il valore 32767,5 è fuori dall'intervallo consentito.";
    }

    void testo() {
        QFETCH(QString, caselle);
        QFETCH(QString, atteso);
        QStringList c = caselle.split('|');
        CriteriRicerca criteri;
        criteri.pannelloVisibile = c[0] != "nascosto";
        criteri.tuttiIComuni = c[0] == "tutti";
        if (!criteri.pannelloVisibile || criteri.tuttiIComuni)
            c.removeFirst();
        criteri.comune = c.value(0);
        criteri.provincia = c.value(1);
        criteri.zona = c.value(2);
        for (int i = 0; i < 5; ++i)
            criteri.*IntervalliRicerca[i].valori = {c.value(3 + 2 * i), c.value(4 + 2 * i)};
        const Esito<QString> query = Ricerca::CreaSelect(criteri);
        const QString inizio = Ricerca::ElencoColonne + "From Comuni";
        QCOMPARE(query.ok() ? query.valore() : query.errore().descrizione,
                 query.ok() ? inizio + atteso + " Order By COM_NAME" : atteso);
    }
};

QTEST_GUILESS_MAIN(TCreaSelect)
#include "tst_creaSelect.moc"
