#include "school/workspace/ecole_base.h"

#include "common/paths.h"
#include "school/workspace/module_var.h"

extern const char* const schoolSchema;

namespace ecole {

namespace {
db::ProgramDatabase& connection()
{
    static db::ProgramDatabase database(&cheminBase, schoolSchema);
    return database;
}
} // namespace

QString cheminBase()
{
    return paths::join(mv::CheminDonnees, {QStringLiteral("classevizmora.idx")});
}

db::Database& db()
{
    return connection().get();
}

void fermer()
{
    connection().close();
}

} // namespace ecole
