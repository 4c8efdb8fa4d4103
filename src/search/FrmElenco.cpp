#include "FrmElenco.h"

#include "app/Global.h"

FrmElenco::FrmElenco() {
    setObjectName(QStringLiteral("frmElenco"));
    setWindowTitle(Global::TitoloProgramma);
    resize(1000, 700);
}

void FrmElenco::Form_Load() {}
