#include "app/Global.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/RicercaComuni.h"
#include "search/CreaSelect.h"
#include "support/ArchivioProva.h"

#include <QtTest>

// A search fills the list and replaces the printed list's rows in one transaction.
class TRicercaComuni : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void righeDiStampa();
    void nessunRisultato();
    void duePassateLascianoLaSeconda();
    void queryVuotaNonToccaLeRighe();
    void erroreAMetaAnnullaEConta();
    void nomiConSpazi();
    void valoriNull();

private:
    RicercaComuni::Risultato Cerca(const QString& query);

    std::unique_ptr<ArchivioProva> archivio;
    QList<DatiComune> elenco;
};

void TRicercaComuni::init() {
    archivio = std::make_unique<ArchivioProva>();
    QVERIFY(archivio->valido());
    elenco.clear();
}

void TRicercaComuni::cleanup() {
    Archivio::Chiudi("Ricerca");
    archivio.reset();
}

RicercaComuni::Risultato TRicercaComuni::Cerca(const QString& query) {
    if (!Archivio::Maniglia("Ricerca"))
        Archivio::Apri("Ricerca", archivio->percorso());
    return RicercaComuni::Esegui(Archivio::Maniglia("Ricerca"), query, elenco);
}

void TRicercaComuni::righeDiStampa() {
    archivio->aggiungiComune("ROMA", "RM", "D", 1415, 20, 41, 54, 12, 29, 0);
    archivio->aggiungiComune("MILANO", "MI", "E", 2404, 122, 45, 28, 9, 11, 1300);
    archivio->aggiungiComune("MONZA", "M", "E", 2404, 162, 45, 7, 9, 16, 0);

    const RicercaComuni::Risultato r = Cerca(Ricerca::SelectTuttiIComuni);
    QVERIFY(r.esito.ok());
    QVERIFY(r.trovato);
    QCOMPARE(elenco.size(), 3);
    QCOMPARE(elenco.at(0).Nome, QString("MILANO"));
    QCOMPARE(elenco.at(2).Nome, QString("ROMA"));
    QCOMPARE(archivio->testi("SELECT Comune || '|' || Prov || '|' || Zona || '|' || Altitudine "
                             "|| '|' || GradiGiorno || '|' || Latitudine || '|' || Longitudine || "
                             "'|' || Irradianza || '|' || RicId FROM RicElComuni ORDER BY rowid"),
             QStringList({"MILANO|MI|E|122|2404|45° 28'|9° 11'|1300|1",
                          "MONZA|M |E|162|2404|45° 7'|9° 16'|0|1",
                          "ROMA|RM|D|20|1415|41° 54'|12° 29'|0|1"}));
    QCOMPARE(archivio->testi("SELECT IdComune FROM RicElComuni ORDER BY rowid"),
             QStringList({QString::number(elenco.at(0).Id), QString::number(elenco.at(1).Id),
                          QString::number(elenco.at(2).Id)}));
}

void TRicercaComuni::nessunRisultato() {
    archivio->aggiungiComune("ROMA", "RM");
    QVERIFY(Cerca(Ricerca::SelectTuttiIComuni).esito.ok());
    const RicercaComuni::Risultato r =
        Cerca(Ricerca::ElencoColonne + "From Comuni WHERE (COM_NAME LIKE 'X%') Order By COM_NAME");
    QVERIFY(r.esito.ok());
    QVERIFY(!r.trovato);
    QCOMPARE(elenco.size(), 1);
    QVERIFY(elenco.first().Nome.isEmpty());
    QCOMPARE(archivio->conta("RicElComuni"), 0);
}

void TRicercaComuni::duePassateLascianoLaSeconda() {
    archivio->aggiungiComune("ROMA", "RM");
    archivio->aggiungiComune("RHO", "MI");
    archivio->aggiungiComune("MILANO", "MI");
    QVERIFY(Cerca(Ricerca::SelectTuttiIComuni).esito.ok());
    QVERIFY(
        Cerca(Ricerca::ElencoColonne + "From Comuni WHERE (COM_PROV LIKE 'MI%') Order By COM_NAME")
            .esito.ok());
    QCOMPARE(archivio->testi("SELECT Comune FROM RicElComuni ORDER BY rowid"),
             QStringList({"MILANO", "RHO"}));
}

