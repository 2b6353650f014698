#include "QtChinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace corvano::QtChinese {

bool install(QCoreApplication& application)
{
    // The application owns the translator, so it lasts as long as the texts it supplies.
    auto* translator = new QTranslator(&application);
    if (!translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace corvano::QtChinese
