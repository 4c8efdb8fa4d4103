// How fast the main window searches. On made-up archives of 8,100 and 100,000 comuni it times:
//   BM_ComandoRicerca   the whole search command on a real window (query, printed-list rows,
//                       list, grid refill and one paint of the visible rows);
//   BM_LimiteInferiore  the same SQL work done with the bare SQLite C API on its own connection,
//                       the least any implementation of the command has to spend;
//   BM_RiempiGriglia    the grid alone: the list loaded into its model and one paint.
// After the runs it prints, from the medians of this same run, the ratio command / lower bound.
//
// Usual Google Benchmark options apply (--benchmark_filter, --benchmark_out=...). Without
// --benchmark_repetitions and --benchmark_min_time every case runs 5 repetitions of at least
// one second each and only their aggregates are shown.
#include "app/Global.h"
#include "app/Messaggi.h"
#include "db/AdattatoreSql.h"
#include "db/Archivio.h"
#include "db/CollazioneItaliana.h"
#include "db/RicercaComuni.h"
#include "db/Schema.h"
#include "search/CreaSelect.h"
#include "search/FrmElenco.h"
#include "search/GrigliaElenco.h"
#include "search/ModelloGriglia.h"
#include "search/PannelloFiltri.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QPixmap>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

constexpr int ComuniPiccolo = 8100;
constexpr int ComuniGrande = 100000;
// The name prefix of the filtered search, as a user types it in the "comune:" box.
const QString PrefissoNome = QStringLiteral("MA");

// ---------------------------------------------------------------------------------------------
// Made-up archive data

