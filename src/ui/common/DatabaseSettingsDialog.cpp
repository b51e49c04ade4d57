#include "ui/common/DatabaseSettingsDialog.h"
#include "ui/common/ListControls.h"

#include "storage/config/ConnectionFields.h"
#include "storage/config/DatabaseSettings.h"
#include "storage/config/PasswordFile.h"
#include "storage/config/ServerProbe.h"
#include "storage/config/TillName.h"
#include "ui/common/MessageBoxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>

using ListControls::addCaptionButton;
using ListControls::nameControl;

namespace {

const QString title = QStringLiteral("数据库设置");

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string typed(const QLineEdit* field) {
    return field->text().trimmed().toStdString();
}

// The edits of the server box, each bound to the part of the connection text
// it holds; the control is named "编辑框_" + caption.
struct ConnectionEdit {
    QString caption;
    std::string ConnectionFields::*part;
    QString placeholder;
    bool secret = false; // hidden as typed, and its spaces are kept
};

const std::array<ConnectionEdit, 5> connectionEdits{{
    {QStringLiteral("服务器地址"), &ConnectionFields::host, {}},
    {QStringLiteral("端口"), &ConnectionFields::port, QStringLiteral("5432")},
    {QStringLiteral("数据库"), &ConnectionFields::dbname, {}},
    {QStringLiteral("用户"), &ConnectionFields::user, {}},
    {QStringLiteral("密码"), &ConnectionFields::password, {}, true},
}};

QRadioButton* choice(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    nameControl(button, name, caption);
    return button;
}

} // namespace

DatabaseSettingsDialog::DatabaseSettingsDialog(IniFile ini, QWidget* parent)
    : QDialog(parent), m_ini(std::move(ini)) {
    setWindowTitle(title);
    setObjectName(title);
    auto* layout = new QVBoxLayout(this);
    m_fileChoice = choice(QStringLiteral("单选框_本机数据文件"),
                          QStringLiteral("本机数据文件（只有这台收银机使用）"), this);
    m_serverChoice = choice(QStringLiteral("单选框_数据库服务器"),
                            QStringLiteral("数据库服务器 PostgreSQL（几台收银机共用）"), this);
    layout->addWidget(m_fileChoice);
    layout->addWidget(m_serverChoice);
    layout->addWidget(buildServerBox());
    layout->addLayout(buildTillNameRow());

    m_finding = new QLabel(this);
    nameControl(m_finding, QStringLiteral("标签_连接结果"), QStringLiteral("连接结果"));
    m_finding->setWordWrap(true);
    m_finding->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room for what a test finds, so the window does not jump when it is shown.
    m_finding->setMinimumHeight(m_finding->fontMetrics().lineSpacing() * 3);
    layout->addWidget(m_finding);

    auto* row = new QHBoxLayout;
    QPushButton* test = addCaptionButton(row, this, QStringLiteral("测试连接"));
    row->addStretch(1);
    QPushButton* ok = addCaptionButton(row, this, QStringLiteral("确定"));
    ok->setDefault(true);
    QPushButton* cancel = addCaptionButton(row, this, QStringLiteral("取消"));
    layout->addLayout(row);
    connect(test, &QPushButton::clicked, this, &DatabaseSettingsDialog::testConnection);
    connect(ok, &QPushButton::clicked, this, &DatabaseSettingsDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_serverChoice, &QRadioButton::toggled, this,
            &DatabaseSettingsDialog::showServerChoice);

    const DatabaseSettings settings = DatabaseSettings::load(m_ini);
    (settings.onServer() ? m_serverChoice : m_fileChoice)->setChecked(true);
    showConnection(settings.connection);
    showServerChoice();
    setMinimumWidth(520);
}

// Several tills on one server tell their orders apart by it.
QLayout* DatabaseSettingsDialog::buildTillNameRow() {
    const QString caption = QStringLiteral("收银台");
    m_tillName = new QLineEdit(qs(TillName::chosen(m_ini)), this);
    nameControl(m_tillName, QStringLiteral("编辑框_收银台"), caption);
    m_tillName->setMaxLength(int(TillName::length));
    // A brace would end the entry in 配置文件.ini.
    m_tillName->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^{}]*")), m_tillName));
    m_tillName->setPlaceholderText(qs(TillName::hostName()) + QStringLiteral("（本机名称）"));
    auto* form = new QFormLayout;
    form->addRow(caption + QStringLiteral("："), m_tillName);
    return form;
}

