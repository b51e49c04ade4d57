#include "ui/order/BackgroundReceipts.h"

#include "orders/OrderReceipt.h"
#include "orders/OwedReceipts.h"
#include "orders/RecordedPrint.h"
#include "printer/PrintSpooler.h"
#include "ui/common/MessageBoxes.h"

#include <QLabel>
#include <QStatusBar>

#include <chrono>
#include <mutex>

// The printer's thread tells the window through this, for as long as the
// window is there to be told.
struct BackgroundReceipts::Relay {
    std::mutex mutex;
    BackgroundReceipts* target;
};

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

BackgroundReceipts::BackgroundReceipts(Database& db, QWidget* window, Window hooks)
    : m_db(db), m_window(window), m_hooks(std::move(hooks)), m_inFlight(db),
      m_relay(std::make_shared<Relay>()) {
    m_relay->target = this;
}

BackgroundReceipts::~BackgroundReceipts() {
    std::lock_guard lock(m_relay->mutex);
    m_relay->target = nullptr;
}

OrderSession::Print BackgroundReceipts::settling(std::function<OrderDraft()> stored) {
    return [this, stored = std::move(stored)](const ReceiptOrder& receipt, bool withCopies,
                                              bool settling,
                                              const std::function<bool()>& startJob) {
        return watch(
            stored(),
            ReceiptPrinter(m_db, m_window).startReceipt(receipt, withCopies, settling, startJob));
    };
}

bool BackgroundReceipts::watch(const OrderDraft& order, const ReceiptPrinter::Start& started) {
    if (!started.job)
        return started.printed;
    const int key = m_inFlight.started(order);
    m_running[key] = {started.job, started.printer};
    started.job->whenFinished([relay = m_relay, key] {
        std::lock_guard lock(relay->mutex);
        if (BackgroundReceipts* target = relay->target)
            QMetaObject::invokeMethod(
                target, [target, key] { target->ended(key); }, Qt::QueuedConnection);
    });
    return true;
}

void BackgroundReceipts::ended(int key) {
    const auto found = m_running.find(key);
    if (found == m_running.end())
        return;
    const auto& [job, printer] = found->second;
    m_ended.emplace_back(
        key, ReceiptsInFlight::End{job->state() == PrintJob::State::Done, printer, job->problem()});
    m_running.erase(found);
    tellNext();
}

// One warning at a time: another print may end while the cashier reads one.
void BackgroundReceipts::tellNext() {
    if (m_telling)
        return;
    m_telling = true;
    while (!m_ended.empty()) {
        const auto [key, end] = m_ended.front();
        m_ended.pop_front();
        // Whether the screen is untouched is asked as each is told: an
        // order put back by the one before is not a fresh screen.
        const auto outcome = m_inFlight.ended(key, end, !end.printed && m_hooks.untouched());
        if (!outcome || outcome->next == ReceiptsInFlight::Next::Nothing)
            continue;
        if (outcome->next == ReceiptsInFlight::Next::BackOnScreen) {
            m_hooks.showNotPrinted(outcome->order);
            MessageBoxes::instance().inform(m_window, qs(outcome->warning),
                                            MessageBoxes::Icon::Warning, QStringLiteral("提示"));
        } else if (MessageBoxes::instance().choose(
                       m_window, qs(outcome->warning), MessageBoxes::Icon::Warning,
                       QStringLiteral("提示"), QStringLiteral("补打"), QStringLiteral("稍后"))) {
            reprint(outcome->order);
        } else {
            m_later.push_back(outcome->order);
            showLater();
        }
    }
    m_telling = false;
}

void BackgroundReceipts::showIn(QStatusBar* bar) {
    // A link, as tall as the rest of the status bar.
    m_laterLink = new QLabel(bar);
    m_laterLink->setObjectName(QStringLiteral("链接_补打小票"));
    m_laterLink->setAccessibleDescription(m_laterLink->objectName());
    m_laterLink->setTextFormat(Qt::RichText);
    connect(m_laterLink, &QLabel::linkActivated, this, &BackgroundReceipts::reprintLater);
    bar->addPermanentWidget(m_laterLink);
    showLater();
}

void BackgroundReceipts::remindOwed(int timeFormat) {
    const ReadResult<std::vector<OrderDraft>> owed = OwedReceipts::today(m_db, timeFormat);
    if (owed) {
        m_later.assign(owed->begin(), owed->end());
        showLater();
    } else if (m_laterLink) {
        // Not an empty list: the cashier learns that some may be owed.
        m_laterLink->setText(QStringLiteral("未打印的小票无法读取"));
        m_laterLink->setAccessibleName(m_laterLink->text());
        m_laterLink->setToolTip(qs(owed.message("读取", "")));
        m_laterLink->setVisible(true);
    }
}

void BackgroundReceipts::reprintLater() {
    if (m_later.empty())
        return;
    const OrderDraft order = m_later.front();
    m_later.pop_front();
    showLater();
    reprint(order);
}

// The oldest first: the cashier prints them in the order they were settled.
void BackgroundReceipts::showLater() {
    if (!m_laterLink)
        return;
    m_laterLink->setVisible(!m_later.empty());
    if (m_later.empty())
        return;
    const QString caption =
        QStringLiteral("补打第") + qs(m_later.front().number) + QStringLiteral("号小票") +
        (m_later.size() > 1 ? QStringLiteral("（共%1张未打印）").arg(m_later.size()) : QString());
    m_laterLink->setToolTip({});
    m_laterLink->setText(QStringLiteral("<a href=\"later\">") + caption.toHtmlEscaped() +
                         QStringLiteral("</a>"));
    m_laterLink->setAccessibleName(caption);
}

// As any stored order is printed again: recorded as a reprint first, its
// end told like a settlement's.
void BackgroundReceipts::reprint(const OrderDraft& order) {
    const RecordedPrint::Result result =
        RecordedPrint(m_db).print(order, [&](const std::function<bool()>& startJob) {
            return watch(order, ReceiptPrinter(m_db, m_window)
                                    .startReceipt(receiptOrderOf(order), true, false, startJob));
        });
    if (!result.message.empty())
        MessageBoxes::instance().inform(m_window, qs(result.message), MessageBoxes::Icon::Warning);
}

void BackgroundReceipts::finishBeforeClosing() {
    const auto deadline = std::chrono::steady_clock::now() + PrintSpooler::instance().limits().job;
    for (auto& [key, running] : m_running) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const bool printed = running.job->waitFor(std::max(left, std::chrono::milliseconds(0))) ==
                             PrintJob::State::Done;
        std::string problem = running.job->problem();
        if (!running.job->finished()) {
            running.job->cancel();
            problem = "关闭程序时还没有打印完";
        }
        m_ended.emplace_back(key, ReceiptsInFlight::End{printed, running.printer, problem});
    }
    m_running.clear();
    // No question while the program closes; the record keeps the order found.
    for (const auto& [key, end] : m_ended)
        m_inFlight.ended(key, end, false);
    m_ended.clear();
}
