#include "storage/config/ServerProbe.h"
#include "storage/config/ConnectionFields.h"
#include "storage/config/PasswordFile.h"
#include "storage/engine/ServerEngine.h"
#include "storage/engine/ServerLink.h"

#include <libpq-fe.h>

#include <memory>

namespace {

using Result = std::unique_ptr<PGresult, void (*)(PGresult*)>;

// libpq's texts, by what they contain, and what the owner is to check.
struct Cause {
    const char* needle;
    const char* also; // a second text the message must hold, or empty
    const char* meaning;
};
constexpr Cause causes[] = {
    {"Connection refused", "", "服务器没有接受连接，请确认服务器已启动并允许其他电脑连接"},
    {"timeout expired", "", "等待服务器回应超时，请检查网络和服务器地址"},
    {"could not translate host name", "", "找不到这个服务器名称"},
    {"No route to host", "", "网络不通，找不到服务器"},
    {"Network is unreachable", "", "网络不通，找不到服务器"},
    {"password authentication failed", "", "服务器拒绝了这个用户：用户名或密码不对"},
    {"no password supplied", "",
     "服务器要求密码，但这台电脑上没有保存密码，请在“数据库设置”中填写密码"},
    {"no pg_hba.conf entry", "", "服务器不允许这个用户从这台电脑连接（pg_hba.conf）"},
    {"database \"", "does not exist", "服务器上没有这个数据库"},
    {"role \"", "does not exist", "服务器拒绝了这个用户：服务器上没有这个用户"},
    {"permission denied", "", "这个用户没有使用这个数据库的权限，请让服务器的管理员授予权限"},
    {"server closed the connection", "", "服务器断开了连接，可能正在重启"},
    {"terminating connection", "", "服务器断开了连接，可能正在重启"},
    {"could not receive data", "", "与服务器的网络连接中断"},
    {"could not send data", "", "与服务器的网络连接中断"},
};

// libpq ignores a password file that others can read; it then reports only
// that no password was given.
bool passwordFileIgnored(const std::string& libpqMessage) {
    return (libpqMessage.find("no password supplied") != std::string::npos ||
            libpqMessage.find("password authentication failed") != std::string::npos) &&
           PasswordFile::readableByOthers();
}

// The first line of libpq's message, without the prefix that repeats the server.
std::string detail(std::string message, const std::string& password) {
    message = message.substr(0, message.find('\n'));
    const std::size_t failed = message.find("failed: ");
    if (failed != std::string::npos)
        message.erase(0, failed + 8);
    if (message.rfind("FATAL:", 0) == 0)
        message = message.substr(message.find_first_not_of(' ', 6));
    for (std::size_t at; !password.empty() && (at = message.find(password)) != std::string::npos;)
        message.replace(at, password.size(), "***");
    return message;
}

std::string scalar(ServerLink& link, const char* sql) {
    std::string error;
    Result result(link.exchange(sql, false, std::chrono::seconds(5), error), PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) == 0)
        return {};
    return PQgetvalue(result.get(), 0, 0);
}

std::string holdings(ServerLink& connection) {
    if (scalar(connection, "select to_regclass('\"存单\"') is not null") != "t")
        return "数据库里还没有 Tablewise 的数据，第一次启动时会建立。";
    const std::string orders = scalar(connection, "select count(*) from \"存单\"");
    if (orders.empty())
        return "数据库里有 Tablewise 的数据，但这个用户不能读取订单。";
    return "数据库里已有 Tablewise 的数据：订单 " + orders + " 张。";
}

} // namespace

std::string ServerProbe::failure(const std::string& connection, const std::string& libpqMessage) {
    const ConnectionFields fields = ConnectionFields::parse(connection);
    std::string reason = detail(libpqMessage, fields.password);
    if (passwordFileIgnored(libpqMessage))
        return "密码文件 " + PasswordFile::path() +
               " 的权限不对（其他用户也能读取），PostgreSQL 不会使用其中的密码。请在终端执行 chmod "
               "600 " +
               PasswordFile::path() + " 后重试。\r\n（" + reason + "）";
    for (const Cause& cause : causes)
        if (libpqMessage.find(cause.needle) != std::string::npos &&
            libpqMessage.find(cause.also) != std::string::npos)
            return std::string(cause.meaning) + "。\r\n（" + reason + "）";
    return reason.empty() ? "服务器没有说明原因。" : reason;
}

ServerProbe::Finding ServerProbe::probe(const std::string& connection,
                                        const std::string& password) {
    const ConnectionFields fields = ConnectionFields::parse(connection);
    if (!fields.valid)
        return {false, "连接字符串无法识别，请写成 host=服务器地址 port=5432 dbname=数据库 "
                       "user=用户 password=密码 的形式。"};
    ServerLink link;
    std::string said;
    if (!link.open(connection, ServerEngine::startLimit, said, password))
        return {false,
                "无法连接数据库服务器 " + fields.server() + "：" + failure(connection, said)};
    PGconn* server = link.raw();
    // "15.20 (Debian 15.20-0+deb12u1)": the number is what the owner needs.
    const char* version = PQparameterStatus(server, "server_version");
    const std::string number =
        version ? std::string(version).substr(0, std::string(version).find(' ')) : "?";
    return {true, "已连接数据库服务器 " + fields.server() + "（PostgreSQL " + number +
                      "），数据库 " + PQdb(server) + "。\r\n" + holdings(link)};
}
