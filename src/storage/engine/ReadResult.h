#pragma once
#include "storage/engine/StorageFailure.h"

#include <optional>
#include <string>
#include <utility>

// Why a read gave nothing: the failure class and the engine's own message.
struct ReadFailure {
    StorageFailure cause = StorageFailure::Statement;
    std::string error;
};

// What a read gives: its value, or why the database could not be read. A
// failed read is never an empty answer, so the caller must look before it
// takes the value, and nothing is written on the strength of a failure.
template <typename T> class [[nodiscard]] ReadResult {
  public:
    ReadResult(T value) : m_value(std::move(value)) {}
    ReadResult(ReadFailure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    // Only after ok().
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return &*m_value; }

    StorageFailure failure() const { return ok() ? StorageFailure::None : m_failure.cause; }
    const std::string& error() const { return m_failure.error; }
    const ReadFailure& readFailure() const { return m_failure; }
    // "<what>失败：<reason>。<unchanged>" for the cashier.
    std::string message(const std::string& what, const std::string& unchanged) const {
        return StorageFailures::failed(what, failure(), unchanged);
    }

  private:
    std::optional<T> m_value;
    ReadFailure m_failure;
};
