#pragma once
#include "support/WindowTest.h"

#include <QApplication>

#include "storage/values/Values.h"
#include "ui/common/ListControls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <memory>

// The catalogue and list windows on the template database.
class CatalogueWindowTest : public WindowTest {
  protected:
    CatalogueWindowTest() : WindowTest(Start::Template) {}

    int count(const std::string& table, const std::string& where) {
        return TestDatabase::count("Select count(*) from " + table + " where " + where);
    }
    std::string read(const std::string& select, const std::string& column) {
        const std::vector<Row> found = rows(select, {column});
        return found.empty() ? std::string() : found.front().at(column);
    }
    static QString cell(QTreeWidget* list, int row, int column) {
        return list->topLevelItem(row)->text(column);
    }
    QString lastMessage() const { return boxes.lastText(); }
};

// A catalogue window listing its records in "超级列表框1", and the window
// that adds or modifies one of them.
template <typename ListWindow, typename EditWindow>
class ListWindowTest : public CatalogueWindowTest {
  protected:
    void SetUp() override {
        CatalogueWindowTest::SetUp();
        window = std::make_unique<ListWindow>(nullptr, db);
        list = child<QTreeWidget>(window.get(), "超级列表框1");
    }
    std::unique_ptr<EditWindow> editWindow(typename EditWindow::Mode mode) {
        return std::make_unique<EditWindow>(window.get(), db, list, mode);
    }

    std::unique_ptr<ListWindow> window;
    QTreeWidget* list = nullptr;
};
