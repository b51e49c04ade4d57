#include "app/ChartViewer.h"

namespace ChartViewer {

bool available() {
    return true;
}

} // namespace ChartViewer
