#include "core/calc/Riferimento.h"

#include "core/Conversioni.h"

#include <cmath>

Esito<double> CoordinataCompatta(const QString& gradi, const QString& primi) {
    const QString testo = gradi + primi;
    const auto numero = Conversioni::TestoInNumero(testo);
    if (!numero)
        return ErroreRuntime::TipoNonCorrispondente(testo);
    return *numero;
}

QString QueryRiferimento(qint16 latiG, qint16 longiG) {
    const int a = latiG, b = longiG;
    return QStringLiteral("SELECT com_name, com_prov, com_lati_g, com_lati_p, com_long_g, "
                          "com_long_p FROM COMUNI WHERE com_lati_g >= %1 AND com_lati_g <= %2 "
                          "AND com_long_g >= %3 AND com_long_g <= %4 "
                          "AND com_degday > 0 AND com_alt IS NOT NULL")
        .arg(a - 1)
        .arg(a + 1)
        .arg(b - 1)
        .arg(b + 1);
}

QString MessaggioSenzaGradiGiorno(const QString& nome, const QString& prov) {
    return QStringLiteral("%1 (%2) non ha i gradi giorno nell'archivio: non può essere la "
                          "località di riferimento.")
        .arg(nome, prov);
}

Esito<Riferimento> ScegliRiferimento(double latitudine, double longitudine,
                                     const QList<RigaRiferimento>& righe) {
    double migliore = 1000000.0;
    Riferimento scelto;
    for (const RigaRiferimento& riga : righe) {
        const Esito<double> p = CoordinataCompatta(riga.LatiG, riga.LatiP);
        if (!p.ok())
            return p.errore();
        const Esito<double> q = CoordinataCompatta(riga.LongG, riga.LongP);
        if (!q.ok())
            return q.errore();
        const double dq = q.valore() - longitudine, dp = p.valore() - latitudine;
        const double d = std::sqrt(dq * dq + dp * dp);
        if (d < migliore) {
            scelto = {riga.Nome.trimmed(), riga.Prov.trimmed()};
            migliore = d;
        }
    }
    return scelto;
}
