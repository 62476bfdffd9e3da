// The base window: what derived windows inherit and what its creation step does to panels.
#include "TfrmRoot.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

class PanelForm : public TfrmRoot
{
public:
    PanelForm()
    {
        QPalette red = palette();
        red.setColor(QPalette::Window, Qt::red);
        plain = new QFrame(this);
        coloured = new QFrame(new QWidget(this));
        coloured->setPalette(red);
        label = new QLabel("not a panel", this);
        label->setPalette(red);
        formCreate();
    }

    QFrame* plain;
    QFrame* coloured;
    QLabel* label;
};

TEST(TfrmRoot, ControlsInheritTheFontAndOnlyColouredPanelsPaintThemselves)
{
    PanelForm form;
    EXPECT_EQ(form.windowTitle(), "frmRoot");
    EXPECT_EQ(form.label->font().family(), "Tahoma");
    EXPECT_EQ(form.label->font().pointSize(), 9);
    EXPECT_EQ(
        form.palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
    EXPECT_TRUE(form.coloured->autoFillBackground());
    EXPECT_FALSE(form.plain->autoFillBackground());
    EXPECT_FALSE(form.label->autoFillBackground());
}

} // namespace
