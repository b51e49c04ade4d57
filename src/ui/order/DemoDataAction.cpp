#include "ui/order/DemoDataAction.h"

#include "storage/config/ProgramFolder.h"
#include "storage/copies/BackupFolder.h"
#include "storage/engine/Database.h"
#include "storage/values/Clock.h"
#include "ui/common/ManagerCheck.h"
#include "ui/common/MessageBoxes.h"
#include "ui/order/DataCopies.h"

#include <QProgressDialog>
#include <filesystem>
#include <random>

namespace {

const QString refusedText = QStringLiteral("管理密码不正确，没有生成随机数据。");

QString question(Database& db) {
    const long long orders = DemoDataGenerator::orderCount(db, false);
    QString text =
        QStringLiteral("是否生成随机数据？\n\n数据库中现有%1张订单。生成的订单标为演示数据，"
                       "日期不晚于现在，可以用“删除演示数据”全部删除。")
            .arg(orders);
    if (!db.isServer())
        text += QStringLiteral("\n生成之前先把数据备份到备份文件夹。");
    return text;
}

// The copy the owner can go back to; on a server the server keeps the copies.
bool backUp(QWidget* parent, Database& db, const Clock& clock) {
    if (db.isServer())
        return true;
    const BackupFolder folder = BackupFolder::beside(ProgramFolder::databasePath());
    const std::string path = folder.beforeDemoPath(clock.now());
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const std::string problem =
        error ? std::string("备份文件夹无法创建") : DataCopies::copyTo(db, path);
    if (problem.empty())
        return true;
    MessageBoxes::instance().inform(
        parent,
        QStringLiteral("备份失败：%1。随机数据没有生成，数据库没有改动。")
            .arg(QString::fromStdString(problem)),
        MessageBoxes::Icon::Warning);
    return false;
}

} // namespace

bool DemoDataAction::run(QWidget* parent, Database& db, std::vector<DemoDataGenerator::Dish> dishes,
                         std::vector<std::string> tables, const Clock& clock) {
    DemoDataGenerator generator(db, std::move(dishes), std::move(tables));
    const DemoDataGenerator::Refusal refusal = generator.prepare();
    if (refusal != DemoDataGenerator::Refusal::None) {
        MessageBoxes::instance().inform(
            parent, QString::fromStdString(DemoDataGenerator::refusalMessage(refusal)));
        return false;
    }
    if (!MessageBoxes::instance().ask(parent, question(db), MessageBoxes::Icon::Warning) ||
        !ManagerCheck::passes(parent, db, refusedText) || !backUp(parent, db, clock))
        return false;

    QProgressDialog progress(QStringLiteral("正在生成销售随机数据……"), QStringLiteral("取消"), 0,
                             366, parent);
    progress.setObjectName(QStringLiteral("进度_生成随机数据"));
    progress.setWindowTitle(QStringLiteral("生成销售随机数据"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const bool stored =
        generator.generate(clock.now().year, std::random_device{}(), [&](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            return !progress.wasCanceled();
        });
    progress.reset();
    if (!generator.failure().empty())
        MessageBoxes::instance().inform(parent, QString::fromStdString(generator.failure()),
                                        MessageBoxes::Icon::Warning);
    return stored;
}

bool DemoDataAction::remove(QWidget* parent, Database& db) {
    auto& boxes = MessageBoxes::instance();
    const long long demo = DemoDataGenerator::orderCount(db, true);
    if (demo <= 0) {
        boxes.inform(parent, demo == 0 ? QStringLiteral("数据库中没有演示数据。")
                                       : QStringLiteral("无法读取订单，没有删除任何数据。"));
        return false;
    }
    if (!boxes.ask(parent,
                   QStringLiteral("删除全部%1张演示订单和它们的明细？其他订单不受影响。").arg(demo),
                   MessageBoxes::Icon::Warning) ||
        !ManagerCheck::passes(parent, db, QStringLiteral("管理密码不正确，演示数据没有删除。")))
        return false;
    const long long removed = DemoDataGenerator::removeDemoOrders(db);
    if (removed < 0) {
        boxes.inform(parent, QStringLiteral("删除失败，数据库没有改动。"),
                     MessageBoxes::Icon::Warning);
        return false;
    }
    boxes.inform(parent, QStringLiteral("已删除%1张演示订单。").arg(removed),
                 MessageBoxes::Icon::Information);
    return true;
}
