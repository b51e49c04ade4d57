#include "ui/order/KitchenPrinting.h"

#include "orders/OrderDraft.h"
#include "printer/PrintSpooler.h"
#include "storage/values/Values.h"
#include "ui/common/MessageBoxes.h"
#include "ui/receipt/RasterReceipt.h"

#include <QApplication>
#include <QTimer>

namespace {

using namespace std::chrono_literals;

// How often finished tickets are looked for; printing itself never waits on this.
constexpr auto pollInterval = 100ms;

long long idOf(const std::string& text) {
    return Values::textToInt(Values::trim(text));
}

KitchenOrder kitchenOrderOf(const OrderDraft& draft) {
    KitchenOrder order{idOf(draft.orderId),
                       Values::trim(draft.number),
                       Values::trim(draft.table),
                       Values::trim(draft.remark),
                       {}};
    for (const OrderLine& line : draft.dishLines())
        order.lines.push_back({{}, line.dishName, Values::textToInt(line.quantity), line.unit});
    return order;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

KitchenPrinting::KitchenPrinting(Database& db, QWidget* window)
    : m_db(db), m_window(window), m_timer(new QTimer(this)) {
    m_timer->setInterval(pollInterval);
    connect(m_timer, &QTimer::timeout, this, &KitchenPrinting::checkJobs);
}

KitchenDispatch KitchenPrinting::dispatch() {
    return KitchenDispatch(m_db, PrintSpooler::instance(), RasterReceipt::render);
}

void KitchenPrinting::orderStored(const OrderDraft& order) {
    watch(dispatch().sendStored(idOf(order.orderId), m_unstoredSent), m_window);
    m_unstoredSent.clear();
    m_unstoredJobs.clear();
}

void KitchenPrinting::unstoredPrinted(const OrderDraft& order) {
    const auto outcome = dispatch().sendUnstored(kitchenOrderOf(order), m_unstoredSent);
    for (const KitchenDispatch::Job& job : outcome.jobs)
        if (job.job)
            m_unstoredJobs.push_back(job.job);
        else
            KitchenDispatch::notReceived(m_unstoredSent, job.station);
    watch(outcome, m_window);
}

void KitchenPrinting::editSaving(const OrderDraft& order) {
    const auto lines = dispatch().stationLines(idOf(order.orderId));
    // Unread, the order's stations count as sent nothing; what is recorded comes first anyway.
    m_beforeEdit = lines ? *lines : std::vector<KitchenLine>{};
}

void KitchenPrinting::editSaved(const OrderDraft& order) {
    watch(dispatch().sendStored(idOf(order.orderId), m_beforeEdit), m_window);
    m_beforeEdit.clear();
}

void KitchenPrinting::orderCleared() {
    m_unstoredSent.clear();
    m_unstoredJobs.clear();
}

void KitchenPrinting::reprint(QWidget* owner, const QString& idText) {
    const KitchenDispatch::Outcome outcome = dispatch().reprint(idOf(idText.toStdString()));
    watch(outcome, owner);
    if (!outcome.problem.empty())
        return;
    QString stations;
    for (const KitchenDispatch::Job& job : outcome.jobs)
        stations += (stations.isEmpty() ? "" : "、") + qs(job.station);
    MessageBoxes::instance().inform(owner, QStringLiteral("厨房单已送往：") + stations +
                                               QStringLiteral("。"));
}

void KitchenPrinting::watch(const KitchenDispatch::Outcome& outcome, QWidget* owner) {
    if (!outcome.problem.empty()) {
        MessageBoxes::instance().inform(owner, qs(outcome.problem), MessageBoxes::Icon::Warning,
                                        QStringLiteral("提示"));
        return;
    }
    std::vector<std::pair<KitchenDispatch::Job, std::string>> failed;
    for (const KitchenDispatch::Job& job : outcome.jobs)
        if (job.job)
            m_jobs.push_back(job);
        else
            failed.emplace_back(job, job.problem);
    report(failed);
    if (!m_jobs.empty())
        m_timer->start();
}

void KitchenPrinting::checkJobs() {
    std::vector<std::pair<KitchenDispatch::Job, std::string>> failed;
    std::erase_if(m_jobs, [&](const KitchenDispatch::Job& job) {
        if (!job.job->finished())
            return false;
        if (job.job->state() == PrintJob::State::Failed) {
            failed.emplace_back(job, job.job->problem());
            // F12 sends the order on screen what its station did not get.
            if (std::erase(m_unstoredJobs, job.job) > 0)
                KitchenDispatch::notReceived(m_unstoredSent, job.station);
        }
        return true;
    });
    if (m_jobs.empty())
        m_timer->stop();
    report(failed);
}

void KitchenPrinting::report(
    const std::vector<std::pair<KitchenDispatch::Job, std::string>>& failed) {
    if (failed.empty())
        return;
    QString text;
    bool unstored = false;
    for (const auto& [job, problem] : failed) {
        const bool recorded = dispatch().recordFailure(job, problem);
        unstored = unstored || job.orderId == 0;
        text += QStringLiteral("出品部门“") + qs(job.station) + QStringLiteral("”的第") +
                qs(job.number) + QStringLiteral("号厨房单可能没有打印出来。\n") +
                (job.connection.empty() ? QString()
                                        : QStringLiteral("打印机：") + qs(job.connection) + "\n") +
                QStringLiteral("原因：") + qs(problem) + QStringLiteral("。\n") +
                (recorded ? QString() : QStringLiteral("这次失败没能记入操作记录。\n"));
    }
    text +=
        unstored
            ? QStringLiteral("订单还没有结算：按F12结算时会再送一次；已经结算的，请在“历史订单”中"
                             "选中它，按“补打厨房单”。")
            : QStringLiteral("订单已保存：打印机恢复后在“历史订单”中选中它，按“补打厨房单”。");
    QWidget* owner = QApplication::activeWindow() ? QApplication::activeWindow() : m_window;
    MessageBoxes::instance().inform(owner, text, MessageBoxes::Icon::Warning,
                                    QStringLiteral("提示"));
}
