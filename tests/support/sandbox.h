#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh drive root, home, desktop, configuration folder and program folder
// for one test; the program folder holds copies of the shipped files. Every
// folder and file it makes is checked: a failure fails the test at once.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();

    QString root() const;            // stands for the drive root
    QString programDir() const;      // holds the shipped files
    QString desktop() const;
    QString dataHome() const;        // XDG_DATA_HOME: the programs' data folders
    QString configHome() const;      // XDG_CONFIG_HOME: the settings files
    // Makes the settings file of that name unwritable.
    void blockSettingsFile(const QString& name) const;
    QString path(const QString& relative) const; // under root()

    // Writes a file (parents created) and returns its path; a failed write fails the test.
    static QString writeFile(const QString& path, const QByteArray& bytes);

private:
    QTemporaryDir dir_;
};

// The folder of the test executables, where the build puts the shipped files.
QString buildProgramDir();
