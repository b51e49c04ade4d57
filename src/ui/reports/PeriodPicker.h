#pragma once
#include <QDialog>

#include <functional>

class QComboBox;
class QDateEdit;
class QListWidget;

// The small window that picks a day, month, quarter or year and starts a
// report with it; it closes only when the report found data.
class PeriodPicker : public QDialog {
    Q_OBJECT
  public:
    enum class Kind { Day, Month, Quarter, Year };
    // Day: ("2017年5月8日", ""); Month: ("2017", "5"); Quarter: ("2017", "2");
    // Year: ("2017", ""). Returns whether the report found data.
    using Report = std::function<bool(const QString& first, const QString& second)>;

    PeriodPicker(Kind kind, Report report, QWidget* parent);

    // The first year offered: the current one, counting down to 2010.
    static QStringList years();

    void choose(const QString& first, const QString& second);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildDay();
    void buildLists(const QString& label, const QStringList& entries, int current);
    void buildYear();

    Kind m_kind;
    Report m_report;
    QDateEdit* m_date = nullptr;
    QComboBox* m_year = nullptr;
    QListWidget* m_list = nullptr;
};
