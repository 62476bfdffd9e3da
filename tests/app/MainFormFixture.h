// The real main window on the offscreen platform, with its settings file in a fresh folder and
// its message boxes captured.
#pragma once

#include "DeferredWrites.h"
#include "MessageCapture.h"
#include "Pane.h"
#include "Params.h"
#include "TfrmMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class MainFormFixture : public ::testing::Test
{
protected:
    // Writes the settings file before the window exists.
    void writeSettings(const QByteArray& content)
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString settingsPath() const { return m_folder.filePath("Lingvane.ini"); }
    // The window's translation history, in the same folder.
    std::string historyPath() const
    {
        return m_folder.filePath("history.sqlite3").toLocal8Bit().toStdString();
    }

    // The file as it is once the writes the window handed over have reached it.
    QByteArray settingsContent() const
    {
        DeferredWrites::flush();
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Creates and shows the window the way the program does.
    TfrmMain& open(MainFormSetup setup = {})
    {
        Params = AppParams {};
        setup.settingsFolder = m_folder.path();
        if (setup.historyFile.empty()) {
            setup.historyFile = historyPath();
        }
        m_form = std::make_unique<TfrmMain>(setup);
        m_form->show();
        QApplication::processEvents();
        return *m_form;
    }

    template <typename T = QWidget> T* control(const char* name) const
    {
        T* found = m_form->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void TearDown() override { m_form.reset(); }

    QTemporaryDir m_folder;
    MessageCapture m_messages;
    std::unique_ptr<TfrmMain> m_form;
};

// The main window with its two panes at hand, for the pane commands' buttons and context menu.
class PaneFormFixture : public MainFormFixture
{
protected:
    void SetUp() override
    {
        open();
        input = control<Pane>("E1");
        output = control<Pane>("E2");
    }

public:
    // Public, so the tests' tables of commands can call them.
    void click(const char* name)
    {
        QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
    }

    void contextCommand(Pane* pane, const char* item)
    {
        emit pane->contextPopup(QPoint(10, 10));
        auto* menu = control<QMenu>("pmTrans");
        EXPECT_TRUE(menu->isVisible());
        menu->findChild<QAction*>(item)->trigger();
        menu->hide();
    }

    static void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

    Pane* input = nullptr;
    Pane* output = nullptr;
};
