#pragma once
#include "receipt/ReceiptSettings.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/SettingsStore.h"

#include "ui/common/TestApplication.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A program folder of its own with a fresh database and the receipt
// settings seeded, as after the first start.
class ReceiptTestFolder {
    QTemporaryDir m_dir; // first in, last out: the database closes before its folder goes

  public:
    ReceiptTestFolder() {
        ensureTestApplication();
        ProgramFolder::setPath(m_dir.path().toStdString());
        EXPECT_TRUE(db.open(ProgramFolder::databasePath(), ""));
        seedReceiptDefaults(db);
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString dataFile(const QString& name) const { return m_dir.filePath("data/" + name); }
    void set(const std::string& key, const std::string& value) {
        SettingsStore(db).set(key, value);
    }

    // A picture file in data/, copied from another PNG.
    void putPicture(const QString& name, const QString& from) {
        QDir(m_dir.path()).mkpath(QStringLiteral("data"));
        QFile::remove(dataFile(name));
        ASSERT_TRUE(QFile::copy(from, dataFile(name)));
    }

    Database db;
};
