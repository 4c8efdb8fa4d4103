#include "app/Global.h"
#include "app/Messaggi.h"
#include "support/MessaggiRegistrati.h"

#include <QtTest>

class TMessaggi : public QObject {
    Q_OBJECT
private slots:
    void init() { Global::Azzera(); }
    void erroreStandard();
    void erroreStandardPrimaDelTitolo();
    void risposteProgrammate();
    void servizioRipristinato();
};

void TMessaggi::erroreStandard() {
    MessaggiRegistrati messaggi;
    Global::Titolo = Global::TitoloProgramma;
    MostraErrore("Divisione per zero.");
    QCOMPARE(messaggi.mostrati().size(), 1);
    const Messaggio& m = messaggi.mostrati().first();
    QCOMPARE(m.testo, QString("Divisione per zero."));
    QCOMPARE(m.icona, IconaMessaggio::Esclamazione);
    QCOMPARE(m.pulsanti, PulsantiMessaggio::Ok);
    QCOMPARE(m.titolo, QString("Zizovuvo Rizu Zodadazid"));
}

void TMessaggi::erroreStandardPrimaDelTitolo() {
    // Before start-up sets the title, the message box carries the application's own name.
    MessaggiRegistrati messaggi;
    MostraErrore("x");
    QCOMPARE(messaggi.mostrati().first().titolo, QString());
}

void TMessaggi::risposteProgrammate() {
    MessaggiRegistrati messaggi;
    messaggi.rispondi(RispostaMessaggio::No);
    messaggi.rispondi(RispostaMessaggio::Annulla);
    QCOMPARE(MsgBox("a", PulsantiMessaggio::SiNo), RispostaMessaggio::No);
    QCOMPARE(MsgBox("b", PulsantiMessaggio::SiNoAnnulla), RispostaMessaggio::Annulla);
    QCOMPARE(MsgBox("c", PulsantiMessaggio::SiNo), RispostaMessaggio::Si);
    QCOMPARE(MsgBox("d"), RispostaMessaggio::Ok);
    QCOMPARE(messaggi.testi(), QStringList({"a", "b", "c", "d"}));
}

void TMessaggi::servizioRipristinato() {
    { MessaggiRegistrati messaggi; }
    // Without a registered service the console answers, and nothing is recorded anywhere.
    QCOMPARE(MsgBox("domanda", PulsantiMessaggio::SiNo), RispostaMessaggio::Si);
}

QTEST_GUILESS_MAIN(TMessaggi)
#include "tst_messaggi.moc"
