#pragma once

#include <QString>

#include <vector>

class QLineEdit;
class QWidget;

// The rules shared by the entry boxes of the price screens.
namespace saisies {

// Characters of a pack or article reference.
inline const QString kReference =
    QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890_");
inline const QString kChiffres = QStringLiteral("1234567890");

// Tab goes from each widget to the next, in this order.
void ordreTab(const std::vector<QWidget*>& widgets);

// A box whose text follows another's until it is typed over.
void suivre(QLineEdit* source, QLineEdit* suiveuse);

// "Le champs    '<caption>'  ne peut être vide!"
QString champVide(const QString& legende);

// Why the price typed in the field is refused, naming the field and, when
// the screen has several alike, what it prices: "" when it is a price.
QString prixRefuse(const QString& legende, const QString& prix, const QString& objet = {});

} // namespace saisies
