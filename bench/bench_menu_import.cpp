// The menu import's preview: a file of 10,000 rows read, checked against a
// 10,000-dish catalogue and shown in the preview dialog, laid out and painted.
#include "MustExecute.h"
#include "spreadsheet/MenuFile.h"
#include "spreadsheet/MenuImport.h"
#include "support/TempFolder.h"
#include "support/TestApplication.h"
#include "support/TestDatabase.h"
#include "ui/catalogue/MenuImportDialog.h"

#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int dishCount = 10'000;

// Half the rows change a dish's price, half add a dish.
std::string menuFile() {
    std::string text = "数字代号,菜名,价格,单位\r\n";
    char row[96];
    for (int i = 1; i <= dishCount; ++i) {
        const bool known = i % 2 == 0;
        std::snprintf(row, sizeof row, "%05d,%s%05d,%d.5,份\r\n", known ? i : dishCount + i,
                      known ? "菜品" : "新菜", i, 6 + i % 40);
        text += row;
    }
    return text;
}

void importPreview(benchmark::State& state) {
    ensureTestApplication();
    TestDatabase install;
    install.db.begin();
    mustExecute(install.db, "Delete * from 菜单 where ID>0");
    char sql[192];
    for (int i = 1; i <= dishCount; ++i) {
        std::snprintf(sql, sizeof sql,
                      "insert into 菜单 (代码,字母,菜名,价格,单位) values "
                      "('%05d','cp%d','菜品%05d',%d.5,'份')",
                      i, i, i, 5 + i % 40);
        mustExecute(install.db, sql);
    }
    install.db.commit();
    TempFolder folder;
    const std::string path = folder.file("menu.csv");
    TempFolder::write(path, menuFile());
    int rows = 0;
    for (auto _ : state) {
        std::string problem;
        const auto table = MenuFile::read(path, problem);
        const auto preview = MenuImport(install.db).preview(*table);
        MenuImportDialog dialog(preview);
        dialog.show();
        dialog.table()->viewport()->repaint();
        rows = dialog.table()->model()->rowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(importPreview)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
