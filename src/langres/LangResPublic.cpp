// The toolkit adapter of the language components: published names mapped onto Qt's widgets.
#include "LangResPublic.h"

#include "Frame.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <algorithm>

namespace {

enum class Kind
{
    Text,
    Strings,
    Object
};

// One published name on one kind of object. Text properties have read and write, string lists
// readLines and writeLine; objects (the font) neither.
struct Property
{
    const char* name;
    Kind kind;
    bool (*applies)(const QObject*);
    QString (*read)(const QObject*) = nullptr;
    void (*write)(QObject*, const QString&) = nullptr;
    QStringList (*readLines)(const QObject*) = nullptr;
    void (*writeLine)(QObject*, int, const QString&) = nullptr;
};

template <typename T> bool is(const QObject* object)
{
    return qobject_cast<const T*>(object) != nullptr;
}

template <typename T> const T* as(const QObject* object)
{
    return qobject_cast<const T*>(object);
}

template <typename T> T* as(QObject* object)
{
    return qobject_cast<T*>(object);
}

bool isWindow(const QObject* object)
{
    const auto* widget = as<QWidget>(object);
    return widget && widget->isWindow();
}

// A page of a tab widget sits in the tab widget's page stack.
QTabWidget* tabWidgetOf(const QObject* object)
{
    const auto* widget = as<QWidget>(object);
    auto* stack = widget ? qobject_cast<QStackedWidget*>(widget->parentWidget()) : nullptr;
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(const_cast<QWidget*>(widget)) >= 0 ? tabs : nullptr;
}

bool isTabPage(const QObject* object)
{
    return tabWidgetOf(object) != nullptr;
}

template <typename TextAt> QStringList linesOf(int count, TextAt textAt)
{
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        lines.append(textAt(i));
    }
    return lines;
}

QWidget* widgetOf(QObject* object)
{
    return qobject_cast<QWidget*>(object);
}

const Property properties[] = {
    {"Caption", Kind::Text, isWindow,
        [](const QObject* o) { return as<QWidget>(o)->windowTitle(); },
        [](QObject* o, const QString& t) { widgetOf(o)->setWindowTitle(t); }},
    {"Caption", Kind::Text, isTabPage,
        [](const QObject* o) {
            QTabWidget* tabs = tabWidgetOf(o);
            return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(as<QWidget>(o))));
        },
        [](QObject* o, const QString& t) {
            QTabWidget* tabs = tabWidgetOf(o);
            tabs->setTabText(tabs->indexOf(widgetOf(o)), t);
        }},
    {"Caption", Kind::Text, is<QAbstractButton>,
        [](const QObject* o) { return as<QAbstractButton>(o)->text(); },
        [](QObject* o, const QString& t) { as<QAbstractButton>(o)->setText(t); }},
    {"Caption", Kind::Text, is<QLabel>, [](const QObject* o) { return as<QLabel>(o)->text(); },
        [](QObject* o, const QString& t) { as<QLabel>(o)->setText(t); }},
    {"Caption", Kind::Text, is<QGroupBox>,
        [](const QObject* o) { return as<QGroupBox>(o)->title(); },
        [](QObject* o, const QString& t) { as<QGroupBox>(o)->setTitle(t); }},
    {"Hint", Kind::Text, is<QWidget>, [](const QObject* o) { return as<QWidget>(o)->toolTip(); },
        [](QObject* o, const QString& t) { widgetOf(o)->setToolTip(t); }},
    {"Text", Kind::Text, is<QLineEdit>, [](const QObject* o) { return as<QLineEdit>(o)->text(); },
        [](QObject* o, const QString& t) { as<QLineEdit>(o)->setText(t); }},
    {"Text", Kind::Text, is<QComboBox>,
        [](const QObject* o) { return as<QComboBox>(o)->currentText(); },
        [](QObject* o, const QString& t) { as<QComboBox>(o)->setCurrentText(t); }},
    {"Items", Kind::Strings, is<QComboBox>, nullptr, nullptr,
        [](const QObject* o) {
            const auto* combo = as<QComboBox>(o);
            return linesOf(combo->count(), [combo](int i) { return combo->itemText(i); });
        },
        [](QObject* o, int i, const QString& t) { as<QComboBox>(o)->setItemText(i, t); }},
    {"Items", Kind::Strings, is<QListWidget>, nullptr, nullptr,
        [](const QObject* o) {
            const auto* list = as<QListWidget>(o);
            return linesOf(list->count(), [list](int i) { return list->item(i)->text(); });
        },
        [](QObject* o, int i, const QString& t) { as<QListWidget>(o)->item(i)->setText(t); }},
    {"Tabs", Kind::Strings, is<QTabBar>, nullptr, nullptr,
        [](const QObject* o) {
            const auto* bar = as<QTabBar>(o);
            return linesOf(bar->count(), [bar](int i) { return bar->tabText(i); });
        },
        [](QObject* o, int i, const QString& t) { as<QTabBar>(o)->setTabText(i, t); }},
    {"Font", Kind::Object, is<QWidget>},
};

