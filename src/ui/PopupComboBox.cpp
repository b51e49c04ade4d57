#include "ui/PopupComboBox.h"

void PopupComboBox::showPopup() {
    emit aboutToShowPopup();
    QComboBox::showPopup();
}
