#include "core/LettoreIni.h"

#include "core/file/TestoFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringView>
#include <algorithm>

namespace Global {

namespace {

// The file's text (see TestoDelFile); empty when the file cannot be read.
QString LeggiTesto(const QString& percorsoFile) {
    if (QFileInfo(percorsoFile).isDir())
        return {};
    QFile file(percorsoFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return TestoDelFile(file.readAll());
}

bool Spazio(QChar c) {
    return c == u' ' || c == u'\t';
}

// The text without the blanks and tabs around it.
QStringView SenzaSpazi(QStringView testo) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && Spazio(testo[inizio]))
        ++inizio;
    while (fine > inizio && Spazio(testo[fine - 1]))
        --fine;
    return testo.sliced(inizio, fine - inizio);
}

bool StessoNome(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The folder and the name joined by one slash, whether or not the folder ends with one.
QString Unisci(const QString& cartella, const QString& nome) {
    return cartella.endsWith(u'/') ? cartella + nome : cartella + u'/' + nome;
}

// The subfolders of `cartella` called "ini" in any letter case, the spelling `preferito`
// first and the others in name order.
QStringList SottocartelleIni(const QString& cartella, const QString& preferito) {
    QStringList trovate;
    const QStringList tutte =
        QDir(cartella).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& nome : tutte) {
        if (StessoNome(nome, u"ini"))
            trovate.append(nome);
    }
    std::stable_partition(trovate.begin(), trovate.end(),
                          [&](const QString& nome) { return nome == preferito; });
    return trovate;
}

} // namespace

QString LeggiStringaProfilo(const QString& percorsoFile, const QString& sezione,
                            const QString& chiave, int dimensioneBuffer) {
    if (dimensioneBuffer <= 1)
        return {};
    const QString testo = LeggiTesto(percorsoFile);

    // Only the first section of the name counts: the search ends where it ends. Lines before
    // any section belong to none.
    bool nellaSezione = false;
    QStringView resto(testo);
    while (!resto.isEmpty()) {
        qsizetype fineRiga = 0;
        while (fineRiga < resto.size() && resto[fineRiga] != u'\n' && resto[fineRiga] != u'\r')
            ++fineRiga;
        const QStringView riga = SenzaSpazi(resto.first(fineRiga));
        // A line ends with \n, \r\n or \r.
        qsizetype inizioProssima = fineRiga;
        if (inizioProssima < resto.size() && resto[inizioProssima] == u'\r')
            ++inizioProssima;
        if (inizioProssima < resto.size() && resto[inizioProssima] == u'\n')
            ++inizioProssima;
        resto = resto.sliced(inizioProssima);

        if (riga.isEmpty() || riga.startsWith(u';'))
            continue;
        if (riga.startsWith(u'[')) {
            if (nellaSezione)
                return {};
            const qsizetype chiusa = riga.lastIndexOf(u']');
            const QStringView nome =
                SenzaSpazi(chiusa > 0 ? riga.sliced(1, chiusa - 1) : riga.sliced(1));
            nellaSezione = StessoNome(nome, sezione);
            continue;
        }
        if (!nellaSezione)
            continue;

        const qsizetype uguale = riga.indexOf(u'=');
        const QStringView nome = SenzaSpazi(uguale < 0 ? riga : riga.first(uguale));
        if (!StessoNome(nome, chiave))
            continue;
        if (uguale < 0)
            return {};
        QStringView valore = SenzaSpazi(riga.sliced(uguale + 1));
        if (valore.size() >= 2 && (valore.front() == u'"' || valore.front() == u'\'') &&
            valore.back() == valore.front())
            valore = valore.sliced(1, valore.size() - 2);
        // The value travels as a C string: a NUL character ends it.
        const qsizetype nul = valore.indexOf(QChar(0));
        if (nul >= 0)
            valore = valore.first(nul);
        return valore.first(std::min<qsizetype>(valore.size(), dimensioneBuffer - 1)).toString();
    }
    return {};
}

QString LeggiIni(const QString& percorsoFile, const QString& sezione, const QString& chiave) {
    const QString valore = LeggiStringaProfilo(percorsoFile, sezione, chiave, 3000);
    return valore.isEmpty() ? QStringLiteral("-1") : valore;
}

QString PulisciPercorso(const QString& percorso) {
    if (percorso.isEmpty())
        return percorso;
    // The first character stays as it is, so that a leading "//" survives; in the rest every
    // run of slashes becomes one slash.
    QString pulito(percorso.front());
    for (qsizetype i = 1; i < percorso.size(); ++i) {
        if (percorso[i] == u'/' && i > 1 && percorso[i - 1] == u'/')
            continue;
        pulito += percorso[i];
    }
    return pulito;
}

QString CercaPercorsoIni(const QString& nomeFile, const QString& cartellaWindows,
                         const QString& cartellaApplicazione) {
    QString risultato;
    if (!cartellaWindows.isEmpty() && QFileInfo(Unisci(cartellaWindows, nomeFile)).isFile()) {
        risultato = Unisci(cartellaWindows, QString());
    } else {
        const QStringList candidate =
            cartellaApplicazione.isEmpty()
                ? QStringList()
                : SottocartelleIni(cartellaApplicazione, QStringLiteral("ini"));
        for (const QString& sottocartella : candidate) {
            const QString cartella = Unisci(cartellaApplicazione, sottocartella);
            if (QFileInfo(Unisci(cartella, nomeFile)).isFile()) {
                risultato = cartella + u'/';
                break;
            }
        }
    }
    if (risultato.isEmpty()) {
        risultato = QStringLiteral("-1");
        // Not found: the subfolder "Ini" of the application folder's parent, taken without
        // testing that the file is there.
        QString applicazione = cartellaApplicazione;
        if (applicazione.size() > 1 && applicazione.endsWith(u'/'))
            applicazione.chop(1);
        const qsizetype barra = applicazione.lastIndexOf(u'/');
        if (barra >= 0) {
            const QString genitore = applicazione.left(barra);
            const QStringList esistenti = SottocartelleIni(
                genitore.isEmpty() ? QStringLiteral("/") : genitore, QStringLiteral("Ini"));
            const QString nome = esistenti.isEmpty() ? QStringLiteral("Ini") : esistenti.front();
            risultato = genitore + u'/' + nome + u'/';
        }
    }
    return risultato.isEmpty() ? QStringLiteral("-1") : risultato;
}

} // namespace Global
