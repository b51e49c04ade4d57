#pragma once
#include "history/StoredOrders.h"
#include "storage/DateTime.h"
#include <array>
#include <optional>
#include <string>
#include <vector>

class Database;

// A stored order as the main window shows it while it is being edited.
struct StoredOrder {
    std::string id;
    std::string number;
    std::string header;
    std::string shop;
    DateTime time;
    std::string discount;
    std::string discountPortions;
    std::string discountAmount;
    std::string total;
    std::string paymentMethod;
    std::string paid;
    std::string actuallyPaid;
    std::string table;
    std::string telephone;
    std::string name;
    std::string address;
    std::string remark;
};

// The main window's fields at the moment an edited order is saved, as typed.
struct EditedOrderFields {
    std::string number;
    std::string header;
    std::string shop;
    std::string timeText; // the order-time box, in whichever time format is chosen
    std::string discount;
    std::string discountPortions;
    std::string discountAmount;
    std::string total;
    std::string paymentMethod;
    std::string paid;
    std::string actuallyPaid;
    std::string table;
    std::string telephone;
    std::string name;
    std::string address;
    std::string remark;
    // Grid rows below the header: dish, quantity, unit, subtotal.
    std::vector<std::array<std::string, 4>> gridRows;
};

// Takes a stored order back for editing and saves it over the stored one.
class OrderEditor {
  public:
    enum class Outcome { NoLines, Saved, Failed };
    struct Result {
        Outcome outcome;
        std::string message;
    };

    explicit OrderEditor(Database& db) : m_db(db) {}

    std::optional<StoredOrder> loadOrder(const std::string& idText) const;
    // The lines of the order whose history row shows dateText.
    std::vector<StoredLine> loadLines(const std::string& idText, const std::string& dateText) const;

    // Replaces the order's values and lines in one transaction; the order
    // keeps its ID and, unless the cashier changed it, its stored time.
    Result saveEditedOrder(const std::string& idText, const EditedOrderFields& fields);

    // The time to store: the stored time when the box still shows it, else the
    // box read with the stored year standing in for a year the format leaves out.
    static std::optional<DateTime> resolveTime(const std::string& timeText, const DateTime& stored);

    static constexpr const char* noLines = "无法完成，还没有选择任何菜品。";
    static constexpr const char* savedQuestion = "修改成功。是否打印小票？";
    static constexpr const char* clearQuestion =
        "是否清除主界面上的点餐信息？\r\n\r\n点 是 清空未完成项目，并对选择数据进行修改。\r\n点 否 "
        "取消修改。";
    static constexpr const char* noSelection = "请选择要修改的项目。";

  private:
    std::optional<DateTime> storedTime(const std::string& id) const;
    std::string updateStatement(const std::string& id, const EditedOrderFields& fields,
                                const DateTime& time) const;
    bool writeLines(const std::string& id, const EditedOrderFields& fields, const DateTime& time);
    Result fail(const std::string& message);

    Database& m_db;
};
