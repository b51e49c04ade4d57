#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// The file dialogs behind one interface, so that tests can name the file
// instead of a user.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The file to write, or empty on Cancel. A name typed without an
    // extension gets the one of the chosen filter.
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& suggestedName,
                             const QStringList& filters) = 0;
    // An existing file to read, or empty on Cancel.
    virtual QString openFile(QWidget* parent, const QString& title, const QStringList& filters) = 0;

    static FileDialogs& instance();
    static void install(FileDialogs* dialogs);

    // "Excel 工作簿 (*.xlsx)" then "CSV 文件 (*.csv)".
    static QStringList spreadsheetFilters();
};
