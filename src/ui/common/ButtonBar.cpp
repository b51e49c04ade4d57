#include "ui/common/ButtonBar.h"
#include "ui/common/ListControls.h"

#include <QHBoxLayout>
#include <QWidget>

ButtonBar::ButtonBar(QWidget* parent) : m_bar(new QWidget(parent)), m_row(new QHBoxLayout(m_bar)) {
    m_row->setContentsMargins(0, 0, 0, 0);
}

QPushButton* ButtonBar::button(const QString& caption) {
    return ListControls::addCaptionButton(m_row, m_bar, caption);
}

void ButtonBar::addStretch() {
    m_row->addStretch(1);
}
