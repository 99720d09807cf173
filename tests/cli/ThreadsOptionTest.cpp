// --threads N: every command that takes it writes the same bytes on any number of
// threads, and a bad count is a usage error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "cli/Commands.h"

namespace lw::cli {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int code;
  std::string out;
  std::string file;  // the written file's bytes
};

struct ThreadsCase {
  const char* name;
  CommandFunction run;
  std::vector<std::string> args;  // {out} stands for the output file
  const char* output;             // the output file's name, or "" for none
};

class ThreadsOptionTest : public ::testing::TestWithParam<ThreadsCase> {
 protected:
  ThreadsOptionTest()
      : dir(fs::temp_directory_path() /
            ("lw-threads-" + std::string(GetParam().name) + "-" +
             std::to_string(::testing::UnitTest::GetInstance()->random_seed()))) {
    fs::create_directories(dir);
  }
  ~ThreadsOptionTest() override { fs::remove_all(dir); }

  Outcome Run(const std::vector<std::string>& extra) {
    const ThreadsCase& c = GetParam();
    const std::string output = (dir / c.output).string();
    std::vector<std::string> args;
    for (const std::string& a : c.args) args.push_back(a == "{out}" ? output : a);
    args.insert(args.end(), extra.begin(), extra.end());
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in;
    std::ostringstream out, err;
    Outcome o{c.run(views, in, out, err), out.str(), {}};
    if (*c.output != '\0') {
      std::ifstream file(output, std::ios::binary);
      o.file.assign(std::istreambuf_iterator<char>(file), {});
    }
    return o;
  }

  fs::path dir;
};

TEST_P(ThreadsOptionTest, SameOutputOnAnyNumberOfThreads) {
  const Outcome one = Run({"--threads", "1"});
  ASSERT_EQ(one.code, ExitOk);
  for (const char* threads : {"2", "7"}) {
    const Outcome many = Run({"--threads", threads});
    EXPECT_EQ(many.code, ExitOk);
    EXPECT_EQ(many.out, one.out) << threads;
    EXPECT_EQ(many.file, one.file) << threads;
  }
}

TEST_P(ThreadsOptionTest, BadThreadCountIsAUsageError) {
  for (const char* bad : {"0", "-2", "many", "5000"}) {
    EXPECT_EQ(Run({"--threads", bad}).code, ExitUsage) << bad;
  }
}

const std::string kExamples = LW_EXAMPLES_DIR;

const ThreadsCase kThreadsCases[] = {
    {"Render2DRelations", RunRender2D, {kExamples + "/relations.lwf", "-o", "{out}"}, "r.bmp"},
    {"Render2DColourMaps", RunRender2D, {kExamples + "/gamma.lwf", "-o", "{out}"}, "g.bmp"},
    {"Build3D", RunBuild3D, {kExamples + "/surfaces.lwf", "-o", "{out}"}, "s.dxf"},
    {"Integral", RunIntegral, {"--step", "0.00001", "SIN(X)*X"}, ""},
};

INSTANTIATE_TEST_SUITE_P(Commands, ThreadsOptionTest, ::testing::ValuesIn(kThreadsCases),
                         lw::test::CaseName());

}  // namespace
}  // namespace lw::cli
