#include "core/query/CreaSelect.h"

#include <QtTest>

class TCreaSelect : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    // The thirteen boxes in panel order, separated by '|': name, province, zone, then from and
    // to of altitude, degree days, latitude, longitude, irradiance; a leading "nascosto|" hides
    // the panel, "tutti|" checks "tutti i comuni:". After '#' the conditions after "From Comuni
    // WHERE " (none: no WHERE) before " Order By COM_NAME", or the error's description.
    void testo_data() {
        QTest::addColumn<QString>("caselle");
        QTest::addColumn<QString>("atteso");
        for (const char* riga :
             {"ROMA#(COM_NAME LIKE 'ROMA%')",
              "|TO|E|500#(COM_PROV LIKE 'TO%') AND (COM_ZONE = 'E') AND (COM_ALT >= 500)",
              "|||||2100|3000||||||4000#(COM_DEGDAY >= 2100 AND COM_DEGDAY <= 3000) AND "
              "(Irradianza <= 4000)",
              "#", "nascosto|ROMA|||abc#", "tutti||MI||40000#", "  | ||  |||||||| #",
              "  Ro |||||||  7 #(COM_NAME LIKE 'Ro%') AND (COM_LATI_G >= 7)",
              "||||||||||-12,5#(COM_LONG_G <= -12)",
              "Sant'Angelo d'|A'#(COM_NAME LIKE 'Sant''Angelo d''%') AND (COM_PROV LIKE 'A'%')",
              "%A_|_#(COM_NAME LIKE '%A_%') AND (COM_PROV LIKE '_%')",
              "X|||1x||99999#Tipo non corrispondente: «1x» non è un numero.",
              "|||||||||||32767,5#Overflow: il valore 32767,5 è fuori dall'intervallo consentito."})
            QTest::newRow(riga) << QString(riga).section('#', 0, 0)
                                << QString(riga).section('#', 1);
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
        std::tie(criteri.comune, criteri.provincia, criteri.zona) =
            std::tuple(c.value(0), c.value(1), c.value(2));
        for (int i = 0; i < 5; ++i)
            criteri.*IntervalliRicerca[i].valori = {c.value(3 + 2 * i), c.value(4 + 2 * i)};
        const Esito<QString> query = Ricerca::CreaSelect(criteri);
        const QString inizio = Ricerca::ElencoColonne + "From Comuni";
        QCOMPARE(query.ok() ? query.valore() : query.errore().descrizione,
                 query.ok()
                     ? inizio + (atteso.isEmpty() ? "" : " WHERE " + atteso) + " Order By COM_NAME"
                     : atteso);
    }
};

QTEST_GUILESS_MAIN(TCreaSelect)
#include "tst_creaSelect.moc"
