#include "ui/history/TillBox.h"

#include "history/HistoryFilter.h"
#include "history/TillList.h"
#include "ui/common/ListControls.h"

TillBox::TillBox(Database& db, QWidget* parent) : QComboBox(parent) {
    ListControls::nameControl(this, "组合框_收银台", "收银台");
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    addItem(everyTill);
    const ReadResult<std::vector<std::string>> tills = TillList::read(db);
    if (!tills) {
        // Every till is still listed; only the choice of one is missing.
        setEnabled(false);
        setToolTip(QString::fromStdString(tills.message("读取收银台", "只能查看全部收银台。")));
        return;
    }
    for (const std::string& name : *tills)
        addItem(QString::fromStdString(name.empty() ? HistoryFilter::unrecordedTill : name),
                QString::fromStdString(name));
}

std::optional<std::string> TillBox::till() const {
    const QVariant name = currentData();
    if (!name.isValid())
        return std::nullopt;
    return name.toString().toStdString();
}
