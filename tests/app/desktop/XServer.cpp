// Starting Xvfb and driving X clients.
#include "XServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

namespace {

bool displayTaken(int number)
{
    return QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
        || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number));
}

} // namespace

XServer::~XServer()
{
    m_xvfb.terminate();
    m_xvfb.waitForFinished(5000);
}

bool XServer::start()
{
    for (int number = 80; number < 400; ++number) {
        if (displayTaken(number)) {
            continue;
        }
        const QString display = QStringLiteral(":%1").arg(number);
        m_xvfb.start(QStringLiteral("Xvfb"),
            {display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1366x768x24"),
                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_xvfb.waitForStarted(10000)) {
            return false;
        }
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && m_xvfb.state() == QProcess::Running) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))) {
                qputenv("DISPLAY", display.toLatin1());
                QThread::msleep(200);
                return true;
            }
            m_xvfb.waitForFinished(50);
        }
        // Another server took the number meanwhile: try the next.
        m_xvfb.kill();
        m_xvfb.waitForFinished();
    }
    return false;
}

int runClient(const QString& program, const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    // xclip stays behind to serve the selection; its output must not hold our pipes open.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(10000)) << program.toStdString();
    return process.exitCode();
}

void offerSelection(const char* selection, const QByteArray& data, const char* target)
{
    // xclip takes the selection after it has gone to the background: wait for the new owner.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const auto owner = [&] {
        const QByteArray name = QByteArray(selection).toUpper();
        auto* atom = xcb_intern_atom_reply(connection,
            xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()), nullptr);
        auto* reply = xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
        const xcb_window_t window = reply->owner;
        std::free(atom);
        std::free(reply);
        return window;
    };
    const xcb_window_t before = owner();
    EXPECT_EQ(runClient(QStringLiteral("xclip"),
                  {QStringLiteral("-selection"), QString::fromLatin1(selection),
                      QStringLiteral("-t"), QString::fromLatin1(target), QStringLiteral("-i")},
                  data),
        0);
    const QDeadlineTimer deadline(5000);
    while (owner() == before && !deadline.hasExpired()) {
        QThread::msleep(10);
    }
    xcb_disconnect(connection);
}