QGroupBox* DatabaseSettingsDialog::buildServerBox() {
    m_serverBox = new QGroupBox(QStringLiteral("数据库服务器"), this);
    m_serverBox->setAccessibleName(m_serverBox->title());
    auto* box = new QVBoxLayout(m_serverBox);
    m_fields = new QWidget(m_serverBox);
    auto* form = new QFormLayout(m_fields);
    form->setContentsMargins(0, 0, 0, 0);
    for (const ConnectionEdit& entry : connectionEdits) {
        auto* edit = new QLineEdit(m_fields);
        nameControl(edit, QStringLiteral("编辑框_") + entry.caption, entry.caption);
        edit->setPlaceholderText(entry.placeholder);
        if (entry.secret)
            edit->setEchoMode(QLineEdit::Password);
        form->addRow(entry.caption + QStringLiteral("："), edit);
        m_connectionEdits.push_back(edit);
    }
    box->addWidget(m_fields);

    m_rawChoice = new QCheckBox(QStringLiteral("直接填写连接字符串"), m_serverBox);
    nameControl(m_rawChoice, QStringLiteral("复选框_连接字符串"), m_rawChoice->text());
    m_raw = new QLineEdit(m_serverBox);
    nameControl(m_raw, QStringLiteral("编辑框_连接字符串"), QStringLiteral("连接字符串"));
    m_raw->setPlaceholderText(
        QStringLiteral("host=192.168.1.5 port=5432 dbname=tablewise user=till"));
    box->addWidget(m_rawChoice);
    box->addWidget(m_raw);
    connect(m_rawChoice, &QCheckBox::toggled, this, &DatabaseSettingsDialog::switchRawText);
    return m_serverBox;
}

// A text that sets more than the five fields stays as written: splitting it
// into fields would drop the rest. Its password is shown only hidden.
void DatabaseSettingsDialog::showConnection(const std::string& text) {
    const ConnectionFields fields = ConnectionFields::parse(text);
    const bool raw = !fields.valid || fields.otherOptions;
    m_raw->setText(qs(ConnectionFields::withoutPassword(text)));
    fillFields(text);
    const QSignalBlocker quiet(m_rawChoice);
    m_rawChoice->setChecked(raw);
    m_raw->setVisible(raw);
    m_fields->setVisible(!raw);
}

void DatabaseSettingsDialog::fillFields(const std::string& text) {
    const ConnectionFields fields = ConnectionFields::parse(text);
    for (std::size_t i = 0; i < connectionEdits.size(); ++i)
        m_connectionEdits[i]->setText(qs(fields.*connectionEdits[i].part));
}

void DatabaseSettingsDialog::showServerChoice() {
    m_serverBox->setEnabled(m_serverChoice->isChecked());
    m_finding->clear();
}

// Switching carries what was typed over, so nothing is typed twice.
void DatabaseSettingsDialog::switchRawText(bool raw) {
    const QString password = m_connectionEdits.back()->text();
    if (raw)
        m_raw->setText(qs(fieldsText()));
    else
        fillFields(typed(m_raw));
    if (m_connectionEdits.back()->text().isEmpty())
        m_connectionEdits.back()->setText(password);
    m_raw->setVisible(raw);
    m_fields->setVisible(!raw);
}

std::string DatabaseSettingsDialog::fieldsText() const {
    ConnectionFields fields;
    for (std::size_t i = 0; i < connectionEdits.size(); ++i) {
        const QLineEdit* edit = m_connectionEdits[i];
        if (!connectionEdits[i].secret)
            fields.*connectionEdits[i].part = typed(edit);
    }
    return fields.text();
}

std::string DatabaseSettingsDialog::connection() const {
    return m_rawChoice->isChecked() ? ConnectionFields::withoutPassword(typed(m_raw))
                                    : fieldsText();
}

// Typed in its field, or written into the raw text.
std::string DatabaseSettingsDialog::password() const {
    const std::string typedPassword = m_connectionEdits.back()->text().toStdString();
    if (!typedPassword.empty() || !m_rawChoice->isChecked())
        return typedPassword;
    return ConnectionFields::parse(typed(m_raw)).password;
}

ServerProbe::Finding DatabaseSettingsDialog::testConnection() {
    m_finding->setText(QStringLiteral("正在连接……"));
    m_finding->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ServerProbe::Finding finding = ServerProbe::probe(connection(), password());
    QApplication::restoreOverrideCursor();
    m_finding->setText(qs(finding.description));
    return finding;
}

// A server that cannot be reached is saved only when the owner says so: the
// next start would wait for it.
void DatabaseSettingsDialog::confirm() {
    if (m_serverChoice->isChecked()) {
        const ServerProbe::Finding finding = testConnection();
        if (!finding.reached &&
            !MessageBoxes::instance().ask(
                this, qs(finding.description) + QStringLiteral("\r\n\r\n仍然保存这个设置吗？"),
                MessageBoxes::Icon::Warning, title, MessageBoxes::Default::No))
            return;
    }
    if (save())
        accept();
}

bool DatabaseSettingsDialog::save() {
    DatabaseSettings settings;
    settings.engine = m_serverChoice->isChecked() ? DatabaseSettings::Engine::Postgresql
                                                  : DatabaseSettings::Engine::Sqlite;
    settings.connection = connection();
    settings.password = password();
    MessageBoxes& boxes = MessageBoxes::instance();
    if (!settings.save(m_ini) || !TillName::save(m_ini, typed(m_tillName))) {
        boxes.inform(this,
                     QStringLiteral("数据库设置没有保存：无法写入 ") + qs(m_ini.path()) +
                         QStringLiteral("。"),
                     MessageBoxes::Icon::Warning, title);
        return false;
    }
    boxes.inform(this, QStringLiteral("数据库设置已保存，下次启动程序时生效。"),
                 MessageBoxes::Icon::Information, title);
    return true;
}
