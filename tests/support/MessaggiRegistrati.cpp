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
