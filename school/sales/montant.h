#pragma once

#include "common/text.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// Sums of money kept in cents, so that adding a thousand lines never drifts.
// Every text in and out uses the decimal comma, whatever the machine's language.
namespace montant {

// What an order may bill: a price up to 999 999,99 € (the highest price the
// photographer's program takes too) and a quantity up to 9 999. A line then stays below 10^12 cents and its gain, a difference of
// two prices, below 2 x 10^12; qint64 holds 9.2 x 10^18, so more than four
// million such lines sum without coming near its end. Lines stored by other
// means may hold anything, which is why every product and sum is checked.
constexpr qint64 kPrixMax = text::kPriceMaxCents;
constexpr qint64 kQuantiteMax = 9'999;

// An amount in cents, or nothing once a product or a sum that made it left
// what qint64 holds; nothing stays nothing through every later operation,
// so a total never shows a number that wrapped round.
using Somme = std::optional<qint64>;

Somme fois(Somme a, Somme b);
Somme plus(Somme a, Somme b);
Somme moins(Somme a, Somme b);

// A price text read by the one price rule (text::priceCents): "12,50" and
// "12.5" give 1250, "" gives 0. Nothing when the text is no price, so that
// no sum it enters is ever shown as a number.
Somme centimes(const QString& prix);

// The leading whole number of a quantity text, blanks ignored: "" gives 0.
// Nothing when it is too long to be read.
Somme quantite(const QString& texte);

// What an amount shows in place of its number when a price it enters is
// refused or a product or a sum overflowed.
inline const QString kIncalculable = QStringLiteral("incalculable");

// A whole number with a blank between groups of three digits: "1 000 000".
QString chiffres(qint64 entier);

// "# ###,00": two decimals, a blank between groups of three integer digits
// (1234567,5 gives "1 234 567,50"), no leading blank below a thousand.
QString total(Somme centimes);

// A plain number with the decimal comma and no trailing zero: "12,5", "25".
QString simple(Somme centimes);

} // namespace montant
