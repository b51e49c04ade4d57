#pragma once
#include <QStatusBar>

class QLabel;

// The counts under a list window, in parts of equal width. The bar is named
// as the list's counts ("状态条_存单"), each part after it with its place
// ("状态条_存单_0"), all read by one caption.
class ListStatusBar : public QStatusBar {
  public:
    ListStatusBar(const QString& name, const QString& caption, const QStringList& placeholders,
                  QWidget* parent);

    QLabel* part(int index) const { return m_parts.at(index); }

  private:
    QList<QLabel*> m_parts;
};
