#include "ui/common/DatabaseSettingsDialog.h"

#include "storage/config/DatabaseSettings.h"
#include "storage/config/ProgramFolder.h"
#include "storage/config/TillName.h"
#include "support/WindowTest.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cstdlib>
#include <filesystem>

namespace {

class DatabaseSettingsDialogTest : public WindowTest {
  protected:
    DatabaseSettingsDialogTest() { setenv("PGPASSFILE", passwords.c_str(), 1); }
    ~DatabaseSettingsDialogTest() override { unsetenv("PGPASSFILE"); }

    IniFile ini{ProgramFolder::iniPath()};
    const std::string passwords = ProgramFolder::iniPath() + ".pgpass";
};

const char* const unreachable = "host=127.0.0.1 port=1 dbname=tw user=till";

} // namespace

TEST_F(DatabaseSettingsDialogTest, SavesTheServerOnlyWhenTheOwnerAgrees) {
    struct Case {
        std::deque<bool> answers; // to "仍然保存这个设置吗？"
        bool saved;
    };
    for (const Case& c : {Case{{false}, false}, Case{{true}, true}}) {
        DatabaseSettingsDialog dialog(ini);
        EXPECT_TRUE(child<QRadioButton>(&dialog, "单选框_本机数据文件")->isChecked());
        child<QRadioButton>(&dialog, "单选框_数据库服务器")->setChecked(true);
        for (auto [field, text] : {std::pair{"编辑框_服务器地址", "127.0.0.1"},
                                   {"编辑框_端口", "1"},
                                   {"编辑框_数据库", "tw"},
                                   {"编辑框_用户", "till"},
                                   {"编辑框_密码", "pw"}})
            type(&dialog, field, text);
        boxes.answers = c.answers;
        click(&dialog, "按钮_确定");
        EXPECT_TRUE(child<QLabel>(&dialog, "标签_连接结果")->text().contains("127.0.0.1:1"));
        EXPECT_FALSE(boxes.shown[0].text.contains("pw"));
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.saved);
        const DatabaseSettings stored = DatabaseSettings::load(ini);
        EXPECT_EQ(stored.onServer(), c.saved);
        EXPECT_EQ(stored.connection, c.saved ? unreachable : "");
        EXPECT_EQ(std::filesystem::exists(passwords), c.saved);
        if (c.saved)
            EXPECT_EQ(TempFolder::read(passwords), "127.0.0.1:1:tw:till:pw\n");
        EXPECT_EQ(boxes.lastText().contains("下次启动程序时生效"), c.saved);
        boxes.shown.clear();
    }
}

// An older connection text with its password shows it nowhere but in the
// hidden password field, and the next save moves it to the password file.
TEST_F(DatabaseSettingsDialogTest, ShowsNoPasswordInTheRawText) {
    TempFolder::write(ProgramFolder::iniPath(),
                      "[数据库]\r\n类型 = {postgresql}\r\n连接 = {host=db password=Secret99 "
                      "sslmode=disable}\r\n");
    DatabaseSettingsDialog dialog(ini);
    const QLineEdit* raw = child<QLineEdit>(&dialog, "编辑框_连接字符串");
    EXPECT_EQ(raw->text(), "host=db sslmode=disable");
    child<QCheckBox>(&dialog, "复选框_连接字符串")->setChecked(false);
    child<QCheckBox>(&dialog, "复选框_连接字符串")->setChecked(true);
    EXPECT_FALSE(raw->text().contains("Secret99"));
    EXPECT_EQ(dialog.password(), "Secret99");
}

TEST_F(DatabaseSettingsDialogTest, KeepsATextWithOtherOptionsAsWritten) {
    DatabaseSettings stored;
    stored.engine = DatabaseSettings::Engine::Postgresql;
    stored.connection = "host=db sslmode=require";
    ASSERT_TRUE(stored.save(ini));
    DatabaseSettingsDialog dialog(ini);
    EXPECT_TRUE(child<QRadioButton>(&dialog, "单选框_数据库服务器")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(&dialog, "复选框_连接字符串")->isChecked());
    EXPECT_EQ(dialog.connection(), stored.connection);
    child<QCheckBox>(&dialog, "复选框_连接字符串")->setChecked(false);
    EXPECT_EQ(child<QLineEdit>(&dialog, "编辑框_服务器地址")->text(), "db");
    type(&dialog, "编辑框_数据库", " tw ");
    type(&dialog, "编辑框_密码", " p w");
    child<QCheckBox>(&dialog, "复选框_连接字符串")->setChecked(true);
    EXPECT_EQ(dialog.connection(), "host=db dbname=tw");
    EXPECT_EQ(dialog.password(), " p w");
    EXPECT_EQ(child<QLineEdit>(&dialog, "编辑框_密码")->echoMode(), QLineEdit::Password);
    child<QRadioButton>(&dialog, "单选框_本机数据文件")->setChecked(true);
    click(&dialog, "按钮_确定");
    EXPECT_FALSE(DatabaseSettings::load(ini).onServer());
    for (const char* name :
         {"单选框_本机数据文件", "单选框_数据库服务器", "编辑框_服务器地址", "编辑框_端口",
          "编辑框_数据库", "编辑框_用户", "编辑框_密码", "复选框_连接字符串", "编辑框_连接字符串",
          "按钮_测试连接", "按钮_确定", "按钮_取消", "标签_连接结果"}) {
        QWidget* control = child(&dialog, name);
        EXPECT_EQ(control->accessibleDescription(), QString::fromUtf8(name));
        EXPECT_FALSE(control->accessibleName().isEmpty()) << name;
    }
}

// The name stored with every order: a hand-written entry is shown, and an
// emptied field goes back to the host name.
TEST_F(DatabaseSettingsDialogTest, SavesTheTillName) {
    TempFolder::write(ProgramFolder::iniPath(), "收银台 = {吧台\r\n[数据库]\r\n");
    struct Case {
        const char* shown;
        const char* typed;
        std::string used;
    };
    for (const Case& c :
         {Case{"吧台", "  前台 2 ", "前台 2"}, Case{"前台 2", "", TillName::hostName()}}) {
        DatabaseSettingsDialog dialog(ini);
        EXPECT_EQ(child<QLineEdit>(&dialog, "编辑框_收银台")->text(), c.shown);
        child<QLineEdit>(&dialog, "编辑框_收银台")->setText(c.typed);
        click(&dialog, "按钮_确定");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(TillName::of(ini), c.used);
    }
}
