#pragma once
#include <QDialog>

class QRadioButton;
class SettingsStore;

// "选择时间格式": three exclusive order-time formats; a click stores the
// choice at once, "确定" only closes the window.
class TimeFormatDialog : public QDialog {
    Q_OBJECT
  public:
    TimeFormatDialog(SettingsStore& settings, int choice, QWidget* parent = nullptr);

    int choice() const { return m_choice; }
    QRadioButton* option(int choice) const { return m_options[choice]; }

  signals:
    void choiceChanged(int choice);

  private:
    void choose(int choice);

    SettingsStore& m_settings;
    int m_choice;
    QRadioButton* m_options[3];
};
