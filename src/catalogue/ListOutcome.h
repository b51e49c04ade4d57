#pragma once
#include <string>
#include <utility>

// What a maintenance operation decided, for its window to carry out.
struct ListOutcome {
    enum class Kind {
        Refused, // a check failed: show the message as a refusal, select row if any
        Failed,  // the statement failed: change nothing, say nothing
        Done     // stored: update the list at row, select it, show the message
    };
    Kind kind = Kind::Failed;
    std::string message;
    int row = -1;

    static ListOutcome refused(std::string message, int row = -1) {
        return {Kind::Refused, std::move(message), row};
    }
    static ListOutcome failed() { return {}; }
    static ListOutcome done(std::string message, int row) {
        return {Kind::Done, std::move(message), row};
    }
};
