#include "common/namesakes.h"

#include "common/text.h"

namespace namesakes {

namespace {

const QString kExtension = QStringLiteral(".jpg");

} // namespace

QString key(const QString& name)
{
    return text::composed(name).toCaseFolded();
}

QString numbered(const QString& fileName, int number)
{
    if (number <= 1)
        return fileName;
    const QString suffix = QLatin1Char('_') + QString::number(number);
    if (fileName.endsWith(kExtension, Qt::CaseInsensitive))
        return fileName.chopped(kExtension.size()) + suffix + fileName.right(kExtension.size());
    return fileName + suffix;
}

QString unnumbered(const QString& fileName, int number)
{
    if (number <= 1)
        return fileName;
    const QString suffix = QLatin1Char('_') + QString::number(number);
    if (fileName.endsWith(suffix + kExtension, Qt::CaseInsensitive))
        return fileName.chopped(suffix.size() + kExtension.size()) + fileName.right(kExtension.size());
    if (fileName.endsWith(suffix))
        return fileName.chopped(suffix.size());
    return fileName;
}

UniqueNames::UniqueNames(const QStringList& reserved)
{
    for (const QString& name : reserved)
        taken_.insert(key(name));
}

int UniqueNames::takeNumber(const QString& name)
{
    int number = 1;
    while (taken_.contains(key(numbered(name, number))))
        ++number;
    taken_.insert(key(numbered(name, number)));
    return number;
}

QString UniqueNames::take(const QString& name)
{
    return numbered(name, takeNumber(name));
}

} // namespace namesakes
