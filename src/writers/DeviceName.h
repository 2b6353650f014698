#pragma once

#include <string>
#include <string_view>

namespace corvano {

// Windows takes a file name whose part before the first dot is a device name (CON, PRN, AUX,
// NUL, COM1-COM9, LPT1-LPT9, in any letter case) for that device, whatever follows the dot:
// writing "con.txt.url" would reach the console. Such names get "-" after that part on every
// system, so a folder of shortcuts made on one copies to the other unchanged.
namespace DeviceName {

bool isReserved(std::string_view part);
// The name with "-" inserted after a reserved part; any other name as it was.
std::string mend(const std::string& name);

} // namespace DeviceName

} // namespace corvano
