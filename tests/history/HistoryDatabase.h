#pragma once
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/Values.h"

#include <filesystem>
#include <random>
#include <string>

// A fresh order database in a folder of its own, removed afterwards, with
// shortcuts for the rows the history tests need.
class HistoryDatabase {
  public:
    HistoryDatabase() {
        std::random_device random;
        m_folder = std::filesystem::temp_directory_path() /
                   ("tablewise-history-" + std::to_string(random()));
        std::filesystem::create_directories(m_folder);
        ProgramFolder::setPath(m_folder.string());
        m_db.open(ProgramFolder::databasePath(), "tw");
    }
    ~HistoryDatabase() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    Database& db() { return m_db; }

    struct Order {
        std::string time = "2017-05-15 12:30:00";
        std::string total = "10";
        std::string paid = "10";
        std::string table;
        std::string telephone;
        std::string address;
        std::string remark;
    };

    // Returns the new order's ID.
    long long addOrder(const Order& o) {
        m_db.ExecuteSql("insert into 存单 "
                        "(编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,支付方式,已付,实付,"
                        "桌号,电话,姓名,地址,是否结算,备注) values (1,'票头','店','" +
                        o.time + "','无',0,0," + o.total + ",'现金支付'," + o.paid + "," + o.paid +
                        "," + Values::sqlQuote(o.table) + "," + Values::sqlQuote(o.telephone) +
                        ",'张三'," + Values::sqlQuote(o.address) + ",'1'," +
                        Values::sqlQuote(o.remark) + ")");
        return m_db.lastInsertId();
    }

    void addOrders(int count) {
        m_db.begin();
        for (int i = 0; i < count; ++i)
            addOrder({});
        m_db.commit();
    }

    void addLine(long long orderId, const std::string& saleTime, const std::string& dish) {
        m_db.ExecuteSql("insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" +
                        std::to_string(orderId) + ",'" + saleTime + "'," + Values::sqlQuote(dish) +
                        ",2,'份',30)");
    }

    void addCustomer(const std::string& telephone, const std::string& name,
                     const std::string& address) {
        m_db.ExecuteSql("insert into 客户 (电话,姓名,地址) values (" + Values::sqlQuote(telephone) +
                        "," + Values::sqlQuote(name) + "," + Values::sqlQuote(address) + ")");
    }

    // The first column of the first row of a select, as text.
    std::string scalar(const std::string& sql) {
        const int handle = m_db.OpenTable(sql);
        const std::string value = m_db.ReadColByIndex(handle, 1).toText();
        m_db.CloseTable(handle);
        return value;
    }
    int count(const std::string& sql) { return Values::textToInt(scalar(sql)); }

  private:
    std::filesystem::path m_folder;
    Database m_db;
};
