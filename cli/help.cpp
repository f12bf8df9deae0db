#include "cli/help.h"

#include "twinscan_version.h"

namespace twinscan::cli {
namespace {

constexpr const char* kUsage =
    "usage: twinscan-cli [--data-dir DIR] COMMAND ...\n"
    "  import ff|sf FILE [--no-2001] [--no-header] [--no-report] [--no-corrected]\n"
    "                    [--export-lines] [--report-clean] [--force]\n"
    "  export ff|sf OUTFILE [--export-lines]\n"
    "  compare [--manual LINE] [--mode FIELD=0|1|2]... [--search FIELD=0|1|2]...\n"
    "          [--compare-erroneous ff|sf]... [--forget-decisions]\n"
    "  review LINE1 LINE2 --first yes|no --second yes|no [--remark TEXT] [--reference TEXT]\n"
    "  check PRIMARY SECONDARY [import flags] [--force] [compare options]\n"
    "  results [--format csv|json|html] [--output FILE] [--filter FILTER] [--limit N]\n"
    "The data directory defaults to $HOME/vienna.\n"
    "twinscan-cli COMMAND --help describes a command; --version names the version.\n";

constexpr const char* kImportHelp =
    "usage: twinscan-cli [--data-dir DIR] import ff|sf FILE [flags]\n"
    "Imports FILE into the primary table (ff) or the secondary table (sf); the\n"
    "table and the comparison results are emptied first. Every record is checked\n"
    "and corrected; the validation report FILE_rep and the corrected file\n"
    "FILE_annex2bis.txt are written beside FILE.\n"
    "  --no-2001       the file is in the old layout (no 2001 header record)\n"
    "  --no-header     the file has no header record\n"
    "  --no-report     write no validation report\n"
    "  --no-corrected  write no corrected file\n"
    "  --export-lines  write the corrected file one record per line\n"
    "  --report-clean  list records without remarks in the report too\n"
    "  --force         import as the flags say even when the file looks otherwise\n"
    "Before anything is touched the start of the file is judged: a file that the\n"
    "flags would read shifted, or that does not look like Vienna records, is\n"
    "refused with what was detected and the flags that fit.\n"
    "Prints the number of records and of erroneous records. Exit 1 when the file\n"
    "cannot be read, is refused, or the report or the corrected file cannot be\n"
    "written.\n";

constexpr const char* kExportHelp =
    "usage: twinscan-cli [--data-dir DIR] export ff|sf OUTFILE [--export-lines]\n"
    "Writes the corrected records of the primary (ff) or secondary (sf) table to\n"
    "OUTFILE in the 2001 layout, without a header, or one record per line with\n"
    "--export-lines. Exit 1 when OUTFILE cannot be written.\n";

constexpr const char* kCompareHelp =
    "usage: twinscan-cli [--data-dir DIR] compare [--manual LINE] [--mode FIELD=0|1|2]...\n"
    "                    [--search FIELD=0|1|2]... [--compare-erroneous ff|sf]... [--forget-decisions]\n"
    "Compares every primary record with its candidates in the secondary table\n"
    "and writes the differences to the result table; with --manual LINE only the\n"
    "primary record whose linenumber is LINE. FIELD is an item code (1A, 8B1 ...).\n"
    "  --mode FIELD=V             compare mode: 0 not checked, 1 non-critical, 2 critical\n"
    "  --search FIELD=V           search field 1A 6A 4A 13Y 4C: 0 not used, 1 exact,\n"
    "                             2 tolerant (4A takes 0 or 1)\n"
    "  --compare-erroneous ff|sf  compare that file's erroneous records too\n"
    "  --forget-decisions         give no earlier decision back to the new pairs\n"
    "Reviewers' decisions on pairs whose two records are unchanged are restored\n"
    "from the journal. Prints the number of compared pairs, of pairs with critical\n"
    "and non-critical differences, of primary records without candidates and of\n"
    "decisions restored. Exit 1 when a table is\n"
    "empty: import both files first.\n";

constexpr const char* kReviewHelp =
    "usage: twinscan-cli [--data-dir DIR] review LINE1 LINE2 --first yes|no --second yes|no\n"
    "                    [--remark TEXT] [--reference TEXT]\n"
    "Stores a reviewer's decision on the compared pair of primary line LINE1 and\n"
    "secondary line LINE2: whether each record is accepted, with a remark and a\n"
    "reference (each kept to its first 50 characters). Exit 1 when the pair is not\n"
    "in the result table.\n";

constexpr const char* kCheckHelp =
    "usage: twinscan-cli [--data-dir DIR] check PRIMARY SECONDARY [import flags] [compare options]\n"
    "Imports PRIMARY as ff and SECONDARY as sf (the import flags apply to both),\n"
    "runs the full compare with the compare options and prints a summary of both\n"
    "imports and of the compare. See `import --help` and `compare --help`.\n";

constexpr const char* kResultsHelp =
    "usage: twinscan-cli [--data-dir DIR] results [--format csv|json|html] [--output FILE]\n"
    "                    [--filter FILTER] [--limit N]\n"
    "Writes the compared pairs with the reviewers' decisions: CSV (the default, on\n"
    "standard output), JSON, or a self-contained HTML report. The compare log is\n"
    "left as it is.\n"
    "  --output FILE  write FILE, whole or not at all (never the working database,\n"
    "                 its companion files, the lock file or the compare log)\n"
    "  --filter F     all, critical, noncritical, differences, without-differences,\n"
    "                 undecided or decided\n"
    "  --limit N      rows of the HTML report's tables (default 5000); CSV and JSON\n"
    "                 hold every pair\n"
    "Exit 1 when the output cannot be written.\n";

}  // namespace

const char* UsageText() { return kUsage; }

const char* CommandHelp(std::string_view command) {
  if (command == "import") return kImportHelp;
  if (command == "export") return kExportHelp;
  if (command == "compare") return kCompareHelp;
  if (command == "review") return kReviewHelp;
  if (command == "check") return kCheckHelp;
  if (command == "results") return kResultsHelp;
  return nullptr;
}

std::string VersionText() { return std::string("twinscan-cli ") + kVersion; }

bool IsHelpOption(std::string_view argument) { return argument == "--help" || argument == "-h"; }

}  // namespace twinscan::cli
