// Translates the form or frame it is placed on: the owner's font and texts, then every component
// the owner owns, each by the step that suits its kind. Which texts count is set by property name.
//
// A form uses it by creating it last, once its controls exist:
//     auto* langRes = new FormLangRes(this);
//     langRes->setLangFileName("English.ini");   // beside the executable
//     langRes->setAutoCreateMode(false);
//     langRes->setActive(true);                  // translates the form now
#pragma once

#include "LangRes.h"
#include "StringList.h"

class FormLangRes : public LangRes
{
    Q_OBJECT

public:
    // Owner: a window or a Frame (on a DataModule the component does nothing).
    explicit FormLangRes(QObject* owner);

    // Names of text properties to translate; at first "Caption".
    StringList& stringProperties() { return m_stringProperties; }
    void setStringProperties(const QStringList& names) { m_stringProperties.assign(names); }
    // Names of string-list properties to translate line by line; at first "Tabs" and "Items".
    StringList& stringsProperties() { return m_stringsProperties; }
    void setStringsProperties(const QStringList& names) { m_stringsProperties.assign(names); }
    // Component names to leave alone (exact comparison, letter case included).
    StringList& ignoreControls() { return m_ignoreControls; }
    void setIgnoreControls(const QStringList& names) { m_ignoreControls.assign(names); }

    // These setters store the value and then call refresh(), as do edits of the three lists.
    bool ignoreFormCaption() const { return m_ignoreFormCaption; }
    void setIgnoreFormCaption(bool ignore);
    bool includeListViewItems() const { return m_includeListViewItems; }
    void setIncludeListViewItems(bool include);
    bool includeListViewHead() const { return m_includeListViewHead; }
    void setIncludeListViewHead(bool include);
    bool includeTreeViewItems() const { return m_includeTreeViewItems; }
    void setIncludeTreeViewItems(bool include);

protected:
    void translate() override;

private:
    void translateComponent(QObject* component);
    // The text and string-list properties of the lists that the component publishes.
    void translatePublishedTexts(QObject* component, bool skipCaption);

    StringList m_stringProperties {{QStringLiteral("Caption")}};
    StringList m_stringsProperties {{QStringLiteral("Tabs"), QStringLiteral("Items")}};
    StringList m_ignoreControls;
    bool m_ignoreFormCaption = false;
    bool m_includeListViewItems = false;
    bool m_includeListViewHead = false;
    bool m_includeTreeViewItems = false;
};
