#include "ui/receipt/PrintProgressNote.h"

#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QVBoxLayout>

PrintProgressNote::PrintProgressNote(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    const QString text = QStringLiteral("正在发送打印任务…");
    setObjectName(QStringLiteral("打印进度"));
    setAccessibleName(text);
    setWindowTitle(QStringLiteral("打印"));
    setWindowModality(Qt::ApplicationModal);
    auto* label = new QLabel(text, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(label);
    show();
    // Painted now: the job that follows holds the event loop.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

PrintProgressNote::~PrintProgressNote() {
    hide();
}

bool PrintProgressNote::wanted(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::NativeFormat;
}
