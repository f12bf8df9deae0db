// twinscan-cli: the batch tool. Every invocation starts like the desktop
// program (settings at start values, compare log emptied, database opened)
// and runs one command. Exit codes: 0 success, 2 bad arguments, 1 failure.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/help.h"
#include "store/startup.h"

namespace {

using namespace twinscan::cli;

struct Command {
  const char* name;
  int (*run)(Cli&);
};

constexpr Command kCommands[] = {
    {"import", RunImport}, {"export", RunExport}, {"compare", RunCompare},
    {"review", RunReview}, {"check", RunCheck},   {"results", RunResults},
};

int Usage(const std::string& problem) {
  if (!problem.empty()) std::fprintf(stderr, "twinscan-cli: %s\n", problem.c_str());
  std::fputs(UsageText(), stderr);
  return 2;
}

// Runs one command; a failed command's last status text is not printed, so
// that nothing claims a step that did not happen.
int RunCommand(const Command& command, Cli& cli) {
  int code;
  try {
    code = command.run(cli);
  } catch (const UsageError& e) {
    cli.ui.Discard();
    return Usage(e.what());
  } catch (const Failure&) {
    code = 1;
  } catch (const std::exception& e) {  // a database or compare-log failure
    cli.ui.ShowMessage(e.what());
    code = 1;
  }
  if (code != 0) cli.ui.Discard();
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  // A write beyond the file-size limit (ulimit -f) then fails with EFBIG and
  // is reported like any failed write, instead of killing the tool silently.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::string> args(argv + 1, argv + argc);
  std::filesystem::path dataDir = twinscan::store::DefaultDataDirectory();
  if (!args.empty() && args[0] == "--data-dir") {
    if (args.size() < 2 || args[1].rfind("--", 0) == 0) return Usage("--data-dir needs a directory");
    dataDir = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty()) return Usage("no command");
  if (IsHelpOption(args[0]) || args[0] == "help") {
    const char* page = args.size() > 1 ? CommandHelp(args[1]) : nullptr;
    std::fputs(page ? page : UsageText(), stdout);
    return 0;
  }
  if (args[0] == "--version") {
    std::printf("%s\n", VersionText().c_str());
    return 0;
  }
  for (const Command& command : kCommands) {
    if (args[0] != command.name) continue;
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::any_of(rest.begin(), rest.end(), [](const std::string& a) { return IsHelpOption(a); })) {
      std::fputs(CommandHelp(command.name), stdout);
      return 0;
    }
    Cli cli(dataDir, argv[0], std::move(rest));
    return RunCommand(command, cli);
  }
  return Usage("unknown command " + args[0]);
}
