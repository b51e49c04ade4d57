#include "storage/config/ConnectionFields.h"

#include <libpq-fe.h>

#include <memory>
#include <utility>

namespace {

// libpq ends a bare value at any blank, and reads a backslash as an escape.
std::string quoted(const std::string& value) {
    if (value.find_first_of(" \t\n\v\f\r'\\=") == std::string::npos)
        return value;
    std::string text = "'";
    for (char c : value) {
        if (c == '\'' || c == '\\')
            text += '\\';
        text += c;
    }
    return text + "'";
}

using Options = std::unique_ptr<PQconninfoOption, void (*)(PQconninfoOption*)>;

Options optionsOf(const std::string& text) {
    char* error = nullptr;
    Options options(PQconninfoParse(text.c_str(), &error), PQconninfoFree);
    // The message may quote the text, password included: it is never shown.
    PQfreemem(error);
    return options;
}

} // namespace

ConnectionFields ConnectionFields::parse(const std::string& text) {
    ConnectionFields fields;
    const Options options = optionsOf(text);
    if (!options)
        return fields;
    fields.valid = true;
    const std::pair<const char*, std::string ConnectionFields::*> known[] = {
        {"host", &ConnectionFields::host},
        {"port", &ConnectionFields::port},
        {"dbname", &ConnectionFields::dbname},
        {"user", &ConnectionFields::user},
        {"password", &ConnectionFields::password}};
    for (const PQconninfoOption* option = options.get(); option->keyword; ++option) {
        if (!option->val)
            continue;
        bool isKnown = false;
        for (const auto& [keyword, field] : known)
            if (std::string(option->keyword) == keyword) {
                fields.*field = option->val;
                isKnown = true;
            }
        fields.otherOptions = fields.otherOptions || !isKnown;
    }
    return fields;
}

std::string ConnectionFields::text() const {
    const std::pair<const char*, const std::string*> parts[] = {{"host", &host},
                                                                {"port", &port},
                                                                {"dbname", &dbname},
                                                                {"user", &user},
                                                                {"password", &password}};
    std::string joined;
    for (const auto& [keyword, value] : parts) {
        if (value->empty())
            continue;
        joined += (joined.empty() ? "" : " ") + std::string(keyword) + "=" + quoted(*value);
    }
    return joined;
}

std::string ConnectionFields::server() const {
    return (host.empty() ? "localhost" : host) + ":" + (port.empty() ? "5432" : port);
}

std::string ConnectionFields::withoutPassword(const std::string& text) {
    ConnectionFields fields = parse(text);
    if (fields.valid && fields.password.empty())
        return text;
    if (fields.valid && !fields.otherOptions) {
        fields.password.clear();
        return fields.text();
    }
    const Options options = optionsOf(text);
    if (!options) {
        const std::size_t password = text.find("password");
        return password == std::string::npos ? text : text.substr(0, password);
    }
    std::string joined;
    for (const PQconninfoOption* option = options.get(); option->keyword; ++option)
        if (option->val && std::string(option->keyword) != "password")
            joined += (joined.empty() ? "" : " ") + std::string(option->keyword) + "=" +
                      quoted(option->val);
    return joined;
}
