// The main window's anchors.
#include "MainWindowLayout.h"

#include "AnchorLayout.h"

#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace {

// Room for a window's title bar and frame.
constexpr int FrameAllowance = 48;

using H = AnchorLayout::Horizontal;
using V = AnchorLayout::Vertical;

constexpr MainWindowControl Table[] = {
    {"E1", {8, 45, 478, 178}, 0, nullptr, nullptr, H::Grow, V::UpperPane},
    {"btnRomanTyping", {441, 23, 22, 21}, 0, nullptr, nullptr, H::Right, V::Top},
    {"btnSpeak", {464, 23, 22, 21}, 0, nullptr, nullptr, H::Right, V::Top},
    {"btnOpen", {491, 62, 25, 25}, 0, "open", "Open", H::Right, V::BesideUpperPane},
    {"btnClear", {491, 92, 25, 25}, 0, "clear", "Clear", H::Right, V::BesideUpperPane},
    {"btnSave", {491, 122, 25, 25}, 0, "save", "Save", H::Right, V::BesideUpperPane},
    {"btnCopy", {491, 152, 25, 25}, 0, "copy", "Copy To Clipboard", H::Right, V::BesideUpperPane},
    {"btnPaste", {491, 182, 25, 25}, 0, "paste", "Paste From Clipboard", H::Right,
        V::BesideUpperPane},
    {"btnSwap", {491, 225, 25, 25}, 0, "swap", "Swap", H::Right, V::Middle},
    {"E2", {8, 249, 478, 178}, 1, nullptr, nullptr, H::Grow, V::LowerPane},
    {"btnRoman", {441, 226, 22, 22}, 1, nullptr, nullptr, H::Right, V::Middle},
    {"btnSpeak2", {464, 226, 22, 22}, 1, nullptr, nullptr, H::Right, V::Middle},
    {"btnClear2", {491, 270, 25, 25}, 1, "clear", "Clear", H::Right, V::BesideLowerPane},
    {"btnSave2", {491, 300, 25, 25}, 1, "save", "Save", H::Right, V::BesideLowerPane},
    {"btnCopy2", {491, 330, 25, 25}, 1, "copy", "Copy To Clipboard", H::Right, V::BesideLowerPane},
    {"btnPaste2", {491, 360, 25, 25}, 1, "paste", "Paste From Clipboard", H::Right,
        V::BesideLowerPane},
    {"btnPrint", {491, 390, 25, 25}, 0, "print", "Print", H::Right, V::BesideLowerPane},
    {"rgDirection", {12, 434, 475, 48}, 0, nullptr, nullptr, H::Grow, V::Bottom},
    {"rbEngToChn", {27, 20, 203, 17}, 0, nullptr, nullptr, H::Left, V::Top},
    {"rbChnToEng", {251, 20, 203, 17}, 0, nullptr, nullptr, H::Left, V::Top},
    {"btnHelp", {13, 489, 88, 25}, 0, nullptr, nullptr, H::Left, V::Bottom},
    {"btnTrans", {373, 489, 113, 25}, 0, nullptr, nullptr, H::Right, V::Bottom},
    {"lbl1", {248, 8, 268, 14}, 0, nullptr, nullptr, H::Right, V::Top},
    {"labFrom", {9, 27, 0, 0}, 0, nullptr, nullptr, H::Left, V::Top},
    // Their left edges follow the language names (the window lays them out itself).
    {"labFromLang", {110, 27, 0, 0}, 0, nullptr, nullptr, H::Free, V::Top},
    {"labTo", {9, 231, 0, 0}, 0, nullptr, nullptr, H::Left, V::Middle},
    {"labToLang", {108, 231, 0, 0}, 0, nullptr, nullptr, H::Free, V::Middle},
    {"ImgLoad", {240, 230, 44, 16}, 0, nullptr, nullptr, H::Free, V::Middle},
    {"Bar", {0, 523, 528, 22}, 0, nullptr, nullptr, H::Grow, V::Bottom},
};

// The promotion shows its whole text in whatever font the system has: it grows to the left, its
// right edge stays where it is (also for a longer text in another language).
void placeRightAligned(QLabel* label, const QRect& place)
{
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QSize whole = label->sizeHint().expandedTo(place.size());
    label->setGeometry(place.right() + 1 - whole.width(), place.y(), whole.width(), whole.height());
}

void place(QWidget* control, const MainWindowControl& row)
{
    control->setProperty("tag", row.pane);
    auto* label = qobject_cast<QLabel*>(control);
    if (!label) {
        control->setGeometry(row.place);
    } else if (row.place.isEmpty()) {
        label->move(row.place.topLeft());
        label->adjustSize();
    } else if (label->objectName() == QLatin1String("lbl1")) {
        placeRightAligned(label, row.place);
    } else {
        label->setGeometry(row.place);
    }
}

} // namespace

const std::span<const MainWindowControl> MainWindowControls {Table};

void placeMainWindowControls(QWidget* window)
{
    QWidget* previous = nullptr;
    for (const MainWindowControl& row : MainWindowControls) {
        auto* control = window->findChild<QWidget*>(QLatin1String(row.name));
        if (!control) {
            continue;
        }
        place(control, row);
        if (control->focusPolicy() & Qt::TabFocus) {
            if (previous) {
                QWidget::setTabOrder(previous, control);
            }
            previous = control;
        }
    }
}

void anchorMainWindowControls(AnchorLayout& layout, QWidget* window)
{
    for (const MainWindowControl& row : MainWindowControls) {
        auto* control
            = window->findChild<QWidget*>(QLatin1String(row.name), Qt::FindDirectChildrenOnly);
        if (control) {
            layout.add(control, row.horizontal, row.vertical);
        }
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
