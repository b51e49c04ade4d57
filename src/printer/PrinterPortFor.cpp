#include "printer/PrinterPortFor.h"

#include "printer/CupsPort.h"
#include "printer/FdPort.h"

std::unique_ptr<PrinterPort> printerPortFor(const PrinterConnection& connection,
                                            const std::string& title, const PrintLimits& limits) {
    if (connection.kind == PrinterConnection::Kind::Cups)
        return std::make_unique<CupsPort>(connection.path, title, limits);
    return std::make_unique<FdPort>(connection, limits);
}
