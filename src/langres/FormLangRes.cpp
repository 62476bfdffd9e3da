// The form translator: one pass over the owner's font and texts and the components it owns.
#include "FormLangRes.h"

#include "DataModule.h"
#include "Frame.h"
#include "LangResPublic.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString CaptionProperty = QStringLiteral("Caption");

// Menus and their items are left to the code that builds them.
bool isMenuItem(const QObject* object)
{
    return qobject_cast<const QAction*>(object) || qobject_cast<const QMenu*>(object);
}

} // namespace

FormLangRes::FormLangRes(QObject* owner)
    : LangRes(owner)
{
    const auto refreshOnChange = [this] { refresh(); };
    m_stringProperties.setChangeHandler(refreshOnChange);
    m_stringsProperties.setChangeHandler(refreshOnChange);
    m_ignoreControls.setChangeHandler(refreshOnChange);
}

void FormLangRes::setIgnoreFormCaption(bool ignore)
{
    m_ignoreFormCaption = ignore;
    refresh();
}

void FormLangRes::setIncludeListViewItems(bool include)
{
    m_includeListViewItems = include;
    refresh();
}

void FormLangRes::setIncludeListViewHead(bool include)
{
    m_includeListViewHead = include;
    refresh();
}

void FormLangRes::setIncludeTreeViewItems(bool include)
{
    m_includeTreeViewItems = include;
    refresh();
}

void FormLangRes::translate()
{
    if (ownerDataModule()) {
        return;
    }
    QWidget* owner = ownerForm() ? ownerForm() : ownerFrame();
    translateFont(owner);
    translatePublishedTexts(owner, m_ignoreFormCaption);
    const QList<QObject*> components = ownedComponents(owner);
    for (QObject* component : components) {
        translateComponent(component);
    }
}

void FormLangRes::translateComponent(QObject* component)
{
    if (qobject_cast<FormLangRes*>(component) || qobject_cast<QTimer*>(component)
        || isMenuItem(component) || m_ignoreControls.contains(component->objectName())) {
        return;
    }
    if (auto* listView = qobject_cast<QTableWidget*>(component)) {
        if (m_includeListViewHead) {
            translateListViewColumns(listView);
        }
        if (m_includeListViewItems) {
            translateListViewItems(listView);
        }
        return;
    }
    auto* treeView = qobject_cast<QTreeWidget*>(component);
    if (treeView && m_includeTreeViewItems) {
        translateTreeViewItems(treeView);
    } else if (auto* header = qobject_cast<QHeaderView*>(component)) {
        translateHeaderSections(header);
    } else if (auto* grid = qobject_cast<QTableView*>(component)) {
        translateDBGridColumns(grid);
    } else {
        translatePublishedTexts(component, false);
    }
}

void FormLangRes::translatePublishedTexts(QObject* component, bool skipCaption)
{
    // Copies: a pass must not depend on the lists being edited while it runs.
    const QStringList textNames = m_stringProperties.lines();
    for (const QString& name : textNames) {
        // Only the exact name: a line "caption" still reaches the owner's caption.
        if (skipCaption && name == CaptionProperty) {
            continue;
        }
        if (hasPublishedProperty(component, name)) {
            translateStringProperty(component, name);
        }
    }
    const QStringList listNames = m_stringsProperties.lines();
    for (const QString& name : listNames) {
        if (hasPublishedProperty(component, name)) {
            translateStringsProperty(component, name);
        }
    }
}
