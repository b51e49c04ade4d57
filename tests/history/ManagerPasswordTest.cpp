#include "history/ManagerPassword.h"
#include "storage/config/SettingsStore.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using Outcome = ManagerPassword::Outcome;

TEST(ManagerPassword, OnlyTheCurrentPasswordChangesOrRemovesIt) {
    TestDatabase data;
    ManagerPassword password(data.db, 1000);
    EXPECT_FALSE(password.isSet());
    EXPECT_TRUE(password.accepts("")) << "a shop without a password is never asked";

    struct Step {
        bool remove;
        std::string current, next, again;
        Outcome outcome;
        std::string inForce; // empty: no password
    };
    const Step steps[] = {
        {false, "", "", "", Outcome::Empty, ""},
        {false, "", "老板123", "老板124", Outcome::Mismatch, ""},
        {false, "", "老板123", "老板123", Outcome::Set, "老板123"},
        {false, "错的", "新的", "新的", Outcome::WrongPassword, "老板123"},
        {true, "", "", "", Outcome::WrongPassword, "老板123"},
        {false, "老板123", "it's", "it's", Outcome::Changed, "it's"},
        {true, "it's", "", "", Outcome::Removed, ""},
    };
    SettingsStore settings(data.db);
    for (const Step& s : steps) {
        const std::string before = settings.get(ManagerPassword::settingKey, "");
        const ManagerPassword::Result result =
            s.remove ? password.remove(s.current) : password.change(s.current, s.next, s.again);
        EXPECT_EQ(result.outcome, s.outcome) << result.message;
        const std::string stored = settings.get(ManagerPassword::settingKey, "");
        if (s.outcome != Outcome::Set && s.outcome != Outcome::Changed &&
            s.outcome != Outcome::Removed)
            EXPECT_EQ(stored, before) << "a refusal changes nothing";
        for (const std::string& clear : {s.current, s.next})
            if (!clear.empty())
                EXPECT_EQ(stored.find(clear), std::string::npos) << clear;
        EXPECT_EQ(password.isSet(), !s.inForce.empty());
        if (!s.inForce.empty()) {
            EXPECT_TRUE(password.accepts(s.inForce));
            EXPECT_FALSE(password.accepts(s.inForce + " "));
        }
    }
}

TEST(ManagerPassword, StoredDigestIsPbkdf2WithItsSaltAndRounds) {
    // The published PBKDF2-HMAC-SHA256 vector for "password" and "salt".
    EXPECT_EQ(
        ManagerPassword::stored("password", "salt", 1),
        "pbkdf2-sha256$1$salt$120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b");
    EXPECT_TRUE(ManagerPassword::storedMatches(ManagerPassword::stored("密码", "ab", 3), "密码"));
    for (const std::string broken : {"", "密码", "pbkdf2-sha256$x$ab$00", "md5$1$salt$00"})
        EXPECT_FALSE(ManagerPassword::storedMatches(broken, "密码")) << broken;

    TestDatabase data;
    ManagerPassword password(data.db);
    SettingsStore settings(data.db);
    ASSERT_EQ(password.change("", "同一个", "同一个").outcome, ManagerPassword::Outcome::Set);
    const std::string first = settings.get(ManagerPassword::settingKey, "");
    ASSERT_EQ(password.change("同一个", "同一个", "同一个").outcome,
              ManagerPassword::Outcome::Changed);
    EXPECT_NE(settings.get(ManagerPassword::settingKey, ""), first) << "a fresh salt each time";
    EXPECT_TRUE(first.starts_with("pbkdf2-sha256$" + std::to_string(ManagerPassword::iterations)));
}

} // namespace
