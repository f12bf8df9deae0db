#include "tests/support/test_support.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "record/layout.h"
#include "store/review_schema.h"
#include "store/tables.h"

namespace twinscan::testing {
namespace fs = std::filesystem;

TempDir::TempDir() {
  std::random_device random;
  path_ = fs::temp_directory_path() / ("twinscan-test-" + std::to_string(random()) + std::to_string(random()));
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

namespace {

const RecordField& Field(std::string_view code) {
  for (const RecordField& f : kRecordFields)
    if (f.code == code) return f;
  throw std::invalid_argument("no field " + std::string(code));
}

}  // namespace
std::string BaseRecord() {
  return WithFields(std::string(kRecordLength, ' '),
                    "1A=00146.50000|1A unit=M|1Z=1|6A=FX|6B=CV|6Z=XX|10Z=0|2C=01072001|4A=ANTWERPEN|4B=BEL|"
                    "4C=004E300051N3000|4D=00010|4Z=0010|7A=16K0F3EJN|8B1=0010.0|8B2=E|9A=090.0|9B=000.0|9D=H |9G=10.0|"
                    "9Y=0010|9XH=090EA03|9XV=000EA00|1Y=00146.50000|1Y unit=M|13Z=TEST STATION|13Y=C|2W=01012001|"
                    "2Z=02012001|13X=BEL500001230111");
}

std::string WithFields(std::string record, std::string_view fields) {
  while (!fields.empty()) {
    std::string_view item = fields.substr(0, fields.find('|'));
    size_t equals = item.find('=');
    record = WithField(record, item.substr(0, equals), item.substr(equals + 1));
    fields.remove_prefix(std::min(fields.size(), item.size() + 1));
  }
  return record;
}

std::string WithField(std::string record, std::string_view code, std::string_view text) {
  const RecordField& f = Field(code);
  std::string padded(text.substr(0, static_cast<size_t>(f.width())));
  padded.resize(static_cast<size_t>(f.width()), ' ');
  record.replace(static_cast<size_t>(f.first - 1), padded.size(), padded);
  return record;
}

std::string FieldOf(const std::string& record, std::string_view code) {
  return std::string(FieldText(record, Field(code)));
}

std::unique_ptr<store::Database> CreateTestDatabase(const fs::path& dir) {
  std::ifstream in(TWINSCAN_SCHEMA_FILE);
  std::stringstream schema;
  schema << in.rdbuf();
  store::Database::Create(dir / "twinscan.db", store::TableDefinitions() + schema.str());
  auto db = store::Database::Open(dir / "twinscan.db");
  store::EnsureReviewSchema(*db);
  return db;
}

fs::path PristineDatabase() { return TWINSCAN_PRISTINE_DB; }

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}

namespace {

// The child side: tells the parent through `pipe` when the status text is
// `status`, then waits to be killed.
class StopAtStatus : public SilentUserInterface {
 public:
  StopAtStatus(std::string status, int pipe) : status_(std::move(status)), pipe_(pipe) {}
  void SetStatusText(std::string_view text) override {
    if (text != status_) return;
    char reached = 'k';
    if (::write(pipe_, &reached, 1) != 1) _exit(3);
    for (;;) ::pause();
  }

 private:
  std::string status_;
  int pipe_;
};

}  // namespace

bool KilledAtStatus(const std::string& status, const std::function<void(UserInterface&)>& work) {
  int pipes[2];
  if (::pipe(pipes) != 0) return false;
  pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::close(pipes[0]);
    StopAtStatus ui(status, pipes[1]);
    work(ui);
    _exit(0);  // the kill point was never reached
  }
  ::close(pipes[1]);
  char reached = 0;
  ssize_t n = ::read(pipes[0], &reached, 1);
  ::close(pipes[0]);
  ::kill(child, SIGKILL);
  int result = 0;
  ::waitpid(child, &result, 0);
  return n == 1 && WIFSIGNALED(result);
}

}  // namespace twinscan::testing
