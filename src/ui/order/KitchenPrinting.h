#pragma once
#include "kitchen/KitchenDispatch.h"
#include "kitchen/KitchenLine.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class Database;
class QTimer;
class QWidget;
struct OrderDraft;

// The kitchen tickets of the order window: sent after the order is stored,
// each station's on the spooler's queue of its printer, so the window never
// waits for one. Stations that did not print are told to the cashier, named,
// once their printer has given up.
class KitchenPrinting : public QObject {
    Q_OBJECT
  public:
    KitchenPrinting(Database& db, QWidget* window);

    // F12 stored the order on screen (its ID set); what F11 sent before counts as sent.
    void orderStored(const OrderDraft& order);
    // F11 printed the order before it was stored.
    void unstoredPrinted(const OrderDraft& order);
    // Before and after an edited stored order is saved: the change tickets.
    void editSaving(const OrderDraft& order);
    void editSaved(const OrderDraft& order);
    // The order on screen is gone: what F11 sent belongs to no order now.
    void orderCleared();
    // "补打厨房单": every station's part of stored order `idText` again.
    void reprint(QWidget* owner, const QString& idText);

  private:
    KitchenDispatch dispatch();
    void watch(const KitchenDispatch::Outcome& outcome, QWidget* owner);
    void checkJobs();
    // Records and tells the cashier about the tickets that did not print.
    void report(const std::vector<std::pair<KitchenDispatch::Job, std::string>>& failed);

    Database& m_db;
    QWidget* m_window;
    QTimer* m_timer;
    std::vector<KitchenDispatch::Job> m_jobs;
    std::vector<KitchenLine> m_unstoredSent;
    // The tickets of the order on screen printed before it was stored.
    std::vector<std::shared_ptr<PrintJob>> m_unstoredJobs;
    std::vector<KitchenLine> m_beforeEdit;
};
