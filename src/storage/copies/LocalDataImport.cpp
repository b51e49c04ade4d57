#include "storage/copies/LocalDataImport.h"
#include "storage/copies/DatabaseRestore.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/engine/LongWork.h"
#include "storage/engine/StorageStartup.h"
#include "storage/schema/Schema.h"
#include "storage/values/Values.h"

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The file is opened through a copy: opening converts a file of an earlier
// version, and the till's own file must stay as it was.
class WorkingCopy {
  public:
    explicit WorkingCopy(const std::string& path)
        : m_path((fs::temp_directory_path() /
                  ("tablewise-import-" + std::to_string(getpid()) + ".mdb"))
                     .string()) {
        std::error_code error;
        m_made = fs::copy_file(path, m_path, fs::copy_options::overwrite_existing, error);
    }
    ~WorkingCopy() {
        m_db.close();
        std::error_code error;
        for (const char* suffix : {"", ".checked", "-journal", "-wal", "-shm"})
            fs::remove(m_path + suffix, error);
    }
    bool open() { return m_made && StorageStartup::openDatabase(m_db, m_path); }
    Database& db() { return m_db; }

  private:
    std::string m_path;
    bool m_made = false;
    Database m_db;
};

std::string columnList(const TableDef& table) {
    std::string list;
    for (const ColumnDef& column : table.columns)
        list += (list.empty() ? "" : ",") + column.name;
    return list;
}

std::string literal(const DbValue& value) {
    switch (value.type()) {
    case DbValue::Type::Empty:
        return "null";
    case DbValue::Type::Text:
        return Values::sqlQuote(value.toText());
    case DbValue::Type::DateTime:
        return Values::sqlQuote(value.toDateTime().canonical());
    case DbValue::Type::Logical:
        return value.toNumber() != 0 ? "1" : "0";
    default:
        return value.toText();
    }
}

ReadResult<long long> rowCount(Database& db, const std::string& table) {
    const ReadResult<DbValue> count = db.readValue("select count(*) from " + table);
    if (!count)
        return count.readFailure();
    return static_cast<long long>(count->toNumber());
}

} // namespace

// A server whose orders could not be counted is refused: they might be there.
std::string LocalDataImport::refusal() {
    const ReadResult<long long> orders = rowCount(m_target, "存单");
    if (!orders)
        return orders.message("读取数据库服务器上的订单", "没有导入任何数据。");
    if (*orders == 0)
        return {};
    return "数据库服务器上已有 " + std::to_string(*orders) +
           " 张订单，不能再导入本地数据：导入会与这些订单混在一起。";
}

bool LocalDataImport::run(const std::string& path, const Progress& progress) {
    m_problem.clear();
    const BackupSummary summary = DatabaseRestore::inspect(path);
    if (!summary.sound)
        return fail((summary.laterVersion ? "" : "这个文件不是完好的 Tablewise 数据：") +
                    summary.problem + "。");
    if (std::string refused = refusal(); !refused.empty())
        return fail(refused);
    WorkingCopy copy(path);
    if (!copy.open())
        return fail("无法读取这个文件：" + copy.db().lastError());
    const LongWork longWork(m_target);
    DbTransaction transaction(m_target);
    if (!transaction.started())
        return fail("无法开始导入：" + m_target.lastError());
    // Looked at again inside the transaction: another till may have settled an order meanwhile.
    if (std::string refused = refusal(); !refused.empty())
        return fail(refused);
    if (!copyAll(copy.db(), progress))
        return false;
    return transaction.commit() || fail("导入没有完成：" + m_target.lastError());
}

// The rows the server started with (the first dishes, tables and settings)
// give way to the file's. Orders are never deleted: there are none, and one
// another till stores meanwhile makes the import fail rather than vanish.
bool LocalDataImport::copyAll(Database& source, const Progress& progress) {
    Count count;
    for (const TableDef& table : Schema::tables()) {
        const ReadResult<long long> rows = rowCount(source, table.name);
        if (!rows)
            return fail("无法读取“" + table.name + "”：" + rows.error());
        count.total += *rows;
    }
    for (const TableDef& table : Schema::tables()) {
        const bool orders = table.name == "存单" || table.name == "存单详单";
        if (!orders && !m_target.ExecuteSql("delete from " + table.name))
            return fail("无法清空服务器上的“" + table.name + "”：" + m_target.lastError());
        if (!copyTable(source, table, count, progress))
            return false;
    }
    return !progress || progress(count.total, count.total) || fail(cancelled);
}

// Rows keep their numbers: order lines and the change records refer to them.
// Inserting a row with its own number moves the autonumber past it.
bool LocalDataImport::copyTable(Database& source, const TableDef& table, Count& count,
                                const Progress& progress) {
    const std::string columns = columnList(table);
    const int handle = source.OpenTable("select " + columns + " from " + table.name);
    if (!handle)
        return fail("无法读取“" + table.name + "”：" + source.lastError());
    for (; !source.IsEOF(handle); source.MoveNext(handle)) {
        std::string values;
        for (int i = 1; i <= static_cast<int>(table.columns.size()); ++i)
            values += (i > 1 ? "," : "") + literal(source.ReadColByIndex(handle, i));
        if (!m_target.ExecuteSql("insert into " + table.name + " (" + columns + ") values (" +
                                 values + ")")) {
            source.CloseTable(handle);
            return fail("“" + table.name + "”的数据没有导入：" + m_target.lastError());
        }
        if (++count.done % 250 == 0 && progress && !progress(count.done, count.total)) {
            source.CloseTable(handle);
            return fail(cancelled);
        }
    }
    // A read that failed part way must not pass for the end of the table.
    const bool readFailed = source.cursorFailed(handle);
    source.CloseTable(handle);
    return !readFailed || fail("无法读取“" + table.name + "”：" + source.lastError());
}

bool LocalDataImport::fail(std::string problem) {
    m_problem = std::move(problem);
    return false;
}
