#pragma once

#include <functional>
#include <string>

namespace corvano {

// Reads the Windows directory through a call shaped like the system's: it fills a buffer of the
// given size and returns the number of characters written, or, when the buffer is too small,
// the size it needs; 0 means failure.
namespace WindowsDirectoryQuery {

using Call = std::function<unsigned(char* buffer, unsigned size)>;

inline constexpr unsigned kFirstBufferSize = 80;

// The directory as the call wrote it. A directory too long for the first buffer is read
// again into a buffer of the size the call asked for, never cut short. Throws SystemError
// when the call fails or keeps asking for more room.
std::string read(const Call& call);

} // namespace WindowsDirectoryQuery

} // namespace corvano
