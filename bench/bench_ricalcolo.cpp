// How fast the batch recomputation of nearby capitals and irradiance runs over the whole archive
// (every Italian comune, built by the program's own import; the 112 capitals get made-up Hdh and
// Hbh, except CHIETI and VARESE, which share their latitude with L'AQUILA and COMO and would
// stop the run). Two cases, each beside its lower bound:
//   Scritture   every row changes (the three columns are emptied, untimed, before each run);
//   Invariato   a run after a run: every row is read and compared, none written.
// The batch is timed as the window's command runs it: connection opened, capitals reloaded, the
// list processed in one transaction, connection closed. The lower bound does the same SQL work
// with the bare sqlite3 C API: the same capital query, the same per-comune query text prepared
// and stepped, the same updates, one transaction, the results known in advance.
// Statistics: 5 repetitions of at least 2 s each; median, min and max. The ratios at the end
// come from the medians of this same run, in real time and in CPU time (the real time includes
// the waits for the disk at each commit, which vary with whatever else the machine does).
#include "core/Global.h"
#include "core/query/CreaSelect.h"
#include "db/AdattatoreSql.h"
#include "db/Archivio.h"
#include "db/Connessione.h"
#include "db/Istruzione.h"
#include "db/LetturaComune.h"
#include "db/RicalcoloIrradianza.h"
#include "db/Schema.h"
#include "db/import/ImportaComuni.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

// What the batch writes for one comune, as the lower bound compares and writes it.
struct Atteso {
    qint32 id;
    QByteArray prov1, prov2;
    qint64 irradianza;
};

QString Percorso;
QList<DatiComune> Elenco;
std::vector<Atteso> Attesi;

const char* const Svuota = "UPDATE Comuni SET ProvVicina1 = NULL, ProvVicina2 = NULL, "
                           "irradianza = NULL";

