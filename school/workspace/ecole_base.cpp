#include "school/workspace/ecole_base.h"

#include "common/paths.h"
#include "school/workspace/module_var.h"

#include <memory>

extern const char* const schoolSchema;

namespace ecole {

namespace {
std::unique_ptr<db::Database>& connection()
{
    static std::unique_ptr<db::Database> database;
    return database;
}
} // namespace

QString cheminBase()
{
    return paths::join(mv::CheminDonnees, {QStringLiteral("classevizmora.idx")});
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
    return QString::fromUtf8(schoolSchema);
}

} // namespace ecole
