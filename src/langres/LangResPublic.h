// What the language components need of the widget toolkit: the components a form or frame owns and
// the texts its controls publish under the names a language file uses.
//
// Published names (matched without regard to letter case) and what they stand for:
// - Caption: a window's title, a tab page's tab text, a button's or label's text, a group box's
//   title.
// - Hint: a widget's tool tip.
// - Text: a line edit's or combo box's text.
// - Items: a combo box's or list widget's item texts (a string list).
// - Tabs: a tab bar's tab texts (a string list).
// - Font: every widget's font (an object, neither text nor string list).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QObject;

// True when the component publishes a property of that name.
bool hasPublishedProperty(const QObject* component, const QString& name);

// A text property by name. A name that is not published or not a text reads as the empty text,
// and writing it does nothing.
QString readTextProperty(const QObject* component, const QString& name);
void writeTextProperty(QObject* component, const QString& name, const QString& text);

// A string-list property by name: whether the name denotes one, its lines, and replacing line i.
bool holdsStringList(const QObject* component, const QString& name);
QStringList readStringsProperty(const QObject* component, const QString& name);
void replaceStringsPropertyLine(
    QObject* component, const QString& name, int index, const QString& line);

// The components the owner owns, in the order a form builds them: its named descendants, each
// before the components built inside it, the pages of a tab widget in page order. Qt's own helper
// parts (named "qt_...", or inside controls Qt builds from parts) and unnamed objects are not
// components; a nested window or frame is one, but what it holds belongs to it.
QList<QObject*> ownedComponents(const QObject* owner);
