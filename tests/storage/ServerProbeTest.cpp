#include "storage/config/ServerProbe.h"
#include "storage/config/ConnectionFields.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <tuple>

TEST(ConnectionFields, ReadAndWriteTheFieldsATillNeeds) {
    struct Case {
        const char* text;
        ConnectionFields fields;
        const char* server;
        const char* written; // nullptr: as given
    };
    const Case cases[] = {
        {"host=192.168.1.5 port=5433 dbname=tw user=till password=x",
         {"192.168.1.5", "5433", "tw", "till", "x", true, false},
         "192.168.1.5:5433",
         nullptr},
        {"", {"", "", "", "", "", true, false}, "localhost:5432", nullptr},
        {"host=db password='a b\\'c'",
         {"db", "", "", "", "a b'c", true, false},
         "db:5432",
         nullptr},
        {"postgresql://till@db:6000/tw",
         {"db", "6000", "tw", "till", "", true, false},
         "db:6000",
         "host=db port=6000 dbname=tw user=till"},
        {"host=db sslmode=require", {"db", "", "", "", "", true, true}, "db:5432", "host=db"},
        {"host=db password", {"", "", "", "", "", false, false}, "localhost:5432", ""},
    };
    for (const Case& c : cases) {
        const ConnectionFields read = ConnectionFields::parse(c.text);
        EXPECT_EQ(read.valid, c.fields.valid) << c.text;
        EXPECT_EQ(read.otherOptions, c.fields.otherOptions) << c.text;
        EXPECT_EQ(read.host + "|" + read.port + "|" + read.dbname + "|" + read.user + "|" +
                      read.password,
                  c.fields.host + "|" + c.fields.port + "|" + c.fields.dbname + "|" +
                      c.fields.user + "|" + c.fields.password)
            << c.text;
        EXPECT_EQ(read.server(), c.server) << c.text;
        EXPECT_EQ(read.text(), c.written ? c.written : c.text) << c.text;
    }
}

TEST(ServerProbe, NamesTheServerAndNeverThePassword) {
    const ServerProbe::Finding refused =
        ServerProbe::probe("host=127.0.0.1 port=1 dbname=tw user=till password=Secret99");
    EXPECT_FALSE(refused.reached);
    EXPECT_EQ(refused.description.rfind("无法连接数据库服务器 127.0.0.1:1：服务器没有接受连接", 0),
              0u)
        << refused.description;
    const ServerProbe::Finding unreadable = ServerProbe::probe("host=db password Secret99");
    EXPECT_FALSE(unreadable.reached);
    EXPECT_NE(unreadable.description.find("连接字符串无法识别"), std::string::npos);
    EXPECT_EQ(ServerProbe::failure("password=Secret99", "FATAL:  no Secret99 here"), "no *** here");
    for (const ServerProbe::Finding& finding : {refused, unreadable})
        EXPECT_EQ(finding.description.find("Secret99"), std::string::npos);
}

// Against the throwaway server of the test run, when there is one.
TEST(ServerProbe, SaysWhatTheServerHolds) {
    const char* server = std::getenv("TABLEWISE_TEST_SERVER");
    if (!server)
        GTEST_SKIP() << "TABLEWISE_TEST_SERVER is not set";
    const ServerProbe::Finding reached = ServerProbe::probe(server);
    EXPECT_TRUE(reached.reached) << reached.description;
    EXPECT_NE(reached.description.find("已连接数据库服务器"), std::string::npos);
    const ServerProbe::Finding wrong =
        ServerProbe::probe(std::string(server) + " password=Wr0ngPw");
    EXPECT_EQ(wrong.description.find("Wr0ngPw"), std::string::npos);
}

// Any character a field may hold comes back from the text as it went in,
// tabs, line breaks, quotes and backslashes included.
TEST(ConnectionFields, AnyTextRoundTripsThroughTheConnectionText) {
    std::mt19937 random(27);
    std::uniform_int_distribution<int> length(0, 12), byte(1, 255), special(0, 7);
    const char specials[] = {' ', '\t', '\n', '\r', '\'', '\\', '=', '\v'};
    for (int round = 0; round < 2000; ++round) {
        ConnectionFields fields;
        for (std::string* part :
             {&fields.host, &fields.port, &fields.dbname, &fields.user, &fields.password})
            for (int i = length(random); i > 0; --i)
                *part += static_cast<char>(i % 3 == 0 ? specials[special(random)] : byte(random));
        const ConnectionFields read = ConnectionFields::parse(fields.text());
        ASSERT_TRUE(read.valid) << fields.text();
        EXPECT_EQ(std::tie(read.host, read.port, read.dbname, read.user, read.password),
                  std::tie(fields.host, fields.port, fields.dbname, fields.user, fields.password))
            << fields.text();
    }
}

TEST(ConnectionFields, NoTextKeepsItsPassword) {
    const std::pair<const char*, const char*> cases[] = {
        {"host=db password=Secret99 sslmode=require", "host=db sslmode=require"},
        {"postgresql://till:Secret99@db:6000/tw", "host=db port=6000 dbname=tw user=till"},
        {"postgresql://till@db:6000/tw", "postgresql://till@db:6000/tw"},
        {"host='a b' password='x y'", "host='a b'"},
        {"host=db password", "host=db "},
    };
    for (auto [text, kept] : cases)
        EXPECT_EQ(ConnectionFields::withoutPassword(text), kept) << text;
}

// What the owner reads for each way a server turns a till away.
TEST(ServerProbe, EachRefusalHasItsOwnMessage) {
    TempFolder folder;
    const std::string passwords = folder.file("pgpass");
    ASSERT_EQ(setenv("PGPASSFILE", passwords.c_str(), 1), 0);
    const struct {
        const char* libpq;
        int passwordFileMode; // 0: no file
        const char* told;
    } cases[] = {
        {"fe_sendauth: no password supplied", 0, "没有保存密码"},
        {"fe_sendauth: no password supplied", 0644, "chmod 600"},
        {"FATAL:  password authentication failed for user \"till\"", 0600, "用户名或密码不对"},
        {"FATAL:  role \"till\" does not exist", 0, "服务器拒绝了这个用户"},
        {"ERROR:  permission denied for schema public", 0, "没有使用这个数据库的权限"},
        {"server closed the connection unexpectedly", 0, "服务器断开了连接"},
        {"timeout expired", 0, "等待服务器回应超时"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(passwords);
        if (c.passwordFileMode) {
            TempFolder::write(passwords, "*:*:*:*:x\n");
            std::filesystem::permissions(passwords,
                                         static_cast<std::filesystem::perms>(c.passwordFileMode));
        }
        const std::string told = ServerProbe::failure("host=db", c.libpq);
        EXPECT_NE(told.find(c.told), std::string::npos) << c.libpq << ": " << told;
    }
    unsetenv("PGPASSFILE");
}
