#include "core/file/TestoFile.h"

#include <QStringDecoder>

namespace {

// Windows-1252 characters for the bytes 0x80-0x9F; the five unassigned bytes keep their
// Latin-1 meaning. The other bytes are the same in Latin-1.
constexpr char16_t Cp1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString DaWindows1252(QByteArrayView byte) {
    QString testo(byte.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < byte.size(); ++i) {
        const auto b = static_cast<unsigned char>(byte[i]);
        testo[i] = (b >= 0x80 && b <= 0x9F) ? QChar(Cp1252[b - 0x80]) : QChar(b);
    }
    return testo;
}

} // namespace

bool Utf8Valido(QByteArrayView byte) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString testo = utf8(byte);
    return !utf8.hasError();
}

QString TestoDelFile(QByteArrayView byte) {
    if (byte.startsWith("\xEF\xBB\xBF"))
        return QStringDecoder(QStringConverter::Utf8)(byte.sliced(3));
    if (byte.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE)(byte.sliced(2));
    if (byte.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE)(byte.sliced(2));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString testo = utf8(byte);
    return utf8.hasError() ? DaWindows1252(byte) : testo;
}
