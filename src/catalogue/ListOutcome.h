#pragma once
#include <string>
#include <utility>

class Database;

// What a maintenance operation decided, for its window to carry out.
struct ListOutcome {
    enum class Kind {
        Refused, // a check failed: show the message as a refusal, select row if any
        Failed,  // the statement failed: change nothing, show the message if any
        Done     // stored: update the list at row, select it, show the message
    };
    Kind kind = Kind::Failed;
    std::string message;
    int row = -1;

    static ListOutcome refused(std::string message, int row = -1) {
        return {Kind::Refused, std::move(message), row};
    }
    // The last statement of `db` failed. Says why only when the database can
    // tell: a statement refused for a value is left silent, as the list
    // windows always did.
    static ListOutcome failed(const Database& db) {
        return {Kind::Failed, failureMessage("保存", db), -1};
    }
    static std::string failureMessage(const std::string& what, const Database& db);
    static ListOutcome done(std::string message, int row) {
        return {Kind::Done, std::move(message), row};
    }
};
