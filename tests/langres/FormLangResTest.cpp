// The form translator: which components and properties a pass reaches, in which order, and what
// edits of its settings start a new pass.
#include "FormLangRes.h"

#include "LangFileFixture.h"
#include "TestForms.h"

#include <QRandomGenerator>
#include <functional>

namespace {

template <typename Form>
FormLangRes* activeLangRes(
    Form& form, const QString& fileName, const std::function<void(FormLangRes&)>& configure = {})
{
    auto* langRes = new FormLangRes(&form);
    langRes->setObjectName(QStringLiteral("FormLangRes1"));
    langRes->setLangFileName(fileName);
    langRes->setAutoCreateMode(false);
    if (configure) {
        configure(*langRes);
    }
    langRes->setActive(true);
    return langRes;
}

} // namespace

using FormLangResTest = LangFileFixture;

TEST_F(FormLangResTest, AutoCreateWritesEveryTextInCreationOrder)
{
    TfrmSample form;
    activeLangRes(form, langFileName(), [](FormLangRes& langRes) {
        langRes.setIgnoreFormCaption(true);
        langRes.setIgnoreEmptyString(true);
        langRes.setAutoCreateMode(true);
    });

    // Edits, the page control and the timer publish none of the listed names; Qt's own parts of
    // the controls (tab bar buttons, edit helpers) are not components; the empty port is skipped.
    EXPECT_EQ(keysInOrder(),
        QStringList({"frmSample_FontName", "frmSample_FontSize", "frmSample_FontCharset",
            "tsGeneral_Caption", "chkAutoPaste_Caption", "chkAutoCopy_Caption", "rgLang_Caption",
            "labLang_Caption", "cmbLang_Items[0]", "cmbLang_Items[1]", "tsConnection_Caption",
            "rgProxySettings_Caption", "rbNoProxy_Caption", "rbManuallyProxy_Caption",
            "labAddress_Caption", "labPort_Caption", "btnDefault_Caption", "btnOk_Caption",
            "tbView_Tabs[0]"}));
    EXPECT_EQ(keyValue("TfrmSample", QStringLiteral("tsConnection_Caption")), "Connection");
    EXPECT_EQ(keyValue("TfrmSample", QStringLiteral("cmbLang_Items[1]")), "Marathi");
}

TEST_F(FormLangResTest, UntidyFileGivesSensibleTextsAndStaysUntouched)
{
    const QByteArray longValue(40000, 'x');
    writeFile("garbage line without equals\n"
              "[TfrmOther]\nbtnOk_Caption=other form\n"
              "[tfrmsample]\n"
              "frmSample_Caption=Ignored title\n"
              "frmSample_FontSize=nonsense\n"
              "tsConnection_Caption=Verbindung\n"
              "chkAutoPaste_Caption=<Auto einf\xc3\xbcgen>\n"
              "LABLANG_CAPTION="
        + longValue
        + "\n"
          "btnDefault_Caption=<>\n"
          "rbNoProxy_Caption=<Direkt\n"
          "edtAddress_Caption=not an edit caption\n"
          "edtAddress_Text=not in the lists\n"
          "cmbLang_Items[1]=Marathi (mr)\n"
          "cmbLang_Items[7]=no such item\n"
          "tbView_Tabs[0]=Tag\n"
          "nosuch_Caption=nobody\n");
    const QByteArray before = fileContent();
    TfrmSample form;
    const int sizeBefore = form.font().pointSize();
    activeLangRes(
        form, langFileName(), [](FormLangRes& langRes) { langRes.setIgnoreFormCaption(true); });

    auto* pages = form.child<QTabWidget>("PageControl1");
    auto* languages = form.child<QComboBox>("cmbLang");
    const struct
    {
        QString shown;
        QString expected;
    } texts[] = {
        {form.windowTitle(), "Options"},
        {pages->tabText(1), "Verbindung"},
        {form.child<QCheckBox>("chkAutoPaste")->text(), QString::fromUtf8("Auto einfügen")},
        {form.child<QLabel>("labLang")->text(), QString(32767, u'x')},
        {form.child<QPushButton>("btnDefault")->text(), ""},
        {form.child<QRadioButton>("rbNoProxy")->text(), "<Direkt"},
        {form.child<QLineEdit>("edtAddress")->text(), "proxy.local"},
        {languages->itemText(0), "English"},
        {languages->itemText(1), "Marathi (mr)"},
        {form.child<QTabBar>("tbView")->tabText(0), "Tag"},
        {form.child<QPushButton>("btnOk")->text(), "&OK"},
    };
    for (const auto& text : texts) {
        EXPECT_EQ(text.shown, text.expected);
    }
    EXPECT_EQ(languages->count(), 2);
    EXPECT_EQ(form.font().pointSize(), sizeBefore);
    EXPECT_EQ(fileContent(), before);
}

