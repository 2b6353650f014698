#pragma once

class QCoreApplication;

// Qt's own Chinese texts (standard buttons, the file dialog), so that the parts of a window
// the toolkit words match the program's Chinese captions.
namespace corvano::QtChinese {

// False when the translations are not installed; the toolkit then keeps its English.
bool install(QCoreApplication& application);

} // namespace corvano::QtChinese