bool Esegui(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Empties the three columns, outside the timing.
bool SvuotaColonne() {
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open_v2(Percorso.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE,
                                    nullptr) == SQLITE_OK &&
                    Esegui(db, Svuota);
    sqlite3_close(db);
    return ok;
}

// The archive, the list in name order and, from one run of the batch, the expected results.
QString Prepara(const QString& cartella) {
    Percorso = cartella + QStringLiteral("/comuni.db");
    EsitoOperazione esito =
        Schema::CreaArchivio(Percorso, ImportaComuni::InserisciComuniDelProgramma);
    if (!esito.ok())
        return esito.errore().descrizione;
    Global::PercorsoDB = Percorso;
    if (!Global::ApriConnessione())
        return QStringLiteral("archivio non aperto");
    sqlite3* db = Global::Cnn();
    Esegui(db, "UPDATE Comuni SET Hdh = 4 + (47 - COM_LATI_G - COM_LATI_P / 60.0) * 0.12, "
               "Hbh = 6 + (47 - COM_LATI_G - COM_LATI_P / 60.0) * 0.35 WHERE capoluogo <> 0; "
               "UPDATE Comuni SET Hdh = 0, Hbh = 0 WHERE capoluogo <> 0 AND "
               "COM_NAME IN ('CHIETI', 'VARESE')");
    {
        Istruzione query(db, Ricerca::SelectTuttiIComuni);
        const auto colonne = LetturaComune::Colonne::DellaQuery(query);
        while (query.passo()) {
            Elenco.append(DatiComune());
            LetturaComune::Comune(query, colonne, Elenco.last());
        }
    }
    const RicalcoloIrradianza::Risultato r =
        RicalcoloIrradianza::Esegui(db, Elenco, Global::Capoluoghi);
    QString errore;
    if (!r.esito.ok())
        errore = r.esito.errore().descrizione;
    {
        Istruzione query(db, QStringLiteral("SELECT COM_ID, ProvVicina1, ProvVicina2, irradianza "
                                            "FROM Comuni"));
        std::map<qint32, Atteso> perId;
        while (query.passo())
            perId[qint32(query.intero(0))] = {qint32(query.intero(0)),
                                              query.testoUtf8(1).toByteArray(),
                                              query.testoUtf8(2).toByteArray(), query.intero(3)};
        for (const DatiComune& m : Elenco)
            Attesi.push_back(perId[m.Id]);
    }
    Global::ChiudiConnessione();
    return errore;
}

void BM_Ricalcolo(benchmark::State& state, bool scritture) {
    int modificati = 0;
    for (auto _ : state) {
        if (scritture) {
            state.PauseTiming();
            SvuotaColonne();
            state.ResumeTiming();
        }
        if (!Global::ApriConnessione())
            return state.SkipWithError("archivio non aperto");
        const RicalcoloIrradianza::Risultato r =
            RicalcoloIrradianza::Esegui(Global::Cnn(), Elenco, Global::Capoluoghi);
        Global::ChiudiConnessione();
        if (!r.esito.ok())
            return state.SkipWithError(r.esito.errore().descrizione.toUtf8().constData());
        modificati = r.modificati;
    }
    state.counters["modificati"] = modificati;
}

// The same SQL work with the sqlite3 C API. Returns the rows written, -1 on an error.
int LimiteInferiore() {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(Percorso.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return -1;
    }
    sqlite3_busy_timeout(db, Archivio::AttesaSeBloccatoMs);
    int modificati = -1;
    sqlite3_stmt* capoluoghi = nullptr;
    sqlite3_stmt* aggiorna = nullptr;
    const QByteArray queryCapoluoghi = AdattaSql(RicalcoloIrradianza::QueryCapoluoghi).toUtf8();
    const std::string queryComune = AdattaSql(RicalcoloIrradianza::QueryComune).toStdString();
    double somma = 0; // the capitals' values are read, as the batch reads them
    if (sqlite3_prepare_v2(db, queryCapoluoghi.constData(), -1, &capoluoghi, nullptr) ==
        SQLITE_OK) {
        while (sqlite3_step(capoluoghi) == SQLITE_ROW)
            for (int c = 0; c < 18; ++c)
                somma += sqlite3_column_double(capoluoghi, c);
    }
    benchmark::DoNotOptimize(somma);
    if (sqlite3_prepare_v2(db,
                           "UPDATE Comuni SET ProvVicina1 = ?1, ProvVicina2 = ?2, "
                           "irradianza = ?3 WHERE COM_ID = ?4",
                           -1, &aggiorna, nullptr) == SQLITE_OK &&
        Esegui(db, "BEGIN IMMEDIATE")) {
        modificati = 0;
        std::string testo;
        for (const Atteso& a : Attesi) {
            testo = queryComune + std::to_string(a.id);
            sqlite3_stmt* riga = nullptr;
            if (sqlite3_prepare_v2(db, testo.c_str(), int(testo.size()), &riga, nullptr) !=
                    SQLITE_OK ||
                sqlite3_step(riga) != SQLITE_ROW) {
                sqlite3_finalize(riga);
                modificati = -1;
                break;
            }
            const auto uguale = [&](int colonna, const QByteArray& atteso) {
                return sqlite3_column_type(riga, colonna) == SQLITE_TEXT &&
                       QByteArrayView(static_cast<const char*>(sqlite3_column_blob(riga, colonna)),
                                      sqlite3_column_bytes(riga, colonna)) == atteso;
            };
            const bool cambia = !uguale(15, a.prov1) || !uguale(16, a.prov2) ||
                                sqlite3_column_type(riga, 17) != SQLITE_INTEGER ||
                                sqlite3_column_int64(riga, 17) != a.irradianza;
            sqlite3_finalize(riga);
            if (cambia) {
                sqlite3_reset(aggiorna);
                sqlite3_bind_text(aggiorna, 1, a.prov1.constData(), int(a.prov1.size()),
                                  SQLITE_STATIC);
                sqlite3_bind_text(aggiorna, 2, a.prov2.constData(), int(a.prov2.size()),
                                  SQLITE_STATIC);
                sqlite3_bind_int64(aggiorna, 3, a.irradianza);
                sqlite3_bind_int64(aggiorna, 4, a.id);
                if (sqlite3_step(aggiorna) != SQLITE_DONE) {
                    modificati = -1;
                    break;
                }
                ++modificati;
            }
        }
        if (modificati < 0 || !Esegui(db, "COMMIT")) {
            Esegui(db, "ROLLBACK");
            modificati = -1;
        }
    }
    sqlite3_finalize(capoluoghi);
    sqlite3_finalize(aggiorna);
    sqlite3_close(db);
    return modificati;
}

void BM_LimiteInferiore(benchmark::State& state, bool scritture) {
    int modificati = 0;
    for (auto _ : state) {
        if (scritture) {
            state.PauseTiming();
            SvuotaColonne();
            state.ResumeTiming();
        }
        if ((modificati = LimiteInferiore()) < 0)
            return state.SkipWithError("lavoro SQL non riuscito");
    }
    state.counters["modificati"] = modificati;
}

// Prints the usual table, then the ratio batch / lower bound of each case from the medians.
class Riepilogo : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& esecuzioni) override {
        ConsoleReporter::ReportRuns(esecuzioni);
        for (const Run& e : esecuzioni) {
            if (!e.error_occurred && e.aggregate_name == "median")
                mediane_[e.run_name.function_name] = {e.GetAdjustedRealTime(),
                                                      e.GetAdjustedCPUTime()};
        }
    }
    void Stampa() const {
        for (const char* caso : {"Scritture", "Invariato"}) {
            const auto b = mediane_.find(std::string("BM_Ricalcolo/") + caso);
            const auto l = mediane_.find(std::string("BM_LimiteInferiore/") + caso);
            if (b != mediane_.end() && l != mediane_.end())
                std::printf("%s: ricalcolo %.1f ms (CPU %.1f), limite inferiore %.1f ms (CPU "
                            "%.1f), rapporto %.2fx (CPU %.2fx)\n",
                            caso, b->second.first, b->second.second, l->second.first,
                            l->second.second, b->second.first / l->second.first,
                            b->second.second / l->second.second);
        }
    }

