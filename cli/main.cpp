// twinscan-cli: the batch tool. Every invocation starts like the desktop
// program (settings at start values, compare log emptied, database opened)
// and runs one command. Exit codes: 0 success, 2 bad arguments, 1 failure.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
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

constexpr const char* kUsage =
    "usage: twinscan-cli [--data-dir DIR] COMMAND ...\n"
    "  import ff|sf FILE [--no-2001] [--no-header] [--no-report] [--no-corrected]\n"
    "                    [--export-lines] [--report-clean]\n"
    "  export ff|sf OUTFILE [--export-lines]\n"
    "  compare [--manual LINE] [--mode FIELD=0|1|2]... [--search FIELD=0|1|2]...\n"
    "          [--compare-erroneous ff|sf]...\n"
    "  review LINE1 LINE2 --first yes|no --second yes|no [--remark TEXT] [--reference TEXT]\n"
    "  check PRIMARY SECONDARY [import flags] [compare options]\n"
    "  results [--format csv|json|html] [--output FILE]\n"
    "          [--filter all|critical|noncritical|differences|undecided|decided] [--limit N]\n"
    "The data directory defaults to $HOME/vienna.\n";

int Usage(const std::string& problem) {
  if (!problem.empty()) std::fprintf(stderr, "twinscan-cli: %s\n", problem.c_str());
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::filesystem::path dataDir = twinscan::store::DefaultDataDirectory();
  if (!args.empty() && args[0] == "--data-dir") {
    if (args.size() < 2) return Usage("--data-dir needs a directory");
    dataDir = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty()) return Usage("no command");
  if (args[0] == "--help" || args[0] == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  for (const Command& command : kCommands) {
    if (args[0] != command.name) continue;
    Cli cli(dataDir, argv[0], std::vector<std::string>(args.begin() + 1, args.end()));
    try {
      return command.run(cli);
    } catch (const UsageError& e) {
      return Usage(e.what());
    } catch (const Failure&) {
      return 1;
    } catch (const std::exception& e) {  // a database or compare-log failure
      cli.ui.ShowMessage(e.what());
      return 1;
    }
  }
  return Usage("unknown command " + args[0]);
}
