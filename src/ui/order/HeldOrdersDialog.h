#pragma once
#include "held/HeldOrders.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

// "取单": the held orders, newest first and selected; Enter or a double
// click takes the selected one.
class HeldOrdersDialog : public QDialog {
    Q_OBJECT
  public:
    HeldOrdersDialog(const std::vector<HeldOrders::Summary>& held, QWidget* parent);

    // The held order chosen; 0 until one is.
    long long chosenId() const { return m_chosen; }

  private:
    void chooseSelected();

    QTreeWidget* m_list = nullptr;
    long long m_chosen = 0;
};
