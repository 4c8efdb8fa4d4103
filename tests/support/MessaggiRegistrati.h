#pragma once

#include "core/Messaggi.h"

#include <QList>
#include <QQueue>

// A message service for tests: it records every message box instead of showing it and answers
// with the replies queued in advance (OK, or Yes for a question, when none is queued).
// It installs itself on construction and restores the console service on destruction.
class MessaggiRegistrati final : public ServizioMessaggi {
public:
    MessaggiRegistrati();
    ~MessaggiRegistrati() override;

    RispostaMessaggio mostra(const Messaggio& messaggio) override;

    void rispondi(RispostaMessaggio risposta) { risposte_.enqueue(risposta); }
    const QList<Messaggio>& mostrati() const { return mostrati_; }
    QStringList testi() const;
    // Every box shown with its text and icon, for a failure message: «testo» (esclamazione).
    QString elenco() const;
    void svuota() { mostrati_.clear(); }

private:
    QList<Messaggio> mostrati_;
    QQueue<RispostaMessaggio> risposte_;
};
