#include "ui/common/FileDialogs.h"
#include "ui/common/Installable.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// "CSV 文件 (*.csv)" -> "csv"
QString suffixOf(const QString& filter) {
    const auto match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

class QtFileDialogs : public FileDialogs {
  public:
    QString saveFile(QWidget* parent, const QString& title, const QString& suggestedName,
                     const QStringList& filters) override {
        QFileDialog dialog(parent, title, QDir(folder()).filePath(suggestedName));
        dialog.setObjectName(QStringLiteral("通用对话框_保存"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        const QString suggestedSuffix = QFileInfo(suggestedName).suffix();
        for (const QString& filter : filters)
            if (suffixOf(filter) == suggestedSuffix)
                dialog.selectNameFilter(filter);
        dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
        return chosen(dialog);
    }

    QString openFile(QWidget* parent, const QString& title, const QStringList& filters) override {
        QFileDialog dialog(parent, title, folder());
        dialog.setObjectName(QStringLiteral("通用对话框_打开"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(filters);
        return chosen(dialog);
    }

  private:
    // Each dialog opens where the last one was left, for the whole run.
    QString chosen(QFileDialog& dialog) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        const QString path = dialog.selectedFiles().constFirst();
        m_folder = QFileInfo(path).absolutePath();
        return path;
    }
    QString folder() const {
        if (!m_folder.isEmpty())
            return m_folder;
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QDir(documents).exists() ? documents : QDir::homePath();
    }

    QString m_folder;
};

} // namespace

FileDialogs& FileDialogs::instance() {
    return Installable<FileDialogs>::installedOr<QtFileDialogs>();
}

QStringList FileDialogs::spreadsheetFilters() {
    return {QStringLiteral("Excel 工作簿 (*.xlsx)"), QStringLiteral("CSV 文件 (*.csv)")};
}

void FileDialogs::install(FileDialogs* dialogs) {
    Installable<FileDialogs>::install(dialogs);
}
