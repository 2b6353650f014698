#pragma once

#include <QGroupBox>

namespace corvano {

// A frame with a caption on its top line, the line broken behind the caption. The line runs
// through the middle of the caption, so controls placed a caption's height below the frame's
// top sit inside it; a style that draws the caption above the line would push the line below
// them.
class CaptionFrame : public QGroupBox
{
    Q_OBJECT

public:
    CaptionFrame(const QString& caption, QWidget* parent);

    // The row of the top line, in the frame's own pixels.
    int lineTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect captionRect() const;
};

} // namespace corvano
