#pragma once

#include <QLabel>

namespace corvano {

// A label that keeps every press on it to itself, so that a press on it never drags the
// window beneath, and reports presses, releases and left-button clicks.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent) : QLabel(parent) {}

signals:
    // Any mouse button.
    void mouseDown();
    void mouseUp();
    // A left-button press and release on the label.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace corvano
