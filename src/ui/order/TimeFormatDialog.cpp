#include "ui/order/TimeFormatDialog.h"

#include "orders/OrderTime.h"
#include "storage/config/SettingsStore.h"
#include "ui/common/MessageBoxes.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TimeFormatDialog::TimeFormatDialog(SettingsStore& settings, int choice, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_choice(choice) {
    setWindowTitle(QStringLiteral("选择时间格式"));
    setObjectName(QStringLiteral("选择时间格式"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(12);
    const QString captions[] = {QStringLiteral("月-日 时:分(12-30 01:59)"),
                                QStringLiteral("年/月/日 时:分(2000/12/30 01:59)"),
                                QStringLiteral("年-月-日 时:分(2000-12-30 01:59)")};
    const int checked =
        choice == OrderTime::SlashedDate || choice == OrderTime::DashedDate ? choice : 0;
    for (int i = 0; i < 3; ++i) {
        m_options[i] = new QRadioButton(captions[i], this);
        m_options[i]->setAccessibleName(captions[i]);
        m_options[i]->setChecked(i == checked);
        connect(m_options[i], &QRadioButton::clicked, this, [this, i] { choose(i); });
        layout->addWidget(m_options[i]);
    }
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setAccessibleName(ok->text());
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

void TimeFormatDialog::choose(int choice) {
    m_choice = choice;
    if (!OrderTime::storeChoice(m_settings, choice))
        MessageBoxes::instance().inform(
            this, QString::fromStdString(m_settings.failureMessage("保存时间格式")),
            MessageBoxes::Icon::Warning);
    emit choiceChanged(choice);
}
