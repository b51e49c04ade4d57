// The copies of the database: the automatic ones, by hand, and restoring one.
#include "ui/order/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

void MainWindow::startAutomaticBackup() {
    if (m_backups.startIfDue())
        m_backupTimer->start(0);
    stepAutomaticBackup();
}

// Each step keeps the window waiting for a few milliseconds at most.
void MainWindow::stepAutomaticBackup() {
    if (!m_backups.step())
        m_backupTimer->stop();
    const std::string failure = m_backups.takeFailure();
    if (!failure.empty())
        m_form.backupPart->setText(QString::fromStdString(failure));
}

// The program must not end with half a copy: the running one is completed,
// then the closing copy is taken whole.
void MainWindow::backUpOnClosing() {
    m_backupTimer->stop();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_backups.finish();
    if (m_backups.start())
        m_backups.finish();
    QApplication::restoreOverrideCursor();
}
