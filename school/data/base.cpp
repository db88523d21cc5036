#include "school/data/base.h"

#include "common/paths.h"
#include "school/data/etat.h"

extern const char* const schoolSchema;

namespace base {

namespace {

// A database made before NomPhoto still names each picture: the package
// writes the student's order code into CodeEtablissement and NomPhoto alike,
// and the picture is filed under that code. Left empty, the column would hide
// every delivered portrait.
void remplirColonnesAjoutees(db::Database& base, const QStringList& ajoutees)
{
    if (ajoutees.contains(QStringLiteral("Eleves.NomPhoto"), Qt::CaseInsensitive))
        base.exec(QStringLiteral("UPDATE Eleves SET NomPhoto = CodeEtablissement"));
}

db::ProgramDatabase& connection()
{
    static db::ProgramDatabase database(&cheminBase, schoolSchema, &remplirColonnesAjoutees);
    return database;
}

} // namespace

QString cheminBase()
{
    return paths::join(etat::CheminDonnees, {QStringLiteral("classevizmora.idx")});
}

db::Database& db()
{
    return connection().get();
}

void fermer()
{
    connection().close();
}

} // namespace base
