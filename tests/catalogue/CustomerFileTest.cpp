#include "catalogue/CustomerFile.h"
#include "storage/values/Values.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class CustomerFileTest : public ::testing::Test {
  protected:
    CustomerFile::Confirm answer(bool yes) {
        return [this, yes](const std::string& question) {
            questions.push_back(question);
            return yes;
        };
    }
    int customers() { return data.count("select count(*) from 客户"); }
    std::string stored(const std::string& column, const std::string& telephone) {
        return data.scalar("select " + column +
                           " from 客户 where 电话=" + Values::sqlQuote(telephone));
    }

    TestDatabase data{TestDatabase::Start::Template};
    CustomerFile file{data.db};
    std::vector<std::string> questions;
};

TEST_F(CustomerFileTest, MissingFieldsAreRefusedAddressFirst) {
    struct Case {
        Customer typed;
        std::string message;
    };
    const Case cases[] = {
        {{"", "", "", ""}, "地址不能为空，请输地址后重试。"},
        {{"", "　", "李四", "北街 1 号"}, "电话不能为空，请输入电话后重试。"},
        {{"", "139", " ", "北街 1 号"}, "姓名不能为空，请输入姓名后重试。"},
    };
    for (const Case& c : cases) {
        for (auto run : {&CustomerFile::addCustomer, &CustomerFile::modifyCustomer}) {
            const CustomerFile::Result result = (file.*run)(c.typed, answer(true));
            EXPECT_EQ(result.outcome, CustomerFile::Outcome::Refused);
            EXPECT_EQ(result.message, c.message);
        }
    }
    EXPECT_EQ(customers(), 0);
    EXPECT_TRUE(questions.empty());
}

TEST_F(CustomerFileTest, AddTrimsAndInserts) {
    const auto result = file.addCustomer({"", " 139 ", "　O'Brien", "北街 1 号 "}, answer(true));
    EXPECT_EQ(result.outcome, CustomerFile::Outcome::Added);
    EXPECT_EQ(result.message, "保存完成。");
    EXPECT_EQ(stored("姓名", "139"), "O'Brien");
    EXPECT_EQ(stored("地址", "139"), "北街 1 号");
    EXPECT_TRUE(questions.empty());
}

TEST_F(CustomerFileTest, AddingAKnownTelephoneAsksBeforeOverwriting) {
    data.addCustomer("139", "李四", "旧址");

    EXPECT_EQ(file.addCustomer({"", "139", "王五", "新址"}, answer(false)).outcome,
              CustomerFile::Outcome::Declined);
    EXPECT_EQ(stored("姓名", "139"), "李四");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "客户电话已经存在，不能重复添加。\r\n电话：139\r\n姓名：李四\r\n地址："
                            "旧址\r\n是否修改该客户？\r\n\r\n修改请点 是\r\n返回请点 否");

    const auto result = file.addCustomer({"", "139", "王五", "新址"}, answer(true));
    EXPECT_EQ(result.outcome, CustomerFile::Outcome::Updated);
    EXPECT_EQ(result.message, "修改完成。");
    EXPECT_EQ(stored("姓名", "139"), "王五");
    EXPECT_EQ(stored("地址", "139"), "新址");
    EXPECT_EQ(customers(), 1);
}

TEST_F(CustomerFileTest, ModifyUpdatesOrAddsWhenTheTelephoneChanged) {
    data.addCustomer("139", "李四", "旧址");

    EXPECT_EQ(file.modifyCustomer({"", "139", "李四", "新址"}, answer(false)).outcome,
              CustomerFile::Outcome::Updated);
    EXPECT_EQ(stored("地址", "139"), "新址");
    EXPECT_TRUE(questions.empty());

    EXPECT_EQ(file.modifyCustomer({"", "138", "李四", "新址"}, answer(false)).outcome,
              CustomerFile::Outcome::Declined);
    EXPECT_EQ(customers(), 1);
    EXPECT_EQ(file.modifyCustomer({"", "138", "李四", "新址"}, answer(true)).outcome,
              CustomerFile::Outcome::Added);
    EXPECT_EQ(customers(), 2);
    EXPECT_EQ(questions.back(), CustomerFile::addQuestion);
}

TEST_F(CustomerFileTest, DeleteGoesByTelephoneAndKeepsOthers) {
    data.addCustomer("139", "李四", "北街");
    data.addCustomer("it's", "王五", "南街");
    EXPECT_TRUE(file.deleteCustomer("it's"));
    EXPECT_EQ(customers(), 1);
    EXPECT_TRUE(*file.findByTelephone("139"));
    EXPECT_FALSE(*file.findByTelephone("it's"));
}

TEST(CustomerFileText, SearchAndDeleteQuestion) {
    EXPECT_EQ(CustomerFile::searchFragment("O'Neil"), " and 姓名='O''Neil' or 电话='O''Neil'");
    EXPECT_EQ(CustomerFile::deleteQuestion({"1", "139", "李四", "北街"}),
              "客户电话：139\r\n客户姓名：李四\r\n客户地址：北街\r\n\r\n是否删除该客户？");
}

} // namespace
