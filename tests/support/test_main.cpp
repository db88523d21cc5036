#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "common/wallclock.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing a test does may reach the real home before a Sandbox is made.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("SCHOOLPHOTO_ROOT", (home.path() + QStringLiteral("/root")).toUtf8());
    // Qt's runtime folder, private as it wants it: without one Qt names its own default on stderr at
    // every start of a test program, the listing of their tests during the build among them.
    const QString runtime = home.path() + QStringLiteral("/runtime");
    QDir().mkdir(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Every test reads one moment, so that none of them fails when a run crosses midnight.
    const wallclock::Fixed moment(QDateTime(QDate(2026, 3, 9), QTime(14, 30, 5)));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
