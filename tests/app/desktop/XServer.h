// An Xvfb on the first free display number, for the lifetime of the test program; DISPLAY points
// at it once it accepts clients. Also the helpers the tests use on it: xclip and xdotool.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class XServer
{
public:
    ~XServer();
    bool start();
    QString runtimeFolder() const { return m_runtime.path(); }

private:
    QProcess m_xvfb;
    QTemporaryDir m_runtime;
};

// Runs an X client to its end (xclip, xdotool) and gives its exit code. input goes to its
// standard input.
int runClient(const QString& program, const QStringList& arguments, const QByteArray& input = {});
// Puts data on a selection ("primary" or "clipboard") as the target type, through xclip.
void offerSelection(
    const char* selection, const QByteArray& data, const char* target = "UTF8_STRING");
