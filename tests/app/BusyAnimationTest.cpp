// The busy indicator: the animation comes from the bundle beside the executable at each start.
#include "BusyAnimation.h"

#include "Exception.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMovie>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.message();
    }
    return {};
}

class BusyAnimationTest : public ::testing::Test
{
protected:
    void TearDown() override { setBusyBundlePathForTesting({}); }
    QLabel image;
};

} // namespace

TEST_F(BusyAnimationTest, PlaysTheBundledAnimationAndReleasesTheBundle)
{
    for (int run = 0; run < 2; ++run) {
        startBusyAnimation(&image, "loading");
        QMovie* movie = image.movie();
        ASSERT_NE(movie, nullptr);
        EXPECT_EQ(movie->state(), QMovie::Running);
        EXPECT_GT(movie->frameCount(), 1);
        EXPECT_EQ(image.size(), QSize(44, 16));
        // The window's background shows around the dots.
        EXPECT_EQ(movie->currentImage().pixelColor(0, 0).alpha(), 0);
        // Read afresh at each start: nothing of the bundle stays registered.
        EXPECT_FALSE(QFile::exists(QStringLiteral(":/GIF/LOADING")));

        stopBusyAnimation(&image);
        EXPECT_EQ(image.movie(), nullptr);
    }
}

TEST_F(BusyAnimationTest, MissingBundleOrResourceOrBadPictureFails)
{
    QTemporaryDir empty;
    const struct
    {
        QString bundle;
        std::string name;
        std::string expected;
    } cases[] = {
        {empty.filePath("TarnwickSys.rcc"), "loading", "Resource LOADING not found"},
        {QStringLiteral(BROKEN_BUNDLE) + ".missing", "Loading", "Resource LOADING not found"},
        {QString(), "spinner", "Resource SPINNER not found"},
    };
    for (const auto& c : cases) {
        setBusyBundlePathForTesting(c.bundle);
        EXPECT_EQ(failureOf([&] { startBusyAnimation(&image, c.name); }), c.expected);
        EXPECT_EQ(image.movie(), nullptr);
    }

    setBusyBundlePathForTesting(QStringLiteral(BROKEN_BUNDLE));
    EXPECT_FALSE(failureOf([&] { startBusyAnimation(&image, "loading"); }).empty());
    EXPECT_EQ(image.movie(), nullptr);
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/GIF/LOADING")));
}
