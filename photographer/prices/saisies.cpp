#include "photographer/prices/saisies.h"

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

} // namespace saisies
