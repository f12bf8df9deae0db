// The batch tool's help texts: the usage summary shown with --help and after
// a bad argument, one page per command for `COMMAND --help`, and the version
// line.
#pragma once

#include <string>
#include <string_view>

namespace twinscan::cli {

// The usage summary, starting with "usage: twinscan-cli".
const char* UsageText();
// The help page of a command; nullptr for a name that is no command.
const char* CommandHelp(std::string_view command);
// "twinscan-cli 1.0" with the project version.
std::string VersionText();
// True for "--help" and "-h".
bool IsHelpOption(std::string_view argument);

}  // namespace twinscan::cli
