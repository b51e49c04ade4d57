#include "ui/history/ListStatusBar.h"
#include "ui/common/ListControls.h"

#include <QLabel>

ListStatusBar::ListStatusBar(const QString& name, const QString& caption,
                             const QStringList& placeholders, QWidget* parent)
    : QStatusBar(parent) {
    ListControls::nameControl(this, name, caption);
    setSizeGripEnabled(false);
    for (const QString& text : placeholders) {
        auto* part = new QLabel(text, this);
        ListControls::nameControl(part, QString("%1_%2").arg(name).arg(m_parts.size()), caption);
        addWidget(part, 1);
        m_parts << part;
    }
}
