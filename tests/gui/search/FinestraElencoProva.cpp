#include "gui/search/FinestraElencoProva.h"

#include "core/Global.h"
#include "gui/ServiziFinestra.h"

#include <QHeaderView>
#include <QStyleOptionButton>
#include <QtTest>

// QtGui's exported entry points through which a platform plugin hands the window system's
// input to Qt; their header belongs to Qt's platform API, which is not installed here.
class QWindowSystemInterface {
public:
    struct AsynchronousDelivery {};
    template <typename C>
    static bool handleMouseEvent(QWindow*, const QPointF&, const QPointF&, Qt::MouseButtons,
                                 Qt::MouseButton, QEvent::Type, Qt::KeyboardModifiers,
                                 Qt::MouseEventSource);
    template <typename C> static void handleWindowActivated(QWindow*, Qt::FocusReason);
};
using Coda = QWindowSystemInterface::AsynchronousDelivery;

void PostaClic(QWindow* finestra, QPoint punto) {
    for (const auto tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QWindowSystemInterface::handleMouseEvent<Coda>(
            finestra, punto, finestra->mapToGlobal(punto),
            tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, tipo,
            {}, Qt::MouseEventNotSynthesized);
}

void PostaAttivazione(QWindow* attiva) {
    QWindowSystemInterface::handleWindowActivated<Coda>(attiva, Qt::ActiveWindowFocusReason);
}

QList<ComuneProva> ComuniDiProva() {
    // clang-format off
    return {
    {.nome = "ROMA", .prov = "RM", .zona = "D", .altitudine = 20, .gradiGiorno = 1415,
     .latiG = 41, .latiP = 54, .longG = 12, .longP = 29, .irradianza = 1500},
    {.nome = "MILANO", .prov = "MI", .zona = "E", .altitudine = 122, .gradiGiorno = 2404,
     .latiG = 45, .latiP = 28, .longG = 9, .longP = 11, .irradianza = 1300},
    {.nome = "RHO", .prov = "MI", .zona = "E", .altitudine = 158, .gradiGiorno = 2420, .latiG = 45, .latiP = 32, .longG = 9, .longP = 2},
    {.nome = "FORLÌ", .prov = "FC", .zona = "D", .altitudine = 34, .gradiGiorno = 2087,
     .latiG = 44, .latiP = 13, .longG = 12, .longP = 2, .irradianza = 1450},
    {.nome = "FORLIMPOPOLI", .prov = "FC", .zona = "D", .altitudine = 30, .gradiGiorno = 2082, .latiG = 44, .latiP = 11, .longG = 12, .longP = 8},
    {.nome = "SANT'ANGELO LODIGIANO", .prov = "LO", .zona = "E", .altitudine = 73, .gradiGiorno = 2532,
     .latiG = 45, .latiP = 14, .longG = 9, .longP = 24},
    {.nome = "CORTINA D'AMPEZZO", .prov = "BL", .zona = "F", .altitudine = 1224, .gradiGiorno = 4225,
     .latiG = 46, .latiP = 32, .longG = 12, .longP = 8, .irradianza = 900},
    {.nome = "lampedusa e linosa", .prov = "AG", .zona = "A", .altitudine = 16, .gradiGiorno = 568,
     .latiG = 35, .latiP = 30, .longG = 12, .longP = 36, .irradianza = 2100},
    {.nome = "AOSTA", .prov = "AO", .zona = "E", .altitudine = 583, .gradiGiorno = 2850,
     .latiG = 45, .latiP = 44, .longG = 7, .longP = 19, .irradianza = 1200},
    {.nome = "SENZA COORDINATE", .prov = "XX", .zona = "", .altitudine = 0, .gradiGiorno = 0, .latiG = 0, .latiP = 30, .longG = 0, .longP = 0},
    };
    // clang-format on
}

FinestraElencoProva::FinestraElencoProva(const QList<ComuneProva>& comuni) {
    for (const ComuneProva& comune : comuni)
        archivio.aggiungi(comune);
    archivio.chiudi();
    Global::Azzera();
    Global::Titolo = Global::TitoloProgramma;
    Global::PercorsoDB = archivio.percorso();
    Global::PercorsoImmagini = ":/immagini/semaforo_";
    std::tie(Global::ImgSemRosso, Global::ImgSemGiallo, Global::ImgSemVerde) =
        std::tuple("rosso.png", "giallo.png", "verde.png");
    ServiziFinestra::ImpostaTerminazione([this] { ++terminazioni; });

    finestra_ = std::make_unique<FrmElenco>();
    finestra_->Form_Load();
    finestra_->show();
    finestra_->activateWindow();
    QTRY_VERIFY(w("FraCarico")->isHidden() && finestra_->isActiveWindow());
    QObject::connect(&sonda_, &QTimer::timeout, [this] { campioni_ << semaforo(); });
    sonda_.start(0);
}

FinestraElencoProva::~FinestraElencoProva() {
    finestra_.reset();
    ServiziFinestra::ImpostaTerminazione({});
    ServiziFinestra::ImpostaPuntatore(ServiziFinestra::Puntatore::Predefinito);
}

QString FinestraElencoProva::semaforo() const {
    const QImage luce = w<QLabel>("imgSemaforo")->pixmap().toImage();
    const QPoint c = luce.rect().center();
    for (const QString colore : {"rosso", "giallo", "verde"})
        if (!luce.isNull() &&
            luce.pixelColor(c) == QImage(":/immagini/semaforo_" + colore + ".png").pixelColor(c))
            return colore;
    return QString();
}

QStringList FinestraElencoProva::luci() {
    campioni_ << semaforo();
    campioni_.erase(std::unique(campioni_.begin(), campioni_.end()), campioni_.end());
    return std::exchange(campioni_, {});
}

QStringList FinestraElencoProva::celle(int colonna) const {
    QStringList testi;
    for (int riga = 1; riga <= griglia()->RigheDati(); ++riga)
        testi << griglia()->modello()->TestoCella(riga, colonna);
    return testi;
}

QPoint FinestraElencoProva::PuntoDiClic(QWidget* controllo) {
    auto* spunta = qobject_cast<QCheckBox*>(controllo);
    if (!spunta)
        return controllo->rect().center();
    QStyleOptionButton opzione;
    opzione.initFrom(spunta);
    return spunta->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opzione, spunta).center();
}

