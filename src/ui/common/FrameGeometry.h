#pragma once
class QRect;
class QWidget;

// Places a window so that its frame, title bar and borders included, covers
// `frame`: a window's own geometry is only the inside of its frame.
void setFrameGeometry(QWidget* window, const QRect& frame);
