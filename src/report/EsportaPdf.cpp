#include "report/EsportaPdf.h"

#include "report/DisegnoReport.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace Report {

Esito<int> EsportaPdf(const QString& percorso, const Layout& layout, const DatiReport& dati) {
    const QFileInfo destinazione(percorso);
    auto errore = [&](const QString& motivo) {
        return ErroreRuntime::Database(
            QStringLiteral("Impossibile scrivere il file PDF «%1»: %2.").arg(percorso, motivo));
    };
    if (percorso.trimmed().isEmpty())
        return ErroreRuntime::Database(QStringLiteral("Non è stato indicato il file PDF."));
    if (destinazione.isDir())
        return errore(QStringLiteral("è una cartella"));
    if (!destinazione.absoluteDir().exists())
        return errore(QStringLiteral("la cartella «%1» non esiste")
                          .arg(QDir::toNativeSeparators(destinazione.absolutePath())));

    QSaveFile file(destinazione.absoluteFilePath());
    if (!file.open(QIODevice::WriteOnly))
        return errore(destinazione.exists() && !destinazione.isWritable()
                          ? QStringLiteral("il file non può essere sovrascritto")
                          : QStringLiteral("non si può scrivere nella cartella"));

    Esito<int> pagine = 0;
    {
        QPdfWriter scrittore(&file);
        scrittore.setResolution(1440);
        scrittore.setPageSize(QPageSize(QPageSize::A4));
        scrittore.setTitle(QStringLiteral("ELENCO COMUNI"));
        scrittore.setCreator(QStringLiteral("Zizovuvo Rizu Zodadazid"));
        pagine = DisegnaReport(scrittore, layout, dati);
    }
    if (!pagine.ok()) {
        file.cancelWriting();
        return pagine;
    }
    if (!file.commit())
        return errore(QStringLiteral("il disco è pieno o il file non può essere sostituito"));
    return pagine;
}

} // namespace Report
