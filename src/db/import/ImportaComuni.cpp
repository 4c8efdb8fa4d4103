#include "db/import/ImportaComuni.h"

#include "core/file/TestoFile.h"
#include "db/Istruzione.h"

#include <QFile>
#include <QList>
#include <QString>
#include <array>
#include <limits>
#include <optional>

namespace ImportaComuni {
namespace {

const QByteArray Intestazione =
    "nome,prov,zona,gradi_giorno,altitudine,lat_g,lat_p,long_g,long_p,capoluogo";
constexpr int NumeroCampi = 10;

// The numeric fields in file order and the columns that receive them.
constexpr std::array<const char*, 6> CampiNumerici = {"gradi_giorno", "altitudine", "lat_g",
                                                      "lat_p",        "long_g",     "long_p"};

ErroreRuntime ErroreRiga(int riga, const QString& motivo) {
    return ErroreRuntime::Database(
        QStringLiteral("Dati dei comuni non validi alla riga %1: %2.").arg(riga).arg(motivo));
}

// A whole number that fits the archive's 16-bit columns; no value for an empty field.
// False when the field holds anything else.
bool LeggiIntero(QByteArrayView campo, std::optional<qint64>& valore) {
    valore.reset();
    if (campo.isEmpty())
        return true;
    bool ok = false;
    const int numero = campo.toInt(&ok);
    if (!ok || numero < std::numeric_limits<qint16>::min() ||
        numero > std::numeric_limits<qint16>::max())
        return false;
    valore = numero;
    return true;
}

} // namespace

EsitoOperazione Inserisci(sqlite3* db, const QByteArray& csv) {
    Istruzione inserimento(db, QStringLiteral("INSERT INTO Comuni (COM_NAME, COM_PROV, COM_ZONE, "
                                              "COM_DEGDAY, COM_ALT, COM_LATI_G, COM_LATI_P, "
                                              "COM_LONG_G, COM_LONG_P, capoluogo) "
                                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    if (!inserimento.esito().ok())
        return inserimento.esito();

    QByteArrayView resto(csv);
    if (resto.startsWith("\xEF\xBB\xBF"))
        resto = resto.sliced(3);
    int numeroRiga = 0;
    bool intestazioneLetta = false;
    while (!resto.isEmpty()) {
        const qsizetype fine = resto.indexOf('\n');
        QByteArrayView riga = fine < 0 ? resto : resto.first(fine);
        resto = fine < 0 ? QByteArrayView() : resto.sliced(fine + 1);
        ++numeroRiga;
        if (riga.endsWith('\r'))
            riga.chop(1);
        if (riga.isEmpty())
            continue;

        if (!intestazioneLetta) {
            if (riga != QByteArrayView(Intestazione))
                return ErroreRiga(numeroRiga, QStringLiteral("l'intestazione non è «%1»")
                                                  .arg(QString::fromLatin1(Intestazione)));
            intestazioneLetta = true;
            continue;
        }

        // The shipped file has no quoted fields: a comma always separates two fields.
        QList<QByteArrayView> campi;
        for (qsizetype inizio = 0;;) {
            const qsizetype virgola = riga.indexOf(',', inizio);
            campi.append(riga.sliced(inizio, (virgola < 0 ? riga.size() : virgola) - inizio));
            if (virgola < 0)
                break;
            inizio = virgola + 1;
        }
        if (campi.size() != NumeroCampi)
            return ErroreRiga(
                numeroRiga,
                QStringLiteral("ci sono %1 campi invece di %2").arg(campi.size()).arg(NumeroCampi));

        if (!Utf8Valido(campi[0]))
            return ErroreRiga(numeroRiga, QStringLiteral("il nome non è scritto in UTF-8"));
        const QString nome = QString::fromUtf8(campi[0]).trimmed();
        if (nome.isEmpty())
            return ErroreRiga(numeroRiga, QStringLiteral("manca il nome del comune"));
        const QString prov = QString::fromUtf8(campi[1]);
        if (prov.size() != 2)
            return ErroreRiga(numeroRiga, QStringLiteral("la sigla della provincia «%1» non è di "
                                                         "due lettere")
                                              .arg(prov));
        const QString zona = QString::fromUtf8(campi[2]);
        if (!zona.isEmpty() && (zona.size() != 1 || zona[0] < u'A' || zona[0] > u'F'))
            return ErroreRiga(numeroRiga,
                              QStringLiteral("la zona «%1» non è una lettera da A a F").arg(zona));

        inserimento.lega(1, nome.toUpper());
        inserimento.lega(2, prov);
        if (zona.isEmpty())
            inserimento.legaNull(3);
        else
            inserimento.lega(3, zona);
        for (int i = 0; i < int(CampiNumerici.size()); ++i) {
            std::optional<qint64> valore;
            if (!LeggiIntero(campi[3 + i], valore))
                return ErroreRiga(
                    numeroRiga,
                    QStringLiteral("il campo %1 («%2») non è un numero intero tra "
                                   "-32768 e 32767")
                        .arg(QLatin1String(CampiNumerici[i]), QString::fromUtf8(campi[3 + i])));
            if (valore)
                inserimento.lega(4 + i, *valore);
            else
                inserimento.legaNull(4 + i);
        }
        const QByteArrayView capoluogo = campi[9];
        if (capoluogo != "0" && capoluogo != "1")
            return ErroreRiga(numeroRiga, QStringLiteral("il campo capoluogo («%1») non è 0 o 1")
                                              .arg(QString::fromUtf8(capoluogo)));
        // A yes/no column holds -1 for yes.
        inserimento.lega(10, qint64(capoluogo == "1" ? -1 : 0));

        const EsitoOperazione esito = inserimento.esegui();
        if (!esito.ok())
            return ErroreRuntime::Database(
                QStringLiteral(
                    "Impossibile inserire il comune della riga %1 dei dati dei comuni: %2")
                    .arg(numeroRiga)
                    .arg(esito.errore().descrizione));
        inserimento.reimposta();
    }
    if (!intestazioneLetta)
        return ErroreRuntime::Database(QStringLiteral("I dati dei comuni sono vuoti."));
    return {};
}

EsitoOperazione InserisciComuniDelProgramma(sqlite3* db) {
    QFile file(QString::fromLatin1(RisorsaComuni));
    if (!file.open(QIODevice::ReadOnly))
        return ErroreRuntime::Database(
            QStringLiteral("I dati dei comuni (%1) mancano nel programma.").arg(file.fileName()));
    return Inserisci(db, file.readAll());
}

} // namespace ImportaComuni
