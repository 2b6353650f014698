#pragma once

namespace corvano {

enum class ExitCode
{
    Ok = 0,
    NoLinks = 1,
    AddressError = 2,
    StringMissing = 3,
    WriteFailed = 4,
    SettingsFailed = 5,
    Usage = 64,
};

} // namespace corvano
