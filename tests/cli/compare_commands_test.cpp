// twinscan-cli compare, review and check, run as the batch tool they are.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace twinscan {
namespace {

using testing::BaseRecord;
using testing::WithField;

class CompareCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string base = BaseRecord();
    testing::WriteFile(dir_ / "a.txt", base + "\r\n" + WithField(base, "1A", "00150.00000") + "\r\n" +
                                           WithField(base, "4A", "GENT") + "\r\n");
    testing::WriteFile(dir_ / "b.txt", WithField(base, "13Z", "OTHER") + "\r\n" + base + "\r\n" +
                                           WithField(WithField(base, "4A", "GENT"), "1Y", "00146.60000") + "\r\n");
  }

  CliRun Run(const std::string& arguments) { return RunCli("--data-dir " + (dir_ / "data").string() + " " + arguments); }
  CliRun Check() {
    return Run("check " + (dir_ / "a.txt").string() + " " + (dir_ / "b.txt").string() +
               " --no-header --no-report --no-corrected");
  }

  std::vector<std::string> Results(const std::string& columns) {
    auto db = store::Database::Open(dir_ / "data" / "twinscan.db");
    store::Statement s = db->Prepare("SELECT " + columns + " FROM TABLERESULT ORDER BY rowid");
    std::vector<std::string> rows;
    while (s.Step()) {
      std::string row;
      for (int c = 0; c < s.ColumnCount(); ++c)
        row += (c ? "|" : "") + store::DisplayText(s.Column(c, store::ColumnKind::Text), store::ColumnKind::Text);
      rows.push_back(row);
    }
    return rows;
  }

  testing::TempDir dir_;
};

TEST_F(CompareCommands, CheckImportsComparesAndSums) {
  CliRun run = Check();
  ASSERT_EQ(run.code, 0) << run.out;
  EXPECT_NE(run.out.find("3 records, 0 erroneous"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("compared pairs: 3\n"
                         "pairs with critical differences: 1\n"
                         "pairs with non-critical differences: 1\n"
                         "primary records without candidates: 1\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(Results("linenumber, linenumber2, critical, noncritical"),
            (std::vector<std::string>{"1|1||1", "1|2||", "3|3|1|"}));
  std::string log = testing::ReadFile(dir_ / "data" / "comparelog");
  EXPECT_NE(log.find(" 2 CAN NOT BE FOUND IN THE OTHER FILE\r\n"), std::string::npos) << log;
}

TEST_F(CompareCommands, ManualCompareAndReview) {
  ASSERT_EQ(Check().code, 0);
  CliRun manual = Run("compare --manual 3");
  ASSERT_EQ(manual.code, 0) << manual.out;
  EXPECT_EQ(Results("linenumber, linenumber2"), std::vector<std::string>{"3|3"});

  std::string remark = "it's " + std::string(55, 'r');
  CliRun review = Run("review 3 3 --first yes --second no --remark \"" + remark + "\" --reference \"A'B\"");
  ASSERT_EQ(review.code, 0) << review.out;
  EXPECT_EQ(Results("ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB"),
            std::vector<std::string>{"1|0|" + remark.substr(0, 50) + "|A'B"});

  CliRun unknown = Run("review 3 4 --first yes --second yes");
  EXPECT_EQ(unknown.code, 1);
  EXPECT_NE(unknown.out.find("no compared pair"), std::string::npos) << unknown.out;
  EXPECT_EQ(Run("compare --manual 99").code, 1);
}

TEST_F(CompareCommands, SearchFieldsGoThroughTheSettingsSteps) {
  ASSERT_EQ(Check().code, 0);
  // Clearing the other four first leaves 4C alone, which may then not move.
  CliRun refused = Run("compare --search 1A=0 --search 6A=0 --search 4A=0 --search 13Y=0 --search 4C=2");
  EXPECT_EQ(refused.code, 2);
  EXPECT_NE(refused.out.find("At least one Field required"), std::string::npos) << refused.out;

  CliRun accepted = Run("compare --search 4A=0 --search 1a=2 --mode 13Z=0");
  ASSERT_EQ(accepted.code, 0) << accepted.out;
  EXPECT_NE(accepted.out.find("compared pairs: 6\npairs with critical differences: 4\n"
                              "pairs with non-critical differences: 0\n"),
            std::string::npos)
      << accepted.out;
}

}  // namespace
}  // namespace twinscan
