#include "school/data/base.h"

#include "common/paths.h"
#include "school/data/etat.h"

extern const char* const schoolSchema;

namespace base {

namespace {
db::ProgramDatabase& connection()
{
    static db::ProgramDatabase database(&cheminBase, schoolSchema);
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
