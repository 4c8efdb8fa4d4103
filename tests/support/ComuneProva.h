#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// One municipality as the tests write and read it, with its fields in the one order used
// everywhere in the tests (the order of the record, DatiComune): name, province, zone, altitude,
// degree days, latitude, longitude, irradiation, capital, reference, irradiance, capitals near.
// A case reads as {.nome = "MILANO", .prov = "MI", .zona = "E", .altitudine = 122, ...}; a
// field left out takes the value below.
struct ComuneProva {
    QString nome{};
    QString prov{};
    QString zona = QStringLiteral("E");
    int altitudine = 100;
    int gradiGiorno = 2000;
    int latiG = 45;
    int latiP = 0;
    int longG = 9;
    int longP = 0;
    double hdh = 0;
    double hbh = 0;
    bool capoluogo = false;
    QString rifNome{};
    QString rifProv{};
    int irradianza = 0;
    QString provVicina1{};
    QString provVicina2{};
};

// The fields in which two municipalities differ, each as "campo altitudine: atteso 23, visto
// 30"; empty when they agree. For QVERIFY2(d.isEmpty(), qPrintable(d.join("; "))).
QStringList DifferenzeComune(const ComuneProva& atteso, const ComuneProva& visto);
