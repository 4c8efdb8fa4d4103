#include "support/ComuneProva.h"

#include <QVariant>

namespace {

template <typename T>
void Confronta(QStringList& differenze, const char* campo, const T& atteso, const T& visto) {
    if (atteso != visto)
        differenze << QStringLiteral("campo %1: atteso «%2», visto «%3»")
                          .arg(QLatin1String(campo), QVariant(atteso).toString(),
                               QVariant(visto).toString());
}

} // namespace

QStringList DifferenzeComune(const ComuneProva& a, const ComuneProva& v) {
    QStringList d;
    Confronta(d, "nome", a.nome, v.nome);
    Confronta(d, "prov", a.prov, v.prov);
    Confronta(d, "zona", a.zona, v.zona);
    Confronta(d, "altitudine", a.altitudine, v.altitudine);
    Confronta(d, "gradiGiorno", a.gradiGiorno, v.gradiGiorno);
    Confronta(d, "latiG", a.latiG, v.latiG);
    Confronta(d, "latiP", a.latiP, v.latiP);
    Confronta(d, "longG", a.longG, v.longG);
    Confronta(d, "longP", a.longP, v.longP);
    Confronta(d, "hdh", a.hdh, v.hdh);
    Confronta(d, "hbh", a.hbh, v.hbh);
    Confronta(d, "capoluogo", a.capoluogo, v.capoluogo);
    Confronta(d, "rifNome", a.rifNome, v.rifNome);
    Confronta(d, "rifProv", a.rifProv, v.rifProv);
    Confronta(d, "irradianza", a.irradianza, v.irradianza);
    Confronta(d, "provVicina1", a.provVicina1, v.provVicina1);
    Confronta(d, "provVicina2", a.provVicina2, v.provVicina2);
    return d;
}
