#include "FinestraElencoProva.h"

#include "app/Global.h"
#include "app/ServiziFinestra.h"

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

FinestraElencoProva::FinestraElencoProva(QStringList comuni) {
    if (comuni.isEmpty())
        comuni = QString("ROMA,RM,D,1415,20,41,54,12,29,1500;MILANO,MI,E,2404,122,45,28,9,11,1300;"
                         "RHO,MI,E,2420,158,45,32,9,2,0;FORLÌ,FC,D,2087,34,44,13,12,2,1450;"
                         "FORLIMPOPOLI,FC,D,2082,30,44,11,12,8,0;"
                         "SANT'ANGELO LODIGIANO,LO,E,2532,73,45,14,9,24,0;"
                         "CORTINA D'AMPEZZO,BL,F,4225,1224,46,32,12,8,900;"
                         "lampedusa e linosa,AG,A,568,16,35,30,12,36,2100;"
                         "AOSTA,AO,E,2850,583,45,44,7,19,1200;SENZA COORDINATE,XX,,0,0,0,30,0,0,0")
                     .split(';');
    for (const QString& riga : comuni) {
        const QStringList c = riga.split(',');
        archivio.aggiungiComune(c[0], c[1], c[2], c[3].toInt(), c[4].toInt(), c[5].toInt(),
                                c[6].toInt(), c[7].toInt(), c[8].toInt(), c[9].toInt());
    }
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
    const QPoint centro = luce.rect().center();
    for (const char* colore : {"rosso", "giallo", "verde"})
        if (!luce.isNull() &&
            luce.pixelColor(centro) ==
                QImage(QString(":/immagini/semaforo_%1.png").arg(colore)).pixelColor(centro))
            return colore;
    return QString();
}

QStringList FinestraElencoProva::luci() {
    campioni_ << semaforo();
    campioni_.erase(std::unique(campioni_.begin(), campioni_.end()), campioni_.end());
    return std::exchange(campioni_, {});
}

QString FinestraElencoProva::colonna(int numero) const {
    QStringList testi;
    for (int riga = 1; riga <= griglia()->RigheDati(); ++riga)
        testi << griglia()->modello()->TestoCella(riga, numero);
    return testi.join('|');
}

QPoint FinestraElencoProva::PuntoDiClic(QWidget* controllo) {
    auto* spunta = qobject_cast<QCheckBox*>(controllo);
    if (!spunta)
        return controllo->rect().center();
    QStyleOptionButton opzione;
    opzione.initFrom(spunta);
    return spunta->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opzione, spunta).center();
}

int FinestraElencoProva::esegui(const QStringList& azioni) {
    campioni_.clear();
    GrigliaElenco* g = griglia();
    for (const QString& azione : azioni) {
        const QStringList a = azione.split(':');
        QWidget* c = w(a.value(1));
        const int n = a.value(1).toInt();
        if (a[0] == "s") {
            c->setFocus();
            for (const QChar t : a.value(2))
                QTest::sendKeyEvent(QTest::Click, c, Qt::Key(t.toUpper().unicode()), t, {});
        } else if (a[0] == "i" || a[0] == "e") {
            c->setFocus();
            QTest::keyClick(c, a[0] == "i" ? Qt::Key_Return : Qt::Key_Tab);
        } else if (a[0] == "p") {
            QTest::mouseClick(c, Qt::LeftButton, {}, PuntoDiClic(c));
        } else if (a[0] == "r") {
            // Left (no letter), right (d) or middle (c) button.
            QTest::mouseClick(g->viewport(),
                              Qt::MouseButton(1 << QString("-dc").indexOf(a.value(2))), {},
                              g->visualRect(g->model()->index(n - 1, 3)).center());
        } else if (a[0] == "h") {
            int x = g->Larghezza(n) / 2 - g->Larghezza(0);
            for (int k = 0; k < n; ++k)
                x += g->Larghezza(k);
            QTest::mouseClick(g->horizontalHeader()->viewport(), Qt::LeftButton, {}, {x, 5});
        } else if (a[0] == "t") {
            QTest::keyClick(g, a[1][0].toLatin1(), Qt::ShiftModifier);
        }
    }
    // Each search processes events twice under the red light: once it is red, once the query
    // is built.
    return int(campioni_.count("rosso")) / 2;
}
