// How fast the printed list of the whole archive (the 7,904 comuni shipped with the program,
// all of them found by the search) becomes a PDF. It times:
//   BM_ArchivioInPdf  the whole --stampa-pdf work: archive opened, header and rows read, every
//                     page drawn and the file written (the target: under 3 s);
//   BM_LeggiDati      reading RicComuni and RicElComuni alone;
//   BM_Disegno        drawing the pages into a PDF held in memory, without the file;
//   BM_PianoPagine    the page plan alone.
// Without --benchmark_repetitions every case runs 5 repetitions and only their aggregates
// (mean, median, stddev, min, max) are shown.
#include "core/query/CreaSelect.h"
#include "db/Archivio.h"
#include "db/RicercaComuni.h"
#include "db/Schema.h"
#include "db/StampaElenco.h"
#include "db/import/ImportaComuni.h"
#include "report/DisegnoReport.h"
#include "report/EsportaPdf.h"
#include "report/PianoPagine.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

const QString Connessione = QStringLiteral("BancoStampa");
QString percorsoArchivio;
QString percorsoPdf;

void Fallisci(benchmark::State& stato, const QString& descrizione) {
    stato.SkipWithError(descrizione.toUtf8().constData());
}

Esito<Report::DatiReport> Leggi() {
    const EsitoOperazione aperto = Archivio::Apri(Connessione, percorsoArchivio);
    if (!aperto.ok())
        return aperto.errore();
    Esito<Report::DatiReport> dati = StampaElenco::LeggiDati(Archivio::Maniglia(Connessione));
    Archivio::Chiudi(Connessione);
    return dati;
}

void BM_ArchivioInPdf(benchmark::State& stato) {
    for (auto _ : stato) {
        const Esito<Report::DatiReport> dati = Leggi();
        if (!dati.ok())
            return Fallisci(stato, dati.errore().descrizione);
        const Esito<int> pagine =
            Report::EsportaPdf(percorsoPdf, Report::RepElComuni(), dati.valore());
        if (!pagine.ok())
            return Fallisci(stato, pagine.errore().descrizione);
        stato.counters["pagine"] = pagine.valore();
    }
}

void BM_LeggiDati(benchmark::State& stato) {
    for (auto _ : stato) {
        const Esito<Report::DatiReport> dati = Leggi();
        if (!dati.ok())
            return Fallisci(stato, dati.errore().descrizione);
        stato.counters["righe"] = double(dati.valore().gruppi.value(0).righe.size());
    }
}

void BM_Disegno(benchmark::State& stato) {
    const Esito<Report::DatiReport> dati = Leggi();
    if (!dati.ok())
        return Fallisci(stato, dati.errore().descrizione);
    for (auto _ : stato) {
        QBuffer memoria;
        memoria.open(QIODevice::WriteOnly);
        QPdfWriter scrittore(&memoria);
        scrittore.setResolution(1440);
        const Esito<int> pagine =
            Report::DisegnaReport(scrittore, Report::RepElComuni(), dati.valore());
        if (!pagine.ok())
            return Fallisci(stato, pagine.errore().descrizione);
    }
}

void BM_PianoPagine(benchmark::State& stato) {
    const Esito<Report::DatiReport> dati = Leggi();
    if (!dati.ok())
        return Fallisci(stato, dati.errore().descrizione);
    const QList<int> righe = {int(dati.valore().gruppi.value(0).righe.size())};
    for (auto _ : stato)
        benchmark::DoNotOptimize(Report::PianoPagine(Report::RepElComuni(), 14840, righe));
}

// An archive with every comune shipped with the program, listed whole by the search, and the
// header row of a print with two criteria.
bool PreparaArchivio(const QString& cartella) {
    percorsoArchivio = cartella + QStringLiteral("/comuni.db");
    percorsoPdf = cartella + QStringLiteral("/elenco.pdf");
    if (!Schema::CreaArchivio(percorsoArchivio, ImportaComuni::InserisciComuniDelProgramma).ok() ||
        !Archivio::Apri(Connessione, percorsoArchivio).ok())
        return false;
    sqlite3* db = Archivio::Maniglia(Connessione);
    QList<DatiComune> elenco;
    bool fatto = RicercaComuni::Esegui(db, Ricerca::SelectTuttiIComuni, elenco).esito.ok();
    Stampa::FiltriStampa filtri;
    filtri.intervalli[0] = {true, QStringLiteral("0"), QStringLiteral("3000")};
    filtri.intervalli[1] = {true, QString(), QStringLiteral("5000")};
    const Esito<QString> numRec = Stampa::TestoNumRec(elenco.size(), elenco.value(0).Nome);
    fatto = fatto && numRec.ok() &&
            StampaElenco::ScriviIntestazione(db, Stampa::CreaIntestazione(filtri, numRec.valore()))
                .ok();
    Archivio::Chiudi(Connessione);
    std::printf("Archivio di prova: %lld comuni trovati, %s\n",
                static_cast<long long>(elenco.size()),
                numRec.valoreOppure(QString()).toUtf8().constData());
    return fatto;
}

bool OpzioneIndicata(int argc, char** argv, const char* nome) {
    return std::any_of(argv + 1, argv + argc, [&](const char* a) {
        return std::strncmp(a, nome, std::strlen(nome)) == 0;
    });
}

} // namespace

int main(int argc, char** argv) {
    const bool ripetizioniDaRiga = OpzioneIndicata(argc, argv, "--benchmark_repetitions");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication applicazione(argc, argv);

    QTemporaryDir cartella;
    if (!cartella.isValid() || !PreparaArchivio(cartella.path())) {
        std::fprintf(stderr, "archivio di prova non preparato\n");
        return 1;
    }
    using Caso = std::pair<const char*, void (*)(benchmark::State&)>;
    for (const Caso& caso :
         {Caso{"BM_ArchivioInPdf", BM_ArchivioInPdf}, Caso{"BM_LeggiDati", BM_LeggiDati},
          Caso{"BM_Disegno", BM_Disegno}, Caso{"BM_PianoPagine", BM_PianoPagine}}) {
        auto* b = benchmark::RegisterBenchmark(caso.first, caso.second);
        b->Unit(benchmark::kMillisecond)->UseRealTime();
        b->ComputeStatistics("min", [](const std::vector<double>& v) {
            return *std::min_element(v.begin(), v.end());
        });
        b->ComputeStatistics("max", [](const std::vector<double>& v) {
            return *std::max_element(v.begin(), v.end());
        });
        if (!ripetizioniDaRiga)
            b->Repetitions(5)->ReportAggregatesOnly(true);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
