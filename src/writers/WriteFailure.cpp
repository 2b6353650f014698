#include "WriteFailure.h"

#include "platform/FailureReason.h"

namespace corvano {

void WriteFailure::report(MainSurface& surface, const FileError& error)
{
    surface.showMessage("无法写入文件 " + error.path() + "：" + FailureReason::of(error),
                        "文件错误", MessageStyle::Critical);
}

} // namespace corvano
