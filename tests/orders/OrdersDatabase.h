#pragma once
#include "storage/Clock.h"
#include "storage/Database.h"
#include "storage/StorageStartup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

// A freshly seeded database file in a temporary folder of its own.
class OrdersDatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        m_folder = std::filesystem::temp_directory_path() /
                   ("tw-orders-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_folder);
        db.setClock(clock);
        ASSERT_TRUE(StorageStartup::openDatabase(db, (m_folder / "data" / "data.mdb").string()));
    }
    void TearDown() override {
        db.close();
        std::filesystem::remove_all(m_folder);
    }

    void execute(const std::string& sql) { ASSERT_TRUE(db.ExecuteSql(sql)) << sql; }
    std::string firstText(const std::string& sql) {
        const int rs = db.OpenTable(sql);
        const std::string text = db.ReadColByIndex(rs, 1).toText();
        db.CloseTable(rs);
        return text;
    }

    FixedClock clock{DateTime{2026, 12, 8, 12, 0, 0}};
    Database db;

  private:
    std::filesystem::path m_folder;
};
