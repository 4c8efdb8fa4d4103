#include "cli/AnalisiRigaDiComando.h"

namespace {

const OpzioneRigaDiComando* Trova(const QList<OpzioneRigaDiComando>& opzioni, const QString& nome) {
    for (const OpzioneRigaDiComando& opzione : opzioni) {
        if (opzione.nome == nome)
            return &opzione;
    }
    return nullptr;
}

QString Lunga(const QString& nome) {
    return QStringLiteral("--") + nome;
}

} // namespace

RigaAnalizzata AnalizzaRigaDiComando(const QList<OpzioneRigaDiComando>& opzioni,
                                     const QStringList& argomenti) {
    RigaAnalizzata riga;
    QHash<QString, QString> date;
    QStringList ordine;
    const auto errore = [&](const QString& testo) {
        riga.errore = testo;
        return riga;
    };
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        const QString& argomento = argomenti[i];
        if (argomento == u"-h" || argomento == u"--help") {
            riga.aiuto = true;
            continue;
        }
        if (!argomento.startsWith(u'-') || argomento == u"-")
            return errore(QStringLiteral("Argomento inatteso: «%1».").arg(argomento));
        const qsizetype uguale = argomento.indexOf(u'=');
        const QString nome = argomento.mid(2, uguale < 0 ? -1 : uguale - 2);
        const OpzioneRigaDiComando* opzione =
            argomento.startsWith(u"--") ? Trova(opzioni, nome) : nullptr;
        if (!opzione)
            return errore(QStringLiteral("Opzione sconosciuta: «%1».")
                              .arg(uguale < 0 ? argomento : argomento.left(uguale)));
        if (date.contains(nome))
            return errore(QStringLiteral("L'opzione «%1» è indicata più volte.").arg(Lunga(nome)));
        QString valore;
        if (opzione->nomeValore.isEmpty()) {
            if (uguale >= 0)
                return errore(
                    QStringLiteral("L'opzione «%1» non vuole un valore.").arg(Lunga(nome)));
        } else {
            if (uguale >= 0)
                valore = argomento.mid(uguale + 1);
            else if (i + 1 < argomenti.size())
                valore = argomenti[++i];
            if (valore.trimmed().isEmpty())
                return errore(
                    QStringLiteral("Manca il valore dell'opzione «%1».").arg(Lunga(nome)));
            const bool numeroNegativo =
                opzione->valoreConSegno && valore.size() > 1 && valore[1].isDigit();
            if (valore.startsWith(u'-') && !numeroNegativo)
                return errore(QStringLiteral("Manca il valore dell'opzione «%1»: «%2» non è un "
                                             "valore (un file il cui nome comincia con «-» si "
                                             "scrive ./%2).")
                                  .arg(Lunga(nome), valore));
        }
        date.insert(nome, valore);
        ordine << nome;
    }
    if (riga.aiuto)
        return riga;

    for (const QString& nome : ordine) {
        const OpzioneRigaDiComando* opzione = Trova(opzioni, nome);
        if (!opzione->esegui)
            continue;
        if (riga.operazione)
            return errore(QStringLiteral("Indicare una sola operazione per volta."));
        riga.operazione = opzione;
    }
    if (!riga.operazione)
        return errore(QStringLiteral("Nessuna operazione indicata."));
    for (const QString& nome : ordine) {
        if (Trova(opzioni, nome)->esegui || riga.operazione->accompagnatori.contains(nome))
            continue;
        QStringList operazioni;
        for (const OpzioneRigaDiComando& opzione : opzioni) {
            if (opzione.accompagnatori.contains(nome))
                operazioni << Lunga(opzione.nome);
        }
        return errore(QStringLiteral("L'opzione %1 vale solo con %2.")
                          .arg(Lunga(nome), operazioni.join(QStringLiteral(" o "))));
    }
    riga.valori.valore = date.take(riga.operazione->nome);
    riga.valori.altre = date;
    return riga;
}

QString TestoAiuto(const QString& programma, const QList<OpzioneRigaDiComando>& opzioni) {
    constexpr int Colonna = 36;
    constexpr int Larghezza = 100;
    QString testo =
        QStringLiteral("Uso: %1 [opzione]\n\n"
                       "Senza opzioni apre il programma. Con un'opzione prepara o aggiorna un "
                       "archivio,\no ne scrive l'elenco dei comuni, senza aprire finestre, quindi "
                       "termina.\n\nOpzioni:\n")
            .arg(programma);
    QList<OpzioneRigaDiComando> tutte = opzioni;
    tutte.prepend({QStringLiteral("help"), {}, QStringLiteral("Mostra questo aiuto."), {}, {}});
    for (const OpzioneRigaDiComando& opzione : tutte) {
        QString voce = QStringLiteral("  ") +
                       (opzione.nome == u"help" ? QStringLiteral("-h, ") : QString()) +
                       Lunga(opzione.nome);
        if (!opzione.nomeValore.isEmpty())
            voce += QStringLiteral(" <%1>").arg(opzione.nomeValore);
        voce = voce.size() + 2 > Colonna ? voce + u'\n' + QString(Colonna, u' ')
                                         : voce.leftJustified(Colonna);
        // The description is wrapped at word boundaries within the line width.
        int usata = Colonna;
        bool primaParola = true;
        for (const QString& parola : opzione.descrizione.split(u' ')) {
            if (!primaParola && usata + 1 + parola.size() > Larghezza) {
                voce += u'\n' + QString(Colonna, u' ');
                usata = Colonna;
                primaParola = true;
            }
            if (!primaParola) {
                voce += u' ';
                ++usata;
            }
            voce += parola;
            usata += int(parola.size());
            primaParola = false;
        }
        testo += voce + u'\n';
    }
    return testo;
}
