#pragma once
#include "kitchen/KitchenLine.h"
#include "kitchen/KitchenOrder.h"
#include "kitchen/KitchenTicket.h"
#include "printer/MonoBitmap.h"
#include "receipt/ThermalReceipt.h"
#include "storage/engine/ReadResult.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Database;
class PrintJob;
class PrintSpooler;
struct Station;

// Sends each station its kitchen tickets: what it was sent is recorded with
// a record of each ticket first, then the tickets go to the spooler, which
// sends every printer's jobs on a thread of its own. Nothing here waits for
// a printer; the caller watches the jobs.
class KitchenDispatch {
  public:
    // Draws what `compose` draws as a picture of the paper's width.
    using Rasterize =
        std::function<MonoBitmap(int paperDots, const ThermalReceipt::Compose& compose)>;

    // One station's ticket on its way, or why it never left.
    struct Job {
        std::string station;
        std::string connection;
        long long orderId = 0; // 0 for an order not stored
        std::string number;
        std::shared_ptr<PrintJob> job; // none when it could not be sent
        std::string problem;           // why not, when there is no job
    };
    struct Outcome {
        std::vector<Job> jobs;
        std::string problem; // nothing was sent: why, for the cashier
    };

    KitchenDispatch(Database& db, PrintSpooler& spooler, Rasterize rasterize)
        : m_db(db), m_spooler(spooler), m_rasterize(std::move(rasterize)) {}

    // After an order was stored or saved: each station gets what it lacks.
    // `before` stands for what was sent when nothing is recorded for it (an
    // order stored before it went to the kitchen, or printed unstored).
    Outcome sendStored(long long orderId, const std::vector<KitchenLine>& before);
    // An order printed before it is stored: `sent` is what its earlier
    // tickets carried, and becomes what the stations now have.
    Outcome sendUnstored(const KitchenOrder& order, std::vector<KitchenLine>& sent);
    // A station's ticket of an order printed unstored did not print: it is
    // dropped from what `sent` says the stations have, so the next ticket
    // of the order carries it again.
    static void notReceived(std::vector<KitchenLine>& sent, const std::string& station);
    // Every station's part of a stored order again, asked for by the cashier.
    Outcome reprint(long long orderId);
    // The dishes of a stored order with their stations, as they stand.
    ReadResult<std::vector<KitchenLine>> stationLines(long long orderId) const;

    // The record of a ticket that did not print.
    [[nodiscard]] bool recordFailure(const Job& job, const std::string& problem);

    // The ESC/POS bytes of a ticket for the station, its copies cut apart.
    std::vector<unsigned char> bytes(const KitchenTicket& ticket, const Station& station) const;

  private:
    // Records the tickets and what the stations now have, then sends them.
    Outcome dispatch(const KitchenOrder& order, const std::vector<KitchenTicket>& tickets,
                     const std::vector<KitchenLine>& due);
    std::vector<Job> submit(const KitchenOrder& order, const std::vector<KitchenTicket>& tickets);
    std::string now() const;

    Database& m_db;
    PrintSpooler& m_spooler;
    Rasterize m_rasterize;
};
