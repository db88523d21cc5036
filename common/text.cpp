#include "common/text.h"

#include "common/files.h"

#include <QStringDecoder>

#include <algorithm>
#include <utility>

namespace text {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

int windows1252Byte(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return int(code);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == code && code != 0xFFFD)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QByteArray toWindows1252(const QString& value, Unmappable unmappable)
{
    QByteArray bytes;
    bytes.reserve(value.size());
    for (const char32_t code : value.toUcs4()) {
        const int byte = windows1252Byte(code);
        if (byte >= 0)
            bytes.append(char(byte));
        else if (unmappable == Unmappable::HtmlEntity)
            bytes.append("&#" + QByteArray::number(uint(code)) + ';');
        else
            bytes.append('?');
    }
    return bytes;
}

QString fromWindows1252(const QByteArray& bytes)
{
    QString result;
    result.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] != 0xFFFD)
            result.append(QChar(kHighControls[byte - 0x80]));
        else
            result.append(QChar(char16_t(byte)));
    }
    return result;
}

QString composed(const QString& text)
{
    return text.normalized(QString::NormalizationForm_C);
}

namespace {

bool validUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoding runs when its result is taken.
    const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

bool ascii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Each line in the encoding it was written in. CR and LF never occur inside
// a UTF-8 sequence, so the bytes split into lines before they are decoded.
void decodeLineByLine(QByteArrayView bytes, StudentList& list)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        // A mark that a joined file left inside would read as "ï»¿" in Windows-1252.
        QByteArray line = bytes.sliced(start, end - start).toByteArray().replace("\xEF\xBB\xBF", "");
        if (validUtf8(line)) {
            list.text += QString::fromUtf8(line);
            list.utf8Lines += ascii(line) ? 0 : 1;
        } else {
            list.text += fromWindows1252(line);
            ++list.windows1252Lines;
        }
        while (end < bytes.size() && (bytes[end] == '\r' || bytes[end] == '\n'))
            list.text += QChar(char16_t(bytes[end++]));
        start = end;
    }
}

StudentList decodeBytes(QByteArrayView bytes)
{
    StudentList list;
    // Spreadsheets save "Unicode text" as UTF-16, always with its byte-order mark.
    for (const auto& [mark, encoding] : {std::pair{QByteArrayView("\xFF\xFE"), QStringDecoder::Utf16LE},
                                         std::pair{QByteArrayView("\xFE\xFF"), QStringDecoder::Utf16BE}}) {
        if (bytes.startsWith(mark)) {
            list.text = QStringDecoder(encoding, QStringDecoder::Flag::Stateless).decode(bytes.sliced(mark.size()));
            return list;
        }
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    if (!validUtf8(bytes)) {
        decodeLineByLine(bytes, list);
        return list;
    }
    list.text = QString::fromUtf8(bytes);
    return list;
}

} // namespace

StudentList decodeStudentList(const QByteArray& bytes)
{
    StudentList list = decodeBytes(bytes);
    list.text.remove(QChar(u'\0'));
    list.text.remove(QChar(0xFEFF));
    // Lists made on some systems write accents apart from their letters.
    list.text = composed(list.text);
    return list;
}

QString htmlEscape(const QString& value)
{
    QString result;
    result.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'&': result += QStringLiteral("&amp;"); break;
        case u'<': result += QStringLiteral("&lt;"); break;
        case u'>': result += QStringLiteral("&gt;"); break;
        case u'"': result += QStringLiteral("&quot;"); break;
        default: result += c;
        }
    }
    return result;
}

QString writeLines(const QString& path, const QStringList& lines, Unmappable unmappable)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toWindows1252(line, unmappable);
        bytes += "\r\n";
    }
    return files::writeWhole(path, bytes);
}

QString frenchDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString frenchTime(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QDate parseFrenchDate(const QString& value)
{
    return QDate::fromString(value.trimmed(), QStringLiteral("dd/MM/yyyy"));
}

LeadingNumber leadingNumber(const QString& text)
{
    QString value;
    for (const QChar c : text) {
        if (!c.isSpace())
            value += c;
    }
    LeadingNumber number;
    qsizetype i = 0;
    number.negative = value.startsWith(u'-');
    if (number.negative || value.startsWith(u'+'))
        ++i;
    const auto digits = [&value, &i] {
        QString read;
        while (i < value.size() && value[i] >= u'0' && value[i] <= u'9')
            read += value[i++];
        return read;
    };
    number.units = digits();
    if (i < value.size() && (value[i] == u',' || value[i] == u'.')) {
        ++i;
        number.decimals = digits();
    }
    return number;
}

namespace {

// Whole digits of a price that a cent count holds with room to spare.
constexpr qsizetype kPriceWholeDigits = 15;

// Leading zeros carry no value and must not push real digits out.
QString significantDigits(const QString& digits)
{
    qsizetype zeros = 0;
    while (zeros < digits.size() && digits[zeros] == u'0')
        ++zeros;
    return digits.mid(zeros);
}

} // namespace

qint64 priceCents(const QString& price)
{
    const LeadingNumber number = leadingNumber(price);
    // Digits beyond what a cent count can hold are dropped, never overflowed.
    const QString fraction = (number.decimals + QStringLiteral("000")).left(3);
    qint64 cents = significantDigits(number.units).left(kPriceWholeDigits).toLongLong() * 100
                 + fraction.left(2).toLongLong();
    if (fraction[2] >= u'5')
        ++cents;
    return number.negative ? -cents : cents;
}

std::optional<qint64> exactPriceCents(const QString& price)
{
    if (significantDigits(leadingNumber(price).units).size() > kPriceWholeDigits)
        return std::nullopt;
    return priceCents(price);
}

} // namespace text
