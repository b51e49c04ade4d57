#include "ui/reports/ChartHost.h"

#include "ui/common/MessageBoxes.h"

#include <QDesktopServices>
#include <QUrl>

namespace ChartHost {

long long queryFlashVersion() {
    // The viewer's library as loaded, "6.4.2" -> 0x060402.
    const auto parts = QString::fromLatin1(qVersion()).split(QLatin1Char('.'));
    long long version = 0;
    for (const auto& part : parts)
        version = version * 0x100 + part.toInt();
    return version;
}

bool checkChartPlayer(QWidget* parent) {
    if (queryFlashVersion() != 0)
        return true;
    const QString question = QStringLiteral(
        "您的 Flash 版本过低，图表功能将无法使用。\r\n\r\n是否安装 Adobe Flash Player ？");
    if (MessageBoxes::instance().ask(parent, question, MessageBoxes::Icon::Warning))
        QDesktopServices::openUrl(
            QUrl(QStringLiteral("https://doc.qt.io/qt-6/qtcharts-index.html")));
    return false;
}

} // namespace ChartHost