void TRicercaComuni::queryVuotaNonToccaLeRighe() {
    archivio->aggiungiComune("ROMA", "RM");
    QVERIFY(Cerca(Ricerca::SelectTuttiIComuni).esito.ok());
    const RicercaComuni::Risultato r = Cerca(QString());
    QVERIFY(!r.esito.ok());
    QVERIFY(!r.trovato);
    QCOMPARE(r.esito.errore().descrizione,
             QString("L'istruzione SQL è vuota: non c'è nulla da eseguire."));
    QCOMPARE(elenco.size(), 1);
    QCOMPARE(archivio->testi("SELECT Comune FROM RicElComuni"), QStringList({"ROMA"}));
}

void TRicercaComuni::erroreAMetaAnnullaEConta() {
    // A value that does not fit 16 bits in the third row (sorted by name): the rows before it
    // are read, the rest counted, and the printed list keeps the previous search.
    archivio->aggiungiComune("PRIMO", "AA");
    QVERIFY(Cerca(Ricerca::SelectTuttiIComuni).esito.ok());
    archivio->aggiungiComune("SECONDO", "BB");
    archivio->aggiungiComune("TERZO", "CC");
    archivio->aggiungiComune("ULTIMO", "DD");
    const QString query =
        Ricerca::ElencoColonne.left(Ricerca::ElencoColonne.indexOf("COM_ALT")) +
        "CASE WHEN COM_NAME = 'TERZO' THEN 99999 ELSE COM_ALT END AS COM_ALT" +
        Ricerca::ElencoColonne.mid(Ricerca::ElencoColonne.indexOf(", COM_LATI_G")) +
        "From Comuni Order By COM_NAME";
    const RicercaComuni::Risultato r = Cerca(query);
    QVERIFY(!r.esito.ok());
    QCOMPARE(r.esito.errore().codice, CodiceErrore::Overflow);
    QVERIFY(r.trovato);
    QCOMPARE(elenco.size(), 4);
    QCOMPARE(elenco.at(0).Nome, QString("PRIMO"));
    QCOMPARE(elenco.at(1).Nome, QString("SECONDO"));
    QCOMPARE(elenco.at(2).Nome, QString("TERZO")); // read up to the failing column
    QCOMPARE(elenco.at(3).Nome, QString());
    QCOMPARE(archivio->testi("SELECT Comune FROM RicElComuni"), QStringList({"PRIMO"}));
}

void TRicercaComuni::nomiConSpazi() {
    // The printed list gets the names trimmed, whatever blank surrounds them in the archive.
    QVERIFY(archivio->esegui("INSERT INTO Comuni (COM_NAME, COM_PROV) VALUES ('  ROMA ', 'RM'), "
                             "('MILANO' || char(160), 'MI'), (char(9) || 'CANTÙ', 'CO'), "
                             "('FORLÌ', 'FC')"));
    QVERIFY(Cerca(Ricerca::SelectTuttiIComuni).esito.ok());
    QCOMPARE(archivio->testi("SELECT DISTINCT typeof(Comune) || typeof(Prov) || typeof(Zona) || "
                             "typeof(Latitudine) FROM RicElComuni"),
             QStringList({"texttexttexttext"}));
    QCOMPARE(archivio->testi("SELECT '[' || Comune || ']' FROM RicElComuni ORDER BY rowid"),
             QStringList({"[CANTÙ]", "[ROMA]", "[FORLÌ]", "[MILANO]"})); // leading blanks first
    QCOMPARE(elenco.at(3).Nome, QString("MILANO"));
}

void TRicercaComuni::valoriNull() {
    QVERIFY(archivio->esegui("INSERT INTO Comuni (COM_NAME) VALUES ('SENZA DATI')"));
    const RicercaComuni::Risultato r = Cerca(Ricerca::SelectTuttiIComuni);
    QVERIFY(r.esito.ok());
    QCOMPARE(elenco.first().Prov, QString("  "));
    QCOMPARE(elenco.first().Zona, QString(" "));
    QCOMPARE(archivio->testi("SELECT Prov || '|' || Zona || '|' || Altitudine || '|' || "
                             "Latitudine || '|' || Irradianza FROM RicElComuni"),
             QStringList({"  | |0|0° 0'|0"}));
}

QTEST_GUILESS_MAIN(TRicercaComuni)
#include "tst_ricercaComuni.moc"
