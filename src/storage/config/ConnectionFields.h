#pragma once
#include <string>

// The parts of a libpq connection text a till needs, for the settings dialog
// and for messages that name the server.
struct ConnectionFields {
    std::string host;
    std::string port;
    std::string dbname;
    std::string user;
    std::string password;
    bool valid = false;        // libpq could read the text
    bool otherOptions = false; // it sets more than these five (sslmode, ...)

    static ConnectionFields parse(const std::string& text);
    // key='value' pairs; empty fields are left out, so libpq's defaults
    // (and a .pgpass file for the password) apply.
    std::string text() const;
    // The text as written when it holds no password; else every option it
    // sets but the password, as key=value pairs. A text libpq cannot read
    // is cut before the word "password".
    static std::string withoutPassword(const std::string& text);
    // "host:port" with libpq's defaults filled in, never the password.
    std::string server() const;
};
