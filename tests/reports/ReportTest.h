#pragma once
#include "support/TestDatabase.h"

#include "storage/values/Values.h"

#include <gtest/gtest.h>

#include <string>

// A chart file as written by hand.
inline std::string golden(const std::string& name) {
    return TempFolder::read(std::string(TABLEWISE_GOLDEN_DIR) + "/" + name);
}

// A real order database in a folder of its own, which is also the program
// folder and the temporary folder, so chart files land there.
class ReportTest : public OnBothEngines, public TestDatabase {
  protected:
    ReportTest() : TestDatabase(GetParam()) {}

    void addOrder(const std::string& time, int paid) {
        TestDatabase::addOrder({.time = time, .paid = std::to_string(paid)});
    }
    // count orders at time, together paying total (spread as evenly as whole yuan allow).
    void addOrders(const std::string& time, int count, int total) {
        for (int i = 0; i < count; ++i)
            addOrder(time, total / count + (i < total % count ? 1 : 0));
    }
    void addLine(const std::string& time, const std::string& dish, int quantity, double subtotal) {
        TestDatabase::addLine(1, time, dish, std::to_string(quantity),
                              Values::numberToText(subtotal));
    }
    // Many rows in one commit keep the tests quick.
    template <typename F> void inOneTransaction(F&& add) {
        ASSERT_TRUE(db.begin());
        add();
        ASSERT_TRUE(db.commit());
    }

    TemporaryFolderSwitch m_temporaryFolder{folder.path()};
};
