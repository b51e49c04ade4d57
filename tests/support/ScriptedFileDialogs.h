#pragma once
#include "ui/common/FileDialogs.h"

// Names the file a dialog would have asked for; an empty path cancels.
class ScriptedFileDialogs : public FileDialogs {
  public:
    explicit ScriptedFileDialogs(QString path = {}) : path(std::move(path)) { install(this); }
    ~ScriptedFileDialogs() override { install(nullptr); }

    QString path;
    QStringList titles;
    QString suggestedName;

    QString saveFile(QWidget*, const QString& title, const QString& suggested,
                     const QStringList&) override {
        titles << title;
        suggestedName = suggested;
        return path;
    }
    QString openFile(QWidget*, const QString& title, const QStringList&) override {
        titles << title;
        return path;
    }
};
