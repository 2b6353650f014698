#pragma once

#include <QString>

class QWidget;

// The save dialog of the HTML list: one filter, no default extension and no question
// before an existing file is replaced.
namespace corvano::SaveDialog {

// The chosen file exactly as given, or empty when the user cancelled.
QString ShowSave(QWidget& parent);

} // namespace corvano::SaveDialog
