#pragma once
#include "receipt/PrinterSettings.h"

#include <QWidget>

class PopupComboBox;
class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

// The page "打印机" of "打印设置": the system's print dialog, or a thermal
// printer with its connection, print mode, paper cut and cash drawer.
class PrinterSettingsPage : public QWidget {
    Q_OBJECT
  public:
    explicit PrinterSettingsPage(QWidget* parent = nullptr);

    void showSettings(const PrinterSettings& settings);
    PrinterSettings settings() const;
    QComboBox* connectionBox() const;

  signals:
    void testPageRequested();

  private:
    void setThermalControlsEnabled(bool enabled);
    // The device files and CUPS queues there are now, the typed text kept.
    void refillConnections();

    QRadioButton* m_system;
    QRadioButton* m_thermal;
    PopupComboBox* m_connection;
    QComboBox* m_mode;
    QCheckBox* m_cut;
    QCheckBox* m_drawer;
    QPushButton* m_testPage;
    QList<QWidget*> m_thermalControls;
};
