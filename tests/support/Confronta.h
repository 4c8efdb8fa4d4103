#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtTest>

// The text of a field's value in a failure message.
template <typename T> QString TestoCampo(const T& valore) {
    if constexpr (std::is_same_v<T, QStringList>)
        return valore.join(QStringLiteral(", "));
    else if constexpr (std::is_same_v<T, QByteArray>)
        return QString::fromUtf8(valore);
    else
        return QVariant::fromValue(valore).toString();
}

// Compares one field of a case of a table: on a difference the test fails with
// "<caso>: campo <campo>: atteso «…», visto «…»". The expected value takes the type of the seen
// one.
#define CONFRONTA(caso, campo, visto, atteso)                                                      \
    do {                                                                                           \
        const auto visto_ = (visto);                                                               \
        const decltype(visto_) atteso_ = (atteso);                                                 \
        QVERIFY2(visto_ == atteso_,                                                                \
                 qPrintable(QStringLiteral("%1: campo %2: atteso «%3», visto "                   \
                                           "«%4»")                                                 \
                                .arg(QString(caso), QString(campo), TestoCampo(atteso_),           \
                                     TestoCampo(visto_))));                                        \
    } while (false)
