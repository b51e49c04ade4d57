#include "ui/history/TillBox.h"

#include "history/HistoryFilter.h"
#include "storage/engine/TillList.h"
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
    // Named tills first, as the reports offer them, the unnamed orders last.
    bool unrecorded = false;
    for (const std::string& name : *tills) {
        unrecorded = unrecorded || name.empty();
        if (!name.empty())
            addItem(QString::fromStdString(name), QString::fromStdString(name));
    }
    if (unrecorded)
        addItem(HistoryFilter::unrecordedTill, QString());
}

std::optional<std::string> TillBox::till() const {
    const QVariant name = currentData();
    if (!name.isValid())
        return std::nullopt;
    return name.toString().toStdString();
}
