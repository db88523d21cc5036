#pragma once

#include <QString>
#include <QtGlobal>

// Sums of money kept in cents, so that adding a thousand lines never drifts.
// Every text in and out uses the decimal comma, whatever the machine's language.
namespace montant {

// The leading number of a price text, blanks ignored, the comma or the point
// as decimal separator, rounded to the cent: "12,50" and "12.5" give 1250,
// "" and "abc" give 0.
qint64 centimes(const QString& prix);

// The leading whole number of a quantity text, blanks ignored: "" gives 0.
qint64 quantite(const QString& texte);

// "# ###,00": two decimals, one blank before the last three integer digits
// (1234567,5 gives "1234 567,50"), no leading blank below a thousand.
QString total(qint64 centimes);

// A plain number with the decimal comma and no trailing zero: "12,5", "25".
QString simple(qint64 centimes);

} // namespace montant
