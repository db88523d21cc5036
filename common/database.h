#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;

namespace db {

// A failed open, statement or commit. message() is the French text for the
// user, naming the file and what could not be done; detail() is the
// technical text (SQLite's own message, the statement) for the standard
// error output, never for a message box.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message, const QString& detail = {});
    QString message() const;
    QString detail() const { return detail_; }

private:
    QString detail_;
};

// One row read as text: NULL reads as "".
class Row {
public:
    Row(std::shared_ptr<const QStringList> columns, QStringList values);
    QString operator[](QStringView column) const;
    QString at(int index) const { return values_.value(index); }
    int size() const { return int(values_.size()); }

private:
    std::shared_ptr<const QStringList> columns_;
    QStringList values_;
};
using Rows = std::vector<Row>;

// Bound parameters: QString binds as text, integers as integers, a null
// QVariant as NULL.
using Params = QVariantList;

// One SQLite file. Every statement is prepared with bound parameters, never
// built from data. The French collation "FR" (case-insensitive, accent-aware)
// is registered on every connection for names, classes and groups.
class Database {
public:
    // Opens an existing file (or creates it); throws Error.
    explicit Database(const QString& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }
    // True when the file can only be read (its permissions or its folder's,
    // a read-only disk, for root too): every change is refused with the
    // read-only message before it reaches SQLite.
    bool readOnly() const { return readOnly_; }

    Rows query(const QString& sql, const Params& params = {});
    // The first column of the first row, or "" when there is none.
    QString scalar(const QString& sql, const Params& params = {});
    // Runs one statement; returns the number of rows it changed.
    int exec(const QString& sql, const Params& params = {});
    // Runs one INSERT; returns the key the database assigned.
    qint64 insert(const QString& sql, const Params& params = {});
    // Runs several statements without parameters (schemas).
    void script(const QString& sql);

    // Copies the whole database into another file with SQLite's online
    // backup. The copy is made under backupWorkName(target), synced, then
    // renamed: a file under the target's name is always a whole, consistent
    // database. A failure removes the work copy; throws Error.
    void backupTo(const QString& target);
    // The hidden work name of a backup to target, beside it: with its
    // "-journal", what a backup cut by a power cut leaves.
    static QString backupWorkName(const QString& target);
    // True for the file name of a backup's work copy or of its journal.
    static bool isBackupWork(const QString& fileName);

    bool hasTable(const QString& table);

    // The values of columns just added to an earlier file, named "Table.Column".
    using FillAdded = void (*)(Database& database, const QStringList& added);

    // Gives each table of the schema that this file already holds the columns
    // it lacks (a file made by an earlier build); its rows stay. fill, when
    // given, sets the new columns in the same transaction, so that the file
    // never holds them unfilled. Throws Error.
    void addMissingColumns(const QString& schema, FillAdded fill = nullptr);

    // For a file that can only be read: its content in memory under the
    // file's name, given the schema's tables and columns that it lacks (a
    // file made by an earlier build, or a template), then refusing every
    // change as the file does. Nothing is ever written to the file. Throws Error.
    std::unique_ptr<Database> upToDateCopy(const QString& schema, FillAdded fill = nullptr);

    // A change of several rows: rolled back unless commit() is reached.
    class Transaction {
    public:
        explicit Transaction(Database& database);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        Database& database_;
        bool done_ = false;
    };

private:
    struct Statement;
    // The statement, from the cache or newly prepared, with the parameters
    // bound; throws Error when it cannot be prepared or a value cannot be bound.
    Statement& prepare(const QString& sql, const Params& params, bool writing);
    // Throws the French text for SQLite's result code; writing tells a
    // refused change from a failed read.
    [[noreturn]] void fail(int code, bool writing, const QString& sql);
    // Throws the read-only message for a change asked of a read-only file.
    [[noreturn]] void refuseChange(const QString& sql);

    QString path_;
    bool readOnly_ = false;
    sqlite3* handle_ = nullptr;
    std::vector<std::unique_ptr<Statement>> cache_;
};

// A program's one connection to its database file: opened on first use with
// the tables and columns it lacks created (in a copy in memory for a file
// that can only be read), reopened when the file's path changes, closed
// before the file is copied over or replaced.
class ProgramDatabase {
public:
    ProgramDatabase(QString (*path)(), const char* schema, Database::FillAdded fill = nullptr)
        : path_(path), schema_(schema), fill_(fill)
    {
    }
    // Throws Error when the file cannot be opened.
    Database& get();
    void close() { database_.reset(); }

private:
    QString (*path_)();
    const char* schema_;
    Database::FillAdded fill_;
    std::unique_ptr<Database> database_;
};

// The French comparison used by the collation, for sorting in memory the same way.
int compareFrench(const QString& a, const QString& b);

} // namespace db
