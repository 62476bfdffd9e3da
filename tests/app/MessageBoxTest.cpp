// Message boxes and the application's error report.
#include "MessageBox.h"

#include "ErrorReport.h"
#include "Exception.h"
#include "MessageCapture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct BoxCase
{
    int kind;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton pressed;
    int expectedResult;
};

} // namespace

TEST(MessageBoxTest, KindsGiveIconButtonsAndResult)
{
    QCoreApplication::setApplicationName(QStringLiteral("Quendra"));
    const BoxCase cases[] = {
        {0, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, MessageBox::Ok},
        {1, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok, MessageBox::Ok},
        {2, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, MessageBox::Ok},
        {3, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
            MessageBox::Cancel},
        {3, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
            MessageBox::Ok},
        {7, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, MessageBox::Ok},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.kind);
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons seenButtons;
        QString seenCaption;
        QString seenText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seenIcon = box->icon();
            seenButtons = box->standardButtons();
            seenCaption = box->windowTitle();
            seenText = box->text();
            box->button(c.pressed)->click();
        });
        EXPECT_EQ(showMessageBox("Proxy refused the request", c.kind), c.expectedResult);
        EXPECT_EQ(seenIcon, c.icon);
        EXPECT_EQ(seenButtons, c.buttons);
        EXPECT_EQ(seenCaption, QStringLiteral("Quendra"));
        EXPECT_EQ(seenText, QStringLiteral("Proxy refused the request"));
    }
}

TEST(ErrorReportTest, FullStopAddedOnlyAfterCharactersSortingAfterIt)
{
    const struct
    {
        QString raised;
        QString shown;
    } cases[] = {
        {"Line too long", "Line too long."},
        {"Internet Connection Closed.", "Internet Connection Closed."},
        {"Socket Error # 10060\r\nConnection timed out.",
            "Socket Error # 10060\r\nConnection timed out."},
        {"'' is not a valid integer value", "'' is not a valid integer value."},
        {"Are you there?", "Are you there?."},
        {"Stop!", "Stop!"},
        {"", ""},
        {"50%", "50%"},
        {"(closed)", "(closed)"},
        {"Wait -", "Wait -"},
        {"port:", "port:."},
        {QString::fromUtf8("मराठी"), QString::fromUtf8("मराठी.")},
    };
    for (const auto& c : cases) {
        MessageCapture capture;
        runCommand([&] { throw Exception(c.raised.toLocal8Bit().toStdString()); });
        EXPECT_EQ(capture.shown, (std::vector<ShownMessage> {{c.shown, 1}}));
    }
}

TEST(ErrorReportTest, AbortIsSilentAndOtherFailuresAreReported)
{
    MessageCapture capture;
    runCommand([] { throw AbortException(); });
    EXPECT_TRUE(capture.shown.empty());

    runCommand([] { throw std::runtime_error("Out of range"); });
    runCommand([] {});
    EXPECT_EQ(capture.shown, (std::vector<ShownMessage> {{"Out of range.", 1}}));
}
