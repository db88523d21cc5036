#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Files named after people: two students who bear the same names must never
// share a file, and the one who came first keeps the plain name.
namespace namesakes {

// One key for the spellings a folder, or a disc read on another system,
// cannot tell apart: case, and an accent written as one character or two.
QString key(const QString& name);

// The file name with "_<number>" before its ".jpg" (at its end when it has
// none): "DUPONT Jean.jpg", 2 gives "DUPONT Jean_2.jpg". Number 1 (or less)
// leaves the name as it is.
QString numbered(const QString& fileName, int number);

// The file name that numbered(name, number) made it from: "DUPONT Jean_2.jpg", 2
// gives "DUPONT Jean.jpg". A name that does not bear that number stays as it is.
QString unnumbered(const QString& fileName, int number);

// The names given in one folder, so that no two entries share one: a name
// already given there (key()) gets the first free number from 2.
class UniqueNames {
public:
    explicit UniqueNames(const QStringList& reserved = {});
    // The number the name takes (1 for the name itself); it is taken now.
    int takeNumber(const QString& name);
    // The name numbered so (numbered()).
    QString take(const QString& name);

private:
    QSet<QString> taken_;
};

} // namespace namesakes
