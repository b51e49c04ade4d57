#pragma once
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"

#include "ui/common/ScriptedMessageBoxes.h"
#include "ui/common/TestApplication.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

// Report window tests: an application, a real database in a folder that is
// also the program folder and the temporary folder, scripted message boxes.
class ReportWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ensureTestApplication(); }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", m_dir.path().toUtf8());
        ProgramFolder::setPath(m_dir.path().toStdString());
        ASSERT_TRUE(StorageStartup::openDatabase(m_db));
    }
    void TearDown() override {
        if (m_oldTmp.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_oldTmp);
    }

    void exec(const std::string& sql) {
        ASSERT_TRUE(m_db.ExecuteSql(sql)) << sql << m_db.lastError();
    }
    // Runs `act` on the modal window that the next statement opens, then
    // closes it if it is still open, so a failing test cannot hang.
    static void onNextModal(std::function<void(QWidget*)> act) {
        QTimer::singleShot(0, [act] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            act(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
                dialog->reject();
        });
    }

    QTemporaryDir m_dir;
    QByteArray m_oldTmp;
    Database m_db;
    ScriptedMessageBoxes m_boxes;
};