static void Esegui(const FinestraElencoProva& p, const Azione& a) {
    GrigliaElenco* g = p.griglia();
    QWidget* c = a.controllo.isEmpty() ? nullptr : p.w(a.controllo);
    QVERIFY2(a.controllo.isEmpty() || c, qPrintable("nessun controllo " + a.controllo));
    switch (a.tipo) {
    case Azione::Tipo::Scrivi:
    case Azione::Tipo::Invio:
    case Azione::Tipo::Tab:
        c->setFocus();
        for (const QChar t : a.testo)
            QTest::sendKeyEvent(QTest::Click, c, Qt::Key(t.toUpper().unicode()), t, {});
        if (a.tipo == Azione::Tipo::Invio || a.tipo == Azione::Tipo::Tab)
            QTest::keyClick(c, a.tipo == Azione::Tipo::Invio ? Qt::Key_Return : Qt::Key_Tab);
        break;
    case Azione::Tipo::Clic:
        QTest::mouseClick(c, Qt::LeftButton, {}, FinestraElencoProva::PuntoDiClic(c));
        break;
    case Azione::Tipo::ClicRiga:
        QTest::mouseClick(g->viewport(), a.pulsante, {},
                          g->visualRect(g->model()->index(a.numero - 1, 3)).center());
        break;
    case Azione::Tipo::ClicIntestazione: // column k of the grid is column k - 1 of the view
        QTest::mouseClick(g->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          {g->visualRect(g->model()->index(0, a.numero - 1)).center().x(), 5});
        break;
    }
}

int FinestraElencoProva::esegui(const QList<Azione>& azioni) {
    campioni_.clear();
    for (const Azione& azione : azioni)
        Esegui(*this, azione);
    // Each search processes events twice under the red light: once it is red, once the query
    // is built.
    return int(campioni_.count("rosso")) / 2;
}
