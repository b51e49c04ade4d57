#include "storage/config/ServerProbe.h"
#include "storage/config/ConnectionFields.h"

#include <libpq-fe.h>

#include <memory>

namespace {

using Connection = std::unique_ptr<PGconn, void (*)(PGconn*)>;
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
    {"password authentication failed", "", "用户名或密码不对"},
    {"no password supplied", "", "服务器要求密码，但没有填写密码"},
    {"no pg_hba.conf entry", "", "服务器不允许这台电脑连接（pg_hba.conf）"},
    {"database \"", "does not exist", "服务器上没有这个数据库"},
    {"role \"", "does not exist", "服务器上没有这个用户"},
};

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

std::string scalar(PGconn* connection, const char* sql) {
    Result result(PQexec(connection, sql), PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) == 0)
        return {};
    return PQgetvalue(result.get(), 0, 0);
}

std::string holdings(PGconn* connection) {
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
    for (const Cause& cause : causes)
        if (libpqMessage.find(cause.needle) != std::string::npos &&
            libpqMessage.find(cause.also) != std::string::npos)
            return std::string(cause.meaning) + "。\r\n（" + reason + "）";
    return reason.empty() ? "服务器没有说明原因。" : reason;
}

// Later keywords win; a URI takes no keywords in front of it.
std::string ServerProbe::withWait(const std::string& connection) {
    if (connection.rfind("postgres", 0) == 0)
        return connection;
    return std::string("connect_timeout=") + waitSeconds + " " + connection;
}

ServerProbe::Finding ServerProbe::probe(const std::string& connection) {
    const ConnectionFields fields = ConnectionFields::parse(connection);
    if (!fields.valid)
        return {false, "连接字符串无法识别，请写成 host=服务器地址 port=5432 dbname=数据库 "
                       "user=用户 password=密码 的形式。"};
    // Keywords later in the list win: the connection text may set its own wait.
    const char* keywords[] = {"connect_timeout", "fallback_application_name", "dbname", nullptr};
    const char* values[] = {waitSeconds, "Tablewise", connection.c_str(), nullptr};
    Connection server(PQconnectdbParams(keywords, values, 1), PQfinish);
    if (PQstatus(server.get()) != CONNECTION_OK)
        return {false, "无法连接数据库服务器 " + fields.server() + "：" +
                           failure(connection, PQerrorMessage(server.get()))};
    // "15.20 (Debian 15.20-0+deb12u1)": the number is what the owner needs.
    const char* version = PQparameterStatus(server.get(), "server_version");
    const std::string number =
        version ? std::string(version).substr(0, std::string(version).find(' ')) : "?";
    return {true, "已连接数据库服务器 " + fields.server() + "（PostgreSQL " + number +
                      "），数据库 " + PQdb(server.get()) + "。\r\n" + holdings(server.get())};
}
