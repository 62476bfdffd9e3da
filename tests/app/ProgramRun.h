// Runs a program as a child process the way a script would: no display, no platform chosen,
// HOME and the rest of the environment as the test says.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

struct ProgramOutcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline QProcessEnvironment scriptEnvironment(const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
        {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("HOME"), home);
    return environment;
}

inline ProgramOutcome runProgram(const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment, const QByteArray& input = {},
    std::function<void()> childSetup = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (childSetup) {
        process.setChildProcessModifier(childSetup);
    }
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}
