#include "receipt/PrinterPortFor.h"

#include "receipt/CupsPort.h"
#include "receipt/FdPort.h"

std::unique_ptr<PrinterPort> printerPortFor(const PrinterConnection& connection,
                                            const std::string& title) {
    if (connection.kind == PrinterConnection::Kind::Cups)
        return std::make_unique<CupsPort>(connection.path, title);
    return std::make_unique<FdPort>(connection);
}
