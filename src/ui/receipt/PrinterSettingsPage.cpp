#include "ui/receipt/PrinterSettingsPage.h"

#include "printer/PrinterConnection.h"
#include "ui/common/ListControls.h"
#include "ui/common/PopupComboBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString rasterMode = QStringLiteral("图像");
const QString textMode = QStringLiteral("文字");

template <typename W> W* named(W* widget, const QString& controlName, const QString& caption) {
    ListControls::nameControl(widget, controlName, caption);
    return widget;
}

QLabel* note(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setEnabled(false);
    return label;
}

} // namespace

PrinterSettingsPage::PrinterSettingsPage(QWidget* parent)
    : QWidget(parent),
      m_system(named(new QRadioButton(QStringLiteral("系统打印机")),
                     QStringLiteral("单选框_系统打印机"), QStringLiteral("系统打印机"))),
      m_thermal(named(new QRadioButton(QStringLiteral("热敏打印机(ESC/POS)")),
                      QStringLiteral("单选框_热敏打印机"), QStringLiteral("热敏打印机(ESC/POS)"))),
      m_connection(named(new PopupComboBox, QStringLiteral("组合框_打印机连接"),
                         QStringLiteral("打印机连接："))),
      m_mode(named(new QComboBox, QStringLiteral("组合框_热敏打印模式"),
                   QStringLiteral("热敏打印模式："))),
      m_cut(named(new QCheckBox(QStringLiteral("每张小票后切纸")), QStringLiteral("选择框_切纸"),
                  QStringLiteral("每张小票后切纸"))),
      m_drawer(named(new QCheckBox(QStringLiteral("结算后打开钱箱")),
                     QStringLiteral("选择框_开钱箱"), QStringLiteral("结算后打开钱箱"))),
      m_testPage(named(new QPushButton(QStringLiteral("打印测试页")),
                       QStringLiteral("按钮_打印测试页"), QStringLiteral("打印测试页"))) {
    m_connection->setEditable(true);
    m_connection->setInsertPolicy(QComboBox::NoInsert);
    m_connection->setMinimumContentsLength(28);
    m_mode->addItems({rasterMode, textMode});
    m_testPage->setAutoDefault(false);

    auto* methods = new QHBoxLayout;
    methods->addWidget(m_system);
    methods->addWidget(m_thermal);
    methods->addStretch(1);
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(m_mode);
    modeRow->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("打印方式：")), 0, 0);
    grid->addLayout(methods, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("打印机连接：")), 1, 0);
    grid->addWidget(m_connection, 1, 1);
    grid->addWidget(note(QStringLiteral("网络打印机写 tcp:地址:端口（端口一般是9100），USB或串口"
                                        "打印机写 dev:设备文件，CUPS打印队列写 cups:队列名")),
                    2, 1);
    grid->addWidget(new QLabel(QStringLiteral("热敏打印模式：")), 3, 0);
    grid->addLayout(modeRow, 3, 1);
    grid->addWidget(note(QStringLiteral("图像：和预览一样，图片也能打，任何热敏打印机都适用；"
                                        "文字：用打印机自带的中文字体，更快更清晰")),
                    4, 1);
    grid->addWidget(m_cut, 5, 1);
    grid->addWidget(m_drawer, 6, 1);
    grid->addWidget(m_testPage, 7, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(8, 1);
    m_thermalControls = {m_connection, m_mode, m_cut, m_drawer, m_testPage};

    connect(m_thermal, &QRadioButton::toggled, this,
            &PrinterSettingsPage::setThermalControlsEnabled);
    connect(m_connection, &PopupComboBox::aboutToShowPopup, this,
            &PrinterSettingsPage::refillConnections);
    connect(m_testPage, &QPushButton::clicked, this, &PrinterSettingsPage::testPageRequested);
}

void PrinterSettingsPage::showSettings(const PrinterSettings& settings) {
    const bool thermal = settings.method == PrinterSettings::Method::EscPos;
    (thermal ? m_thermal : m_system)->setChecked(true);
    m_connection->setEditText(QString::fromStdString(settings.connection));
    m_mode->setCurrentText(settings.mode == PrinterSettings::Mode::Text ? textMode : rasterMode);
    m_cut->setChecked(settings.cutAfterCopy);
    m_drawer->setChecked(settings.openDrawer);
    setThermalControlsEnabled(thermal);
}

PrinterSettings PrinterSettingsPage::settings() const {
    PrinterSettings s;
    s.method =
        m_thermal->isChecked() ? PrinterSettings::Method::EscPos : PrinterSettings::Method::System;
    s.connection = m_connection->currentText().trimmed().toStdString();
    s.mode = m_mode->currentText() == textMode ? PrinterSettings::Mode::Text
                                               : PrinterSettings::Mode::Raster;
    s.cutAfterCopy = m_cut->isChecked();
    s.openDrawer = m_drawer->isChecked();
    return s;
}

QComboBox* PrinterSettingsPage::connectionBox() const {
    return m_connection;
}

void PrinterSettingsPage::setThermalControlsEnabled(bool enabled) {
    for (QWidget* control : m_thermalControls)
        control->setEnabled(enabled);
}

void PrinterSettingsPage::refillConnections() {
    const QString typed = m_connection->currentText();
    m_connection->clear();
    for (const std::string& candidate : PrinterConnection::candidates())
        m_connection->addItem(QString::fromStdString(candidate));
    m_connection->setEditText(typed);
}
