#include "common/database.h"

#include "common/files.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <sqlite3.h>

#include <unistd.h>

namespace db {

Error::Error(const QString& message, const QString& detail)
    : std::runtime_error(message.toStdString()), detail_(detail)
{
}

QString Error::message() const
{
    return QString::fromStdString(what());
}

Row::Row(std::shared_ptr<const QStringList> columns, QStringList values)
    : columns_(std::move(columns)), values_(std::move(values))
{
}

QString Row::operator[](QStringView column) const
{
    for (qsizetype i = 0; i < columns_->size(); ++i) {
        if (columns_->at(i).compare(column, Qt::CaseInsensitive) == 0)
            return values_.value(i);
    }
    return {};
}

int compareFrench(const QString& a, const QString& b)
{
    thread_local QCollator collator = [] {
        QCollator c{QLocale(QLocale::French, QLocale::France)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        return c;
    }();
    return collator.compare(a, b);
}

namespace {

// What the user reads for a SQLite result code: the file named, and whether
// a change was lost or the data could not be read.
QString frenchText(int code, bool writing, const QString& path)
{
    const QString file = QDir::toNativeSeparators(path);
    const QString lost = QStringLiteral("la modification n'a pas été enregistrée.");
    switch (code & 0xFF) {
    case SQLITE_READONLY:
        if (writing)
            return QStringLiteral("La base %1 est en lecture seule : %2 Pour enregistrer, rendez ce fichier "
                                  "modifiable, puis redémarrez le programme.")
                .arg(file, lost);
        // A change cut short left its journal beside a file that cannot take it back.
        if (code == SQLITE_READONLY_ROLLBACK)
            return QStringLiteral("La base %1 est en lecture seule et garde une modification interrompue qui doit "
                                  "y être annulée : elle ne peut pas être lue. Rendez ce fichier modifiable, puis "
                                  "redémarrez le programme.")
                .arg(file);
        return QStringLiteral("La base %1 est en lecture seule et n'a pas pu être lue. Rendez ce fichier "
                              "modifiable, puis redémarrez le programme.")
            .arg(file);
    case SQLITE_NOTADB:
        return QStringLiteral("Le fichier %1 n'est pas une base de données.").arg(file);
    case SQLITE_CORRUPT:
        return QStringLiteral("La base %1 est endommagée.").arg(file);
    case SQLITE_FULL:
        return QStringLiteral("Le disque est plein : la base %1 n'a pas pu être modifiée, %2").arg(file, lost);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("La base %1 est occupée par un autre programme : %2")
            .arg(file, writing ? lost : QStringLiteral("elle n'a pas pu être lue."));
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return writing ? QStringLiteral("La base %1 n'a pas pu être ouverte en écriture : %2").arg(file, lost)
                       : QStringLiteral("La base %1 n'a pas pu être ouverte.").arg(file);
    case SQLITE_IOERR:
        return writing ? QStringLiteral("La base %1 n'a pas pu être écrite sur le disque : %2").arg(file, lost)
                       : QStringLiteral("La base %1 n'a pas pu être lue sur le disque.").arg(file);
    case SQLITE_CONSTRAINT:
        return QStringLiteral("La base %1 a refusé la modification : elle n'a pas été enregistrée.").arg(file);
    default:
        return writing ? QStringLiteral("La base %1 n'a pas pu être modifiée : %2").arg(file, lost)
                       : QStringLiteral("La base %1 n'a pas pu être lue.").arg(file);
    }
}

int frenchCollation(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const int order = compareFrench(QString::fromUtf8(static_cast<const char*>(a), lengthA),
                                    QString::fromUtf8(static_cast<const char*>(b), lengthB));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace

struct Database::Statement {
    QString sql;
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

Database::Database(const QString& path) : path_(path)
{
    const bool inMemory = path == u":memory:";
    const QByteArray file = inMemory ? path.toUtf8() : QFileInfo(path).absoluteFilePath().toUtf8();
    const int opened = sqlite3_open_v2(file.constData(), &handle_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                       nullptr);
    if (opened != SQLITE_OK) {
        const QString reason = handle_ ? QString::fromUtf8(sqlite3_errmsg(handle_)) : QString();
        sqlite3_close(handle_);
        handle_ = nullptr;
        throw Error(frenchText(opened, false, path), path + QStringLiteral(" : ") + reason);
    }
    sqlite3_extended_result_codes(handle_, 1);
    sqlite3_busy_timeout(handle_, 2000);
    try {
        // Names, classes and groups are compared with it: without it, statements fail later, far from the cause.
        if (const int rc = sqlite3_create_collation_v2(handle_, "FR", SQLITE_UTF8, nullptr, frenchCollation, nullptr);
            rc != SQLITE_OK)
            fail(rc, false, QStringLiteral("collation FR"));
        // Rollback journal: the database stays one self-contained file to copy or hand over.
        script(QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;"));
        // Fails here, with a clear message, for a file that is not a database.
        query(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        // SQLite writes its journal beside the file: a folder that takes no file takes no change either.
        readOnly_ = !inMemory
            && (sqlite3_db_readonly(handle_, "main") == 1
                || ::access(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), W_OK | X_OK) != 0);
    } catch (const Error& error) {
        const int extended = sqlite3_extended_errcode(handle_);
        const int code = extended & 0xFF;
        // The destructor does not run for a half-built object: the file is let go here.
        cache_.clear();
        sqlite3_close(handle_);
        handle_ = nullptr;
        // Nothing was being changed yet: a lock here means the file is in use, and nothing else was lost.
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            throw Error(QStringLiteral("La base %1 est utilisée par un autre programme : elle n'a pas pu être ouverte.")
                            .arg(QDir::toNativeSeparators(path)),
                        error.detail());
        throw Error(frenchText(extended, false, path), error.detail());
    }
}

Database::~Database()
{
    cache_.clear();
    sqlite3_close(handle_);
}

void Database::fail(int code, bool writing, const QString& sql)
{
    throw Error(frenchText(code, writing, path_),
                QStringLiteral("%1 : %2 (%3)").arg(path_, QString::fromUtf8(sqlite3_errmsg(handle_)), sql));
}

namespace {

// SQLITE_OK, else the first failed bind's code (a parameter past the
// statement's count, a value too big).
int bindAll(sqlite3_stmt* statement, const Params& params)
{
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& value = params[i];
        const int slot = i + 1;
        int rc;
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(statement, slot, value.toLongLong());
            break;
        default:
            if (value.isNull() && value.typeId() != QMetaType::QString) {
                rc = sqlite3_bind_null(statement, slot);
            } else {
                const QByteArray text = value.toString().toUtf8();
                rc = sqlite3_bind_text(statement, slot, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
        }
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

} // namespace

Database::Statement& Database::prepare(const QString& sql, const Params& params, bool writing)
{
    Statement* found = nullptr;
    for (auto& statement : cache_) {
        if (statement->sql == sql) {
            sqlite3_reset(statement->handle);
            sqlite3_clear_bindings(statement->handle);
            found = statement.get();
            break;
        }
    }
    if (!found) {
        auto statement = std::make_unique<Statement>();
        statement->sql = sql;
        const QByteArray text = sql.toUtf8();
        const int prepared =
            sqlite3_prepare_v2(handle_, text.constData(), int(text.size()), &statement->handle, nullptr);
        if (prepared != SQLITE_OK) {
            // A change the file could never take is refused as such, whatever else is wrong with it
            // (a table it lacks, as an earlier build made it).
            if (readOnly_ && writing)
                refuseChange(sql);
            fail(prepared, writing, sql);
        }
        cache_.push_back(std::move(statement));
        found = cache_.back().get();
    }
    if (const int bound = bindAll(found->handle, params); bound != SQLITE_OK)
        fail(bound, writing, sql);
    // A copy in memory would take the change and lose it unseen.
    if (readOnly_ && !sqlite3_stmt_readonly(found->handle))
        refuseChange(sql);
    return *found;
}

Rows Database::query(const QString& sql, const Params& params)
{
    Statement& statement = prepare(sql, params, false);
    const int count = sqlite3_column_count(statement.handle);
    auto columns = std::make_shared<QStringList>();
    for (int i = 0; i < count; ++i)
        columns->append(QString::fromUtf8(sqlite3_column_name(statement.handle, i)));
    Rows rows;
    for (;;) {
        const int rc = sqlite3_step(statement.handle);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW) {
            sqlite3_reset(statement.handle);
            fail(rc, false, sql);
        }
        QStringList values;
        values.reserve(count);
        for (int i = 0; i < count; ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement.handle, i));
            values.append(text ? QString::fromUtf8(text, sqlite3_column_bytes(statement.handle, i))
                               : QString(""));
        }
        rows.emplace_back(columns, std::move(values));
    }
    sqlite3_reset(statement.handle);
    return rows;
}

QString Database::scalar(const QString& sql, const Params& params)
{
    const Rows rows = query(sql, params);
    return rows.empty() ? QString("") : rows.front().at(0);
}

int Database::exec(const QString& sql, const Params& params)
{
    Statement& statement = prepare(sql, params, true);
    int rc;
    while ((rc = sqlite3_step(statement.handle)) == SQLITE_ROW) {
    }
    sqlite3_reset(statement.handle);
    if (rc != SQLITE_DONE)
        fail(rc, true, sql);
    return sqlite3_changes(handle_);
}

qint64 Database::insert(const QString& sql, const Params& params)
{
    exec(sql, params);
    return sqlite3_last_insert_rowid(handle_);
}

void Database::refuseChange(const QString& sql)
{
    throw Error(frenchText(SQLITE_READONLY, true, path_),
                QStringLiteral("%1 : base ouverte en lecture seule (%2)").arg(path_, sql));
}

void Database::script(const QString& sql)
{
    if (readOnly_)
        refuseChange(sql);
    char* error = nullptr;
    const int rc = sqlite3_exec(handle_, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        throw Error(frenchText(rc, true, path_), path_ + QStringLiteral(" : ") + reason);
    }
}

bool Database::hasTable(const QString& table)
{
    return !query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?"),
                  {table})
                .empty();
}

QString Database::backupWorkName(const QString& target)
{
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".en-cours");
}

bool Database::isBackupWork(const QString& fileName)
{
    return fileName.startsWith(u'.')
        && (fileName.endsWith(QStringLiteral(".en-cours")) || fileName.endsWith(QStringLiteral(".en-cours-journal")));
}

void Database::backupTo(const QString& target)
{
    const QString work = backupWorkName(target);
    const QString journal = work + QStringLiteral("-journal");
    // The journal of a cut backup would be played back into this one.
    QFile::remove(journal);
    QFile::remove(work);
    sqlite3* destination = nullptr;
    const auto failure = [&](int code, const QString& reason) {
        sqlite3_close(destination);
        QFile::remove(journal);
        QFile::remove(work);
        const QString full = (code & 0xFF) == SQLITE_FULL ? QStringLiteral(" Le disque est plein.") : QString();
        throw Error(QStringLiteral("La sauvegarde %1 n'a pas pu être écrite.").arg(QDir::toNativeSeparators(target))
                        + full,
                    target + QStringLiteral(" : ") + reason);
    };
    const auto reason = [&] { return QString::fromUtf8(sqlite3_errmsg(destination)); };
    if (const int opened = sqlite3_open(work.toUtf8().constData(), &destination); opened != SQLITE_OK)
        failure(opened, reason());
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", handle_, "main");
    if (!backup)
        failure(sqlite3_errcode(destination), reason());
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE || finished != SQLITE_OK)
        failure(stepped != SQLITE_DONE ? stepped : finished, reason());
    const int closed = sqlite3_close(destination);
    destination = nullptr;
    if (closed != SQLITE_OK)
        failure(closed, QStringLiteral("close"));
    // The copy takes the backup's name only whole and on the disk.
    const QString placed = files::putInPlace(work, target);
    if (!placed.isEmpty())
        failure(SQLITE_IOERR, placed);
}

namespace {

// An identifier of our own schema (never data) written into SQL text.
QString quotedName(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

void Database::addMissingColumns(const QString& schema, FillAdded fill)
{
    Database expected(QStringLiteral(":memory:"));
    expected.script(schema);
    const QString tables = QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name");
    const QString columns = QStringLiteral("SELECT name, type FROM pragma_table_info(?1)");
    QStringList added;
    QStringList statements;
    for (const Row& table : expected.query(tables)) {
        const QString name = table.at(0);
        if (!hasTable(name))
            continue;
        QStringList present;
        for (const Row& column : query(columns, {name}))
            present << column.at(0);
        for (const Row& column : expected.query(columns, {name})) {
            if (present.contains(column.at(0), Qt::CaseInsensitive))
                continue;
            added << name + u'.' + column.at(0);
            statements << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                              .arg(quotedName(name), quotedName(column.at(0)), column.at(1));
        }
    }
    // A file that lacks nothing takes no write lock: it opens as before while another program writes to it.
    if (added.isEmpty())
        return;
    Transaction transaction(*this);
    for (const QString& statement : statements)
        exec(statement);
    if (fill)
        fill(*this, added);
    transaction.commit();
}

std::unique_ptr<Database> Database::upToDateCopy(const QString& schema, FillAdded fill)
{
    auto copy = std::make_unique<Database>(QStringLiteral(":memory:"));
    sqlite3_backup* backup = sqlite3_backup_init(copy->handle_, "main", handle_, "main");
    if (!backup)
        fail(sqlite3_errcode(copy->handle_), false, QStringLiteral("copie en mémoire"));
    sqlite3_backup_step(backup, -1);
    if (const int finished = sqlite3_backup_finish(backup); finished != SQLITE_OK)
        fail(finished, false, QStringLiteral("copie en mémoire"));
    copy->script(schema);
    copy->addMissingColumns(schema, fill);
    // From here on the copy stands for the file: it is named as the file and refuses what the file would.
    copy->path_ = path_;
    copy->readOnly_ = true;
    return copy;
}

Database& ProgramDatabase::get()
{
    const QString path = path_();
    if (!database_ || database_->path() != path) {
        database_.reset();
        auto opened = std::make_unique<Database>(path);
        const QString schema = QString::fromUtf8(schema_);
        if (opened->readOnly()) {
            // The tables and columns it lacks cannot be written into the file: none of their rows can exist.
            database_ = opened->upToDateCopy(schema, fill_);
            return *database_;
        }
        opened->script(schema);
        opened->addMissingColumns(schema, fill_);
        database_ = std::move(opened);
    }
    return *database_;
}

Database::Transaction::Transaction(Database& database) : database_(database)
{
    database_.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Database::Transaction::~Transaction()
{
    if (!done_) {
        try {
            database_.exec(QStringLiteral("ROLLBACK"));
        } catch (const Error&) {
            // The connection already rolled back on its own.
        }
    }
}

void Database::Transaction::commit()
{
    database_.exec(QStringLiteral("COMMIT"));
    done_ = true;
}

} // namespace db
