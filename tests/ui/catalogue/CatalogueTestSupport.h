#pragma once
#include "support/WindowTest.h"

#include <QApplication>

#include "storage/Values.h"
#include "ui/common/ListControls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

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
