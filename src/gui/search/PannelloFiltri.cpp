#include "gui/search/PannelloFiltri.h"

#include "gui/ServiziFinestra.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <tuple>

namespace {

QLineEdit* Casella(QWidget* genitore, const char* nome, int larghezza) {
    auto* casella = new QLineEdit(genitore);
    casella->setObjectName(QLatin1String(nome));
    casella->setFixedWidth(larghezza);
    return casella;
}

QCheckBox* Spunta(QWidget* genitore, const char* nome, const QString& testo) {
    auto* spunta = new QCheckBox(testo, genitore);
    spunta->setObjectName(QLatin1String(nome));
    return spunta;
}

// A label beside `casella`, which a screen reader announces as the box's name.
QLabel* Etichetta(const QString& testo, QLineEdit* casella) {
    auto* etichetta = new QLabel(testo, casella->parentWidget());
    etichetta->setBuddy(casella);
    return etichetta;
}

std::tuple<QCheckBox*, QLineEdit*, QLineEdit*> Membri(const PannelloFiltri::Intervallo& i) {
    return {i.spunta, i.da, i.a};
}

} // namespace

PannelloFiltri::PannelloFiltri(QWidget* genitore)
    : QFrame(genitore) {
    setObjectName(QStringLiteral("fraCerca"));
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(QStringLiteral("Filtri di ricerca")); // the group, for a screen reader

    txtComuneC = Casella(this, "txtComuneC", 190);
    txtProvC = Casella(this, "txtProvC", 40);
    txtProvC->setMaxLength(2);
    txtZonaC = Casella(this, "txtZonaC", 30);
    txtZonaC->setMaxLength(1);

    for (size_t i = 0; i < IntervalliRicerca.size(); ++i) {
        const DefinizioneIntervallo& d = IntervalliRicerca[i];
        intervalli_[i] = {Spunta(this, d.spunta, QString::fromUtf8(d.etichetta)),
                          Casella(this, d.da, d.larghezza), Casella(this, d.a, d.larghezza)};
        // A screen reader names each bound by its range, without the unit: "Altitudine da".
        const QString grandezza =
            QString::fromUtf8(d.etichetta).section(QStringLiteral(" ("), 0, 0);
        intervalli_[i].da->setAccessibleName(grandezza + QStringLiteral(" da"));
        intervalli_[i].a->setAccessibleName(grandezza + QStringLiteral(" a"));
    }
    std::tie(ChkAltitudC, txtAltitudMinC, txtAltitudMaxC) = Membri(intervalli_[0]);
    std::tie(ChkGGiornoC, txtGGiornoMinC, txtGGiornoMaxC) = Membri(intervalli_[1]);
    std::tie(ChkLatitudC, txtLatitudMinC, txtLatitudMaxC) = Membri(intervalli_[2]);
    std::tie(ChkLongitudC, txtLongitudMinC, txtLongitudMaxC) = Membri(intervalli_[3]);
    std::tie(chkIrraC, txtIrraMinC, txtIrraMaxC) = Membri(intervalli_[4]);

    // The two mode boxes carry their caption before the box, as "tutti i comuni:" reads.
    chkAllC = Spunta(this, "chkAllC", QStringLiteral("tutti i comuni:"));
    chkInter = Spunta(this, "chkInter", QStringLiteral("ricerca interattiva:"));
    chkAllC->setLayoutDirection(Qt::RightToLeft);
    chkInter->setLayoutDirection(Qt::RightToLeft);
    cmdCercaFra = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                  QStringLiteral("Cerca"), this);
    cmdCercaFra->setObjectName(QStringLiteral("cmdCercaFra"));

    auto* griglia = new QGridLayout(this);
    griglia->setHorizontalSpacing(6);

    // Left: the text filters above the two mode boxes and the search button.
    auto* testi = new QGridLayout;
    testi->addWidget(Etichetta(QStringLiteral("comune:"), txtComuneC), 0, 0, Qt::AlignRight);
    testi->addWidget(txtComuneC, 0, 1);
    testi->addWidget(Etichetta(QStringLiteral("provincia:"), txtProvC), 1, 0, Qt::AlignRight);
    testi->addWidget(txtProvC, 1, 1, Qt::AlignLeft);
    testi->addWidget(Etichetta(QStringLiteral("zona:"), txtZonaC), 2, 0, Qt::AlignRight);
    testi->addWidget(txtZonaC, 2, 1, Qt::AlignLeft);
    griglia->addLayout(testi, 0, 0, 3, 1, Qt::AlignTop);
    auto* modi = new QGridLayout;
    modi->addWidget(chkInter, 0, 0, Qt::AlignLeft);
    modi->addWidget(chkAllC, 1, 0, Qt::AlignLeft);
    modi->addWidget(cmdCercaFra, 0, 1, 2, 1, Qt::AlignVCenter);
    griglia->addLayout(modi, 3, 0, Qt::AlignLeft | Qt::AlignBottom);

    // Then one column per range: its check box on top, the ">=" box, the "<=" box below.
    int colonna = 1;
    for (size_t i = 0; i < IntervalliRicerca.size(); ++i) {
        const Intervallo& intervallo = intervalli_[i];
        const bool gradi = IntervalliRicerca[i].gradi;
        auto* colonnaIntervallo = new QGridLayout;
        colonnaIntervallo->addWidget(intervallo.spunta, 0, 0, 1, 3);
        colonnaIntervallo->addWidget(Etichetta(QStringLiteral(">="), intervallo.da), 1, 0);
        colonnaIntervallo->addWidget(intervallo.da, 1, 1);
        colonnaIntervallo->addWidget(Etichetta(QStringLiteral("<="), intervallo.a), 2, 0);
        colonnaIntervallo->addWidget(intervallo.a, 2, 1);
        if (gradi) {
            colonnaIntervallo->addWidget(new QLabel(QStringLiteral("°"), this), 1, 2);
            colonnaIntervallo->addWidget(new QLabel(QStringLiteral("°"), this), 2, 2);
        }
        colonnaIntervallo->setRowStretch(3, 1);
        griglia->addLayout(colonnaIntervallo, 0, colonna++, 4, 1, Qt::AlignTop);
        ServiziFinestra::ImpostaBloccata(intervallo.da, true);
        ServiziFinestra::ImpostaBloccata(intervallo.a, true);
    }
    griglia->setColumnStretch(colonna, 1);
}

CriteriRicerca PannelloFiltri::Criteri() const {
    CriteriRicerca criteri;
    criteri.pannelloVisibile = !isHidden(); // the panel's own state, shown window or not
    criteri.tuttiIComuni = chkAllC->checkState() != Qt::Unchecked;
    criteri.comune = txtComuneC->text();
    criteri.provincia = txtProvC->text();
    criteri.zona = txtZonaC->text();
    for (size_t i = 0; i < IntervalliRicerca.size(); ++i)
        criteri.*
            IntervalliRicerca[i].valori = {intervalli_[i].da->text(), intervalli_[i].a->text()};
    return criteri;
}
