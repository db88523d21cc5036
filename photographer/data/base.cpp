#include "photographer/data/base.h"

#include "common/paths.h"
#include "photographer/data/etat.h"

extern const char* const photographerSchema;

namespace base {

namespace {
db::ProgramDatabase& connection()
{
    static db::ProgramDatabase database(&cheminBase, photographerSchema);
    return database;
}
} // namespace

QString cheminBase()
{
    return paths::join(etat::CheminDonnees, {QStringLiteral("zlvsyst.idx")});
}

db::Database& db()
{
    return connection().get();
}

void fermer()
{
    connection().close();
}

QString schema()
{
    return QString::fromUtf8(photographerSchema);
}

} // namespace base
