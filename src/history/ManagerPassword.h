#pragma once
#include <string>

class Database;

// The owner's optional password, asked before a settled order is deleted or
// edited and before data is restored. The settings store keeps only a salted
// PBKDF2-HMAC-SHA256 digest of it; without one nothing is asked.
class ManagerPassword {
  public:
    enum class Outcome { Set, Changed, Removed, WrongPassword, Mismatch, Empty, Failed };
    struct Result {
        Outcome outcome;
        std::string message;
    };

    // A new password is derived with `rounds`; one stored keeps its own count.
    explicit ManagerPassword(Database& db, int rounds = iterations) : m_db(db), m_rounds(rounds) {}

    bool isSet() const;
    // True when no password is set or the typed one is it.
    bool accepts(const std::string& typed) const;

    // Sets the password, or changes it when one is set and `current` is it;
    // the new one typed twice.
    [[nodiscard]] Result change(const std::string& current, const std::string& next,
                                const std::string& again);
    // Removes the password when `current` is it.
    [[nodiscard]] Result remove(const std::string& current);

    // The password as stored, to carry it over when the database is replaced
    // by a copy; empty when none is set.
    std::string digest() const { return storedValue(); }
    // Stores a digest taken with digest() from another database.
    bool adopt(const std::string& digest);

    // "pbkdf2-sha256$iterations$salt$digest", salt and digest in hex.
    static std::string stored(const std::string& password, const std::string& salt, int iterations);
    static bool storedMatches(const std::string& storedValue, const std::string& typed);

    static constexpr const char* settingKey = "管理密码";
    // About a fifth of a second on a till: slow for guessing, unnoticed by the owner.
    static constexpr int iterations = 200000;

    static constexpr const char* deletionRefused = "管理密码不正确，订单没有删除。";
    static constexpr const char* editRefused = "管理密码不正确，订单没有打开。";
    static constexpr const char* restoreRefused = "管理密码不正确，数据没有恢复。";

  private:
    std::string storedValue() const;
    Result write(const std::string& value, Outcome done);

    Database& m_db;
    int m_rounds;
};
