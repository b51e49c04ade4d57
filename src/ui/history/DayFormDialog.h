#pragma once
#include <QDialog>
#include <functional>

class DayEdit;
class QDate;
class QFormLayout;

// A small dialog asking for the days of a history filter: captioned day
// boxes above "确认".
class DayFormDialog : public QDialog {
    Q_OBJECT
  protected:
    DayFormDialog(const QString& title, QWidget* parent);

    DayEdit* addDay(const QDate& initial, const QString& name, const QString& caption);
    // "确认", the default button, runs confirm.
    void addConfirm(const std::function<void()>& confirm);

  private:
    QFormLayout* m_form;
};
