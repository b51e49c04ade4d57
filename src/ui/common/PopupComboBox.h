#pragma once
#include <QComboBox>

// A drop-down that announces it is about to open, so that its entries can be
// refilled from the database just before the cashier sees them.
class PopupComboBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    void showPopup() override;

  signals:
    void aboutToShowPopup();
};
