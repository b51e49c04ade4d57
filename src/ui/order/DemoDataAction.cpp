#include "ui/order/DemoDataAction.h"

#include "storage/values/Clock.h"
#include "ui/common/MessageBoxes.h"

#include <QProgressDialog>
#include <random>

bool DemoDataAction::run(QWidget* parent, Database& db, std::vector<DemoDataGenerator::Dish> dishes,
                         std::vector<std::string> tables, const Clock& clock) {
    DemoDataGenerator generator(db, std::move(dishes), std::move(tables));
    const DemoDataGenerator::Refusal refusal = generator.prepare();
    if (refusal != DemoDataGenerator::Refusal::None) {
        MessageBoxes::instance().inform(
            parent, QString::fromStdString(DemoDataGenerator::refusalMessage(refusal)));
        return false;
    }
    if (!MessageBoxes::instance().ask(parent, QStringLiteral("是否生成随机数据？"),
                                      MessageBoxes::Icon::Warning))
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
