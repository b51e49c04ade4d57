#include "ui/common/PopupComboBox.h"

void PopupComboBox::showPopup() {
    emit aboutToShowPopup();
    QComboBox::showPopup();
}
