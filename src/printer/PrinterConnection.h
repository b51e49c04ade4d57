#pragma once
#include <optional>
#include <string>
#include <vector>

// Where an ESC/POS printer is reached: "tcp:HOST:PORT" (a network printer,
// port 9100 when left out), "dev:/dev/usb/lp0" (any device file: USB printer
// class, serial adapter, parallel port) or "cups:QUEUE" (a raw CUPS queue).
struct PrinterConnection {
    enum class Kind { Tcp, Device, Cups };
    static constexpr int defaultPort = 9100;

    Kind kind = Kind::Tcp;
    std::string host; // Tcp
    int port = defaultPort;
    std::string path; // Device: the file; Cups: the queue name

    // Also takes what a cashier types without the prefix: a path starting
    // with "/" or an address with or without its port. Nothing when the
    // text names no printer.
    static std::optional<PrinterConnection> parse(const std::string& text);
    // The stored form: "tcp:192.168.1.50:9100", "dev:/dev/usb/lp0", "cups:厨房".
    std::string text() const;

    // The device files that exist and the CUPS queues, as connection texts.
    static std::vector<std::string> candidates();
};
