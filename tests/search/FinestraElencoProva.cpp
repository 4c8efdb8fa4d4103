#include "FinestraElencoProva.h"

#include "app/Global.h"
#include "app/ServiziFinestra.h"

#include <QStyleOptionButton>
#include <QtTest>

QList<FinestraElencoProva::Comune> FinestraElencoProva::ComuniDiProva() {
    return {
        {"ROMA", "RM", "D", 1415, 20, 41, 54, 12, 29, 1500},
        {"MILANO", "MI", "E", 2404, 122, 45, 28, 9, 11, 1300},
        {"RHO", "MI", "E", 2420, 158, 45, 32, 9, 2, 0},
        {"FORLÌ", "FC", "D", 2087, 34, 44, 13, 12, 2, 1450},
        {"FORLIMPOPOLI", "FC", "D", 2082, 30, 44, 11, 12, 8, 0},
        {"SANT'ANGELO LODIGIANO", "LO", "E", 2532, 73, 45, 14, 9, 24, 0},
        {"CORTINA D'AMPEZZO", "BL", "F", 4225, 1224, 46, 32, 12, 8, 900},
        {"lampedusa e linosa", "AG", "A", 568, 16, 35, 30, 12, 36, 2100},
        {"AOSTA", "AO", "E", 2850, 583, 45, 44, 7, 19, 1200},
        {"SENZA COORDINATE", "XX", "", 0, 0, 0, 30, 0, 0, 0},
    };
}

FinestraElencoProva::FinestraElencoProva(const QList<Comune>& comuni) {
    const std::pair<const char*, QColor> colori[] = {{"semaforo_rosso.png", Qt::red},
                                                     {"semaforo_giallo.png", Qt::yellow},
                                                     {"semaforo_verde.png", Qt::green}};
    for (const auto& [nome, colore] : colori) {
        QPixmap figura(25, 25);
        figura.fill(colore);
        figura.save(immagini_.filePath(nome));
    }
    for (const Comune& c : comuni)
        archivio_.aggiungiComune(c.nome, c.prov, c.zona, c.gradiGiorno, c.altitudine, c.latiG,
                                 c.latiP, c.longG, c.longP, c.irradianza);
    archivio_.chiudi();

    Global::Azzera();
    Global::Titolo = Global::TitoloProgramma;
    Global::PercorsoDB = archivio_.percorso();
    Global::PercorsoImmagini = immagini_.path() + '/';
    Global::ImgSemRosso = "semaforo_rosso.png";
    Global::ImgSemGiallo = "semaforo_giallo.png";
    Global::ImgSemVerde = "semaforo_verde.png";
    ServiziFinestra::ImpostaTerminazione([this] { ++terminazioni_; });

    finestra_ = std::make_unique<FrmElenco>();
    finestra_->Form_Load();
    finestra_->show();
    finestra_->activateWindow();
    QTRY_VERIFY(finestra_->findChild<QFrame*>("FraCarico")->isHidden());
}

FinestraElencoProva::~FinestraElencoProva() {
    finestra_.reset();
    ServiziFinestra::ImpostaTerminazione({});
    ServiziFinestra::ImpostaPuntatore(ServiziFinestra::Puntatore::Predefinito);
}

QLineEdit* FinestraElencoProva::casella(const char* nome) const {
    auto* c = finestra_->findChild<QLineEdit*>(nome);
    Q_ASSERT_X(c, "casella", nome);
    return c;
}

QCheckBox* FinestraElencoProva::spunta(const char* nome) const {
    auto* c = finestra_->findChild<QCheckBox*>(nome);
    Q_ASSERT_X(c, "spunta", nome);
    return c;
}

QPushButton* FinestraElencoProva::pulsante(const char* nome) const {
    auto* c = finestra_->findChild<QPushButton*>(nome);
    Q_ASSERT_X(c, "pulsante", nome);
    return c;
}

GrigliaElenco* FinestraElencoProva::griglia() const {
    return finestra_->findChild<GrigliaElenco*>("GrdLista");
}

QString FinestraElencoProva::conteggio() const {
    return finestra_->findChild<QLabel*>("lblNumComuni")->text();
}

QString FinestraElencoProva::semaforo() const {
    const QColor colore =
        finestra_->findChild<QLabel*>("imgSemaforo")->pixmap().toImage().pixelColor(12, 12);
    if (colore == QColor(Qt::red))
        return "rosso";
    if (colore == QColor(Qt::yellow))
        return "giallo";
    if (colore == QColor(Qt::green))
        return "verde";
    return QString();
}

QStringList FinestraElencoProva::colonna(int numero) const {
    QStringList testi;
    for (int riga = 1; riga <= griglia()->RigheDati(); ++riga)
        testi << griglia()->modello()->TestoCella(riga, numero);
    return testi;
}

// Actions, one per string:
//   "scrivi:<box>:<text>"   types the text into the box (after giving it the focus)
//   "invio:<box>"           presses Enter in the box
//   "spunta:<check box>"    clicks the check box
//   "esci:<box>"            moves the focus from the box to the next control
//   "svuota:<box>"          selects all and deletes, as a user empties a box
//   "premi:<button>"        clicks the button
int FinestraElencoProva::esegui(const QStringList& azioni) {
    const int prima = finestra_->NumeroRicerche();
    for (const QString& azione : azioni) {
        const QStringList parti = azione.split(':');
        const QByteArray nome = parti.value(1).toLatin1();
        if (parti[0] == "scrivi") {
            casella(nome)->setFocus();
            // Letters outside ASCII (ì, è) come as text without a key code, as from a keyboard
            // layout that has them.
            for (const QChar c : parti.value(2)) {
                if (c.unicode() < 128)
                    QTest::keyClick(casella(nome), c.toLatin1());
                else
                    QTest::sendKeyEvent(QTest::Click, casella(nome), Qt::Key_unknown, QString(c),
                                        Qt::NoModifier);
            }
        } else if (parti[0] == "invio") {
            QTest::keyClick(casella(nome), Qt::Key_Return);
        } else if (parti[0] == "spunta") {
            // A click on the box itself: a click in the middle of a stretched check box may
            // fall beside it.
            QCheckBox* casellaSpunta = spunta(nome);
            QStyleOptionButton opzione;
            opzione.initFrom(casellaSpunta);
            const QRect quadratino = casellaSpunta->style()->subElementRect(
                QStyle::SE_CheckBoxIndicator, &opzione, casellaSpunta);
            QTest::mouseClick(casellaSpunta, Qt::LeftButton, {}, quadratino.center());
        } else if (parti[0] == "esci") {
            casella(nome)->setFocus();
            QTest::keyClick(casella(nome), Qt::Key_Tab);
        } else if (parti[0] == "svuota") {
            casella(nome)->setFocus();
            QTest::keyClick(casella(nome), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(casella(nome), Qt::Key_Delete);
        } else if (parti[0] == "premi") {
            QTest::mouseClick(pulsante(nome), Qt::LeftButton);
        } else {
            qFatal("azione sconosciuta: %s", qPrintable(azione));
        }
    }
    return finestra_->NumeroRicerche() - prima;
}