TEST_F(FormLangResTest, RandomFilesNeverBreakThePassOrGetWritten)
{
    const QByteArray keys[] = {"tsGeneral_Caption", "cmbLang_Items[0]", "frmSample_FontSize",
        "frmSample_FontName", "frmSample_FontCharset", "btnOk_Caption", "tbView_Tabs[0]"};
    QRandomGenerator random(8);
    for (int round = 0; round < 40; ++round) {
        QByteArray content = "[TfrmSample]\n";
        for (const QByteArray& key : keys) {
            QByteArray value(random.bounded(0, 3000), '\0');
            for (char& byte : value) {
                byte = static_cast<char>(random.bounded(1, 256));
            }
            content += key + "=" + value.replace('\n', ' ') + "\n";
        }
        writeFile(content);
        TfrmSample form;
        EXPECT_NO_THROW(activeLangRes(form, langFileName()));
        EXPECT_EQ(fileContent(), content);
        const int pointSize = form.font().pointSize();
        EXPECT_TRUE(pointSize >= 1 && pointSize <= 144) << pointSize;
    }
}

struct CaptionCase
{
    bool ignoreFormCaption;
    const char* propertyLine;
    const char* title;
    const char* label;
};

class FormCaption : public LangFileFixture, public testing::WithParamInterface<CaptionCase>
{ };

TEST_P(FormCaption, IgnoredOnlyForTheExactName)
{
    const CaptionCase& c = GetParam();
    writeFile("[TfrmTest]\nfrmTest_Caption=Titel\nlabText_Caption=Etikett\n");
    TfrmTest form;
    activeLangRes(form, langFileName(), [&c](FormLangRes& langRes) {
        langRes.setIgnoreFormCaption(c.ignoreFormCaption);
        langRes.setStringProperties({QString::fromUtf8(c.propertyLine)});
    });
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8(c.title));
    EXPECT_EQ(form.labText->text(), QString::fromUtf8(c.label));
}

INSTANTIATE_TEST_SUITE_P(Cases, FormCaption,
    testing::Values(CaptionCase {false, "Caption", "Titel", "Etikett"},
        CaptionCase {true, "Caption", "Test", "Etikett"},
        CaptionCase {true, "caption", "Titel", "Etikett"},
        CaptionCase {false, "Hint", "Test", "Text"}));

TEST_F(FormLangResTest, KeysSpellThePropertyAsListed)
{
    TfrmTest form;
    activeLangRes(form, langFileName(), [](FormLangRes& langRes) {
        langRes.setStringProperties({QStringLiteral("caption")});
        langRes.setStringsProperties({});
        langRes.setAutoCreateMode(true);
    });
    const QStringList keys = keysInOrder();
    EXPECT_TRUE(keys.contains(QStringLiteral("frmTest_caption"))) << keys.join(' ').toStdString();
    EXPECT_TRUE(keys.contains(QStringLiteral("labText_caption"))) << keys.join(' ').toStdString();
}

