#include "support/MainWindowTest.h"

#include <QTest>

void MainWindowTest::startWindow() {
    window = std::make_unique<MainWindow>(db, clock);
    window->startUp();
}

void MainWindowTest::restartWindow() {
    window->close();
    startWindow();
}

void MainWindowTest::enterDish(const QString& code, const QString& quantity) {
    QLineEdit* box = edit("编辑框_项目代号");
    box->clear();
    QTest::keyClicks(box, code);
    boxes.inputs.push_back(quantity);
    QTest::keyClick(box, Qt::Key_Return);
}
