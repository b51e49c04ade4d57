#pragma once
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// An order database and a folder for the files written from it; files are
// read back with openpyxl, a reader independent of the writer.
class SpreadsheetTest : public ::testing::Test, public TestDatabase {
  protected:
    SpreadsheetTest() : TestDatabase(Start::Template) {}

    std::string file(const std::string& name) const { return m_out.file(name); }
    // The names in the folder, hidden ones too.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_out.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string bytes(const std::string& path) { return TempFolder::read(path); }
    static void writeBytes(const std::string& path, const std::string& content) {
        TempFolder::write(path, content);
    }

    // What xlsx_dump.py prints, line by line.
    static std::vector<std::string> dump(const std::string& path) {
        const std::string command = TABLEWISE_XLSX_DUMP " '" + path + "'";
        std::vector<std::string> lines;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return lines;
        std::string line;
        for (int c; (c = std::fgetc(pipe)) != EOF;) {
            if (c != '\n') {
                line += static_cast<char>(c);
                continue;
            }
            lines.push_back(line);
            line.clear();
        }
        EXPECT_EQ(pclose(pipe), 0) << "openpyxl could not read " << path;
        return lines;
    }
    // The dumped lines that start with the given kind and sheet.
    static std::vector<std::string> facts(const std::vector<std::string>& dumped,
                                          const std::string& prefix) {
        std::vector<std::string> found;
        for (const auto& line : dumped)
            if (line.rfind(prefix, 0) == 0)
                found.push_back(line.substr(prefix.size()));
        return found;
    }

  private:
    TempFolder m_out;
};
