#pragma once
#include <QImage>
#include <QWidget>

// A canvas control of the preview: holds a picture and paints it.
class PreviewBoard : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewBoard(QWidget* parent = nullptr) : QWidget(parent) {}

    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    void setImage(QImage image);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage m_image;
};
