#pragma once

#include <string>
#include <string_view>

namespace corvano {

// Windows takes a file name whose part before the first dot is a device name (CON, PRN, AUX,
// NUL, CONIN$, CONOUT$, COM1-COM9 and LPT1-LPT9 with the superscripts 1, 2 and 3 too, in any
// letter case, spaces after it ignored) for that device, whatever follows the dot: writing
// "con.txt.url" or "CON .url" would reach the console. Such names get "-" after the device
// name on every system, so a folder of shortcuts made on one copies to the other unchanged.
namespace DeviceName {

// part is the text before the first dot, without the spaces that end it.
bool isReserved(std::string_view part);
// The name with "-" inserted after a reserved part; any other name as it was.
std::string mend(const std::string& name);

} // namespace DeviceName

} // namespace corvano
