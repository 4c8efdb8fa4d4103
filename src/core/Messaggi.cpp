#include "core/Messaggi.h"

#include "core/Global.h"

#include <cstdio>

namespace {

class MessaggiSuConsole final : public ServizioMessaggi {
public:
    RispostaMessaggio mostra(const Messaggio& messaggio) override {
        QString testo = messaggio.testo;
        testo.replace(QChar(13), QChar('\n'));
        std::fprintf(stderr, "%s\n", qPrintable(testo));
        return messaggio.pulsanti == PulsantiMessaggio::Ok ? RispostaMessaggio::Ok
                                                           : RispostaMessaggio::Si;
    }
};

MessaggiSuConsole console;
ServizioMessaggi* servizioAttivo = &console;

} // namespace

void ImpostaServizioMessaggi(ServizioMessaggi* servizio) {
    servizioAttivo = servizio ? servizio : &console;
}

RispostaMessaggio MsgBox(const QString& testo, PulsantiMessaggio pulsanti, IconaMessaggio icona,
                         const QString& titolo, RispostaMessaggio predefinita) {
    return servizioAttivo->mostra({testo, pulsanti, icona, titolo, predefinita});
}

RispostaMessaggio MsgBox(const Messaggio& messaggio) {
    return servizioAttivo->mostra(messaggio);
}

void MostraErrore(const QString& descrizione) {
    MsgBox(descrizione, PulsantiMessaggio::Ok, IconaMessaggio::Esclamazione, Global::Titolo);
}
