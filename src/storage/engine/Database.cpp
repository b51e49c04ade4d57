#include "storage/engine/Database.h"
#include "storage/config/ConnectionFields.h"
#include "storage/config/TillName.h"
#include "storage/dialect/JetFunctions.h"
#include "storage/engine/RecordSet.h"
#include "storage/engine/ServerEngine.h"
#include "storage/engine/SqliteEngine.h"
#include "storage/engine/SqliteFile.h"
#include "storage/schema/Schema.h"
#include "storage/schema/SchemaUpgrade.h"
#include "storage/schema/Template.h"
#include "storage/values/Clock.h"
#include "storage/values/SafeFile.h"
#include "storage/values/TextCodec.h"
#include <sqlite3.h>

namespace {

// Every write to the orders fires the sums' triggers, so each statement in a
// transaction keeps a statement journal; spilled to a temporary file beyond
// SQLite's usual 64 KiB it costs a system call per page written. SQLite takes
// this only before it first starts, hence while the program loads.
const bool statementJournalsInMemory =
    sqlite3_config(SQLITE_CONFIG_STMTJRNL_SPILL, 16 << 20) == SQLITE_OK;

// A DBQ value that holds the separator of the connection text is braced, as
// ODBC does, so that the path read back is the path written.
std::string connectionValue(const std::string& value) {
    if (value.find(';') == std::string::npos && value.find('{') == std::string::npos)
        return value;
    return "{" + value + "}";
}

std::string folderOf(const std::string& path) {
    std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t findKey(const std::string& text, const std::string& key) {
    for (std::size_t i = 0; i + key.size() <= text.size(); ++i) {
        if (i > 0 && text[i - 1] != ';')
            continue;
        std::size_t j = 0;
        while (j < key.size() && lowerAscii(text[i + j]) == lowerAscii(key[j]))
            ++j;
        if (j == key.size())
            return i + key.size();
    }
    return std::string::npos;
}

bool holdsOrderTables(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    const char* sql =
        "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN ('存单','记录')";
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return false;
    bool ok = sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_int(statement, 0) == 2;
    sqlite3_finalize(statement);
    return ok;
}

} // namespace

Database::Database() : m_tillName(TillName::hostName()), m_clock(&Clock::system()) {}

Database::~Database() {
    close();
}

std::string Database::primaryConnectionText(const std::string& path, const std::string& password) {
    return "ODBC;DBQ=" + connectionValue(path) + ";DefaultDir=" + connectionValue(folderOf(path)) +
           ";Driver={Microsoft Access Driver (*.mdb)};FIL=MS Access" + ";PWD=" + password + ";";
}

std::string Database::fallbackConnectionText(const std::string& path, const std::string& password) {
    return "ODBC;DSN=MS Access Database;DBQ=" + connectionValue(path) +
           ";Driver={Microsoft Access Driver (*.mdb, *.accdb)};;DriverId=25;FIL=MS "
           "Access;MaxBufferSize=2048;PageTimeout=5;PWD=" +
           password + ";";
}

std::string Database::pathFromConnectionText(const std::string& connectionText) {
    std::size_t begin = findKey(connectionText, "DBQ=");
    if (begin == std::string::npos)
        return {};
    if (begin < connectionText.size() && connectionText[begin] == '{') {
        std::size_t end = connectionText.find('}', begin);
        return end == std::string::npos ? std::string()
                                        : connectionText.substr(begin + 1, end - begin - 1);
    }
    std::size_t end = connectionText.find(';', begin);
    return connectionText.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

bool Database::NewOpenDatabase(const std::string& connectionText) {
    close();
    m_failure = StorageFailure::None;
    std::string path = pathFromConnectionText(connectionText);
    if (path.empty())
        return fail(StorageFailure::NotOpen, "连接文本中没有数据库文件。");
    // The file must exist: connecting never creates an empty database. A file
    // that cannot be written is refused too, or every order would be lost.
    bool connected = false;
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        failFromEngine();
    else if (!holdsOrderTables(m_db))
        // A file another program holds could not be read, which says
        // nothing of what it is.
        SqliteFile::failureOf(m_db) == StorageFailure::Busy
            ? failFromEngine()
            : fail(StorageFailure::Damaged, "不是订单数据库。");
    else if (sqlite3_db_readonly(m_db, "main") != 0)
        fail(StorageFailure::ReadOnly, "数据库文件是只读的。");
    else
        connected = JetFunctions::registerAll(m_db, m_clock) ||
                    fail(StorageFailure::Statement, sqlite3_errmsg(m_db));
    if (!connected) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    sqlite3_busy_timeout(m_db, 3000);
    m_engine = std::make_unique<SqliteEngine>(m_db);
    m_translator.setTarget(JetTranslator::Target::Sqlite);
    return true;
}

bool Database::openServer(const std::string& libpqConnection) {
    close();
    m_failure = StorageFailure::None;
    StorageFailure failure = StorageFailure::None;
    std::unique_ptr<ServerEngine> server =
        ServerEngine::connect(libpqConnection, m_clock, m_lastError, failure);
    if (!server)
        return fail(failure, m_lastError);
    m_engine = std::move(server);
    m_server = true;
    const ConnectionFields fields = ConnectionFields::parse(libpqConnection);
    m_serverName = fields.server();
    m_serverDatabase = fields.dbname.empty() ? fields.user : fields.dbname;
    m_translator.setTarget(JetTranslator::Target::Postgres);
    m_lastError.clear();
    return true;
}

bool Database::open(const std::string& path, const std::string& password) {
    m_indexesRebuilt = false;
    Template::writeIfMissing(path);
    if (!NewOpenDatabase(primaryConnectionText(path, password)) &&
        (m_failure == StorageFailure::Damaged ||
         !NewOpenDatabase(fallbackConnectionText(path, password))))
        return false;
    const std::string today = m_clock->now().canonical().substr(0, 10);
    CheckMarker marker(path);
    if (!hasUsableVersion() || !checkFile(!marker.vouches(today))) {
        close();
        return false;
    }
    // Marked before anything is written: a start after this program's end
    // that was not clean reads every page again.
    marker.markInUse(today);
    m_marker = std::move(marker);
    if (!upgradeSchema()) {
        close();
        return false;
    }
    m_lastError.clear();
    return true;
}

bool Database::isSound(bool everyPage) {
    std::string problem;
    if (!isOpen())
        return fail(StorageFailure::NotOpen, "数据库未打开。");
    // A server keeps its own files whole.
    if (m_server)
        return true;
    if (SqliteFile::isSound(m_db, everyPage, problem))
        return true;
    return fail(StorageFailure::Damaged, problem);
}

// Indexes that disagree with their tables are rebuilt from them before
// anything reads through them; any other damage refuses the file.
bool Database::checkFile(bool everyPage) {
    std::string problem;
    bool onlyIndexes = false;
    if (SqliteFile::isSound(m_db, everyPage, problem, &onlyIndexes))
        return true;
    if (!onlyIndexes || !SqliteFile::rebuildIndexes(m_db, problem))
        return fail(StorageFailure::Damaged, problem);
    m_indexesRebuilt = true;
    return true;
}

bool Database::hasUsableVersion() {
    int version = 0;
    if (!SqliteFile::version(m_db, version))
        return failFromEngine();
    const std::string refused = SchemaUpgrade::refusal(version);
    return refused.empty() || fail(StorageFailure::LaterVersion, refused);
}

bool Database::upgradeSchema() {
    int version = 0;
    if (!SqliteFile::version(m_db, version))
        return failFromEngine();
    if (const StorageFailure failure = SchemaUpgrade::upgradeFile(m_db, version);
        failure != StorageFailure::None)
        return fail(failure, sqlite3_errmsg(m_db));
    for (const IndexDef& index : Schema::indexes())
        if (sqlite3_exec(m_db, Schema::createIndexSql(index).c_str(), nullptr, nullptr, nullptr) !=
            SQLITE_OK)
            return failFromEngine();
    return true;
}

void Database::close() {
    m_recordSets.clear();
    m_engine.reset();
    m_db = nullptr;
    m_server = false;
    if (m_marker)
        m_marker->markClean();
    m_marker.reset();
    m_serverName.clear();
    m_serverDatabase.clear();
}

void Database::setLongWork(bool longWork) {
    if (m_engine)
        m_engine->setLongWork(longWork);
}

void Database::setClock(const Clock& clock) {
    m_clock = &clock;
    if (m_engine)
        m_engine->setClock(m_clock);
}

bool Database::translate(const std::string& jet, std::string& translated) {
    return m_translator.translate(jet, m_clock->now().year, translated, m_lastError);
}

bool Database::fail(StorageFailure failure, std::string message) {
    m_failure = failure;
    m_lastError = std::move(message);
    return false;
}

bool Database::failFromEngine() {
    return fail(SqliteFile::failureOf(m_db), m_db ? sqlite3_errmsg(m_db) : "无法打开数据库。");
}

// The engine has left its message in m_lastError.
bool Database::engineFailed() {
    m_failure = m_engine->failure();
    return false;
}

bool Database::startStatement(const std::string& sql) {
    m_failure = StorageFailure::None;
    if (!m_engine)
        return fail(StorageFailure::NotOpen, "数据库未打开。");
    if (sql.find('\0') != std::string::npos)
        return fail(StorageFailure::NulInText, "语句的文本中含有空字符（NUL）。");
    if (!TextCodec::isValidUtf8(sql)) {
        const std::string column = m_translator.columnOfInvalidText(sql);
        return fail(StorageFailure::InvalidText,
                    (column.empty() ? std::string("语句") : "“" + column + "”") +
                        "中含有无法识别的文字（不是有效的 UTF-8 编码）。");
    }
    return true;
}

bool Database::ExecuteSql(const std::string& sql) {
    std::string translated;
    if (!startStatement(sql))
        return false;
    if (!translate(sql, translated))
        return fail(StorageFailure::Statement, m_lastError);
    return m_engine->execute(translated, m_lastError) || engineFailed();
}

int Database::OpenTable(const std::string& sql) {
    std::string translated;
    if (!startStatement(sql))
        return 0;
    if (!translate(sql, translated)) {
        fail(StorageFailure::Statement, m_lastError);
        return 0;
    }
    std::unique_ptr<ResultRows> set = m_engine->query(translated, m_lastError);
    if (!set) {
        engineFailed();
        return 0;
    }
    int handle = m_nextHandle++;
    m_recordSets.emplace(handle, std::move(set));
    return handle;
}

bool Database::executeOwn(const std::string& sql) {
    return startStatement(sql) && (m_engine->execute(sql, m_lastError) || engineFailed());
}

ReadResult<Rows> Database::readOwn(const std::string& sql) {
    if (!startStatement(sql))
        return readFailure();
    std::unique_ptr<ResultRows> set = m_engine->query(sql, m_lastError);
    if (!set) {
        engineFailed();
        return readFailure();
    }
    const int handle = m_nextHandle++;
    m_recordSets.emplace(handle, std::move(set));
    return readAll(handle);
}

ReadResult<Rows> Database::read(const std::string& sql) {
    const int handle = OpenTable(sql);
    if (handle == 0)
        return readFailure();
    return readAll(handle);
}

ReadResult<Rows> Database::readAll(int handle) {
    ResultRows& cursor = *m_recordSets.at(handle);
    Rows rows(cursor);
    for (; !cursor.isEOF(); cursor.moveNext())
        rows.append(cursor);
    const bool failed = cursorFailed(handle);
    CloseTable(handle);
    if (failed)
        return readFailure();
    return rows;
}

ReadResult<DbValue> Database::readValue(const std::string& sql) {
    const int handle = OpenTable(sql);
    if (handle == 0)
        return readFailure();
    DbValue value = ReadColByIndex(handle, 1);
    CloseTable(handle);
    return value;
}

bool Database::IsEOF(int handle) const {
    auto found = m_recordSets.find(handle);
    return found == m_recordSets.end() || found->second->isEOF();
}

void Database::MoveNext(int handle) {
    if (auto found = m_recordSets.find(handle); found != m_recordSets.end())
        found->second->moveNext();
}

DbValue Database::ReadColByName(int handle, const std::string& column) const {
    auto found = m_recordSets.find(handle);
    if (found == m_recordSets.end())
        return {};
    return found->second->value(found->second->columnIndex(column));
}

DbValue Database::ReadColByIndex(int handle, int position) const {
    auto found = m_recordSets.find(handle);
    if (found == m_recordSets.end())
        return {};
    return found->second->value(position - 1);
}

void Database::CloseTable(int handle) {
    m_recordSets.erase(handle);
}

bool Database::cursorFailed(int handle) {
    auto found = m_recordSets.find(handle);
    return found != m_recordSets.end() && found->second->readFailed(m_lastError) && !engineFailed();
}

int Database::columnCount(int handle) const {
    auto found = m_recordSets.find(handle);
    return found == m_recordSets.end() ? 0 : found->second->columnCount();
}

bool Database::begin() {
    if (!startStatement({}))
        return false;
    return m_engine->begin(m_lastError) || engineFailed();
}

bool Database::commit() {
    if (!startStatement({}))
        return false;
    return m_engine->commit(m_lastError) || engineFailed();
}

void Database::rollback() {
    if (m_engine)
        m_engine->rollback();
}

bool Database::inTransaction() const {
    return m_engine && m_engine->inTransaction();
}

long long Database::lastInsertId() const {
    return m_engine ? m_engine->lastInsertId() : 0;
}
