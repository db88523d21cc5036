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

// A price split as the rule reads it, or nothing when it breaks the rule's form.
struct PriceParts {
    QString units;    // whole digits, without leading zeros
    QString decimals; // zero, one or two digits
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

std::optional<PriceParts> priceParts(const QString& price)
{
    const QString value = price.trimmed();
    PriceParts parts;
    qsizetype i = 0;
    while (i < value.size() && isDigit(value[i]))
        parts.units += value[i++];
    const bool separator = i < value.size() && (value[i] == u',' || value[i] == u'.');
    if (separator)
        ++i;
    while (i < value.size() && isDigit(value[i]))
        parts.decimals += value[i++];
    const bool noDigit = parts.units.isEmpty() && parts.decimals.isEmpty();
    if (i < value.size() || parts.decimals.size() > 2 || (separator && noDigit))
        return std::nullopt;
    // Leading zeros carry no value and must not make a price look too long.
    qsizetype zeros = 0;
    while (zeros < parts.units.size() && parts.units[zeros] == u'0')
        ++zeros;
    parts.units.remove(0, zeros);
    return parts;
}

// The cents of the parts, or nothing above the highest price.
std::optional<qint64> centsOf(const PriceParts& parts)
{
    // More whole digits than the highest price has cannot be within it, and
    // must not be converted into a number that overflows.
    if (parts.units.size() > QString::number(kPriceMaxCents / 100).size())
        return std::nullopt;
    const qint64 cents =
        parts.units.toLongLong() * 100 + (parts.decimals + QStringLiteral("00")).left(2).toLongLong();
    if (cents > kPriceMaxCents)
        return std::nullopt;
    return cents;
}

QString quoted(const QString& price)
{
    return QStringLiteral("« ") + price + QStringLiteral(" »");
}

} // namespace

std::optional<qint64> priceCents(const QString& price)
{
    const std::optional<PriceParts> parts = priceParts(price);
    return parts ? centsOf(*parts) : std::nullopt;
}

QString priceRefusal(const QString& price)
{
    const std::optional<PriceParts> parts = priceParts(price);
    if (!parts)
        return quoted(price)
               + QStringLiteral(" n'est pas un prix : des chiffres, au plus une virgule suivie d'au plus deux "
                                "décimales, sans signe, sans séparateur de milliers ni autre texte.");
    if (!centsOf(*parts))
        return quoted(price) + QStringLiteral(" dépasse le prix le plus élevé accepté, ") + kPriceMaxText
               + QStringLiteral(".");
    return {};
}

QString priceText(const QString& price)
{
    const std::optional<PriceParts> parts = priceParts(price);
    if (!parts || !centsOf(*parts))
        return price;
    if (parts->units.isEmpty() && parts->decimals.isEmpty())
        return price.trimmed().isEmpty() ? QString() : QStringLiteral("0");
    const QString units = parts->units.isEmpty() ? QStringLiteral("0") : parts->units;
    return parts->decimals.isEmpty() ? units : units + u',' + parts->decimals;
}

} // namespace text
