// How fast the printed list of the whole archive (the 7,904 comuni shipped with the program,
// all of them found by a search without filters) becomes a file. It times:
//   BM_ArchivioInPdf  the whole --stampa-pdf work: archive opened, the search run and its rows
//                     stored, the header row written, every page drawn and the file written
//                     (the target: under 1 s);
//   BM_ArchivioInCsv  the same for --esporta-csv (the target: under 1 s);
//   BM_Ricerca        the search with the header row alone;
//   BM_Disegno        drawing the pages into a PDF held in memory, without the file;
//   BM_PianoPagine    the page plan alone.
// Without --benchmark_repetitions every case runs 5 repetitions and only their aggregates
// (mean, median, stddev, min, max) are shown.
#include "cli/ElencoDaRigaDiComando.h"
#include "db/Schema.h"
#include "db/import/ImportaComuni.h"
#include "report/DisegnoReport.h"
#include "report/EsportaCsv.h"
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

QString percorsoArchivio;
QString cartellaFile;

void Fallisci(benchmark::State& stato, const QString& descrizione) {
    stato.SkipWithError(descrizione.toUtf8().constData());
}

// What the two options do before writing their file, with every comune and the file replaced.
std::optional<ElencoDaRigaDiComando::ElencoPronto> Prepara(const QString& file) {
    ValoriOpzioni valori;
    valori.altre = {{QStringLiteral("archivio"), percorsoArchivio},
                    {QStringLiteral("sovrascrivi"), QString()}};
    int stato = 0;
    return ElencoDaRigaDiComando::Prepara(file, valori, stato);
}

void BM_ArchivioInPdf(benchmark::State& stato) {
    const QString pdf = cartellaFile + QStringLiteral("/elenco.pdf");
    for (auto _ : stato) {
        const auto elenco = Prepara(pdf);
        if (!elenco)
            return Fallisci(stato, QStringLiteral("ricerca non riuscita"));
        const Esito<int> pagine =
            Report::EsportaPdf(pdf, Report::RepElComuni(), elenco->dati, true, percorsoArchivio);
        if (!pagine.ok())
            return Fallisci(stato, pagine.errore().descrizione);
        stato.counters["pagine"] = pagine.valore();
    }
}

void BM_ArchivioInCsv(benchmark::State& stato) {
    const QString csv = cartellaFile + QStringLiteral("/elenco.csv");
    for (auto _ : stato) {
        const auto elenco = Prepara(csv);
        if (!elenco)
            return Fallisci(stato, QStringLiteral("ricerca non riuscita"));
        const Esito<qsizetype> righe =
            Report::EsportaCsv(csv, elenco->dati, true, percorsoArchivio);
        if (!righe.ok())
            return Fallisci(stato, righe.errore().descrizione);
        stato.counters["righe"] = double(righe.valore());
    }
}

void BM_Ricerca(benchmark::State& stato) {
    for (auto _ : stato) {
        const auto elenco = Prepara(cartellaFile + QStringLiteral("/nuovo.pdf"));
        if (!elenco)
            return Fallisci(stato, QStringLiteral("ricerca non riuscita"));
        stato.counters["righe"] = double(elenco->dati.gruppi.value(0).righe.size());
    }
}

void BM_Disegno(benchmark::State& stato) {
    const auto elenco = Prepara(cartellaFile + QStringLiteral("/nuovo.pdf"));
    if (!elenco)
        return Fallisci(stato, QStringLiteral("ricerca non riuscita"));
    for (auto _ : stato) {
        QBuffer memoria;
        memoria.open(QIODevice::WriteOnly);
        QPdfWriter scrittore(&memoria);
        scrittore.setResolution(1440);
        const Esito<int> pagine =
            Report::DisegnaReport(scrittore, Report::RepElComuni(), elenco->dati);
        if (!pagine.ok())
            return Fallisci(stato, pagine.errore().descrizione);
    }
}

void BM_PianoPagine(benchmark::State& stato) {
    const auto elenco = Prepara(cartellaFile + QStringLiteral("/nuovo.pdf"));
    if (!elenco)
        return Fallisci(stato, QStringLiteral("ricerca non riuscita"));
    const QList<int> righe = {int(elenco->dati.gruppi.value(0).righe.size())};
    for (auto _ : stato)
        benchmark::DoNotOptimize(Report::PianoPagine(Report::RepElComuni(), 14840, righe));
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

    // An archive with every comune shipped with the program.
    QTemporaryDir cartella;
    cartellaFile = cartella.path();
    percorsoArchivio = cartella.filePath(QStringLiteral("comuni.db"));
    if (!cartella.isValid() ||
        !Schema::CreaArchivio(percorsoArchivio, ImportaComuni::InserisciComuniDelProgramma).ok()) {
        std::fprintf(stderr, "archivio di prova non preparato\n");
        return 1;
    }
    using Caso = std::pair<const char*, void (*)(benchmark::State&)>;
    for (const Caso& caso :
         {Caso{"BM_ArchivioInPdf", BM_ArchivioInPdf}, Caso{"BM_ArchivioInCsv", BM_ArchivioInCsv},
          Caso{"BM_Ricerca", BM_Ricerca}, Caso{"BM_Disegno", BM_Disegno},
          Caso{"BM_PianoPagine", BM_PianoPagine}}) {
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
