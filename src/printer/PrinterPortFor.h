#pragma once
#include "printer/PrinterPort.h"

#include <memory>
#include <string>

struct PrintLimits;
struct PrinterConnection;

// The way a job titled `title` takes to the printer of the connection.
std::unique_ptr<PrinterPort> printerPortFor(const PrinterConnection& connection,
                                            const std::string& title, const PrintLimits& limits);
