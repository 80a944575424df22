#include <gtest/gtest.h>

#include <QProcess>
#include <string>

namespace moriva {
namespace {

// Every command line here is refused, or answered, at once and without a window: one that
// is not would open the game, which the test stops after ten seconds.
TEST(CommandLine, IsAnsweredWithoutAWindow) {
  struct Case {
    const char* name;
    QStringList arguments;
    int status;
    const char* says;
  } const cases[] = {
      {"version", {"--version"}, 0, "moriva "},
      {"unknown option", {"--bogus"}, 2, "unknown option --bogus"},
      {"record without its file", {"--record"}, 2, "--record needs a file"},
      {"record and replay", {"--record", "a", "--replay", "b"}, 2, "one at a time"},
      {"record in the editor", {"--editor", "--record", "a"}, 2, "one at a time"},
      {"trace alone", {"--trace", "t"}, 2, "--trace goes with"},
      {"replay of a missing script", {"--replay", "/nonexistent/moriva.script"}, 2, "cannot read the script"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(MORIVA_PROGRAM), c.arguments);
    ASSERT_TRUE(program.waitForStarted());
    const bool finished = program.waitForFinished(10000);
    if (!finished) program.kill(), program.waitForFinished();
    const std::string output = program.readAll().toStdString();
    ASSERT_TRUE(finished) << "still running: " << output;
    EXPECT_EQ((std::pair{program.exitStatus(), program.exitCode()}), (std::pair{QProcess::NormalExit, c.status})) << output;
    EXPECT_NE(output.find(c.says), std::string::npos) << output;
  }
}

}  // namespace
}  // namespace moriva
