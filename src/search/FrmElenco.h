#pragma once

#include <QWidget>

// The main window: the list of municipalities and the filter panel.
class FrmElenco : public QWidget {
    Q_OBJECT
public:
    FrmElenco();
    void Form_Load();
};
