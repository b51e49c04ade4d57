#pragma once
#include <string>

struct ConnectionFields;

// The PostgreSQL password file of this user of the computer ($PGPASSFILE,
// else ~/.pgpass), where a till keeps the server's password: each user of
// the PC has their own, and libpq reads it only when no one else can.
class PasswordFile {
  public:
    static std::string path();
    // It exists and others may read it, so libpq ignores it.
    static bool readableByOthers();
    // Keeps fields.password for the server, port, database and user of
    // `fields` (an empty one stands for any), replacing what was kept for
    // them; the file is readable by its owner only. False when it could not
    // be written.
    static bool store(const ConnectionFields& fields);
    // One entry, as libpq reads it back.
    static std::string entry(const ConnectionFields& fields);
};
