#pragma once
#include "history/StoredOrders.h"
#include "orders/OrderDraft.h"
#include "storage/values/DateTime.h"
#include <optional>
#include <string>
#include <vector>

class Database;

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
    // Why loadOrder or loadLines found nothing: the order is gone, or the
    // database says why.
    std::string loadFailure() const;
    // The lines of the order whose history row shows dateText; an order whose
    // lines could not be read is not edited, or saving it would drop them.
    ReadResult<std::vector<StoredLine>> loadLines(const std::string& idText,
                                                  const std::string& dateText) const;

    // The order on screen once the stored one is loaded over `onScreen`: the
    // time in the chosen format, numbers as number text, the lines of its day.
    static OrderDraft loadedDraft(const OrderDraft& onScreen, const StoredOrder& order,
                                  const std::vector<StoredLine>& lines, int timeFormat);

    // Replaces the values and lines of the order draft.orderId and records
    // the order before and after, all in one transaction; the order keeps its
    // ID and, unless the cashier changed it, its stored time.
    [[nodiscard]] Result saveEditedOrder(const OrderDraft& draft);

    // The time to store: the stored time when the box still shows it, else the
    // box read with the stored year standing in for a year the format leaves out.
    static std::optional<DateTime> resolveTime(const std::string& timeText, const DateTime& stored);

    static constexpr const char* noLines = "无法完成，还没有选择任何菜品。";
    static constexpr const char* savedQuestion = "修改成功。是否打印小票？";
    static constexpr const char* clearQuestion =
        "是否清除主界面上的点餐信息？\r\n\r\n点 是 清空未完成项目，并对选择数据进行修改。\r\n点 否 "
        "取消修改。";
    static constexpr const char* orderGone = "该订单已不存在，无法修改。";

  private:
    std::optional<DateTime> storedTime(const std::string& id) const;
    Result fail(const std::string& message);
    // Rolls back and tells why the save failed, as far as the database can tell.
    Result storageFailed();
    Result goneOrFailed();

    Database& m_db;
};
