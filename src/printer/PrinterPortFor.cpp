#include "printer/PrinterPortFor.h"

#include "printer/CupsPort.h"
#include "printer/FdPort.h"

std::unique_ptr<PrinterPort> printerPortFor(const PrinterConnection& connection,
                                            const std::string& title) {
    if (connection.kind == PrinterConnection::Kind::Cups)
        return std::make_unique<CupsPort>(connection.path, title);
    return std::make_unique<FdPort>(connection);
}
