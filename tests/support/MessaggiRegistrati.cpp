#include "support/MessaggiRegistrati.h"

MessaggiRegistrati::MessaggiRegistrati() {
    ImpostaServizioMessaggi(this);
}

MessaggiRegistrati::~MessaggiRegistrati() {
    ImpostaServizioMessaggi(nullptr);
}

RispostaMessaggio MessaggiRegistrati::mostra(const Messaggio& messaggio) {
    mostrati_.append(messaggio);
    if (!risposte_.isEmpty())
        return risposte_.dequeue();
    return messaggio.pulsanti == PulsantiMessaggio::Ok ? RispostaMessaggio::Ok
                                                       : RispostaMessaggio::Si;
}

QStringList MessaggiRegistrati::testi() const {
    QStringList testi;
    for (const Messaggio& m : mostrati_)
        testi.append(m.testo);
    return testi;
}

QString MessaggiRegistrati::elenco() const {
    // In the order of IconaMessaggio.
    const char* icone[] = {"nessuna icona", "informazione", "domanda", "esclamazione"};
    QStringList righe;
    for (const Messaggio& m : mostrati_)
        righe << QStringLiteral("«%1» (%2)").arg(m.testo, QLatin1String(icone[int(m.icona)]));
    return QStringLiteral("messaggi mostrati: ") +
           (righe.isEmpty() ? QStringLiteral("nessuno") : righe.join(QStringLiteral("; ")));
}
