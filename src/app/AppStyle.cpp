#include "app/AppStyle.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace {

const char* const styleSheet = R"(
QMainWindow, QDialog { background: #f3f5f8; }
QGroupBox {
    font-weight: bold; border: 1px solid #c4ccd8; border-radius: 4px;
    margin-top: 12px; padding: 8px 6px 6px 6px; background: #ffffff;
}
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: #1f4e79; }
QGroupBox QLabel, QGroupBox QLineEdit, QGroupBox QComboBox, QGroupBox QPushButton,
QGroupBox QTableWidget, QGroupBox QTreeView { font-weight: normal; }
QLineEdit, QComboBox { min-height: 24px; padding: 1px 4px; }
QLineEdit:read-only { background: #eef1f5; }
QHeaderView::section { background: #e4e9f0; padding: 4px; border: 0; border-right: 1px solid #c4ccd8; }
QPushButton { min-height: 28px; padding: 2px 12px; }
QPushButton[role="settle"] {
    background: #2e7d32; color: white; font-size: 12pt; font-weight: bold;
    border: 1px solid #1b5e20; border-radius: 4px;
}
QPushButton[role="settle"]:hover { background: #388e3c; }
QPushButton[role="settle"]:pressed { background: #1b5e20; }
QLabel[role="hint"] {
    background: #fff4d6; color: #7a4b00; border: 1px solid #e0b24a; border-radius: 4px;
    padding: 4px 8px;
}
QToolBar { spacing: 4px; padding: 2px; border-bottom: 1px solid #c4ccd8; }
QToolButton { padding: 2px 8px; }
QWidget#帮助链接 { background: #263646; border-radius: 4px; }
QStatusBar QLabel { padding: 0 8px; }
)";

} // namespace

namespace AppStyle {

void apply(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("WenQuanYi Zen Hei"), 10);
    font.setStyleHint(QFont::SansSerif);
    app.setFont(font);
    app.setStyleSheet(QString::fromUtf8(styleSheet));
}

} // namespace AppStyle
