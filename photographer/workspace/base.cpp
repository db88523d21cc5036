#include "photographer/workspace/base.h"

#include "common/paths.h"
#include "photographer/workspace/etat.h"

#include <memory>

extern const char* const photographerSchema;

namespace base {

namespace {
std::unique_ptr<db::Database>& connection()
{
    static std::unique_ptr<db::Database> database;
    return database;
}
} // namespace

QString cheminBase()
{
    return paths::join(etat::CheminDonnees, {QStringLiteral("zlvsyst.idx")});
}

db::Database& db()
{
    auto& database = connection();
    if (!database || database->path() != cheminBase()) {
        database.reset();
        auto opened = std::make_unique<db::Database>(cheminBase());
        opened->script(schema());
        database = std::move(opened);
    }
    return *database;
}

void fermer()
{
    connection().reset();
}

QString schema()
{
    return QString::fromUtf8(photographerSchema);
}

} // namespace base
