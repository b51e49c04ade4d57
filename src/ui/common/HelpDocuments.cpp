#include "ui/common/HelpDocuments.h"

#include "storage/config/ProgramFolder.h"
#include "ui/common/MessageBoxes.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

extern const unsigned char help_tutorial_docx[];
extern const unsigned long help_tutorial_docx_size;
extern const unsigned char help_printing_docx[];
extern const unsigned long help_printing_docx_size;

namespace HelpDocuments {

QString fileName(Document document) {
    return document == Document::Tutorial ? QStringLiteral("怎样使用软件.docx")
                                          : QStringLiteral("打印不了怎么办.docx");
}

QString path(Document document) {
    return QString::fromStdString(ProgramFolder::path()) + '/' + fileName(document);
}

bool write(Document document) {
    const bool tutorial = document == Document::Tutorial;
    const auto* bytes =
        reinterpret_cast<const char*>(tutorial ? help_tutorial_docx : help_printing_docx);
    const qint64 size = tutorial ? help_tutorial_docx_size : help_printing_docx_size;
    QFile file(path(document));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes, size) == size;
}

bool openWritten(Document document) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path(document)));
}

void show(QWidget* parent, Document document) {
    if (!write(document))
        MessageBoxes::instance().inform(parent, QStringLiteral("帮助文档无法写入数据文件夹：\n") +
                                                    path(document));
    else if (!openWritten(document))
        MessageBoxes::instance().inform(
            parent, QStringLiteral("帮助文档已保存为：\n") + path(document) +
                        QStringLiteral("\n\n没有找到可以打开 Word 文档（.docx）的程序。"));
}

} // namespace HelpDocuments
