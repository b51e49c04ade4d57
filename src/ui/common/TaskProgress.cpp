#include "ui/common/TaskProgress.h"

namespace {

constexpr int steps = 1000;

} // namespace

TaskProgress::TaskProgress(QWidget* parent, const QString& label, const QString& title)
    : m_dialog(label, QStringLiteral("取消"), 0, steps, parent) {
    m_dialog.setObjectName(QStringLiteral("进度_") + title);
    m_dialog.setWindowTitle(title);
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    m_dialog.setValue(0);
}

TaskProgress::~TaskProgress() {
    m_dialog.reset();
}

Progress TaskProgress::callback() {
    return [this](long long done, long long total) {
        // A modal dialog takes the events here, the cancel button's click among them.
        m_dialog.setValue(total > 0 ? static_cast<int>(done * steps / total) : steps);
        return !m_dialog.wasCanceled();
    };
}
