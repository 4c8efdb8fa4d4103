#pragma once

#include <QPixmap>
#include <QWidget>

// The window shown while the program starts: the title picture, for a pause.
class FrmSplash : public QWidget {
    Q_OBJECT
public:
    FrmSplash();

    // Centres the window on the screen and shows the busy pointer over it.
    void Form_Load();
    // The pause in whole seconds.
    void SetPause(qint16 iInterval);
    // Waits for the pause while the program keeps handling window events (at least once, even
    // for a pause of 0).
    void Action();

    // Top-left corner that centres a window on a screen; negative when the screen is smaller.
    static QPoint PosizioneCentrata(const QRect& schermo, const QSize& finestra);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QPixmap immagine_;
    qint16 pausa_ = 0;
};
