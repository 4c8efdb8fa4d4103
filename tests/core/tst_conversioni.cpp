#include "core/Conversioni.h"

#include <QtTest>

using namespace Conversioni;

// A conversion's value, or its error's description.
template <typename T> QString Testo(const Esito<T>& esito) {
    return esito.ok() ? QString::number(esito.valore()) : esito.errore().descrizione;
}

// "T" and "O" stand for the type-mismatch and overflow messages naming the text.
QString Atteso(const QString& codice, const QString& testo) {
    return codice == "T" ? QString("Tipo non corrispondente: «%1» non è un numero.").arg(testo)
           : codice == "O"
               ? QString("Overflow: il valore %1 è fuori dall'intervallo consentito.").arg(testo)
               : codice;
}

class TConversioni : public QObject {
    Q_OBJECT
private slots:
    // A typed range bound as a 16-bit whole number, in the locale that start-up sets for an
    // Italian system, an English one and one without a language (C).
    void testoInIntero16_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QStringList>("attesi");
        for (const char* riga :
             {"12,5;12;12;12", "13.5;14;14;14", "500,7;501;501;501", " \t0500 ;500;500;500",
              "-0,5;0;0;0", "1.500;1500;2;1500", "1,500;2;1500;2", "1.000,5;1000;T;1000",
              "1,000.5;T;1000;T", "32767;32767;32767;32767", "32767,5;O;O;O",
              "-32768,5;-32768;-32768;-32768", " 40000;O;O;O", "abc;T;T;T", "12 m;T;T;T",
              "inf;T;T;T", "  ;T;T;T"}) {
            const QStringList parti = QString(riga).split(';');
            QTest::newRow(riga) << parti[0] << parti.mid(1);
        }
    }

    void testoInIntero16() {
        QFETCH(QString, testo);
        QFETCH(QStringList, attesi);
        const QLocale sistemi[] = {QLocale(QLocale::Italian, QLocale::Italy),
                                   QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()};
        for (int i = 0; i < 3; ++i) {
            const QLocale locale = LocaleDeiNumeri(sistemi[i]);
            const QString atteso = Atteso(attesi[i], attesi[i] == "T" ? testo : testo.trimmed());
            QCOMPARE(Testo(TestoInIntero16(testo, locale)), atteso);
            QCOMPARE(ENumerico(testo, locale), attesi[i] != "T");
        }
    }

    // A real value to 32 bits; a box's text as a save reads it (its leading number) to 16 bits.
    void interi() {
        QCOMPARE(Testo(InIntero32(2147483646.5)) + Testo(InIntero32(-2147483648.5)),
                 "2147483646-2147483648");
        QCOMPARE(Testo(InIntero32(2147483647.5)), Atteso("O", "2147483647.5"));
        QCOMPARE(Testo(InteroDiCasella("12.5 m")) + Testo(InteroDiCasella("1 5e 3")), "1215000");
    }
};

QTEST_GUILESS_MAIN(TConversioni)
#include "tst_conversioni.moc"
