#pragma once
#include "receipt/ReceiptOrder.h"

struct OrderDraft;

// The receipt of the order on screen: every field as the window shows it.
ReceiptOrder receiptOrderOf(const OrderDraft& draft);
