#pragma once
#include <QObject>

class QLabel;
class QWidget;

// The two help links beside the order buttons: they swap yellow and green at
// every tick, so that a new cashier notices them, and a click opens their
// document.
class HelpLinks : public QObject {
  public:
    HelpLinks(QLabel* tutorial, QLabel* printingHelp, QWidget* window);
    void blink();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* m_tutorial;
    QLabel* m_printingHelp;
    QWidget* m_window;
};
