// The main window's anchors.
#include "MainWindowLayout.h"

#include "AnchorLayout.h"

#include <QWidget>
#include <algorithm>
#include <cstring>

namespace {

// Room for a window's title bar and frame.
constexpr int FrameAllowance = 48;

using Horizontal = AnchorLayout::Horizontal;
using Vertical = AnchorLayout::Vertical;

struct Anchors
{
    const char* name;
    Horizontal horizontal;
    Vertical vertical;
};

// Design-size edges of the panes: both end at x 486.
constexpr int PanesRight = 486;
constexpr AnchorLayout::PaneRows Panes = MainWindowPanes;

constexpr Anchors Table[] = {
    {"E1", Horizontal::Grow, Vertical::UpperPane},
    {"E2", Horizontal::Grow, Vertical::LowerPane},
    {"lbl1", Horizontal::Right, Vertical::Top},
    // Their left edges follow the language names (the window lays them out itself).
    {"labFromLang", Horizontal::Free, Vertical::Top},
    {"labToLang", Horizontal::Free, Vertical::Middle},
    {"ImgLoad", Horizontal::Free, Vertical::Middle},
    {"rgDirection", Horizontal::Grow, Vertical::Bottom},
    {"btnTrans", Horizontal::Right, Vertical::Bottom},
    // Above the right end of their pane.
    {"btnRomanTyping", Horizontal::Right, Vertical::Top},
    {"btnRoman", Horizontal::Right, Vertical::Middle},
    {"btnSpeak", Horizontal::Right, Vertical::Top},
    {"btnSpeak2", Horizontal::Right, Vertical::Middle},
    {"Bar", Horizontal::Grow, Vertical::Bottom},
};

Anchors anchorsOf(const QWidget* control)
{
    const QByteArray name = control->objectName().toLatin1();
    for (const Anchors& anchors : Table) {
        if (name == anchors.name) {
            return anchors;
        }
    }
    const QRect place = control->geometry();
    const int top = place.top();
    const bool besidePanes = place.left() > PanesRight;
    const auto within = [top](int paneTop, int paneHeight) {
        return top >= paneTop && top < paneTop + paneHeight;
    };
    Vertical vertical = Vertical::Bottom;
    if (besidePanes && within(Panes.upperTop, Panes.upperHeight)) {
        vertical = Vertical::BesideUpperPane;
    } else if (besidePanes && within(Panes.lowerTop, Panes.lowerHeight)) {
        vertical = Vertical::BesideLowerPane;
    } else if (top < Panes.upperTop + Panes.upperHeight) {
        vertical = Vertical::Top;
    } else if (top < Panes.lowerTop + Panes.lowerHeight) {
        vertical = Vertical::Middle;
    }
    return {nullptr, besidePanes ? Horizontal::Right : Horizontal::Left, vertical};
}

} // namespace

void anchorMainWindowControls(AnchorLayout& layout, QWidget* window)
{
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow() || control->property("anchored") == QVariant(false)) {
            continue;
        }
        const Anchors anchors = anchorsOf(control);
        layout.add(control, anchors.horizontal, anchors.vertical);
    }
}

QSize windowRoom(QSize available)
{
    return available - QSize(FrameAllowance / 4, FrameAllowance);
}

MainWindowSizes mainWindowSizes(QSize available)
{
    const int width = MainWindowDesignSize.width();
    const int design = MainWindowDesignSize.height();
    const auto withPanes = [design](int paneHeight) {
        return design - 2 * (MainWindowPanes.upperHeight - paneHeight);
    };
    const int room = windowRoom(available).height();
    const int minimum = std::clamp(
        room, withPanes(MainWindowShortPaneHeight), withPanes(MainWindowMinimumPaneHeight));
    return {{width, minimum}, {width, std::clamp(room, minimum, design)}};
}