TEST_F(FormLangResTest, IgnoreControlsComparesNamesExactly)
{
    writeFile("[TfrmSample]\nbtnOk_Caption=Okay\n");
    const struct
    {
        const char* ignored;
        const char* text;
    } cases[] = {{"btnOk", "&OK"}, {"btnok", "Okay"}, {"BTNOK", "Okay"}, {"", "Okay"}};
    for (const auto& c : cases) {
        TfrmSample form;
        activeLangRes(form, langFileName(), [&c](FormLangRes& langRes) {
            langRes.setIgnoreControls({QStringLiteral("rbTransNo2"), QString::fromUtf8(c.ignored)});
        });
        EXPECT_EQ(form.child<QPushButton>("btnOk")->text(), QString::fromUtf8(c.text)) << c.ignored;
    }
}

TEST_F(FormLangResTest, EditsWhileActiveRunANewPassExceptAddBracket)
{
    const struct
    {
        const char* edit;
        std::function<void(FormLangRes&)> apply;
        bool runsPass;
    } cases[] = {
        {"Active", [](FormLangRes& r) { r.setActive(true); }, true},
        {"LangFileName", [this](FormLangRes& r) { r.setLangFileName(langFileName()); }, true},
        {"IgnoreEmptyString", [](FormLangRes& r) { r.setIgnoreEmptyString(false); }, true},
        {"AutoCreateMode", [](FormLangRes& r) { r.setAutoCreateMode(false); }, true},
        {"IgnoreFormCaption", [](FormLangRes& r) { r.setIgnoreFormCaption(false); }, true},
        {"IncludeListViewItems", [](FormLangRes& r) { r.setIncludeListViewItems(false); }, true},
        {"IncludeListViewHead", [](FormLangRes& r) { r.setIncludeListViewHead(false); }, true},
        {"IncludeTreeViewItems", [](FormLangRes& r) { r.setIncludeTreeViewItems(false); }, true},
        {"IgnoreControls", [](FormLangRes& r) { r.ignoreControls().append("rbTransNo2"); }, true},
        {"StringProperties", [](FormLangRes& r) { r.stringProperties().append("Hint"); }, true},
        {"StringsProperties", [](FormLangRes& r) { r.setStringsProperties({"Tabs"}); }, true},
        {"AddBracket", [](FormLangRes& r) { r.setAddBracket(false); }, false},
        {"Active off", [](FormLangRes& r) { r.setActive(false); }, false},
    };
    for (const auto& c : cases) {
        writeFile("[TfrmTest]\nlabText_Caption=First\n");
        TfrmTest form;
        FormLangRes* langRes = activeLangRes(form, langFileName());
        ASSERT_EQ(form.labText->text(), QStringLiteral("First"));
        writeFile("[TfrmTest]\nlabText_Caption=Second\n");
        c.apply(*langRes);
        EXPECT_EQ(
            form.labText->text(), c.runsPass ? QStringLiteral("Second") : QStringLiteral("First"))
            << c.edit;
    }
}

struct ViewCase
{
    bool includeHead;
    bool includeItems;
    bool includeTree;
    // What each text shows afterwards.
    const char* column1;
    const char* item1;
    const char* subItem;
    const char* listTip;
    const char* node2;
    const char* treeTip;
};

class Views : public LangFileFixture, public testing::WithParamInterface<ViewCase>
{ };

