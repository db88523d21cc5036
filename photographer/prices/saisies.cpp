#include "photographer/prices/saisies.h"

#include "common/text.h"

#include <QLineEdit>

namespace saisies {

void ordreTab(const std::vector<QWidget*>& widgets)
{
    for (std::size_t i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

void suivre(QLineEdit* source, QLineEdit* suiveuse)
{
    QObject::connect(source, &QLineEdit::textChanged, suiveuse, &QLineEdit::setText);
}

QString champVide(const QString& legende)
{
    return QStringLiteral("Le champs    '") + legende + QStringLiteral("'  ne peut être vide!");
}

QString prixRefuse(const QString& legende, const QString& prix, const QString& objet)
{
    const QString refus = text::priceRefusal(prix);
    if (refus.isEmpty())
        return {};
    const QString de = objet.isEmpty() ? QString() : QStringLiteral(" de « ") + objet + QStringLiteral(" »");
    return QStringLiteral("Le champ '") + legende + u'\'' + de + QStringLiteral(" est refusé : ") + refus;
}

} // namespace saisies
