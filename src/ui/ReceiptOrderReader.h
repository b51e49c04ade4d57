#pragma once
#include "receipt/ReceiptOrder.h"

class QWidget;

// The order as the order window shows it, read from its named controls.
ReceiptOrder readReceiptOrder(const QWidget* orderWindow);
