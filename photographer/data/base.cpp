#include "photographer/data/base.h"

#include "common/paths.h"
#include "photographer/data/etat.h"

extern const char* const photographerSchema;
extern const char* const travauxEnCoursSchema;
extern const char* const numerosPhotosSchema;

namespace base {

namespace {
// The tables of the templates, then the records of jobs in progress and the namesakes' numbers,
// which only this file holds.
const char* fullSchema()
{
    static const QByteArray schema =
        QByteArray(photographerSchema) + '\n' + travauxEnCoursSchema + '\n' + numerosPhotosSchema;
    return schema.constData();
}

db::ProgramDatabase& connection()
{
    static db::ProgramDatabase database(&cheminBase, fullSchema());
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
    return QString::fromUtf8(fullSchema());
}

} // namespace base
