// Small forms the language component tests translate. Each keeps its T-prefixed class name, which
// names its section of the language file.
#pragma once

#include "DataModule.h"
#include "Frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

template <typename W, typename... Args>
W* makeNamed(QWidget* parent, const char* name, Args&&... args)
{
    auto* widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// One label and the form's caption.
class TfrmTest : public QDialog
{
    Q_OBJECT

public:
    TfrmTest()
    {
        setObjectName(QStringLiteral("frmTest"));
        setWindowTitle(QStringLiteral("Test"));
        labText = makeNamed<QLabel>(this, "labText", QStringLiteral("Text"));
    }

    QLabel* labText;
};

// A settings dialog with two pages, the kinds of control such a dialog is built from, and the
// parts Qt adds to them (tab bar scroll buttons, edit helpers).
class TfrmSample : public QDialog
{
    Q_OBJECT

public:
    TfrmSample()
    {
        setObjectName(QStringLiteral("frmSample"));
        setWindowTitle(QStringLiteral("Options"));
        auto* pages = makeNamed<QTabWidget>(this, "PageControl1");
        auto* general = makeNamed<QWidget>(nullptr, "tsGeneral");
        makeNamed<QCheckBox>(general, "chkAutoPaste", QStringLiteral("Auto paste"));
        makeNamed<QCheckBox>(general, "chkAutoCopy", QStringLiteral("Auto copy"));
        auto* langGroup = makeNamed<QGroupBox>(general, "rgLang", QStringLiteral("Language"));
        makeNamed<QLabel>(langGroup, "labLang", QStringLiteral("Please select"));
        auto* languages = makeNamed<QComboBox>(langGroup, "cmbLang");
        languages->addItems({QStringLiteral("English"), QStringLiteral("Marathi")});
        pages->addTab(general, QStringLiteral("General"));
        auto* connection = makeNamed<QWidget>(nullptr, "tsConnection");
        auto* proxy = makeNamed<QGroupBox>(connection, "rgProxySettings", QStringLiteral("Proxy"));
        makeNamed<QRadioButton>(proxy, "rbNoProxy", QStringLiteral("No Proxy"));
        makeNamed<QRadioButton>(proxy, "rbManuallyProxy", QStringLiteral("Manual"));
        makeNamed<QLabel>(proxy, "labAddress", QStringLiteral("Address :"));
        makeNamed<QLineEdit>(proxy, "edtAddress", QStringLiteral("proxy.local"))
            ->setClearButtonEnabled(true);
        makeNamed<QLabel>(proxy, "labPort", QStringLiteral("Port :"));
        makeNamed<QLineEdit>(proxy, "edtPort");
        pages->addTab(connection, QStringLiteral("Connection"));
        makeNamed<QPushButton>(this, "btnDefault", QStringLiteral("Default"));
        makeNamed<QPushButton>(this, "btnOk", QStringLiteral("&OK"));
        auto* timer = new QTimer(this);
        timer->setObjectName(QStringLiteral("tmrIdle"));
        // A tab bar of its own, with Qt's scroll buttons inside.
        makeNamed<QTabBar>(this, "tbView")->addTab(QStringLiteral("Day"));
    }

    template <typename W> W* child(const char* name) { return findChild<W*>(QLatin1String(name)); }
};

// A list view (table widget), a tree view, a header control and a data grid (a model table).
class TfrmViews : public QDialog
{
    Q_OBJECT

public:
    TfrmViews()
    {
        setObjectName(QStringLiteral("frmViews"));
        listView = makeNamed<QTableWidget>(this, "lvList", 2, 2);
        listView->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size")});
        listView->setToolTip(QStringLiteral("list tip"));
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 2; ++column) {
                listView->setItem(
                    row, column, new QTableWidgetItem(QStringLiteral("%1%2").arg(row).arg(column)));
            }
        }
        treeView = makeNamed<QTreeWidget>(this, "tvTree");
        treeView->setToolTip(QStringLiteral("tree tip"));
        auto* first = new QTreeWidgetItem(treeView, {QStringLiteral("r1")});
        new QTreeWidgetItem(first, {QStringLiteral("c1")});
        new QTreeWidgetItem(first, {QStringLiteral("c2")});
        new QTreeWidgetItem(treeView, {QStringLiteral("r2")});

        auto* headerModel = new QStandardItemModel(0, 2, this);
        headerModel->setHorizontalHeaderLabels({QStringLiteral("H0"), QStringLiteral("H1")});
        header = makeNamed<QHeaderView>(this, "hcHead", Qt::Horizontal);
        header->setModel(headerModel);

        auto* gridModel = new QStandardItemModel(1, 2, this);
        gridModel->setHorizontalHeaderLabels({QStringLiteral("G0"), QStringLiteral("G1")});
        grid = makeNamed<QTableView>(this, "dgGrid");
        grid->setModel(gridModel);
    }

    QTableWidget* listView;
    QTreeWidget* treeView;
    QHeaderView* header;
    QTableView* grid;
};

// A panel that owns its controls, placed on a form that has one of its own.
class TfraPanel : public Frame
{
    Q_OBJECT

public:
    explicit TfraPanel(QWidget* parent)
        : Frame(parent)
    {
        setObjectName(QStringLiteral("fraPanel"));
        labInner = makeNamed<QLabel>(this, "labInner", QStringLiteral("inner"));
    }

    QLabel* labInner;
};

class TfrmWithFrame : public QDialog
{
    Q_OBJECT

public:
    TfrmWithFrame()
    {
        setObjectName(QStringLiteral("frmWithFrame"));
        labOuter = makeNamed<QLabel>(this, "labOuter", QStringLiteral("outer"));
        panel = new TfraPanel(this);
    }

    QLabel* labOuter;
    TfraPanel* panel;
};

class TdmTest : public DataModule
{
    Q_OBJECT

public:
    TdmTest() { setObjectName(QStringLiteral("dmTest")); }
};