TEST_P(Views, TranslateAsTheirKindAndOptionsSay)
{
    const ViewCase& c = GetParam();
    writeFile("[TfrmViews]\n"
              "lvList_ColumnCaption[1]=Groesse\n"
              "lvList_ItemCaption[1]=B\n"
              "lvList_SubItem[0]Caption[0]=eins\n"
              "lvList_Hint=Listentipp\n"
              "tvTree_ItemText[2]=C2\n"
              "tvTree_Hint=Baumtipp\n"
              "hcHead_SectionsText[0]=Kopf\n"
              "dgGrid_ColumnsCaption[1]=Spalte\n");
    TfrmViews form;
    activeLangRes(form, langFileName(), [&c](FormLangRes& langRes) {
        langRes.setStringProperties({QStringLiteral("Caption"), QStringLiteral("Hint")});
        langRes.setIncludeListViewHead(c.includeHead);
        langRes.setIncludeListViewItems(c.includeItems);
        langRes.setIncludeTreeViewItems(c.includeTree);
    });

    auto headerText = [](QAbstractItemModel* model, int section) {
        return model->headerData(section, Qt::Horizontal).toString();
    };
    EXPECT_EQ(headerText(form.listView->model(), 1), QString::fromUtf8(c.column1));
    EXPECT_EQ(headerText(form.listView->model(), 0), QStringLiteral("Name"));
    EXPECT_EQ(form.listView->item(1, 0)->text(), QString::fromUtf8(c.item1));
    EXPECT_EQ(form.listView->item(0, 1)->text(), QString::fromUtf8(c.subItem));
    EXPECT_EQ(form.listView->item(1, 1)->text(), QStringLiteral("11"));
    EXPECT_EQ(form.listView->toolTip(), QString::fromUtf8(c.listTip));
    EXPECT_EQ(form.treeView->topLevelItem(0)->child(1)->text(0), QString::fromUtf8(c.node2));
    EXPECT_EQ(form.treeView->topLevelItem(1)->text(0), QStringLiteral("r2"));
    EXPECT_EQ(form.treeView->toolTip(), QString::fromUtf8(c.treeTip));
    // Header controls and grids are translated whatever the options say.
    EXPECT_EQ(headerText(form.header->model(), 0), QStringLiteral("Kopf"));
    EXPECT_EQ(headerText(form.grid->model(), 1), QStringLiteral("Spalte"));
}

INSTANTIATE_TEST_SUITE_P(Cases, Views,
    testing::Values(
        ViewCase {true, true, true, "Groesse", "B", "eins", "list tip", "C2", "tree tip"},
        // A list view without head or items is left alone entirely; a tree view without its items
        // is an ordinary control.
        ViewCase {false, false, false, "Size", "10", "01", "list tip", "c2", "Baumtipp"},
        ViewCase {true, false, false, "Groesse", "10", "01", "list tip", "c2", "Baumtipp"},
        ViewCase {false, true, false, "Size", "B", "eins", "list tip", "c2", "Baumtipp"}));

TEST_F(FormLangResTest, ListViewItemsAreCreatedPerCell)
{
    TfrmViews form;
    activeLangRes(form, langFileName(), [](FormLangRes& langRes) {
        langRes.setStringProperties({});
        langRes.setIncludeListViewItems(true);
        langRes.setIncludeTreeViewItems(true);
        langRes.setAutoCreateMode(true);
    });
    const QStringList keys = keysInOrder().filter(QRegularExpression("^(lv|tv)"));
    EXPECT_EQ(keys,
        QStringList({"lvList_ItemCaption[0]", "lvList_SubItem[0]Caption[0]",
            "lvList_ItemCaption[1]", "lvList_SubItem[1]Caption[0]", "tvTree_ItemText[0]",
            "tvTree_ItemText[1]", "tvTree_ItemText[2]", "tvTree_ItemText[3]"}));
    EXPECT_EQ(keyValue("TfrmViews", QStringLiteral("tvTree_ItemText[3]")), "r2");
}

TEST_F(FormLangResTest, FramesOwnTheirControlsAndDataModulesGetNothing)
{
    writeFile("[TfrmWithFrame]\nlabOuter_Caption=O\nlabInner_Caption=wrong section\n"
              "[TfraPanel]\nlabInner_Caption=I\nfraPanel_FontSize=20\n");
    TfrmWithFrame form;
    activeLangRes(form, langFileName());
    EXPECT_EQ(form.labOuter->text(), QStringLiteral("O"));
    EXPECT_EQ(form.panel->labInner->text(), QStringLiteral("inner"));
    activeLangRes(*form.panel, langFileName());
    EXPECT_EQ(form.panel->labInner->text(), QStringLiteral("I"));
    EXPECT_EQ(form.panel->font().pointSize(), 20);

    TdmTest dataModule;
    auto* timer = new QTimer(&dataModule);
    timer->setObjectName(QStringLiteral("tmrPoll"));
    QFile::remove(filePath());
    activeLangRes(
        dataModule, langFileName(), [](FormLangRes& langRes) { langRes.setAutoCreateMode(true); });
    EXPECT_FALSE(fileExists());
}
