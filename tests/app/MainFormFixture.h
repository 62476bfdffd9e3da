// The real main window on the offscreen platform, with its settings file in a fresh folder and
// its message boxes captured.
#pragma once

#include "MessageCapture.h"
#include "Params.h"
#include "TfrmMain.h"

#include <QApplication>
#include <QFile>
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

    QByteArray settingsContent() const
    {
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
