#include "printer/PrinterConnection.h"

#include "printer/CupsPort.h"
#include "storage/values/Values.h"

#include <algorithm>
#include <glob.h>

namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::optional<int> portNumber(const std::string& digits) {
    if (digits.empty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int port = std::stoi(digits);
    return port >= 1 && port <= 65535 ? std::optional<int>(port) : std::nullopt;
}

bool isHostName(const std::string& host) {
    return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-' || c == '_' || c == ':';
    });
}

// "host", "host:port", "[v6]", "[v6]:port" or a bare IPv6 address.
std::optional<PrinterConnection> network(const std::string& rest) {
    PrinterConnection c;
    std::string portText;
    if (startsWith(rest, "[")) {
        const std::size_t close = rest.find(']');
        if (close == std::string::npos)
            return std::nullopt;
        c.host = rest.substr(1, close - 1);
        const std::string after = rest.substr(close + 1);
        if (!after.empty() && (after[0] != ':' || (portText = after.substr(1)).empty()))
            return std::nullopt;
    } else if (std::count(rest.begin(), rest.end(), ':') == 1) {
        const std::size_t colon = rest.find(':');
        c.host = rest.substr(0, colon);
        portText = rest.substr(colon + 1);
        if (portText.empty())
            return std::nullopt;
    } else {
        c.host = rest;
    }
    if (!isHostName(c.host))
        return std::nullopt;
    if (!portText.empty()) {
        const auto port = portNumber(portText);
        if (!port)
            return std::nullopt;
        c.port = *port;
    }
    return c;
}

std::optional<PrinterConnection> device(const std::string& path) {
    if (!startsWith(path, "/") || path.size() < 2)
        return std::nullopt;
    return PrinterConnection{
        PrinterConnection::Kind::Device, {}, PrinterConnection::defaultPort, path};
}

// CUPS takes any printable name without blanks, "/", "#" or "\".
std::optional<PrinterConnection> queue(const std::string& name) {
    if (name.empty() || name.find_first_of(" \t/#\\") != std::string::npos)
        return std::nullopt;
    return PrinterConnection{
        PrinterConnection::Kind::Cups, {}, PrinterConnection::defaultPort, name};
}

} // namespace

std::optional<PrinterConnection> PrinterConnection::parse(const std::string& typed) {
    const std::string text = Values::trim(typed);
    if (startsWith(text, "tcp:"))
        return network(text.substr(4));
    if (startsWith(text, "dev:"))
        return device(text.substr(4));
    if (startsWith(text, "cups:"))
        return queue(text.substr(5));
    if (startsWith(text, "/"))
        return device(text);
    return network(text);
}

std::string PrinterConnection::text() const {
    switch (kind) {
    case Kind::Tcp: {
        const bool v6 = host.find(':') != std::string::npos;
        return "tcp:" + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
    }
    case Kind::Device:
        return "dev:" + path;
    case Kind::Cups:
        return "cups:" + path;
    }
    return {};
}

std::vector<std::string> PrinterConnection::candidates() {
    std::vector<std::string> found;
    for (const char* pattern : {"/dev/usb/lp*", "/dev/ttyUSB*", "/dev/ttyACM*"}) {
        glob_t matches{};
        if (glob(pattern, 0, nullptr, &matches) == 0)
            for (std::size_t i = 0; i < matches.gl_pathc; ++i)
                found.push_back(std::string("dev:") + matches.gl_pathv[i]);
        globfree(&matches);
    }
    for (const std::string& name : CupsPort::queues())
        found.push_back("cups:" + name);
    return found;
}
