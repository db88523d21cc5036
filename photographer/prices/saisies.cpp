#include "photographer/prices/saisies.h"

#include "common/database.h"
#include "common/report.h"
#include "photographer/data/base.h"

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

void signalerErreurBase(const db::Error& erreur, const QString& action)
{
    report::failure(QStringLiteral("%1 : la base de données %2 n'a pas répondu.").arg(action, base::cheminBase()),
                    erreur.detail());
}

} // namespace saisies
