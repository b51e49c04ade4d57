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
    virtual std::string open(const std::atomic<bool>& cancelled) = 0;
    // Fails when the printer takes no byte for the stall limit.
    virtual std::string write(const unsigned char* data, std::size_t size) = 0;
    // Succeeds only once the printer has taken every byte written: a job
    // left in a send queue has not been printed.
    virtual std::string finish() = 0;
};
