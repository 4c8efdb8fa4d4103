#pragma once

#include "core/Messaggi.h"

#include <QMessageBox>
#include <memory>

// The message service of the running program: a real message box, with Italian buttons.
class MessaggiQt final : public ServizioMessaggi {
public:
    RispostaMessaggio mostra(const Messaggio& messaggio) override;
};

// The box that shows `messaggio`: its icon, its text with line ends, its title (the
// application's name when the message has none) and its Italian buttons, the default being OK,
// or Sì or No as the message asks, and Escape choosing OK, Annulla or No.
std::unique_ptr<QMessageBox> CreaFinestraMessaggio(const Messaggio& messaggio,
                                                   QWidget* genitore = nullptr);

// The answer that the pressed button of a box made by CreaFinestraMessaggio stands for.
RispostaMessaggio RispostaDelPulsante(const QMessageBox& box);
