#pragma once

#include <QImage>
#include <QObject>

class QWidget;

// What a window shows of the primary surface: blits into the primary land in this image, and the
// window paints it. It lives as a child of the window and follows the window's size.
class TScreenImage : public QObject {
  Q_OBJECT
public:
  // The window's image, made on first use.
  static TScreenImage *For(QWidget *window);

  QImage &Image() { return FImage; }
  // Asks the window to show the changed rectangle, unless it is painting right now (then the
  // image is shown at the end of that paint anyway).
  void Changed(int left, int top, int width, int height);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  explicit TScreenImage(QWidget *window);

  QWidget *FWindow;
  QImage FImage;
  bool FPainting = false;
};