private:
    std::map<std::string, std::pair<double, double>> mediane_; // real and CPU time
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QCoreApplication applicazione(argc, argv);
    QTemporaryDir cartella;
    const QString errore =
        cartella.isValid() ? Prepara(cartella.path()) : QStringLiteral("cartella");
    if (!errore.isEmpty()) {
        std::fprintf(stderr, "preparazione non riuscita: %s\n", qPrintable(errore));
        return 1;
    }
    std::printf("%lld comuni, %lld capoluoghi\n", qint64(Elenco.size()),
                qint64(Global::Capoluoghi.size()));
    for (const bool scritture : {true, false}) {
        const std::string caso = scritture ? "/Scritture" : "/Invariato";
        using Caso = void (*)(benchmark::State&, bool);
        for (auto [nome, funzione] : {std::pair<std::string, Caso>{"BM_Ricalcolo", BM_Ricalcolo},
                                      {"BM_LimiteInferiore", BM_LimiteInferiore}}) {
            benchmark::RegisterBenchmark((nome + caso).c_str(), funzione, scritture)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(2.0)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true)
                ->ComputeStatistics("min",
                                    [](const std::vector<double>& v) {
                                        return *std::min_element(v.begin(), v.end());
                                    })
                ->ComputeStatistics("max", [](const std::vector<double>& v) {
                    return *std::max_element(v.begin(), v.end());
                });
        }
    }
    Riepilogo riepilogo;
    benchmark::RunSpecifiedBenchmarks(&riepilogo);
    riepilogo.Stampa();
    benchmark::Shutdown();
    return 0;
}
