#include <gtest/gtest.h>

#include <QProcess>
#include <string>

namespace moriva {
namespace {

// A command line that is refused must be refused at once: one that is not would open the
// game, which the test stops after this long.
constexpr int kAnswerWithinMs = 10000;

struct LineCase {
  const char* name;
  QStringList arguments;
  int status;
  const char* says;
};

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, IsAnsweredWithoutAWindow) {
  QProcess program;
  program.setProcessChannelMode(QProcess::MergedChannels);
  program.start(QStringLiteral(MORIVA_PROGRAM), GetParam().arguments);
  ASSERT_TRUE(program.waitForStarted());
  const bool finished = program.waitForFinished(kAnswerWithinMs);
  if (!finished) program.kill(), program.waitForFinished();
  const std::string output = program.readAll().toStdString();
  ASSERT_TRUE(finished) << "still running: " << output;
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << output;
  EXPECT_EQ(program.exitCode(), GetParam().status) << output;
  EXPECT_NE(output.find(GetParam().says), std::string::npos) << output;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    ::testing::Values(LineCase{"Version", {"--version"}, 0, "moriva "},
                      LineCase{"UnknownOption", {"--bogus"}, 2, "unknown option --bogus"},
                      LineCase{"RecordWithoutItsFile", {"--record"}, 2, "--record needs a file"},
                      LineCase{"RecordAndReplay", {"--record", "a", "--replay", "b"}, 2, "one at a time"},
                      LineCase{"RecordInTheEditor", {"--editor", "--record", "a"}, 2, "one at a time"},
                      LineCase{"TraceAlone", {"--trace", "t"}, 2, "--trace goes with"},
                      LineCase{"ReplayOfAMissingScript", {"--replay", "/nonexistent/moriva.script"}, 2,
                               "cannot read the script"}),
    [](const ::testing::TestParamInfo<LineCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
