#include "tests/support/golden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <gtest/gtest.h>

void expectGolden(const QByteArray& actual, const QString& relativePath)
{
    const QString path = QStringLiteral(SCHOOLPHOTO_TESTS_DIR "/") + relativePath;
    QFile file(path);
    if (qEnvironmentVariableIntValue("SCHOOLPHOTO_UPDATE_GOLDEN") == 1) {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly)
            || file.write(actual) != actual.size() || !file.flush())
            ADD_FAILURE() << "cannot write the expected copy " << path.toStdString();
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no expected copy " << path.toStdString()
                      << " (SCHOOLPHOTO_UPDATE_GOLDEN=1 writes it)";
        return;
    }
    const QByteArray expected = file.readAll();
    if (actual == expected)
        return;
    const QList<QByteArray> expectedLines = expected.split('\n');
    const QList<QByteArray> actualLines = actual.split('\n');
    qsizetype line = 0;
    while (line < expectedLines.size() && line < actualLines.size() && expectedLines[line] == actualLines[line])
        ++line;
    ADD_FAILURE() << relativePath.toStdString() << " differs from line " << line + 1 << "\n  expected: "
                  << expectedLines.value(line).toStdString() << "\n  actual:   "
                  << actualLines.value(line).toStdString();
}
