#pragma once
#include "storage/Clock.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"

#include "ui/common/ScriptedMessageBoxes.h"
#include "ui/common/TestApplication.h"
#include "ui/order/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// A seeded database in a folder of its own, a clock the test sets, scripted
// message boxes, and the main window started on them.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        ASSERT_TRUE(m_folder.isValid());
        ProgramFolder::setPath(m_folder.path().toStdString());
        db.setClock(clock);
        ASSERT_TRUE(StorageStartup::openDatabase(db));
        startWindow();
    }

    void startWindow() {
        window = std::make_unique<MainWindow>(db, clock);
        window->startUp();
    }

    // Closes the window as the cashier does and starts a new one on the same data.
    void restartWindow() {
        window->close();
        startWindow();
    }

    template <typename T = QWidget> T* control(const char* name) const {
        T* found = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(name); }
    QComboBox* dropDown(const char* name) const { return control<QComboBox>(name); }
    QString textOf(const char* name) const { return edit(name)->text(); }

    int count(const std::string& sql) {
        const int rs = db.OpenTable(sql);
        const int n = db.ReadColByIndex(rs, 1).toInt();
        db.CloseTable(rs);
        return n;
    }

    QTemporaryDir m_folder;
    FixedClock clock{DateTime{2026, 12, 8, 12, 30, 15}};
    Database db;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<MainWindow> window;
};
