// A history file in a fresh temporary folder, and direct access to it for setting up damaged,
// locked or older files.
#pragma once

#include "../ini/ScratchFolder.h"
#include "HistoryStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

class HistoryFixture : public testing::Test
{
protected:
    // Runs SQL on the file through a connection of its own, as another program would.
    static void runSql(const std::string& path, const std::string& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
        EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }

    // The first column of the first row of a query, as text.
    static std::string queryText(const std::string& path, const std::string& sql)
    {
        sqlite3* db = nullptr;
        std::string result;
        if (sqlite3_open(path.c_str(), &db) == SQLITE_OK) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK
                && sqlite3_step(statement) == SQLITE_ROW) {
                const auto* text = sqlite3_column_text(statement, 0);
                result = text ? reinterpret_cast<const char*>(text) : "";
            }
            sqlite3_finalize(statement);
        }
        sqlite3_close(db);
        return result;
    }

    // The bytes of the file and its write-ahead log, where a deleted text could linger.
    std::string fileBytes() const
    {
        return ScratchFolder::read(m_path) + ScratchFolder::read(m_path + "-wal");
    }

    static std::vector<std::u16string> sources(const std::vector<HistoryEntry>& entries)
    {
        std::vector<std::u16string> result;
        for (const auto& entry : entries) {
            result.push_back(entry.source);
        }
        return result;
    }

    ScratchFolder m_folder;
    std::string m_path = m_folder.file("data/quendra/history.sqlite3");
};
