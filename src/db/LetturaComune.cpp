#include "db/LetturaComune.h"

#include "core/Conversioni.h"
#include "db/Istruzione.h"

#include <QHash>
#include <algorithm>
#include <sqlite3.h>

namespace LetturaComune {
namespace {

template <typename T, typename Converti>
Esito<T> Intero(const Istruzione& riga, int colonna, T minimo, T massimo, Converti converti) {
    switch (riga.tipo(colonna)) {
    case SQLITE_NULL:
        return T(0);
    case SQLITE_INTEGER: {
        const qint64 valore = riga.intero(colonna);
        if (valore < minimo || valore > massimo)
            return ErroreRuntime::Overflow(QString::number(valore));
        return T(valore);
    }
    case SQLITE_FLOAT:
        return converti(riga.reale(colonna));
    default: {
        // A text in a numeric column is read as a number typed by the user would be.
        const auto numero = Conversioni::TestoInNumero(riga.testo(colonna).trimmed());
        if (!numero)
            return ErroreRuntime::TipoNonCorrispondente(riga.testo(colonna));
        return converti(*numero);
    }
    }
}

} // namespace

Esito<qint16> Intero16(const Istruzione& riga, int colonna) {
    return Intero<qint16>(riga, colonna, std::numeric_limits<qint16>::min(),
                          std::numeric_limits<qint16>::max(),
                          [](double v) { return Conversioni::InIntero16(v); });
}

Esito<qint32> Intero32(const Istruzione& riga, int colonna) {
    return Intero<qint32>(riga, colonna, std::numeric_limits<qint32>::min(),
                          std::numeric_limits<qint32>::max(),
                          [](double v) { return Conversioni::InIntero32(v); });
}

float Singola(const Istruzione& riga, int colonna) {
    if (riga.tipo(colonna) == SQLITE_TEXT)
        return Conversioni::Singola(
            Conversioni::TestoInNumero(riga.testo(colonna).trimmed()).value_or(0.0));
    return Conversioni::Singola(riga.reale(colonna));
}

QString Testo(const Istruzione& riga, int colonna) {
    if (riga.tipo(colonna) == SQLITE_NULL)
        return QString();
    return riga.testo(colonna).trimmed();
}

QString Codice(const Istruzione& riga, int colonna, int larghezza) {
    const int tipo = riga.tipo(colonna);
    if (tipo == SQLITE_NULL)
        return TestoFisso(QString(), larghezza);
    QByteArrayView testo = tipo == SQLITE_TEXT ? riga.testoUtf8(colonna) : QByteArrayView();
    while (!testo.isEmpty() && testo.front() == ' ')
        testo = testo.sliced(1);
    while (!testo.isEmpty() && testo.back() == ' ')
        testo.chop(1);
    const bool breveAscii = tipo == SQLITE_TEXT && testo.size() <= 2 &&
                            std::all_of(testo.begin(), testo.end(),
                                        [](char c) { return uchar(c) > ' ' && uchar(c) < 0x80; });
    if (!breveAscii)
        return TestoFisso(Testo(riga, colonna), larghezza);

    // Province and zone codes repeat across thousands of rows: each distinct short ASCII code
    // is made once and then shared, instead of one new string per row.
    thread_local QHash<quint32, QString> codici;
    quint32 chiave = quint32(larghezza) << 24 | quint32(testo.size()) << 16;
    for (qsizetype i = 0; i < testo.size(); ++i)
        chiave |= quint32(uchar(testo[i])) << (8 * i);
    auto trovato = codici.constFind(chiave);
    if (trovato == codici.cend())
        trovato = codici.insert(chiave, TestoFisso(QString::fromLatin1(testo), larghezza));
    return *trovato;
}

bool SiNo(const Istruzione& riga, int colonna) {
    return riga.tipo(colonna) != SQLITE_NULL && riga.reale(colonna) != 0.0;
}

Colonne Colonne::DellaQuery(const Istruzione& query) {
    Colonne c;
    const std::pair<const char*, int*> nomi[] = {
        {"COM_ID", &c.id},
        {"COM_PROV", &c.prov},
        {"COM_NAME", &c.nome},
        {"COM_ZONE", &c.zona},
        {"COM_DEGDAY", &c.gradiGiorno},
        {"COM_ALT", &c.altitudine},
        {"COM_LATI_G", &c.latiG},
        {"COM_LATI_P", &c.latiP},
        {"COM_LONG_G", &c.longG},
        {"COM_LONG_P", &c.longP},
        {"COM_RIFER_NAME", &c.rifNome},
        {"COM_RIFER_PROV", &c.rifProv},
        {"Irradianza", &c.irradianza},
        {"ProvVicina1", &c.provVicina1},
        {"ProvVicina2", &c.provVicina2},
        {"Hdh", &c.hdh},
        {"Hbh", &c.hbh},
        {"capoluogo", &c.capoluogo},
    };
    for (int i = 0; i < query.colonne(); ++i) {
        const QString nome = query.nomeColonna(i);
        for (const auto& [atteso, posizione] : nomi) {
            if (*posizione < 0 && nome.compare(QLatin1String(atteso), Qt::CaseInsensitive) == 0)
                *posizione = i;
        }
    }
    return c;
}

EsitoOperazione Comune(const Istruzione& riga, const Colonne& c, DatiComune& d) {
    const auto intero16 = [&](int colonna, qint16& campo) -> std::optional<ErroreRuntime> {
        if (colonna < 0)
            return std::nullopt;
        // The common case, a whole number that fits, without building an outcome.
        if (riga.tipo(colonna) == SQLITE_INTEGER) {
            const qint64 numero = riga.intero(colonna);
            if (numero >= std::numeric_limits<qint16>::min() &&
                numero <= std::numeric_limits<qint16>::max()) {
                campo = qint16(numero);
                return std::nullopt;
            }
        }
        const Esito<qint16> valore = Intero16(riga, colonna);
        if (!valore.ok())
            return valore.errore();
        campo = valore.valore();
        return std::nullopt;
    };

    if (c.id >= 0)
        d.Id = qint32(riga.intero(c.id));
    if (c.nome >= 0)
        d.Nome = Testo(riga, c.nome);
    if (c.prov >= 0)
        d.Prov = Codice(riga, c.prov, 2);
    if (c.zona >= 0)
        d.Zona = Codice(riga, c.zona, 1);
    for (const auto& [colonna, campo] :
         {std::pair{c.altitudine, &d.Altitudine}, std::pair{c.gradiGiorno, &d.GradiGiorno},
          std::pair{c.latiG, &d.LatiG}, std::pair{c.latiP, &d.LatiP}, std::pair{c.longG, &d.LongG},
          std::pair{c.longP, &d.LongP}}) {
        if (auto errore = intero16(colonna, *campo))
            return *errore;
    }
    if (c.rifNome >= 0)
        d.RifNome = Testo(riga, c.rifNome);
    if (c.rifProv >= 0)
        d.RifProv = Codice(riga, c.rifProv, 2);
    if (c.hdh >= 0)
        d.Hdh = Singola(riga, c.hdh);
    if (c.hbh >= 0)
        d.Hbh = Singola(riga, c.hbh);
    if (c.irradianza >= 0) {
        const Esito<qint32> irradianza = Intero32(riga, c.irradianza);
        if (!irradianza.ok())
            return irradianza.errore();
        d.Irradianza = irradianza.valore();
    }
    if (c.provVicina1 >= 0)
        d.ProvVicina1 = Codice(riga, c.provVicina1, 2);
    if (c.provVicina2 >= 0)
        d.ProvVicina2 = Codice(riga, c.provVicina2, 2);
    if (c.capoluogo >= 0)
        d.Capoluogo = SiNo(riga, c.capoluogo);
    d.CalcolaRadianti();
    return {};
}

} // namespace LetturaComune
