#pragma once

class QCoreApplication;

namespace corvano {

// Qt's own Chinese texts (standard buttons, the file dialog), so that the parts of a window
// the toolkit words match the program's Chinese captions.
class QtChinese
{
public:
    // False when the translations are not installed; the toolkit then keeps its English.
    static bool install(QCoreApplication& application);
};

} // namespace corvano
