// Vienna files, reports, logs and corrected files are 8-bit Latin-1; the
// database and the desktop app hold UTF-8. These two conversions are the only
// places where the encodings meet.
#pragma once

#include <string>
#include <string_view>

namespace twinscan {

std::string Latin1ToUtf8(std::string_view latin1);

// Characters beyond Latin-1 (which the import never stores) become "?".
std::string Utf8ToLatin1(std::string_view utf8);

}  // namespace twinscan
