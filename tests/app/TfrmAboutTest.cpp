// The About box: its texts, and the keys that close it.
#include "TfrmAbout.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QString labelText(const QWidget& form, const char* name)
{
    const auto* label = form.findChild<QLabel*>(name);
    return label ? label->text() : QString("<missing %1>").arg(name);
}

} // namespace

TEST(TfrmAbout, ShowsProductVersionAndThisYearsCopyright)
{
    for (int opening = 0; opening < 2; ++opening) {
        TfrmAbout about;
        EXPECT_EQ(about.windowTitle(), "About");
        EXPECT_EQ(about.size(), QSize(367, 192));
        EXPECT_EQ(labelText(about, "labProduct"), "Quendra");
        EXPECT_EQ(labelText(about, "labVer"), "Ver 4.0.0 (Build 20160809)");
        const QString year = QString::number(QDate::currentDate().year());
        EXPECT_TRUE(labelText(about, "labCopy").contains("2010-" + year))
            << labelText(about, "labCopy").toStdString();
    }
}

TEST(TfrmAbout, OkAndEscapeCloseWithOk)
{
    struct Case
    {
        const char* name;
        std::function<void(TfrmAbout&)> close;
    };
    const Case cases[] = {
        {"OK button",
            [](TfrmAbout& about) {
                QTest::mouseClick(about.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
            }},
        {"Enter", [](TfrmAbout& about) { QTest::keyClick(&about, Qt::Key_Return); }},
        {"Esc", [](TfrmAbout& about) { QTest::keyClick(&about, Qt::Key_Escape); }},
    };
    for (const Case& c : cases) {
        TfrmAbout about;
        QTimer::singleShot(0, &about, [&] { c.close(about); });
        QTimer::singleShot(2000, &about, [&] { about.done(-1); });
        EXPECT_EQ(about.exec(), QDialog::Accepted) << c.name;
    }
}
