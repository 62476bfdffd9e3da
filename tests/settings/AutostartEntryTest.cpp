// Starting with the session: the entry in the user's autostart folder, written and removed.
#include "AutostartEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AutostartEntry, IsWrittenToStartInTheTrayAndRemovedAgain)
{
    QTemporaryDir config;
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    EXPECT_EQ(
        AutostartEntry::path(), config.filePath("autostart/example.tarnwick.Quendra.desktop"));
    EXPECT_FALSE(AutostartEntry::exists());
    // The autostart folder does not exist yet.
    ASSERT_TRUE(AutostartEntry::setEnabled(true));
    QFile entry(AutostartEntry::path());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(
        QStringLiteral("\nExec=%1 --tray\n").arg(QCoreApplication::applicationFilePath())))
        << text.toStdString();
    EXPECT_TRUE(AutostartEntry::setEnabled(false));
    EXPECT_FALSE(AutostartEntry::exists());
    // Removing what is not there is no failure.
    EXPECT_TRUE(AutostartEntry::setEnabled(false));
    // A folder that cannot be made: a file is in its place.
    ASSERT_TRUE(QDir(config.filePath("autostart")).removeRecursively());
    QFile blocker(config.filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(AutostartEntry::setEnabled(true));
    qputenv("XDG_CONFIG_HOME", before);
}
