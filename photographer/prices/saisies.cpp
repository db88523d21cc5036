#include "photographer/prices/saisies.h"

#include "common/database.h"
#include "common/report.h"
#include "common/ui/key_filter.h"
#include "photographer/data/base.h"

#include <QLineEdit>

namespace saisies {

void brancherPrix(QLineEdit* boite)
{
    filterKeys(boite, QStringLiteral("1234567890,."));
    QObject::connect(boite, &QLineEdit::textChanged, boite, [boite](const QString& texte) {
        if (!texte.contains(u'.'))
            return;
        QString virgule = texte;
        boite->setText(virgule.replace(u'.', u','));
        boite->end(false);
    });
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
