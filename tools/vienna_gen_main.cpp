// vienna-gen: writes generated Vienna files.
//   vienna-gen PRIMARY [SECONDARY] [--records N] [--seed S] [--faults SHARE] [--2001 [--lines]] [--header]
//              [--unit-faults]
// With SECONDARY, a secondary file derived from the primary one is written too.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "record/output_file.h"
#include "tools/vienna_generator.h"

namespace {

bool Write(const std::string& path, const std::string& bytes) {
  twinscan::AtomicOutputFile out(path);
  if (out.Open() && out.Write(bytes) && out.Commit()) return true;
  std::fprintf(stderr, "vienna-gen: cannot write %s: %s\n", path.c_str(), std::strerror(errno ? errno : EIO));
  return false;
}

constexpr const char* kUsage =
    "usage: vienna-gen PRIMARY [SECONDARY] [--records N] [--seed S] [--faults SHARE] [--2001 [--lines]]"
    " [--header] [--unit-faults]\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

int Help() {
  std::fputs(kUsage, stdout);
  std::fputs(
      "Writes PRIMARY, a file of N generated Vienna records (default 100), and with\n"
      "SECONDARY a secondary file derived from it: records kept, changed, moved,\n"
      "dropped, doubled and added.\n"
      "  --seed S        the random seed; the same seed writes the same bytes\n"
      "  --faults SHARE  the share of records with faulty fields (0 to 1)\n"
      "  --2001          records follow one another without line ends;\n"
      "                  --lines puts CR LF after each one all the same\n"
      "  --header        start with a header\n"
      "  --unit-faults   frequencies in k/G units too\n",
      stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace twinscan::gen;
  RecordOptions records;
  FileOptions file;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (a == "--help" || a == "-h") return Help();
    if (a == "--records") {
      const char* v = value();
      if (!v) return Usage();
      records.records = std::atoi(v);
    } else if (a == "--seed") {
      const char* v = value();
      if (!v) return Usage();
      records.seed = std::strtoull(v, nullptr, 10);
    } else if (a == "--faults") {
      const char* v = value();
      if (!v) return Usage();
      records.faultShare = std::atof(v);
    } else if (a == "--2001") {
      file.layout2001 = true;
    } else if (a == "--lines") {
      file.lineEnds2001 = true;
    } else if (a == "--header") {
      file.header = true;
    } else if (a == "--unit-faults") {
      records.unitFaults = true;
    } else if (a.rfind("--", 0) == 0) {
      return Usage();
    } else {
      paths.push_back(a);
    }
  }
  if (paths.empty() || paths.size() > 2 || records.records < 0) return Usage();
  std::vector<std::string> primary = GenerateRecords(records);
  if (!Write(paths[0], RenderFile(primary, file))) return 1;
  if (paths.size() == 2) {
    DeriveOptions derive;
    derive.seed = records.seed + 1;
    if (!Write(paths[1], RenderFile(DeriveSecondary(primary, derive), file))) return 1;
  }
  return 0;
}
