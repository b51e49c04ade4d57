#include "spreadsheet/CsvTableWriter.h"

#include "storage/values/Values.h"

#include <cstdio>
#include <filesystem>

void CsvTableWriter::startTable(const std::string& name, const std::vector<Column>& columns) {
    auto table = std::make_unique<Table>();
    table->file =
        std::make_unique<PendingFile>(m_tables.empty() ? m_path : tablePath(m_path, name));
    if (table->file->ok())
        table->out.open(table->file->path(), std::ios::binary | std::ios::trunc);
    m_failed = m_failed || !table->out.is_open();
    table->out << "\xEF\xBB\xBF";
    m_tables.push_back(std::move(table));
    m_rowStarted = false;
    if (columns.empty())
        return;
    for (const auto& column : columns)
        text(column.heading);
    endRow();
}

std::string CsvTableWriter::tablePath(const std::string& path, const std::string& table) {
    const std::filesystem::path p(path);
    return (p.parent_path() / (p.stem().string() + "_" + table + p.extension().string())).string();
}

std::string CsvTableWriter::field(const std::string& text) {
    std::string value = text;
    if (!value.empty() && std::string("=+-@").find(value.front()) != std::string::npos)
        value.insert(0, "'");
    if (value.find_first_of(",\"\r\n") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (char c : value) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

void CsvTableWriter::put(const std::string& field) {
    if (m_tables.empty())
        return;
    auto& out = m_tables.back()->out;
    if (m_rowStarted)
        out << ',';
    out << field;
    m_rowStarted = true;
}

void CsvTableWriter::text(const std::string& value) {
    put(field(value));
}

void CsvTableWriter::number(double value) {
    put(Values::numberToText(value));
}

void CsvTableWriter::dateTime(const DateTime& value) {
    put(value.canonical());
}

void CsvTableWriter::endRow() {
    if (!m_tables.empty())
        m_tables.back()->out << "\r\n";
    m_rowStarted = false;
}

WriteResult CsvTableWriter::finish(const std::function<bool()>& stillWanted) {
    for (auto& table : m_tables) {
        table->out.close();
        m_failed = m_failed || table->out.fail();
    }
    if (m_failed)
        return WriteResult::Failed;
    if (stillWanted && !stillWanted())
        return WriteResult::Cancelled;
    for (auto& table : m_tables)
        if (!table->file->commit())
            return WriteResult::Failed;
    return WriteResult::Written;
}
