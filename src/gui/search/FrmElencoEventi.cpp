// How the toolkit's events reach the window's reactions: activation and showing, the first
// paint, and the keys and focus changes of the filter boxes.
#include "gui/ServiziFinestra.h"
#include "gui/search/FrmElenco.h"
#include "gui/search/PannelloFiltri.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QWindow>

void FrmElenco::SeguiAttivazioni() {
    // The window system reports every change of the active window; only a change to another
    // window of this program makes the next activation of this one a hand-over. Returning from
    // another application (no window of this program active meanwhile) is not.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* attiva) {
        if (attiva && attiva != windowHandle() && attiva->type() != Qt::Popup &&
            attiva->type() != Qt::ToolTip)
            consegnaAttesa_ = true;
    });
}

bool FrmElenco::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate && consegnaAttesa_) {
        consegnaAttesa_ = false;
        Form_Activate();
    }
    return QWidget::event(evento);
}

void FrmElenco::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    // Shown by the program (not restored by the user): the window appears in its activated
    // state, buttons included.
    if (!evento->spontaneous())
        Form_Activate();
}

void FrmElenco::paintEvent(QPaintEvent* evento) {
    QWidget::paintEvent(evento);
    // The first paint fills the grid; it runs right after this paint, not inside it, since it
    // processes window events itself.
    if (primapaint_ && !paintProgrammato_) {
        paintProgrammato_ = true;
        QMetaObject::invokeMethod(this, &FrmElenco::Form_Paint, Qt::QueuedConnection);
    }
}

bool FrmElenco::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* casella = qobject_cast<QLineEdit*>(oggetto);
    if (casella && evento->type() == QEvent::KeyPress) {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        qint16 KeyCode = (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter)
                             ? qint16(13)
                             : qint16(tasto->key() & 0x7fff);
        Filtro_KeyDown(KeyCode, qint16(tasto->modifiers() & Qt::ShiftModifier ? 1 : 0));
    } else if (casella && evento->type() == QEvent::FocusOut &&
               ServiziFinestra::FocusVersoAltroControllo(static_cast<QFocusEvent*>(evento))) {
        if (casella == fraCerca->txtComuneC)
            txtComuneC_LostFocus();
        else if (casella == fraCerca->txtProvC)
            txtProvC_LostFocus();
        else if (casella == fraCerca->txtZonaC)
            txtZonaC_LostFocus();
    }
    return QWidget::eventFilter(oggetto, evento);
}
