#include "catalogue/ListOutcome.h"
#include "storage/engine/Database.h"

std::string ListOutcome::failureMessage(const std::string& what, const Database& db) {
    const StorageFailure failure = db.lastFailure();
    return StorageFailures::reason(failure).empty()
               ? std::string()
               : StorageFailures::failed(what, failure, "列表没有改动。");
}
