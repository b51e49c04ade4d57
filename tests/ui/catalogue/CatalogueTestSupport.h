#pragma once
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/Values.h"

#include "ui/common/ScriptedMessageBoxes.h"
#include "ui/common/TestApplication.h"
#include "ui/common/ListControls.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

// A fresh seeded database in a folder of its own, scripted message boxes and
// the helpers the catalogue and list window tests share.
class CatalogueWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        ASSERT_TRUE(m_folder.isValid());
        ProgramFolder::setPath(m_folder.path().toStdString());
        ASSERT_TRUE(db.open(ProgramFolder::databasePath(), "tw"));
    }

    int count(const std::string& table, const std::string& where) {
        const int handle = db.OpenTable("Select count(*) from " + table + " where " + where);
        const int n = db.ReadColByIndex(handle, 1).toInt();
        db.CloseTable(handle);
        return n;
    }
    std::string read(const std::string& select, const std::string& column) {
        const int handle = db.OpenTable(select);
        const std::string text = db.ReadColByName(handle, column).toText();
        db.CloseTable(handle);
        return text;
    }

    template <class T> static T* child(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void type(QWidget* window, const char* field, const QString& text) {
        child<QLineEdit>(window, field)->setText(text);
    }
    static void click(QWidget* window, const char* button) {
        child<QPushButton>(window, button)->click();
    }
    static QString cell(QTreeWidget* list, int row, int column) {
        return list->topLevelItem(row)->text(column);
    }
    QString lastMessage() const { return boxes.lastText(); }

    Database db;
    ScriptedMessageBoxes boxes;

  private:
    QTemporaryDir m_folder;
};
