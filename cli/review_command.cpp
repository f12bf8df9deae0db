// twinscan-cli review LINE1 LINE2 --first yes|no --second yes|no [--remark TEXT] [--reference TEXT]
#include <cstdio>

#include "app/review_command.h"
#include "cli/cli.h"
#include "record/latin1.h"

namespace twinscan::cli {
namespace {

bool YesNo(Cli& cli, const std::string& option) {
  std::optional<std::string> value = cli.TakeOption(option);
  if (!value) throw UsageError("missing " + option + " yes|no");
  if (*value != "yes" && *value != "no") throw UsageError(option + " takes yes or no, not " + *value);
  return *value == "yes";
}

bool IsUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

// Arguments typed in a Latin-1 terminal arrive as Latin-1 bytes.
std::string AsUtf8(const std::string& text) { return IsUtf8(text) ? text : Latin1ToUtf8(text); }

}  // namespace

int RunReview(Cli& cli) {
  std::string first = cli.Next("LINE1"), second = cli.Next("LINE2");
  int64_t line1 = 0, line2 = 0;
  if (!ParseLineNumber(first, &line1) || !ParseLineNumber(second, &line2))
    throw UsageError("review takes two line numbers, not " + first + " " + second);
  bool acceptFirst = YesNo(cli, "--first");
  bool acceptSecond = YesNo(cli, "--second");
  std::string remark = AsUtf8(cli.TakeOption("--remark").value_or(""));
  std::string reference = AsUtf8(cli.TakeOption("--reference").value_or(""));
  cli.ExpectEnd();
  cli.Start();

  if (!ComparedPairExists(cli.db(), line1, line2)) {
    cli.ui.ShowMessage("no compared pair of lines " + first + " and " + second + " in TABLERESULT");
    return 1;
  }
  StoreReview(cli.db(), cli.views(), line1, line2, acceptFirst, acceptSecond, remark, reference);
  std::printf("review stored for lines %lld and %lld\n", static_cast<long long>(line1), static_cast<long long>(line2));
  return 0;
}

}  // namespace twinscan::cli
