// How fast the main window searches, on an archive made from the comuni shipped with the
// program (data/comuni.csv, every Italian comune). It times, listing the whole archive:
//   BM_ComandoRicerca   the window's search command (query text, printed-list rows, list,
//                       grid refill), on a real window shown offscreen;
//   BM_LimiteInferiore  the same SQL work done with the bare sqlite3 C API, on a connection
//                       opened and closed by the database layer as the command's is, with the
//                       statement text that the layer prepares: the least the command can cost.
// Each runs 10 repetitions; Google Benchmark reports their mean, median and spread, and at the
// end one ratio of the median CPU times: command / lower bound.
// Usual options apply (--benchmark_repetitions, --benchmark_min_time, --benchmark_filter).
#include "core/Global.h"
#include "core/Messaggi.h"
#include "core/query/CreaSelect.h"
#include "db/Archivio.h"
#include "db/Istruzione.h"
#include "db/Schema.h"
#include "db/import/ImportaComuni.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/GrigliaElenco.h"
#include "gui/search/PannelloFiltri.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QPixmap>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <sqlite3.h>

namespace {

QString percorsoArchivio;
int messaggiMostrati = 0;

// A benchmark that caused a message box has measured an error path: it reports itself failed.
class MessaggiContati final : public ServizioMessaggi {
public:
    RispostaMessaggio mostra(const Messaggio& messaggio) override {
        ++messaggiMostrati;
        std::fprintf(stderr, "messaggio: %s\n", qPrintable(messaggio.testo));
        return RispostaMessaggio::Ok;
    }
};

// How many comuni the last search listed (nothing found leaves one blank element).
int ComuniTrovati() {
    const auto& elenco = Global::ElencoComuni;
    return elenco.size() == 1 && elenco.first().Nome.isEmpty() ? 0 : int(elenco.size());
}

void BM_ComandoRicerca(benchmark::State& state) {
    const int messaggiPrima = messaggiMostrati;
    FrmElenco finestra;
    finestra.Form_Load();
    finestra.show();
    auto* carico = finestra.findChild<QFrame*>(QStringLiteral("FraCarico"));
    while (!carico->isHidden())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // The panel hidden: every search lists the whole archive, as with "tutti i comuni:".
    if (finestra.CreaSelect() != Ricerca::SelectTuttiIComuni)
        return state.SkipWithError("la finestra non cerca tutto l'archivio");
    auto* griglia = finestra.findChild<GrigliaElenco*>(QStringLiteral("GrdLista"));

    for (auto _ : state) {
        finestra.cmdCercaFra_Click();
        // The paint of the visible rows that the event loop runs next is not part of the
        // command.
        state.PauseTiming();
        griglia->viewport()->repaint();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (messaggiMostrati != messaggiPrima)
        return state.SkipWithError("la ricerca ha mostrato un messaggio");
    state.counters["comuni"] = ComuniTrovati();
}

// The statement text that the database layer prepares for a query, on an open connection.
QByteArray TestoPreparato(sqlite3* db, const QString& query) {
    const Istruzione istruzione(db, query);
    sqlite3_stmt* preparata = sqlite3_next_stmt(db, nullptr);
    return istruzione.esito().ok() && preparata ? QByteArray(sqlite3_sql(preparata)) : QByteArray();
}

// The SQL work of one search: in one transaction the printed list's rows are deleted, the query
// runs with its 18 columns read, and each row found is written back as one printed-list row.
// Returns the rows found, or -1.
int RicercaDiretta(sqlite3* db, const QByteArray& query) {
    if (sqlite3_exec(db, "BEGIN IMMEDIATE; Delete from RicElComuni Where RicId = 1", nullptr,
                     nullptr, nullptr) != SQLITE_OK)
        return -1;
    sqlite3_stmt* righe = nullptr;
    sqlite3_stmt* riga = nullptr;
    sqlite3_prepare_v2(db, query.constData(), int(query.size()), &righe, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO RicElComuni (RicId, IdComune, Comune, Prov, Zona, Altitudine, "
                       "GradiGiorno, Latitudine, Longitudine, Irradianza) "
                       "VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &riga, nullptr);
    int trovate = 0;
    qint64 controllo = 0;
    char latitudine[32];
    char longitudine[32];
    int codice = righe && riga ? SQLITE_ROW : SQLITE_ERROR;
    while (codice == SQLITE_ROW && (codice = sqlite3_step(righe)) == SQLITE_ROW) {
        // The columns the printed list does not need are read too, as the command reads them
        // into its list.
        for (const int colonna : {10, 11, 13, 14})
            controllo += sqlite3_column_bytes(righe, colonna);
        controllo += qint64(sqlite3_column_double(righe, 15) + sqlite3_column_double(righe, 16)) +
                     sqlite3_column_int(righe, 17);
        std::snprintf(latitudine, sizeof latitudine, "%d° %d'", sqlite3_column_int(righe, 6),
                      sqlite3_column_int(righe, 7));
        std::snprintf(longitudine, sizeof longitudine, "%d° %d'", sqlite3_column_int(righe, 8),
                      sqlite3_column_int(righe, 9));
        sqlite3_reset(riga);
        sqlite3_bind_int64(riga, 1, sqlite3_column_int64(righe, 0));
        for (const auto& [posizione, colonna] : {std::pair{2, 2}, {3, 1}, {4, 3}})
            sqlite3_bind_text(riga, posizione,
                              reinterpret_cast<const char*>(sqlite3_column_text(righe, colonna)),
                              sqlite3_column_bytes(righe, colonna), SQLITE_STATIC);
        sqlite3_bind_int(riga, 5, sqlite3_column_int(righe, 5));
        sqlite3_bind_int(riga, 6, sqlite3_column_int(righe, 4));
        sqlite3_bind_text(riga, 7, latitudine, -1, SQLITE_STATIC);
        sqlite3_bind_text(riga, 8, longitudine, -1, SQLITE_STATIC);
        sqlite3_bind_int64(riga, 9, sqlite3_column_int64(righe, 12));
        if (sqlite3_step(riga) != SQLITE_DONE)
            codice = SQLITE_ERROR;
        ++trovate;
    }
    benchmark::DoNotOptimize(controllo);
    const bool completa = codice == SQLITE_DONE;
    sqlite3_finalize(righe);
    sqlite3_finalize(riga);
    sqlite3_exec(db, completa ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    return completa ? trovate : -1;
}

void BM_LimiteInferiore(benchmark::State& state) {
    const QString connessione = QStringLiteral("Misura");
    QByteArray query;
    if (Archivio::Apri(connessione, percorsoArchivio).ok())
        query = TestoPreparato(Archivio::Maniglia(connessione), Ricerca::SelectTuttiIComuni);
    Archivio::Chiudi(connessione);
    if (query.isEmpty())
        return state.SkipWithError("l'archivio non si apre o la query non si prepara");
    int trovate = 0;
    for (auto _ : state) {
        if (!Archivio::Apri(connessione, percorsoArchivio).ok())
            return state.SkipWithError("l'archivio non si apre");
        trovate = RicercaDiretta(Archivio::Maniglia(connessione), query);
        Archivio::Chiudi(connessione);
        if (trovate < 0)
            return state.SkipWithError("la ricerca diretta non è riuscita");
    }
    state.counters["comuni"] = trovate;
}

// The console report, keeping each benchmark's median CPU time for the ratio: on a machine
// shared with other work the real time adds the waits for the processor, which vary more than
// the work measured (the table shows both).
class Mediane : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& esecuzioni) override {
        ConsoleReporter::ReportRuns(esecuzioni);
        for (const Run& esecuzione : esecuzioni)
            if (!esecuzione.error_occurred && esecuzione.aggregate_name == "median")
                mediane[esecuzione.run_name.function_name] = esecuzione.GetAdjustedCPUTime();
    }
    std::map<std::string, double> mediane;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns at every window size hint; nothing to do with the search.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& testo) {
        if (!testo.startsWith(QLatin1String("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(testo));
    });
    QApplication applicazione(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    // The archive, and the traffic-light pictures the window loads at every search. In memory
    // where the system offers it (/dev/shm), so that both sides measure their work rather than
    // the disk's wait at every commit, which on a shared machine varies more than the work.
    QTemporaryDir cartella(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                               ? QStringLiteral("/dev/shm/bench_ricerca-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/bench_ricerca-XXXXXX"));
    percorsoArchivio = cartella.filePath(QStringLiteral("comuni.db"));
    const EsitoOperazione archivio =
        Schema::CreaArchivio(percorsoArchivio, ImportaComuni::InserisciComuniDelProgramma);
    if (!archivio.ok()) {
        std::fprintf(stderr, "archivio non creato: %s\n",
                     qPrintable(archivio.errore().descrizione));
        return 1;
    }
    Global::PercorsoDB = percorsoArchivio;
    Global::Titolo = Global::TitoloProgramma;
    Global::PercorsoImmagini = cartella.path() + QLatin1Char('/');
    Global::ImgSemRosso = Global::ImgSemGiallo = Global::ImgSemVerde = QStringLiteral("luce.png");
    QPixmap luce(25, 25);
    luce.fill(Qt::green);
    luce.save(cartella.filePath(QStringLiteral("luce.png")));
    MessaggiContati messaggi;
    ImpostaServizioMessaggi(&messaggi);

    using Misura = void (*)(benchmark::State&);
    for (const auto& [nome, misura] :
         {std::pair<const char*, Misura>{"BM_ComandoRicerca", BM_ComandoRicerca},
          {"BM_LimiteInferiore", BM_LimiteInferiore}})
        benchmark::RegisterBenchmark(nome, misura)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(10)
            ->ReportAggregatesOnly(true);
    Mediane mediane;
    benchmark::RunSpecifiedBenchmarks(&mediane);
    const auto comando = mediane.mediane.find("BM_ComandoRicerca");
    const auto limite = mediane.mediane.find("BM_LimiteInferiore");
    if (comando != mediane.mediane.end() && limite != mediane.mediane.end())
        std::printf(
            "\nRapporto delle mediane del tempo CPU, comando di ricerca / limite inferiore: %.2f\n",
            comando->second / limite->second);

    ImpostaServizioMessaggi(nullptr);
    benchmark::Shutdown();
    return 0;
}
