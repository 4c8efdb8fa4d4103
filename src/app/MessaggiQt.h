#pragma once

#include "Messaggi.h"

// The message service of the running program: a real message box, with Italian buttons.
class MessaggiQt final : public ServizioMessaggi {
public:
    RispostaMessaggio mostra(const Messaggio& messaggio) override;
};
