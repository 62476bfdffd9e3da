// The language file and the translation steps shared by the form and message translators.
#include "LangRes.h"

#include "AppPaths.h"
#include "DataModule.h"
#include "Exception.h"
#include "Frame.h"
#include "IniFile.h"
#include "IniInteger.h"
#include "IniWriteError.h"
#include "LangResPublic.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QHeaderView>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

// Sizes outside this range are nonsense for a window's font and leave the size as it is.
constexpr int MinFontPointSize = 1;
constexpr int MaxFontPointSize = 144;

bool isForm(const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && widget->isWindow() && !qobject_cast<const Frame*>(object);
}

QObject* acceptedOwner(QObject* owner)
{
    if (!owner
        || !(isForm(owner) || qobject_cast<DataModule*>(owner) || qobject_cast<Frame*>(owner))) {
        throw Exception("Owner must be a Form or a DataModule!");
    }
    return owner;
}

std::string toLocal(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

QString fromLocal(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QString indexedKey(const QString& prefix, int index)
{
    return prefix + u'[' + QString::number(index) + u']';
}

int pointSizeOf(const QFont& font)
{
    return font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
}

// Depth first: a node, then its children, then its next sibling.
void collectNodes(QTreeWidgetItem* node, QList<QTreeWidgetItem*>& nodes)
{
    nodes.append(node);
    for (int i = 0; i < node->childCount(); ++i) {
        collectNodes(node->child(i), nodes);
    }
}

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

void setCellText(QTableWidget* table, int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = table->item(row, column)) {
        item->setText(text);
    } else {
        table->setItem(row, column, new QTableWidgetItem(text));
    }
}

} // namespace

LangRes::LangRes(QObject* owner)
    : QObject(acceptedOwner(owner))
{
    if (isForm(owner)) {
        m_ownerForm = static_cast<QWidget*>(owner);
    } else if (auto* dataModule = qobject_cast<DataModule*>(owner)) {
        m_ownerDataModule = dataModule;
    } else {
        m_ownerFrame = qobject_cast<Frame*>(owner);
    }
}

void LangRes::setActive(bool active)
{
    m_active = active;
    refresh();
}

QString LangRes::langFileName() const
{
    return m_langFilePath.mid(m_langFilePath.lastIndexOf(u'/') + 1);
}

void LangRes::setLangFileName(const QString& name)
{
    // No name reads the executable's folder itself, as a path to a folder.
    m_langFilePath
        = name.isEmpty() ? AppPaths::executableFolder() + u'/' : AppPaths::dataFile(name);
    refresh();
}

void LangRes::setIgnoreEmptyString(bool ignore)
{
    m_ignoreEmptyString = ignore;
    refresh();
}

void LangRes::setAutoCreateMode(bool autoCreate)
{
    m_autoCreateMode = autoCreate;
    refresh();
}

LangRes::~LangRes() = default;

void LangRes::refresh()
{
    if (!m_active) {
        return;
    }
    // A pass looks up every text of its owner: the file is read once for all of them. A pass
    // started within one keeps the file the outer pass read.
    if (m_passFile) {
        translate();
        return;
    }
    m_passFile = std::make_unique<IniFile>(filePath());
    m_passFile->holdContent();
    const auto endPass = qScopeGuard([this] { m_passFile.reset(); });
    translate();
}

IniFile& LangRes::langFile(std::optional<IniFile>& own)
{
    if (m_passFile && m_passFile->path() == filePath()) {
        return *m_passFile;
    }
    return own.emplace(filePath());
}

QString LangRes::lookupText(const QString& key, const QString& currentText)
{
    std::optional<IniFile> own;
    IniFile& file = langFile(own);
    QString result;
    applyTextRule(file, key, currentText, [&result](const QString& text) { result = text; });
    return result;
}

void LangRes::translateFont(QWidget* formOrFrame)
{
    if (!hasPublishedProperty(formOrFrame, QStringLiteral("Font"))) {
        return;
    }
    std::optional<IniFile> own;
    IniFile& file = langFile(own);
    const QString name = formOrFrame->objectName();

    const QString faceKey = name + QStringLiteral("_FontName");
    const std::string face = file.readString(section(), toLocal(faceKey), "");
    if (!face.empty()) {
        QFont font = formOrFrame->font();
        font.setFamily(unbracketText(fromLocal(face)));
        formOrFrame->setFont(font);
    } else if (m_autoCreateMode) {
        writeKey(file, faceKey, bracketText(formOrFrame->font().family()));
    }

    const QString sizeKey = name + QStringLiteral("_FontSize");
    const int size = parseIniInteger(file.readString(section(), toLocal(sizeKey), "")).value_or(0);
    if (size >= MinFontPointSize && size <= MaxFontPointSize) {
        QFont font = formOrFrame->font();
        font.setPointSize(size);
        formOrFrame->setFont(font);
    } else if (size == 0 && m_autoCreateMode) {
        writeKey(file, sizeKey, QString::number(pointSizeOf(formOrFrame->font())));
    }

    const QString charsetKey = name + QStringLiteral("_FontCharset");
    const int charset
        = parseIniInteger(file.readString(section(), toLocal(charsetKey), "")).value_or(-1);
    if (charset != -1) {
        formOrFrame->setProperty(FontCharsetProperty, charset & 0xFF);
    } else if (m_autoCreateMode) {
        const QVariant current = formOrFrame->property(FontCharsetProperty);
        writeKey(file, charsetKey,
            QString::number(current.isValid() ? current.toInt() : DefaultCharset));
    }
}

