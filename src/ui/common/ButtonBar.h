#pragma once
#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

// A row of caption buttons from edge to edge, as the list windows put under
// their lists.
class ButtonBar {
  public:
    explicit ButtonBar(QWidget* parent);

    // The next button, named after its caption.
    QPushButton* button(const QString& caption);
    // What follows stands at the right end.
    void addStretch();
    QWidget* widget() const { return m_bar; }

  private:
    QWidget* m_bar;
    QHBoxLayout* m_row;
};
