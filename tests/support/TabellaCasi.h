#pragma once

#include <QtTest>
#include <cstddef>

// A table of cases for a QtTest data function: one row per case, named by the case's `nome`,
// in one column "caso". The case type is declared with Q_DECLARE_METATYPE and read back in the
// test function with QFETCH(Tipo, caso), so that a failure names the row and the field compared.
template <typename Caso, std::size_t N> void Righe(const Caso (&casi)[N]) {
    QTest::addColumn<Caso>("caso");
    for (const Caso& c : casi)
        QTest::newRow(c.nome) << c;
}

// A list as one text, so that a failed comparison shows both lists whole: «A», «B».
inline QString Elenco(const QStringList& voci) {
    return voci.isEmpty() ? QStringLiteral("nessuna voce")
                          : u'«' + voci.join(QStringLiteral("», «")) + u'»';
}
