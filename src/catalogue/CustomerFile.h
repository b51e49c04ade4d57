#pragma once
#include "storage/engine/ReadResult.h"

#include <functional>
#include <optional>
#include <string>

class Database;

// A delivery customer as the customer window edits it.
struct Customer {
    std::string id;
    std::string telephone;
    std::string name;
    std::string address;
};

// The table 客户, keyed by telephone. Telephones are kept unique by asking
// before an insert would duplicate one.
class CustomerFile {
  public:
    enum class Outcome {
        Refused,  // a field is missing; see message
        Declined, // the cashier answered No
        Updated,  // name and address of the stored customer replaced
        Added,    // a new customer row
        Failed,   // the statement failed; nothing changed, see message
    };
    struct Result {
        Outcome outcome;
        std::string message; // the refusal, or the success message to show
        Customer customer;   // the trimmed fields
    };
    // Answers a question with Yes (true) or No.
    using Confirm = std::function<bool(const std::string& question)>;

    explicit CustomerFile(Database& db) : m_db(db) {}

    // Window "客户添加": a known telephone asks before overwriting name and address.
    [[nodiscard]] Result addCustomer(const Customer& typed, const Confirm& overwrite);
    // Window "客户修改": a telephone not on file asks before adding a new customer.
    [[nodiscard]] Result modifyCustomer(const Customer& typed, const Confirm& add);
    [[nodiscard]] bool deleteCustomer(const std::string& telephone);
    // Why the last deletion failed, for the cashier.
    std::string deleteFailure() const;

    // The customer with exactly this telephone, none, or why it could not be read.
    ReadResult<std::optional<Customer>> findByTelephone(const std::string& telephone) const;

    // The condition of the search "查找": the whole name or the whole telephone.
    static std::string searchFragment(const std::string& text);
    // Why the text cannot be searched for (empty, or holding a NUL); empty when it can.
    static std::string searchRefusal(const std::string& text);
    static std::string deleteQuestion(const Customer& customer);
    static std::string overwriteQuestion(const Customer& typed, const Customer& stored);

    static constexpr const char* searchEmpty = "请输入需要查找的客户电话或姓名。";
    static constexpr const char* searchNul =
        "查找的内容中含有无法查找的空字符（NUL），请删除后重试。";
    static constexpr const char* addQuestion =
        "没有找到相关客户，是否添加该客户？\r\n\r\n添加请点 是\r\n返回请点 否";

  private:
    static Customer trimmed(const Customer& typed);
    static std::string missingField(const Customer& customer);
    bool insert(const Customer& customer);
    bool updateNameAndAddress(const Customer& customer);
    Result insertResult(const Customer& customer);
    Result updateResult(const Customer& customer);
    Result failedResult(const Customer& customer) const;
    static Result unreadResult(const ReadFailure& failure, const Customer& customer);

    Database& m_db;
};
