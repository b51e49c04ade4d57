#pragma once
#include "support/Controls.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TestDatabase.h"

#include <QString>
#include <gtest/gtest.h>

// A window test: the application, a database of its own and scripted
// message boxes. Widgets a fixture holds are made after the application.
class WindowTest : public ::testing::Test, public TestDatabase {
  protected:
    explicit WindowTest(Start start = Start::FirstStart,
                        DateTime now = DateTime{2026, 12, 8, 12, 0, 0});

    QString filePath(const QString& name) const;
    QString dataFile(const QString& name) const { return filePath("data/" + name); }
    void setSetting(const std::string& key, const std::string& value);
    // The top and bottom pictures of the receipt in data/, both the credit picture.
    void putReceiptPictures();

    ScriptedMessageBoxes boxes;
};
