#include "WriteFailure.h"

namespace corvano {

void WriteFailure::report(MainSurface& surface, const FileError& error)
{
    surface.showMessage("无法写入文件 " + error.path() + "：" + error.reason(), "文件错误",
                        MessageStyle::Critical);
}

} // namespace corvano
