#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh drive root, home, desktop, configuration folder and program folder
// for one test; the program folder holds copies of the shipped files.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();

    QString root() const;            // stands for the drive root
    QString programDir() const;      // holds the shipped files
    QString desktop() const;
    QString dataHome() const;        // XDG_DATA_HOME: the programs' data folders
    QString path(const QString& relative) const; // under root()

    // Writes a file (parents created) and returns its path.
    static QString writeFile(const QString& path, const QByteArray& bytes);

private:
    QTemporaryDir dir_;
};

// The folder of the test executables, where the build puts the shipped files.
QString buildProgramDir();
