#include "ui/common/ExportMessages.h"

#include "ui/common/MessageBoxes.h"

namespace ExportMessages {

void tell(QWidget* parent, WriteResult result, const QString& path, const QString& done) {
    auto& boxes = MessageBoxes::instance();
    if (result == WriteResult::Written)
        boxes.inform(parent, done, MessageBoxes::Icon::None);
    else if (result == WriteResult::Failed)
        boxes.inform(parent,
                     QStringLiteral("导出失败，无法写入文件：") + path +
                         QStringLiteral("\n请换一个文件夹或文件名后重试。"),
                     MessageBoxes::Icon::Warning);
}

} // namespace ExportMessages
