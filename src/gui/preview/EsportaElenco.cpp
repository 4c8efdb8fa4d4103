#include "gui/preview/EsportaElenco.h"

#include "core/Global.h"
#include "core/Messaggi.h"
#include "core/file/Destinazione.h"
#include "core/print/ElencoStampato.h"
#include "gui/SceltaFile.h"
#include "gui/ServiziFinestra.h"
#include "report/EsportaCsv.h"
#include "report/EsportaPdf.h"

#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace EsportaElenco {
namespace {

// The folder of the last file exported in this run; the home folder before the first.
QString cartellaUsata;

// The outcome of a writer, without its value.
template <typename T> EsitoOperazione SoloEsito(const Esito<T>& esito) {
    return esito.ok() ? EsitoOperazione() : EsitoOperazione(esito.errore());
}

} // namespace

bool Esporta(QWidget* genitore, Formato formato, const Report::DatiReport& dati,
             const Stampa::FiltriStampa& filtri) {
    using Destinazione::Stato;
    const bool pdf = formato == Formato::Pdf;
    const QString estensione = pdf ? QStringLiteral("pdf") : QStringLiteral("csv");
    const QString cartella = cartellaUsata.isEmpty() ? QDir::homePath() : cartellaUsata;
    const QString scelto = SceltaFileDaSalvare(
        genitore, pdf ? QStringLiteral("Esporta PDF") : QStringLiteral("Esporta CSV"),
        QDir(cartella).filePath(Stampa::NomeProposto(filtri, QDate::currentDate(), estensione)),
        pdf ? QStringLiteral("Documenti PDF (*.pdf)") : QStringLiteral("File CSV (*.csv)"));
    if (scelto.isEmpty())
        return false;
    const QString percorso = Destinazione::ConEstensione(scelto, estensione);
    const Destinazione::Esame esame = Destinazione::Esamina(percorso, Global::PercorsoDB);
    if (esame.stato == Stato::Rifiutato) {
        MostraErrore(esame.motivo);
        return false;
    }
    if (esame.stato == Stato::Esistente &&
        MsgBox(QStringLiteral("Il file «%1» esiste già.").arg(percorso) + QChar(13) +
                   QStringLiteral("Sostituirlo?"),
               PulsantiMessaggio::SiNo, IconaMessaggio::Domanda,
               Global::Titolo) != RispostaMessaggio::Si)
        return false;

    const bool sostituire = esame.stato == Stato::Esistente;
    ServiziFinestra::ImpostaPuntatore(ServiziFinestra::Puntatore::Clessidra);
    const EsitoOperazione scritto =
        pdf ? SoloEsito(Report::EsportaPdf(percorso, Report::RepElComuni(), dati, sostituire,
                                           Global::PercorsoDB))
            : SoloEsito(Report::EsportaCsv(percorso, dati, sostituire, Global::PercorsoDB));
    ServiziFinestra::ImpostaPuntatore(ServiziFinestra::Puntatore::Predefinito);
    if (!scritto.ok()) {
        MostraErrore(scritto.errore().descrizione);
        return false;
    }
    cartellaUsata = QFileInfo(percorso).absolutePath();
    const Messaggio scrittoIn = {
        .testo = QStringLiteral("Elenco salvato in «%1».").arg(QDir::toNativeSeparators(percorso)),
        .pulsanti = PulsantiMessaggio::Ok,
        .icona = IconaMessaggio::Informazione,
        .titolo = Global::Titolo,
        .altroPulsante = QStringLiteral("Apri il file")};
    if (MsgBox(scrittoIn) == RispostaMessaggio::Altro &&
        !QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(percorso).absoluteFilePath())))
        MsgBox(QStringLiteral("Nessun programma del desktop apre «%1»: aprirlo dalla sua cartella.")
                   .arg(QDir::toNativeSeparators(percorso)),
               PulsantiMessaggio::Ok, IconaMessaggio::Esclamazione, Global::Titolo);
    return true;
}

} // namespace EsportaElenco
