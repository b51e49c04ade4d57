#pragma once
#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

// One job's way to the printer. Every step returns the empty text when it
// worked, else the likely cause as the cashier should read it.
class PrinterPort {
  public:
    using Clock = std::chrono::steady_clock;

    virtual ~PrinterPort() = default;

    // Connects, and asks a printer that answers whether it has paper.
    virtual std::string open(Clock::time_point deadline, const std::atomic<bool>& cancelled) = 0;
    // Fails when the printer takes no byte for `stall`.
    virtual std::string write(const unsigned char* data, std::size_t size,
                              std::chrono::milliseconds stall) = 0;
    virtual std::string finish() = 0;
};
