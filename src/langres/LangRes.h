// The common base of the interface-language components: the language file, the options, the owner
// and one translation step per kind of control. A language file is an INI file with one section
// per form (the owner's class name) and one key per text; values in "<" ">" are shown without
// the brackets. In auto-create mode a text without a key is written into the file as a template.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class DataModule;
class Frame;
class IniFile;
class QAbstractItemModel;
class QHeaderView;
class QTableView;
class QTableWidget;
class QTreeWidget;
class QWidget;

class LangRes : public QObject
{
    Q_OBJECT

public:
    // The character set of a window's font lives in this dynamic property (Qt fonts have none);
    // without it a font has the default character set.
    static constexpr const char* FontCharsetProperty = "fontCharset";
    static constexpr int DefaultCharset = 1;

    bool isActive() const { return m_active; }
    // The setters below store the value and then call refresh(), also when it did not change.
    void setActive(bool active);

    // The file-name part of the language file's path.
    QString langFileName() const;
    // The full path of the language file: name beside the executable, else in the installed data
    // folder.
    const QString& langFilePath() const { return m_langFilePath; }
    void setLangFileName(const QString& name);

    bool ignoreEmptyString() const { return m_ignoreEmptyString; }
    void setIgnoreEmptyString(bool ignore);
    bool autoCreateMode() const { return m_autoCreateMode; }
    void setAutoCreateMode(bool autoCreate);
    bool addBracket() const { return m_addBracket; }
    // Only stores the value.
    void setAddBracket(bool addBracket) { m_addBracket = addBracket; }

    // Exactly one of these is set.
    QWidget* ownerForm() const { return m_ownerForm; }
    DataModule* ownerDataModule() const { return m_ownerDataModule; }
    Frame* ownerFrame() const { return m_ownerFrame; }

    // Runs one pass when active.
    void refresh();

    // The translation of key, or the empty text when the file has none (then, in auto-create
    // mode, the key is written with currentText).
    QString lookupText(const QString& key, const QString& currentText);

    // One step per kind of control. A failed auto-create write raises "Unable to write to <path>";
    // texts changed before it stay changed.
    void translateFont(QWidget* formOrFrame);
    void translateStringProperty(QObject* component, const QString& property);
    void translateStringsProperty(QObject* component, const QString& property);
    void translateHeaderSections(QHeaderView* header);
    void translateListViewColumns(QTableWidget* listView);
    void translateListViewItems(QTableWidget* listView);
    void translateTreeViewItems(QTreeWidget* treeView);
    void translateDBGridColumns(QTableView* grid);

    QString bracketText(const QString& text) const;
    static QString unbracketText(const QString& text);

protected:
    // The owner must be a window (a form), a DataModule or a Frame; otherwise this raises
    // "Owner must be a Form or a DataModule!". The owner owns the component.
    explicit LangRes(QObject* owner);
    ~LangRes() override;

    // One pass; runs only through refresh().
    virtual void translate() = 0;

private:
    using TextSetter = std::function<void(const QString&)>;

    std::string section() const;
    std::string filePath() const;
    // The language file for one step: that of the pass running, which reads the file once for
    // all its steps, or else own.
    IniFile& langFile(std::optional<IniFile>& own);
    // The text rule: a found value replaces the text, a missing one is auto-created.
    void applyTextRule(
        IniFile& file, const QString& key, const QString& currentText, const TextSetter& setText);
    void writeKey(IniFile& file, const QString& key, const QString& value);
    // Header texts of a model, keyed keyPrefix + "[" + i + "]".
    void translateHeaderTexts(
        QAbstractItemModel* model, Qt::Orientation orientation, const QString& keyPrefix);

    bool m_active = false;
    QString m_langFilePath = QStringLiteral("DefLang.ini");
    bool m_ignoreEmptyString = false;
    bool m_autoCreateMode = true;
    bool m_addBracket = false;
    QWidget* m_ownerForm = nullptr;
    DataModule* m_ownerDataModule = nullptr;
    Frame* m_ownerFrame = nullptr;
    std::unique_ptr<IniFile> m_passFile;
};