// SplitMix64: the same sequence on every machine and compiler (the standard distributions are
// not), so every run measures the same archive. The small archive is the first 8,100 rows of
// the large one.
class Casuale {
public:
    explicit Casuale(quint64 seme)
        : stato_(seme) {}
    quint64 Prossimo() {
        quint64 z = (stato_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from `minimo` to `massimo`, both included.
    int Tra(int minimo, int massimo) {
        return minimo + int(Prossimo() % quint64(massimo - minimo + 1));
    }
    bool Percento(int probabilita) { return Tra(0, 99) < probabilita; }
    template <size_t N> const char* Scegli(const char* const (&scelte)[N]) {
        return scelte[Prossimo() % N];
    }

private:
    quint64 stato_;
};

constexpr quint64 SemeArchivio = 20070401;

const char* const Province[] = {
    "AG", "AL", "AN", "AO", "AR", "AP", "AT", "AV", "BA", "BT", "BL", "BN", "BG", "BI", "BO", "BZ",
    "BS", "BR", "CA", "CL", "CB", "CE", "CT", "CZ", "CH", "CO", "CS", "CR", "KR", "CN", "EN", "FM",
    "FE", "FI", "FG", "FC", "FR", "GE", "GO", "GR", "IM", "IS", "SP", "AQ", "LT", "LE", "LC", "LI",
    "LO", "LU", "MC", "MN", "MS", "MT", "ME", "MI", "MO", "MB", "NA", "NO", "NU", "OR", "PD", "PA",
    "PR", "PV", "PG", "PU", "PE", "PC", "PI", "PT", "PN", "PZ", "PO", "RG", "RA", "RC", "RE", "RI",
    "RN", "RM", "RO", "SA", "SS", "SV", "SI", "SR", "SO", "SU", "TA", "TE", "TR", "TO", "TP", "TN",
    "TV", "TS", "UD", "VA", "VE", "VB", "VC", "VR", "VV", "VI", "VT"};

const char* const Sillabe[] = {
    "MA",  "MAR",  "MAL",  "MO",   "MON", "MI",  "ME",  "MEN", "RA",  "RI",  "RO",  "RE",
    "SA",  "SAN",  "SER",  "SE",   "SO",  "TO",  "TOR", "TE",  "TI",  "TA",  "VI",  "VIL",
    "VA",  "VE",   "VEN",  "CA",   "CAS", "CAL", "CAM", "CO",  "COL", "CI",  "CE",  "CU",
    "PO",  "POR",  "PA",   "PE",   "PI",  "PRA", "PRE", "LA",  "LU",  "LE",  "LI",  "LIN",
    "NO",  "NA",   "NE",   "NI",   "BE",  "BO",  "BOR", "BA",  "BRE", "FI",  "FE",  "FO",
    "FRA", "GA",   "GE",   "GI",   "GO",  "GRA", "GNA", "DE",  "DO",  "DI",  "DA",  "TRE",
    "TRI", "STRA", "CHIA", "GLIA", "SCO", "ZA",  "ZO",  "SU",  "RU",  "TRO", "SPI", "GRO"};
const char* const Finali[] = {"A", "E", "I", "O", "O", "I", "A", "E"};
const char* const FinaliAccentate[] = {"À", "È", "É", "Ì", "Ò", "Ù"};
const char* const VocaliIniziali[] = {"A", "E", "I", "O", "U"};
const char* const Inizi[] = {"SAN ",  "SANTA ", "SANT'",  "CASTEL", "MONTE",  "VILLA",   "BORGO ",
                             "ROCCA", "PIEVE ", "TORRE ", "CASAL",  "PONTE ", "POGGIO ", "COLLE "};
const char* const Legami[] = {" DI ", " SUL ", " DEL ", " IN ", " AL ", " D'", " ALL'", " SULL'"};

// One word of a name: one to three syllables and a final vowel, sometimes accented; after an
// apostrophe it starts with a vowel (SANT'ELIA, CORTINA D'AMPEZZO).
QString Parola(Casuale& caso, bool dopoApostrofo) {
    QString parola;
    if (dopoApostrofo)
        parola += QLatin1String(caso.Scegli(VocaliIniziali));
    const int sillabe = caso.Tra(1, 3);
    for (int i = 0; i < sillabe; ++i)
        parola += QLatin1String(caso.Scegli(Sillabe));
    if (caso.Percento(4))
        parola += QString::fromUtf8(caso.Scegli(FinaliAccentate));
    else
        parola += QLatin1String(caso.Scegli(Finali));
    return parola;
}

// An upper-case name of 5 to 25 characters that reads like an Italian comune.
QString NomeComune(Casuale& caso) {
    for (;;) {
        QString nome;
        if (caso.Percento(22))
            nome += QString::fromUtf8(caso.Scegli(Inizi));
        nome += Parola(caso, nome.endsWith(QLatin1Char('\'')));
        if (caso.Percento(14)) {
            const QString legame = QString::fromUtf8(caso.Scegli(Legami));
            nome += legame + Parola(caso, legame.endsWith(QLatin1Char('\'')));
        }
        if (nome.size() >= 5 && nome.size() <= 25)
            return nome;
    }
}

// The climatic zone of Italian law from the degree days.
const char* ZonaClimatica(int gradiGiorno) {
    if (gradiGiorno <= 600)
        return "A";
    if (gradiGiorno <= 900)
        return "B";
    if (gradiGiorno <= 1400)
        return "C";
    if (gradiGiorno <= 2100)
        return "D";
    if (gradiGiorno <= 3000)
        return "E";
    return "F";
}

using IstruzioneC = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

ErroreRuntime ErroreSqliteC(sqlite3* db, const char* passo) {
    return ErroreRuntime::Database(
        QStringLiteral("%1: %2").arg(QLatin1String(passo), QString::fromUtf8(sqlite3_errmsg(db))));
}

// Adds `quanti` comuni to the Comuni table of a new archive. About one in 77 is a provincial
// capital, with irradiation data and neighbouring provinces; most of the others name one as
// their reference locality.
EsitoOperazione RiempiArchivio(sqlite3* db, int quanti) {
    const char* const inserimento =
        "INSERT INTO Comuni (COM_PROV, COM_NAME, COM_ZONE, COM_DEGDAY, COM_ALT, COM_LATI_G, "
        "COM_LATI_P, COM_LONG_G, COM_LONG_P, COM_RIFER_NAME, COM_RIFER_PROV, Hdh, Hbh, capoluogo, "
        "ProvVicina1, ProvVicina2, Irradianza) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17)";
    sqlite3_stmt* preparata = nullptr;
    if (sqlite3_prepare_v2(db, inserimento, -1, &preparata, nullptr) != SQLITE_OK)
        return ErroreSqliteC(db, "preparazione dell'inserimento");
    const IstruzioneC stmt(preparata, sqlite3_finalize);
    const auto testo = [&](int posizione, const QByteArray& valore) {
        sqlite3_bind_text(stmt.get(), posizione, valore.constData(), int(valore.size()),
                          SQLITE_TRANSIENT);
    };

    Casuale caso(SemeArchivio);
    std::vector<std::pair<QByteArray, QByteArray>> capoluoghi; // name, province
    for (int i = 0; i < quanti; ++i) {
        const QByteArray prov(caso.Scegli(Province));
        const QByteArray nome = NomeComune(caso).toUtf8();
        const bool capoluogo = i % 77 == 0;
        const int latiG = caso.Tra(36, 46);
        const int latiP = caso.Tra(0, 59);
        const int longG = caso.Tra(6, 18);
        const int longP = caso.Tra(0, 59);
        const int fascia = caso.Tra(0, 99);
        const int altitudine = fascia < 50   ? caso.Tra(0, 300)
                               : fascia < 85 ? caso.Tra(300, 900)
                                             : caso.Tra(900, 2100);
        const int gradiGiorno = std::clamp(
            400 + (latiG - 36) * 170 + altitudine * 8 / 5 + caso.Tra(-150, 150), 450, 5100);

        sqlite3_reset(stmt.get());
        sqlite3_clear_bindings(stmt.get());
        testo(1, prov);
        testo(2, nome);
        testo(3, QByteArray(ZonaClimatica(gradiGiorno)));
        sqlite3_bind_int(stmt.get(), 4, gradiGiorno);
        sqlite3_bind_int(stmt.get(), 5, altitudine);
        sqlite3_bind_int(stmt.get(), 6, latiG);
        sqlite3_bind_int(stmt.get(), 7, latiP);
        sqlite3_bind_int(stmt.get(), 8, longG);
        sqlite3_bind_int(stmt.get(), 9, longP);
        if (capoluogo) {
            sqlite3_bind_double(stmt.get(), 12, caso.Tra(35, 65) / 10.0);
            sqlite3_bind_double(stmt.get(), 13, caso.Tra(15, 40) / 10.0);
            sqlite3_bind_int(stmt.get(), 14, -1);
            testo(15, QByteArray(caso.Scegli(Province)));
            testo(16, QByteArray(caso.Scegli(Province)));
            sqlite3_bind_int(stmt.get(), 17, caso.Tra(1100, 1750));
            capoluoghi.emplace_back(nome, prov);
        } else {
            if (!capoluoghi.empty() && caso.Percento(70)) {
                const auto& riferimento = capoluoghi[caso.Prossimo() % capoluoghi.size()];
                testo(10, riferimento.first);
                testo(11, riferimento.second);
            }
            sqlite3_bind_int(stmt.get(), 14, 0);
            sqlite3_bind_int(stmt.get(), 17, caso.Percento(8) ? caso.Tra(1000, 1800) : 0);
        }
        if (sqlite3_step(stmt.get()) != SQLITE_DONE)
            return ErroreSqliteC(db, "inserimento di un comune");
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// The lower bound

// The query text of the filtered search, as the window builds it from its panel.
QString SelectPrefisso() {
    CriteriRicerca criteri;
    criteri.pannelloVisibile = true;
    criteri.comune = PrefissoNome;
    return Ricerca::CreaSelect(criteri).valoreOppure(QString());
}

// The SQL work of one search and nothing more, with the C API: in one transaction the printed
// list's rows are deleted, the query runs with all 18 columns read, and each row found is
// written back as one printed-list row. Returns the rows found, or -1 with the reason in
// `errore` (the transaction then rolled back).
// Kept out of line so that a profiler can measure it alone.
[[gnu::noinline]] int RicercaDiretta(sqlite3* db, const QString& select, QString& errore) {
    const auto fallisce = [&](const char* passo) {
        errore = ErroreSqliteC(db, passo).descrizione;
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return -1;
    };
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fallisce("BEGIN");
    if (sqlite3_exec(db, "Delete from RicElComuni Where RicId = 1", nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        return fallisce("DELETE");

    int trovate = 0;
    {
        const QByteArray testo = AdattaSql(select).toUtf8();
        sqlite3_stmt* preparata = nullptr;
        if (sqlite3_prepare_v2(db, testo.constData(), int(testo.size()), &preparata, nullptr) !=
            SQLITE_OK)
            return fallisce("SELECT");
        const IstruzioneC righe(preparata, sqlite3_finalize);
        const char* const inserimento =
            "INSERT INTO RicElComuni (RicId, IdComune, Comune, Prov, Zona, Altitudine, "
            "GradiGiorno, Latitudine, Longitudine, Irradianza) "
            "VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        if (sqlite3_prepare_v2(db, inserimento, -1, &preparata, nullptr) != SQLITE_OK)
            return fallisce("INSERT");
        const IstruzioneC riga(preparata, sqlite3_finalize);

        // The columns the printed list does not need are read as well, as the command reads
        // them into its list; their sizes end up in a sum the compiler cannot drop.
        qint64 controllo = 0;
        char latitudine[32];
        char longitudine[32];
        int codice;
        sqlite3_stmt* r = righe.get();
        sqlite3_stmt* i = riga.get();
        // Texts are read the cheapest way SQLite offers, as the program reads them: as bytes
        // where nothing needs a terminating zero, as terminated text for the two codes that the
        // table's length checks read.
        while ((codice = sqlite3_step(r)) == SQLITE_ROW) {
            const sqlite3_int64 id = sqlite3_column_int64(r, 0);
            const unsigned char* prov = sqlite3_column_text(r, 1);
            const int byteProv = sqlite3_column_bytes(r, 1);
            const void* nome = sqlite3_column_blob(r, 2);
            const int byteNome = sqlite3_column_bytes(r, 2);
            const unsigned char* zona = sqlite3_column_text(r, 3);
            const int byteZona = sqlite3_column_bytes(r, 3);
            const int gradiGiorno = sqlite3_column_int(r, 4);
            const int altitudine = sqlite3_column_int(r, 5);
            const int latiG = sqlite3_column_int(r, 6);
            const int latiP = sqlite3_column_int(r, 7);
            const int longG = sqlite3_column_int(r, 8);
            const int longP = sqlite3_column_int(r, 9);
            const void* rifNome = sqlite3_column_blob(r, 10);
            const int byteRifNome = sqlite3_column_bytes(r, 10);
            const void* rifProv = sqlite3_column_blob(r, 11);
            const int byteRifProv = sqlite3_column_bytes(r, 11);
            const sqlite3_int64 irradianza = sqlite3_column_int64(r, 12);
            const void* vicina1 = sqlite3_column_blob(r, 13);
            const int byteVicina1 = sqlite3_column_bytes(r, 13);
            const void* vicina2 = sqlite3_column_blob(r, 14);
            const int byteVicina2 = sqlite3_column_bytes(r, 14);
            const double hdh = sqlite3_column_double(r, 15);
            const double hbh = sqlite3_column_double(r, 16);
            const int capoluogo = sqlite3_column_int(r, 17);
            controllo += byteProv + byteZona + byteRifNome + byteRifProv + byteVicina1 +
                         byteVicina2 + capoluogo + qint64(hdh + hbh) + (rifNome != nullptr) +
                         (rifProv != nullptr) + (vicina1 != nullptr) + (vicina2 != nullptr);

            std::snprintf(latitudine, sizeof latitudine, "%d° %d'", latiG, latiP);
            std::snprintf(longitudine, sizeof longitudine, "%d° %d'", longG, longP);
            sqlite3_reset(i);
            sqlite3_bind_int64(i, 1, id);
            sqlite3_bind_text(i, 2, static_cast<const char*>(nome), byteNome, SQLITE_STATIC);
            sqlite3_bind_text(i, 3, reinterpret_cast<const char*>(prov), -1, SQLITE_STATIC);
            sqlite3_bind_text(i, 4, reinterpret_cast<const char*>(zona), -1, SQLITE_STATIC);
            sqlite3_bind_int(i, 5, altitudine);
            sqlite3_bind_int(i, 6, gradiGiorno);
            sqlite3_bind_text(i, 7, latitudine, -1, SQLITE_STATIC);
            sqlite3_bind_text(i, 8, longitudine, -1, SQLITE_STATIC);
            sqlite3_bind_int64(i, 9, irradianza);
            if (sqlite3_step(i) != SQLITE_DONE)
                return fallisce("INSERT");
            ++trovate;
        }
        if (codice != SQLITE_DONE)
            return fallisce("SELECT");
        benchmark::DoNotOptimize(controllo);
    }
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fallisce("COMMIT");
    return trovate;
}

// ---------------------------------------------------------------------------------------------
// What the benchmarks share

// Message boxes are only counted and written on standard error: a benchmark that caused one
// has measured an error path and reports itself as failed.
class MessaggiContati final : public ServizioMessaggi {
public:
    RispostaMessaggio mostra(const Messaggio& messaggio) override {
        ++conta;
        QString testo = messaggio.testo;
        testo.replace(QChar(13), QChar('\n'));
        std::fprintf(stderr, "messaggio: %s\n", qPrintable(testo));
        return messaggio.pulsanti == PulsantiMessaggio::Ok ? RispostaMessaggio::Ok
                                                           : RispostaMessaggio::Si;
    }
    int conta = 0;
};

MessaggiContati* messaggi = nullptr;

// Counts the paints of a widget without changing them, to show that every iteration did paint.
class ContaPitture : public QObject {
public:
    int conta = 0;

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::Paint)
            ++conta;
        return false;
    }
};

// Runs events until `fatto` is true or a minute has passed.
template <typename Condizione> bool AttendiChe(Condizione fatto) {
    QElapsedTimer tempo;
    tempo.start();
    while (!fatto()) {
        if (tempo.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// How many comuni the last search put in the shared list (an empty result is one blank
// element).
int ComuniTrovati() {
    const QList<DatiComune>& elenco = Global::ElencoComuni;
    if (elenco.size() == 1 && elenco.first().Id == 0 && elenco.first().Nome.isEmpty())
        return 0;
    return int(elenco.size());
}

// The archives (each made at its first use and kept for the whole run), the window on the
// archive being measured and the lists the grid alone is filled with. Only one window lives at
// a time, so that a second one never takes part in the event processing being measured.
class Banco {
public:
    explicit Banco(const QString& cartella)
        : cartella_(cartella) {}

    QString PercorsoArchivio(int comuni, QString& errore) {
        if (archivi_.contains(comuni))
            return archivi_.value(comuni);
        const QString percorso = cartella_ + QStringLiteral("/comuni_%1.db").arg(comuni);
        QElapsedTimer tempo;
        tempo.start();
        const EsitoOperazione esito = Schema::CreaArchivio(
            percorso, [comuni](sqlite3* db) { return RiempiArchivio(db, comuni); });
        if (!esito.ok()) {
            errore = esito.errore().descrizione;
            return QString();
        }
        std::fprintf(stderr, "archivio di %d comuni creato in %lld ms\n", comuni,
                     qint64(tempo.elapsed()));
        archivi_.insert(comuni, percorso);
        return percorso;
    }

    // The main window on the archive of `comuni`: constructed, loaded, shown and painted once
    // (which fills its grid), as at program start.
    FrmElenco* Finestra(int comuni, QString& errore) {
        const QString percorso = PercorsoArchivio(comuni, errore);
        if (percorso.isEmpty())
            return nullptr;
        Global::PercorsoDB = percorso;
        if (finestra_ && comuniFinestra_ == comuni)
            return finestra_.get();

        finestra_.reset();
        QCoreApplication::processEvents();
        const int messaggiPrima = messaggi->conta;
        finestra_ = std::make_unique<FrmElenco>();
        comuniFinestra_ = comuni;
        finestra_->Form_Load();
        finestra_->show();
        finestra_->activateWindow();
        auto* carico = finestra_->findChild<QFrame*>(QStringLiteral("FraCarico"));
        if (!carico || !AttendiChe([carico] { return carico->isHidden(); }))
            errore = QStringLiteral("la finestra non ha completato la prima pittura");
        else if (messaggi->conta != messaggiPrima)
            errore = QStringLiteral("la finestra ha mostrato un messaggio all'apertura");
        else if (ComuniTrovati() != comuni)
            errore = QStringLiteral("l'apertura ha caricato %1 comuni invece di %2")
                         .arg(ComuniTrovati())
                         .arg(comuni);
        if (!errore.isEmpty()) {
            finestra_.reset();
            return nullptr;
        }
        return finestra_.get();
    }

    // The whole archive read as the program reads it, for the grid alone.
    const QList<DatiComune>* Elenco(int comuni, QString& errore) {
        if (elenchi_.contains(comuni))
            return &elenchi_[comuni];
        const QString percorso = PercorsoArchivio(comuni, errore);
        if (percorso.isEmpty())
            return nullptr;
        const QString connessione = QStringLiteral("MisuraGriglia");
        EsitoOperazione esito = Archivio::Apri(connessione, percorso);
        QList<DatiComune> elenco;
        if (esito.ok())
            esito = RicercaComuni::Esegui(Archivio::Maniglia(connessione),
                                          Ricerca::SelectTuttiIComuni, elenco)
                        .esito;
        Archivio::Chiudi(connessione);
        if (!esito.ok()) {
            errore = esito.errore().descrizione;
            return nullptr;
        }
        return &(elenchi_[comuni] = std::move(elenco));
    }

    void Chiudi() {
        finestra_.reset();
        elenchi_.clear();
    }

private:
    QString cartella_;
    QMap<int, QString> archivi_;
    int comuniFinestra_ = 0;
    std::unique_ptr<FrmElenco> finestra_;
    std::map<int, QList<DatiComune>> elenchi_;
};

Banco* banco = nullptr;

void Fallisce(benchmark::State& state, const QString& motivo) {
    state.SkipWithError(motivo.toUtf8().constData());
}

// Puts the filter panel as the case needs it, without searching: hidden for the whole archive;
// shown with the name prefix typed for the filtered search. Interactive mode stays off, so only
// the benchmark's own calls search.
void PreparaPannello(FrmElenco& finestra, bool prefisso) {
    auto* pannello = finestra.findChild<PannelloFiltri*>(QStringLiteral("fraCerca"));
    pannello->chkInter->setCheckState(Qt::Unchecked);
    if (pannello->isHidden() == prefisso)
        finestra.cmdCerca_Click(); // shows or hides the panel, its boxes emptied
    if (prefisso) {
        pannello->chkAllC->setCheckState(Qt::Unchecked);
        pannello->txtComuneC->setText(PrefissoNome);
    }
    QCoreApplication::processEvents();
}

// ---------------------------------------------------------------------------------------------
// The benchmarks

// The search command; with `pittura` the paint of the visible rows that follows it is timed too
// (the grid formats its cells only then), otherwise it runs with the clock stopped.
void BM_ComandoRicerca(benchmark::State& state, bool prefisso, bool pittura) {
    const int comuni = int(state.range(0));
    QString errore;
    FrmElenco* finestra = banco->Finestra(comuni, errore);
    if (!finestra)
        return Fallisce(state, errore);
    PreparaPannello(*finestra, prefisso);
    const QString atteso = prefisso ? SelectPrefisso() : Ricerca::SelectTuttiIComuni;
    // The lower bound runs the text built here: the window must search with the same one.
    if (const QString testo = finestra->CreaSelect(); testo != atteso)
        return Fallisce(state, QStringLiteral("la finestra cerca con un testo diverso: ") + testo);

    auto* griglia = finestra->findChild<GrigliaElenco*>(QStringLiteral("GrdLista"));
    ContaPitture pitture;
    griglia->viewport()->installEventFilter(&pitture);
    const int messaggiPrima = messaggi->conta;

    for (auto _ : state) {
        finestra->cmdCercaFra_Click();
        // The grid formats its cells only when it paints them: one paint of the visible rows
        // follows every search. Then whatever the command left queued runs, as the event loop
        // would run it right after.
        if (!pittura)
            state.PauseTiming();
        griglia->viewport()->repaint();
        QCoreApplication::processEvents();
        if (!pittura)
            state.ResumeTiming();
    }

    griglia->viewport()->removeEventFilter(&pitture);
    if (messaggi->conta != messaggiPrima)
        return Fallisce(state, QStringLiteral("la ricerca ha mostrato un messaggio"));
    if (pitture.conta < state.iterations())
        return Fallisce(state, QStringLiteral("la griglia non ha dipinto a ogni ricerca"));
    state.counters["comuni"] = ComuniTrovati();
    state.counters["righe_visibili"] = griglia->RigheVisibili();
    state.counters["pitture"] =
        benchmark::Counter(pitture.conta, benchmark::Counter::kAvgIterations);
}

// Opens the archive as Qt's SQLite driver opens the program's connection: without SQLite's own
// mutex (each connection is used by one thread only) and with a private page cache; ORDER BY
// COM_NAME and LIKE must then run as on the program's connection.
sqlite3* ApriDiretto(const QString& percorso, QString& errore) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(percorso.toUtf8().constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_PRIVATECACHE,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        errore = QStringLiteral("archivio non aperto: ") + percorso;
        return nullptr;
    }
    if (CollazioneItaliana::Registra(db) != SQLITE_OK) {
        sqlite3_close(db);
        errore = QStringLiteral("collazione ITALIANO non registrata");
        return nullptr;
    }
    return db;
}

// The lower bound: the same SQL work with the sqlite3 C API. With `apertura` the connection is
// opened and closed around every search, as the program must do (no connection stays open
// while the user works), so that SQLite starts each time with an empty page cache; otherwise
// one connection serves every iteration.
void BM_LimiteInferiore(benchmark::State& state, bool prefisso, bool apertura) {
    const int comuni = int(state.range(0));
    QString errore;
    const QString percorso = banco->PercorsoArchivio(comuni, errore);
    if (percorso.isEmpty())
        return Fallisce(state, errore);
    sqlite3* db = apertura ? nullptr : ApriDiretto(percorso, errore);
    if (!apertura && !db)
        return Fallisce(state, errore);
    const QString select = prefisso ? SelectPrefisso() : Ricerca::SelectTuttiIComuni;

    int trovate = 0;
    for (auto _ : state) {
        if (apertura && !(db = ApriDiretto(percorso, errore)))
            return Fallisce(state, errore);
        trovate = RicercaDiretta(db, select, errore);
        if (apertura) {
            sqlite3_close(db);
            db = nullptr;
        }
        if (trovate < 0)
            break;
    }
    sqlite3_close(db);
    if (trovate < 0)
        return Fallisce(state, errore);
    state.counters["comuni"] = trovate;
}

void BM_RiempiGriglia(benchmark::State& state) {
    const int comuni = int(state.range(0));
    QString errore;
    const QList<DatiComune>* elenco = banco->Elenco(comuni, errore);
    if (!elenco)
        return Fallisce(state, errore);

    // A grid of the size it has in the main window with the panel hidden.
    GrigliaElenco griglia;
    griglia.resize(griglia.LarghezzaTotale() + 2 * griglia.frameWidth() +
                       griglia.verticalScrollBar()->sizeHint().width(),
                   620);
    griglia.modello()->Carica(*elenco);
    griglia.show();
    if (!AttendiChe([&] { return griglia.windowHandle() && griglia.windowHandle()->isExposed(); }))
        return Fallisce(state, QStringLiteral("la griglia non si è mostrata"));
    QCoreApplication::processEvents();
    ContaPitture pitture;
    griglia.viewport()->installEventFilter(&pitture);

    for (auto _ : state) {
        griglia.modello()->Carica(*elenco);
        griglia.viewport()->repaint();
        QCoreApplication::processEvents();
    }

    griglia.viewport()->removeEventFilter(&pitture);
    if (pitture.conta < state.iterations())
        return Fallisce(state, QStringLiteral("la griglia non ha dipinto a ogni riempimento"));
    const int visibili = griglia.RigheVisibili();
    state.counters["comuni"] = griglia.RigheDati();
    state.counters["righe_visibili"] = visibili;
    state.counters["per_riga_visibile"] = benchmark::Counter(
        visibili, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// ---------------------------------------------------------------------------------------------
// The summary

struct Misura {
    double mediana = -1.0; // ms, real time
    double minimo = -1.0;
    double massimo = -1.0;
    double medianaCpu = -1.0; // ms, CPU time of the benchmark's thread
    double comuni = -1.0;
    double righeVisibili = -1.0;
    // The repetitions themselves (real and CPU time), used when no aggregate was computed.
    std::vector<double> singole;
    std::vector<double> singoleCpu;
};

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2.0;
}

// The console report, keeping for each benchmark the median and the spread of its repetitions
// to compute the ratios from. Real time is what the user waits; CPU time leaves out the waits
// for the disk (the commit) and for the other programs on the machine.
class Riepilogo : public benchmark::ConsoleReporter {
public:
    Riepilogo()
        : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& esecuzioni) override {
        ConsoleReporter::ReportRuns(esecuzioni);
        for (const Run& esecuzione : esecuzioni) {
            if (esecuzione.error_occurred)
                continue;
            Misura& m = misure_[esecuzione.run_name.function_name + "/" + esecuzione.run_name.args];
            // Every case reports in ms.
            const double ms = esecuzione.GetAdjustedRealTime();
            const double msCpu = esecuzione.GetAdjustedCPUTime();
            if (esecuzione.run_type == Run::RT_Iteration) {
                m.singole.push_back(ms);
                m.singoleCpu.push_back(msCpu);
            } else if (esecuzione.aggregate_name == "median") {
                m.mediana = ms;
                m.medianaCpu = msCpu;
            } else if (esecuzione.aggregate_name == "min") {
                m.minimo = ms;
            } else if (esecuzione.aggregate_name == "max") {
                m.massimo = ms;
            } else {
                continue;
            }
            if (const auto c = esecuzione.counters.find("comuni"); c != esecuzione.counters.end())
                m.comuni = c->second.value;
            if (const auto c = esecuzione.counters.find("righe_visibili");
                c != esecuzione.counters.end())
                m.righeVisibili = c->second.value;
        }
    }

    void Stampa() {
        for (auto& [nome, m] : misure_) {
            if (m.mediana < 0 && !m.singole.empty()) {
                m.mediana = Mediana(m.singole);
                m.medianaCpu = Mediana(m.singoleCpu);
                m.minimo = *std::min_element(m.singole.begin(), m.singole.end());
                m.massimo = *std::max_element(m.singole.begin(), m.singole.end());
            }
        }

        std::printf("\nRiepilogo: mediane delle ripetizioni di questa esecuzione, in ms di tempo "
                    "reale\n(tra parentesi minimo e massimo) e di tempo CPU\n");
        std::printf("%-21s %6s %7s  %-25s %8s  %-25s %8s  %8s %8s\n", "caso", "comuni", "trovati",
                    "comando reale", "CPU", "limite inferiore reale", "CPU", "rapporto", "(CPU)");
        for (const char* caso : {"TuttiIComuni", "Prefisso"}) {
            for (int comuni : {ComuniPiccolo, ComuniGrande}) {
                const std::string coda = std::string("/") + caso + "/" + std::to_string(comuni);
                const Misura* limite = Trova("BM_LimiteInferiore" + coda);
                const Misura* limiteAperto = Trova("BM_LimiteInferioreConApertura" + coda);
                if (limiteAperto)
                    std::printf("%-21s %6d %7s  %-25s %8s  %-25s %8s  %8s %8s\n",
                                (std::string(caso) + " apertura").c_str(), comuni,
                                Trovati(limiteAperto, limite).c_str(), Tempo(limiteAperto).c_str(),
                                Cpu(limiteAperto).c_str(), Tempo(limite).c_str(),
                                Cpu(limite).c_str(), Rapporto(limiteAperto, limite, false).c_str(),
                                Rapporto(limiteAperto, limite, true).c_str());
                for (const char* misura : {"BM_ComandoRicerca", "BM_ComandoEPittura"}) {
                    const Misura* comando = Trova(misura + coda);
                    if (!comando && !limite)
                        continue;
                    const std::string nome =
                        std::string(caso) +
                        (std::strcmp(misura, "BM_ComandoEPittura") == 0 ? "+pittura" : "");
                    std::printf("%-21s %6d %7s  %-25s %8s  %-25s %8s  %8s %8s\n", nome.c_str(),
                                comuni, Trovati(comando ? comando : limite, limite).c_str(),
                                Tempo(comando).c_str(), Cpu(comando).c_str(), Tempo(limite).c_str(),
                                Cpu(limite).c_str(), Rapporto(comando, limite, false).c_str(),
                                Rapporto(comando, limite, true).c_str());
                }
            }
        }
        for (int comuni : {ComuniPiccolo, ComuniGrande}) {
            const Misura* griglia = Trova("BM_RiempiGriglia/" + std::to_string(comuni));
            if (!griglia)
                continue;
            std::printf("RiempiGriglia %6d: %s, %.0f righe visibili, %.3f ms per riga visibile\n",
                        comuni, Tempo(griglia).c_str(), griglia->righeVisibili,
                        griglia->mediana / std::max(1.0, griglia->righeVisibili));
        }

        std::printf("\nObiettivi (tempo reale)\n");
        const Misura* comando = Trova("BM_ComandoRicerca/TuttiIComuni/8100");
        const Misura* limite = Trova("BM_LimiteInferiore/TuttiIComuni/8100");
        if (comando && limite)
            std::printf("  archivio intero di 8100, rapporto <= 1.30: %.2f, %s\n",
                        comando->mediana / limite->mediana,
                        comando->mediana <= 1.3 * limite->mediana ? "raggiunto" : "NON raggiunto");
        const Misura* limiteAperto = Trova("BM_LimiteInferioreConApertura/TuttiIComuni/8100");
        if (comando && limiteAperto)
            std::printf("  rispetto al limite inferiore che apre e chiude l'archivio a ogni "
                        "ricerca: %.2f, %s\n",
                        comando->mediana / limiteAperto->mediana,
                        comando->mediana <= 1.3 * limiteAperto->mediana ? "raggiunto"
                                                                        : "NON raggiunto");
        const Misura* conPittura = Trova("BM_ComandoEPittura/TuttiIComuni/8100");
        if (conPittura && limite)
            std::printf("  (con la pittura delle righe visibili: %.2f)\n",
                        conPittura->mediana / limite->mediana);
        for (int comuni : {ComuniPiccolo, ComuniGrande}) {
            const Misura* prefisso = Trova("BM_ComandoRicerca/Prefisso/" + std::to_string(comuni));
            if (prefisso)
                std::printf("  prefisso di due lettere su %d, < 16 ms: %.2f ms, %s\n", comuni,
                            prefisso->mediana,
                            prefisso->mediana < 16.0 ? "raggiunto" : "NON raggiunto");
        }
        const Misura* piccola = Trova("BM_RiempiGriglia/8100");
        const Misura* grande = Trova("BM_RiempiGriglia/100000");
        if (piccola && grande)
            std::printf("  riempimento della griglia, 100000 rispetto a 8100 comuni: %.2fx "
                        "(1 se non cresce con le righe dell'elenco)\n",
                        grande->mediana / piccola->mediana);
        std::fflush(stdout);
    }

private:
    const Misura* Trova(const std::string& nome) const {
        const auto m = misure_.find(nome);
        return m == misure_.end() || m->second.mediana < 0 ? nullptr : &m->second;
    }
    static std::string Tempo(const Misura* m) {
        if (!m)
            return "-";
        char testo[64];
        std::snprintf(testo, sizeof testo, "%.2f [%.2f-%.2f]", m->mediana, m->minimo, m->massimo);
        return testo;
    }
    static std::string Cpu(const Misura* m) {
        if (!m)
            return "-";
        char testo[32];
        std::snprintf(testo, sizeof testo, "%.2f", m->medianaCpu);
        return testo;
    }
    static std::string Trovati(const Misura* comando, const Misura* limite) {
        const Misura* m = comando ? comando : limite;
        std::string testo = std::to_string(qint64(m->comuni));
        if (comando && limite && comando->comuni != limite->comuni)
            testo += "!=" + std::to_string(qint64(limite->comuni));
        return testo;
    }
    static std::string Rapporto(const Misura* comando, const Misura* limite, bool cpu) {
        if (!comando || !limite)
            return "-";
        char testo[32];
        std::snprintf(testo, sizeof testo, "%.2fx",
                      cpu ? comando->medianaCpu / limite->medianaCpu
                          : comando->mediana / limite->mediana);
        return testo;
    }

    std::map<std::string, Misura> misure_;
};

bool OpzioneIndicata(int argc, char** argv, const char* opzione) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], opzione, std::strlen(opzione)) == 0)
            return true;
    }
    return false;
}

// The traffic-light pictures the window loads at every search: plain squares in a temporary
// folder, as the tests make them.
bool PreparaSemafori(const QString& cartella) {
    const std::pair<const char*, QColor> colori[] = {{"semaforo_rosso.png", Qt::red},
                                                     {"semaforo_giallo.png", Qt::yellow},
                                                     {"semaforo_verde.png", Qt::green}};
    for (const auto& [nome, colore] : colori) {
        QPixmap figura(25, 25);
        figura.fill(colore);
        if (!figura.save(cartella + QLatin1Char('/') + QLatin1String(nome)))
            return false;
    }
    Global::Titolo = Global::TitoloProgramma;
    Global::PercorsoImmagini = cartella + QLatin1Char('/');
    Global::ImgSemRosso = QStringLiteral("semaforo_rosso.png");
    Global::ImgSemGiallo = QStringLiteral("semaforo_giallo.png");
    Global::ImgSemVerde = QStringLiteral("semaforo_verde.png");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const bool ripetizioniDaRiga = OpzioneIndicata(argc, argv, "--benchmark_repetitions");
    const bool tempoDaRiga = OpzioneIndicata(argc, argv, "--benchmark_min_time");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication applicazione(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    QTemporaryDir cartella;
    if (!cartella.isValid() || !PreparaSemafori(cartella.path())) {
        std::fprintf(stderr, "cartella temporanea non utilizzabile\n");
        return 1;
    }
    MessaggiContati contati;
    messaggi = &contati;
    ImpostaServizioMessaggi(&contati);
    Banco banchi(cartella.path());
    banco = &banchi;

    const auto imposta = [&](benchmark::internal::Benchmark* b, int comuni) {
        b->Arg(comuni)->Unit(benchmark::kMillisecond)->UseRealTime();
        b->ComputeStatistics("min", [](const std::vector<double>& v) {
            return *std::min_element(v.begin(), v.end());
        });
        b->ComputeStatistics("max", [](const std::vector<double>& v) {
            return *std::max_element(v.begin(), v.end());
        });
        if (!ripetizioniDaRiga)
            b->Repetitions(5)->ReportAggregatesOnly(true);
        if (!tempoDaRiga)
            b->MinTime(1.0);
    };
    // All the cases of one archive size run together, each command next to its lower bound, so
    // that the two halves of a ratio are measured as close in time as possible.
    for (int comuni : {ComuniPiccolo, ComuniGrande}) {
        for (const bool prefisso : {false, true}) {
            const std::string caso = prefisso ? "/Prefisso" : "/TuttiIComuni";
            imposta(benchmark::RegisterBenchmark(("BM_ComandoRicerca" + caso).c_str(),
                                                 BM_ComandoRicerca, prefisso, false),
                    comuni);
            imposta(benchmark::RegisterBenchmark(("BM_ComandoEPittura" + caso).c_str(),
                                                 BM_ComandoRicerca, prefisso, true),
                    comuni);
            imposta(benchmark::RegisterBenchmark(("BM_LimiteInferiore" + caso).c_str(),
                                                 BM_LimiteInferiore, prefisso, false),
                    comuni);
            imposta(benchmark::RegisterBenchmark(("BM_LimiteInferioreConApertura" + caso).c_str(),
                                                 BM_LimiteInferiore, prefisso, true),
                    comuni);
        }
        imposta(benchmark::RegisterBenchmark("BM_RiempiGriglia", BM_RiempiGriglia), comuni);
    }

    Riepilogo riepilogo;
    benchmark::RunSpecifiedBenchmarks(&riepilogo);
    riepilogo.Stampa();

    banchi.Chiudi();
    ImpostaServizioMessaggi(nullptr);
    benchmark::Shutdown();
    return 0;
}