void LangRes::translateStringProperty(QObject* component, const QString& property)
{
    std::optional<IniFile> own;
    IniFile& file = langFile(own);
    applyTextRule(file, component->objectName() + u'_' + property,
        readTextProperty(component, property),
        [&](const QString& text) { writeTextProperty(component, property, text); });
}

void LangRes::translateStringsProperty(QObject* component, const QString& property)
{
    if (!holdsStringList(component, property)) {
        return;
    }
    std::optional<IniFile> own;
    IniFile& file = langFile(own);
    const QString prefix = component->objectName() + u'_' + property;
    const QStringList lines = readStringsProperty(component, property);
    for (int i = 0; i < lines.size(); ++i) {
        applyTextRule(file, indexedKey(prefix, i), lines.at(i),
            [&](const QString& text) { replaceStringsPropertyLine(component, property, i, text); });
    }
}

void LangRes::translateHeaderSections(QHeaderView* header)
{
    translateHeaderTexts(header->model(), header->orientation(),
        header->objectName() + QStringLiteral("_SectionsText"));
}

void LangRes::translateListViewColumns(QTableWidget* listView)
{
    translateHeaderTexts(listView->model(), Qt::Horizontal,
        listView->objectName() + QStringLiteral("_ColumnCaption"));
}

void LangRes::translateListViewItems(QTableWidget* listView)
{
    std::optional<IniFile> own;
    IniFile& file = langFile(own);
    const QString name = listView->objectName();
    for (int row = 0; row < listView->rowCount(); ++row) {
        applyTextRule(file, indexedKey(name + QStringLiteral("_ItemCaption"), row),
            cellText(listView, row, 0),
            [&](const QString& text) { setCellText(listView, row, 0, text); });
        const QString subItemPrefix
            = indexedKey(name + QStringLiteral("_SubItem"), row) + QStringLiteral("Caption");
        for (int column = 1; column < listView->columnCount(); ++column) {
            applyTextRule(file, indexedKey(subItemPrefix, column - 1),
                cellText(listView, row, column),
                [&](const QString& text) { setCellText(listView, row, column, text); });
        }
    }
}

void LangRes::translateTreeViewItems(QTreeWidget* treeView)
{
    QList<QTreeWidgetItem*> nodes;
    for (int i = 0; i < treeView->topLevelItemCount(); ++i) {
        collectNodes(treeView->topLevelItem(i), nodes);
    }
    std::optional<IniFile> own;
    IniFile& file = langFile(own);
    const QString prefix = treeView->objectName() + QStringLiteral("_ItemText");
    for (int i = 0; i < nodes.size(); ++i) {
        QTreeWidgetItem* node = nodes.at(i);
        applyTextRule(file, indexedKey(prefix, i), node->text(0),
            [node](const QString& text) { node->setText(0, text); });
    }
}

void LangRes::translateDBGridColumns(QTableView* grid)
{
    translateHeaderTexts(
        grid->model(), Qt::Horizontal, grid->objectName() + QStringLiteral("_ColumnsCaption"));
}

QString LangRes::bracketText(const QString& text) const
{
    return m_addBracket ? u'<' + text + u'>' : text;
}

QString LangRes::unbracketText(const QString& text)
{
    if (text.size() >= 2 && text.startsWith(u'<') && text.endsWith(u'>')) {
        return text.mid(1, text.size() - 2);
    }
    return text;
}

std::string LangRes::section() const
{
    return parent()->metaObject()->className();
}

std::string LangRes::filePath() const
{
    return toLocal(m_langFilePath);
}

void LangRes::applyTextRule(
    IniFile& file, const QString& key, const QString& currentText, const TextSetter& setText)
{
    const std::string value = file.readString(section(), toLocal(key), "");
    if (!value.empty()) {
        setText(unbracketText(fromLocal(value)));
    } else if ((!currentText.isEmpty() || !m_ignoreEmptyString) && m_autoCreateMode) {
        // A text of several lines, or a key that could not be read back, gets no template line:
        // the control keeps its text and the pass goes on.
        const QString created = bracketText(currentText);
        if (IniFile::fitsOnALine(section(), toLocal(key), toLocal(created))) {
            writeKey(file, key, created);
        }
    }
}

void LangRes::writeKey(IniFile& file, const QString& key, const QString& value)
{
    if (!file.writeString(section(), toLocal(key), toLocal(value))) {
        throw IniWriteError(file.path());
    }
}

void LangRes::translateHeaderTexts(
    QAbstractItemModel* model, Qt::Orientation orientation, const QString& keyPrefix)
{
    if (!model) {
        return;
    }
    std::optional<IniFile> own;
    IniFile& file = langFile(own);
    const int count = orientation == Qt::Horizontal ? model->columnCount() : model->rowCount();
    for (int i = 0; i < count; ++i) {
        applyTextRule(file, indexedKey(keyPrefix, i),
            model->headerData(i, orientation, Qt::DisplayRole).toString(),
            [&](const QString& text) {
                model->setHeaderData(i, orientation, text, Qt::DisplayRole);
            });
    }
}
