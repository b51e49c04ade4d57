#pragma once
#include "spreadsheet/TableWriter.h"

#include <memory>
#include <string>

// A CSV writer for a path ending in ".csv" (any case), else an .xlsx one.
std::unique_ptr<TableWriter> tableWriterFor(const std::string& path);
bool isCsvPath(const std::string& path);
