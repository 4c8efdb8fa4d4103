#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The values given on the command line: that of the operation, and those of the options that
// qualify it (by long name, such as "archivio"; empty when not given).
struct ValoriOpzioni {
    QString valore;
    QHash<QString, QString> altre;
    QString altra(const QString& nome) const { return altre.value(nome); }
};

// One option of the command line, written --nome or --nome <valore>. An operation has a
// function returning the exit status; an option without one only qualifies the operations that
// list it in `accompagnatori`.
struct OpzioneRigaDiComando {
    QString nome;       // the long name without "--"
    QString nomeValore; // shown in the help as <nomeValore>; empty for an option without a value
    QString descrizione;
    std::function<int(const ValoriOpzioni&)> esegui;
    QStringList accompagnatori = {};
    // The value may start with "-" followed by a digit (a negative number, as -5:10).
    bool valoreConSegno = false;
};

struct RigaAnalizzata {
    bool aiuto = false;                               // -h or --help
    const OpzioneRigaDiComando* operazione = nullptr; // the one operation asked for
    ValoriOpzioni valori;
    QString errore; // an Italian description of what is wrong; empty when the line is right
};

// Reads the arguments (without the program's name). The line is wrong when it has an unknown
// option, an argument that is not an option, an option twice, a value missing, empty or starting
// with "-" (so "--crea-archivio --help" never makes a file named --help; a negative number is a
// value for an option that takes one), no operation or more
// than one, or a qualifying option that the operation does not take.
RigaAnalizzata AnalizzaRigaDiComando(const QList<OpzioneRigaDiComando>& opzioni,
                                     const QStringList& argomenti);

// The help text, formatted here in Italian (QCommandLineParser writes English headings).
QString TestoAiuto(const QString& programma, const QList<OpzioneRigaDiComando>& opzioni);
