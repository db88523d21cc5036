// Creates a fresh database file from an SQL schema file, through the same
// database layer the programs use to create the tables they lack.
#include "common/database.h"

#include <QFile>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedb SCHEMA.sql OUTPUT\n");
        return 2;
    }
    const QString schemaPath = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QFile schema(schemaPath);
    if (!schema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makedb: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString sql = QString::fromUtf8(schema.readAll());
    QFile::remove(output);
    try {
        db::Database database(output);
        database.script(sql);
    } catch (const db::Error& error) {
        std::fprintf(stderr, "makedb: %s: %s\n", argv[1], qPrintable(error.detail()));
        QFile::remove(output);
        return 1;
    }
    return 0;
}
