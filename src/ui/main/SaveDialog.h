#pragma once

#include <QString>

class QWidget;

namespace corvano {

// The save dialog of the HTML list: one filter, no default extension and no question
// before an existing file is replaced.
class SaveDialog
{
public:
    static constexpr const char* Filter = "静态网页(*.HTML) (*.html)";

    // The chosen file exactly as given, or empty when the user cancelled.
    static QString ShowSave(QWidget& parent);
};

} // namespace corvano
