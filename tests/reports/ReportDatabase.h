#pragma once
#include "TempFolder.h"

#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"
#include "storage/Values.h"

#include <gtest/gtest.h>

// A real order database in a folder of its own, which is also the program
// folder and the temporary folder, so chart files land there.
class ReportDatabase : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramFolder::setPath(m_folder.path());
        ASSERT_TRUE(StorageStartup::openDatabase(m_db));
    }

    void addOrder(const std::string& time, int paid) {
        ASSERT_TRUE(m_db.ExecuteSql("insert into 存单 (时间,实付) values ('" + time + "'," +
                                    std::to_string(paid) + ")"))
            << m_db.lastError();
    }
    // count orders at time, together paying total (spread as evenly as whole yuan allow).
    void addOrders(const std::string& time, int count, int total) {
        for (int i = 0; i < count; ++i)
            addOrder(time, total / count + (i < total % count ? 1 : 0));
    }
    void addLine(const std::string& time, const std::string& dish, int quantity, double subtotal) {
        ASSERT_TRUE(
            m_db.ExecuteSql("insert into 存单详单 (存单ID,销售时间,菜名,数量,小计) values (1,'" +
                            time + "'," + Values::sqlQuote(dish) + "," + std::to_string(quantity) +
                            "," + Values::numberToText(subtotal) + ")"))
            << m_db.lastError();
    }
    // Many rows in one commit keep the tests quick.
    template <typename F> void inOneTransaction(F&& addRows) {
        ASSERT_TRUE(m_db.begin());
        addRows();
        ASSERT_TRUE(m_db.commit());
    }
    std::string folder() const { return m_folder.path(); }

    TempFolder m_folder;
    Database m_db;
};
