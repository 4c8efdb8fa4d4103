#include "gui/search/ModelloGriglia.h"

#include "core/print/ElencoStampato.h"
#include "db/CollazioneItaliana.h"

#include <algorithm>
#include <numeric>

void ModelloGriglia::Azzera() {
    beginResetModel();
    elenco_.clear();
    ordine_.clear();
    righe_ = 1;
    endResetModel();
}

void ModelloGriglia::Carica(const QList<DatiComune>& elenco) {
    beginResetModel();
    elenco_ = elenco;
    ordine_.resize(elenco_.size());
    std::iota(ordine_.begin(), ordine_.end(), 0);
    righe_ = int(elenco_.size());
    endResetModel();
}

const DatiComune* ModelloGriglia::Elemento(int riga) const {
    if (riga < 1 || riga > ordine_.size())
        return nullptr;
    return &elenco_.at(ordine_.at(riga - 1));
}

QList<DatiComune> ModelloGriglia::Righe() const {
    QList<DatiComune> righe;
    righe.reserve(ordine_.size());
    for (const int i : ordine_)
        righe.append(elenco_.at(i));
    return righe;
}

QString ModelloGriglia::TestoCella(int riga, int colonna) const {
    const DatiComune* d = Elemento(riga);
    return d ? Stampa::TestoCella(*d, colonna) : QString();
}

QString ModelloGriglia::Intestazione(int colonna) {
    return colonna >= 1 && colonna <= ColonneDati
               ? QString::fromLatin1(Stampa::ColonneElenco[size_t(colonna - 1)].intestazione)
               : QString();
}

void ModelloGriglia::Ordina(int colonna, bool crescente) {
    const auto chiaveNumerica = [&](int i) -> qint64 {
        const DatiComune& d = elenco_.at(i);
        return colonna == 4 ? d.Altitudine : colonna == 5 ? d.GradiGiorno : d.Irradianza;
    };
    const auto testo = [&](int i) -> const QString& {
        const DatiComune& d = elenco_.at(i);
        return colonna == 1 ? d.Nome : colonna == 2 ? d.Prov : d.Zona;
    };
    const bool numerica = colonna == 4 || colonna == 5 || colonna == 8;

    emit layoutAboutToBeChanged();
    std::stable_sort(ordine_.begin(), ordine_.end(), [&](int a, int b) {
        const int confronto = numerica ? (chiaveNumerica(a) < chiaveNumerica(b)   ? -1
                                          : chiaveNumerica(a) > chiaveNumerica(b) ? 1
                                                                                  : 0)
                                       : CollazioneItaliana::Confronta(testo(a), testo(b));
        return crescente ? confronto < 0 : confronto > 0;
    });
    emit layoutChanged();
}

int ModelloGriglia::rowCount(const QModelIndex& genitore) const {
    return genitore.isValid() ? 0 : righe_;
}

int ModelloGriglia::columnCount(const QModelIndex& genitore) const {
    return genitore.isValid() ? 0 : ColonneDati;
}

QVariant ModelloGriglia::data(const QModelIndex& indice, int ruolo) const {
    if (!indice.isValid())
        return {};
    const int colonna = indice.column() + 1;
    if (ruolo == Qt::DisplayRole)
        return TestoCella(indice.row() + 1, colonna);
    if (ruolo == Qt::TextAlignmentRole) {
        const bool numero = colonna == 4 || colonna == 5 || colonna == 8;
        return QVariant::fromValue(Qt::AlignVCenter | (numero ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant ModelloGriglia::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const {
    if (ruolo != Qt::DisplayRole)
        return {};
    if (orientamento == Qt::Horizontal)
        return Intestazione(sezione + 1);
    return QString(); // the fixed column carries no text
}
