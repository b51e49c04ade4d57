#pragma once
#include <string>

// Tries a libpq connection text and says in Chinese what it found: for the
// owner setting up a till, and for start-up when the server cannot be
// reached. The password is never part of what it says.
class ServerProbe {
  public:
    struct Finding {
        bool reached = false;
        std::string description;
    };

    // `password`, when not empty, is tried instead of the password file's.
    static Finding probe(const std::string& connection, const std::string& password = {});

    // Why libpq could not connect, in words the owner can act on, after
    // "无法连接数据库服务器 host:port：".
    static std::string failure(const std::string& connection, const std::string& libpqMessage);
};