const Property* findProperty(const QObject* component, const QString& name)
{
    if (!component) {
        return nullptr;
    }
    for (const Property& property : properties) {
        if (name.compare(QLatin1String(property.name), Qt::CaseInsensitive) == 0
            && property.applies(component)) {
            return &property;
        }
    }
    return nullptr;
}

const Property* findProperty(const QObject* component, const QString& name, Kind kind)
{
    const Property* property = findProperty(component, name);
    return property && property->kind == kind ? property : nullptr;
}

// Qt builds these controls from parts of its own (scroll buttons, viewports, headers, editors);
// those parts are no components of the form.
bool isBuiltFromParts(const QObject* object)
{
    return is<QAbstractButton>(object) || is<QLineEdit>(object) || is<QComboBox>(object)
        || is<QAbstractSpinBox>(object) || is<QTabBar>(object) || is<QAbstractItemView>(object)
        || is<QTextEdit>(object) || is<QPlainTextEdit>(object);
}

// A nested window or frame owns the components built on it.
bool ownsItsComponents(const QObject* object)
{
    return isWindow(object) || is<Frame>(object);
}

// Raising a widget moves it to the end of its parent's children, and a stack raises the page it
// shows; so a stack's pages are taken in page order, its other children after them.
QObjectList childrenInOrder(const QObject* parent)
{
    QObjectList children = parent->children();
    if (const auto* stack = as<QStackedWidget>(parent)) {
        const auto rank = [stack](QObject* child) {
            const int page = stack->indexOf(widgetOf(child));
            return page < 0 ? stack->count() : page;
        };
        std::stable_sort(children.begin(), children.end(),
            [&rank](QObject* a, QObject* b) { return rank(a) < rank(b); });
    }
    return children;
}

void collectComponents(const QObject* parent, QList<QObject*>& components)
{
    for (QObject* child : childrenInOrder(parent)) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            components.append(child);
        }
        if (!ownsItsComponents(child) && !isBuiltFromParts(child)) {
            collectComponents(child, components);
        }
    }
}

} // namespace

bool hasPublishedProperty(const QObject* component, const QString& name)
{
    return findProperty(component, name) != nullptr;
}

QString readTextProperty(const QObject* component, const QString& name)
{
    const Property* property = findProperty(component, name, Kind::Text);
    return property ? property->read(component) : QString();
}

void writeTextProperty(QObject* component, const QString& name, const QString& text)
{
    if (const Property* property = findProperty(component, name, Kind::Text)) {
        property->write(component, text);
    }
}

bool holdsStringList(const QObject* component, const QString& name)
{
    return findProperty(component, name, Kind::Strings) != nullptr;
}

QStringList readStringsProperty(const QObject* component, const QString& name)
{
    const Property* property = findProperty(component, name, Kind::Strings);
    return property ? property->readLines(component) : QStringList();
}

void replaceStringsPropertyLine(
    QObject* component, const QString& name, int index, const QString& line)
{
    const Property* property = findProperty(component, name, Kind::Strings);
    if (property && index >= 0 && index < property->readLines(component).size()) {
        property->writeLine(component, index, line);
    }
}

QList<QObject*> ownedComponents(const QObject* owner)
{
    QList<QObject*> components;
    collectComponents(owner, components);
    return components;
}
