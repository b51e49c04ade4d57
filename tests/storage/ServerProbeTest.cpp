#include "storage/config/ServerProbe.h"
#include "storage/config/ConnectionFields.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
