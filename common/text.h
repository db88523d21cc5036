#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// Text files as the programs exchange them: Windows-1252 with CR LF, French
// dates and decimal commas whatever the system locale.
namespace text {

enum class Unmappable { Question, HtmlEntity };

QByteArray toWindows1252(const QString& text, Unmappable unmappable = Unmappable::Question);
QString fromWindows1252(const QByteArray& bytes);

// The text in composed Unicode (NFC): a name typed or listed on any system
// ("Zoé" with its accent as one character or as two) has one spelling.
QString composed(const QString& text);

// A student list as its maker wrote it, in composed Unicode, without NUL
// characters or byte-order marks inside (what joined files and some exports
// leave there, and no name holds). UTF-16 (either byte order) when it starts
// with its byte-order mark; UTF-8 when it is valid UTF-8 as a whole, a UTF-8
// mark at its start aside; else line by line: a line that is valid UTF-8 is
// read as UTF-8, any other as Windows-1252, as a list pasted together from
// two sources mixes them.
struct StudentList {
    QString text;
    // Read line by line: the lines that hold other than ASCII (which reads
    // the same either way), by the way they were read; 0 otherwise.
    int utf8Lines = 0;
    int windows1252Lines = 0;
};
StudentList decodeStudentList(const QByteArray& bytes);

// Escapes & < > " for insertion into HTML.
QString htmlEscape(const QString& value);

// Writes the lines, each ended by CR LF, in Windows-1252, replacing the file
// through a temporary file beside it. Returns "" on success, else a French
// message that names the file.
[[nodiscard]] QString writeLines(const QString& path, const QStringList& lines, Unmappable unmappable);

QString frenchDate(const QDate& date);          // dd/MM/yyyy
QString frenchTime(const QTime& time);          // HH:mm:ss
QDate parseFrenchDate(const QString& text);     // invalid QDate when unreadable

// The number a text starts with, blanks ignored: its sign, its whole digits
// and, after one "," or ".", its decimal digits ("-12,50 €" gives true, "12",
// "50"). What follows the number is not read.
struct LeadingNumber {
    bool negative = false;
    QString units;
    QString decimals;
};
LeadingNumber leadingNumber(const QString& text);

// The highest price either program takes, in cents: what Vizmora can bill
// without any sum of its orders coming near the end of a cent count.
constexpr qint64 kPriceMaxCents = 99'999'999;
// kPriceMaxCents as the messages write it.
inline const QString kPriceMaxText = QStringLiteral("999 999,99 €");

// A price as both programs read it, wherever it is typed or stored, in
// cents: digits with at most one decimal "," or "." and at most two decimals
// ("12", "12,5", "12.50", "12," and ",5" are prices), blanks around it
// ignored, no sign, no thousands separator, no other text, at most
// kPriceMaxCents. The empty text is a price left empty and counts 0: a box
// that must be filled says so before this rule. Nothing when the text
// breaks the rule: it is never read as the number it starts with.
std::optional<qint64> priceCents(const QString& price);

// Why the text breaks the price rule, in French, starting with the text
// itself (« 1.250,00 » n'est pas un prix...), so that the caller puts the
// field's name before it; "" when it is a price.
QString priceRefusal(const QString& price);

// A price as both programs write it: its digits and decimals as typed, with
// the decimal comma, no leading zero and no comma without decimals ("12.5"
// gives "12,5", " 012," gives "12", ",5" gives "0,5"). A text that breaks the
// rule is given back as it is.
QString priceText(const QString& price);

} // namespace text
