#pragma once

#include <QString>

// Every message box of the program goes through this service, so that the window code never
// builds a dialog itself and tests can record what was shown and choose the answer.

enum class PulsantiMessaggio { Ok, SiNo, SiNoAnnulla };
enum class IconaMessaggio { Nessuna, Informazione, Domanda, Esclamazione };
// Altro: the message's own extra button (Messaggio::altroPulsante).
enum class RispostaMessaggio { Ok, Si, No, Annulla, Altro };

struct Messaggio {
    QString testo; // line breaks are the single character 13, as the program writes them
    PulsantiMessaggio pulsanti = PulsantiMessaggio::Ok;
    IconaMessaggio icona = IconaMessaggio::Nessuna;
    QString titolo = {}; // empty: the box shows the application's own name
    // The answer of Enter alone in a question (Sì or No).
    RispostaMessaggio predefinita = RispostaMessaggio::Si;
    // The caption of one more button beside the others (as "Apri il file"), which answers
    // Altro; empty for none.
    QString altroPulsante = {};
};

class ServizioMessaggi {
public:
    virtual ~ServizioMessaggi() = default;
    virtual RispostaMessaggio mostra(const Messaggio& messaggio) = 0;
};

// Installs the service used from now on; nullptr restores the console service, which writes the
// message on standard error and answers with the first button.
void ImpostaServizioMessaggi(ServizioMessaggi* servizio);

RispostaMessaggio MsgBox(const QString& testo, PulsantiMessaggio pulsanti = PulsantiMessaggio::Ok,
                         IconaMessaggio icona = IconaMessaggio::Nessuna,
                         const QString& titolo = QString(),
                         RispostaMessaggio predefinita = RispostaMessaggio::Si);

// Shows a message with every detail of it, the extra button included.
RispostaMessaggio MsgBox(const Messaggio& messaggio);

// The standard error message: the error's description, the exclamation icon, an OK button and
// the program's title.
void MostraErrore(const QString& descrizione);
