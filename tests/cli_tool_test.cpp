// rimforge-tool as a whole: its help, each subcommand's help, and the command lines it does not
// understand, which end with status 2, the problem and the usage on stderr, and no output.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/run_program.h"

namespace {

using testing_support::ProgramRun;

ProgramRun Tool(const std::vector<std::string>& args) {
  return testing_support::RunProgram(RIMFORGE_TOOL, args);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

const std::vector<std::string> kSubcommands{"info", "convert", "render", "patch"};

TEST(CliToolTest, HelpListsTheSubcommandsAndEachExplainsItself) {
  for (const std::string help : {"--help", "-h"}) {
    const ProgramRun run = Tool({help});
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.substr(0, 21), "Usage: rimforge-tool ");
    for (const std::string& subcommand : kSubcommands) {
      EXPECT_TRUE(Contains(run.out, "\n  " + subcommand + " ")) << subcommand << "\n" << run.out;
    }
  }
  for (const std::string& subcommand : kSubcommands) {
    // Help wins over everything else on the line, even arguments that would be wrong.
    const ProgramRun run = Tool({subcommand, "--bogus", "--help"});
    EXPECT_EQ(run.exit_status, 0) << subcommand;
    EXPECT_EQ(run.err, "") << subcommand;
    EXPECT_EQ(run.out.substr(0, 21 + subcommand.size()), "Usage: rimforge-tool " + subcommand)
        << run.out;
    EXPECT_TRUE(Contains(run.out, "Options:\n")) << run.out;
  }
}

TEST(CliToolTest, CommandLinesItDoesNotUnderstandAreUsageErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string problem;
    std::string usage;
  };
  const std::vector<Case> cases{
      {{}, "rimforge-tool: no command given\n", "Usage: rimforge-tool COMMAND"},
      {{"draw", "x"}, "rimforge-tool: unknown command 'draw'\n", "Usage: rimforge-tool COMMAND"},
      {{"info"}, "rimforge-tool info: missing FILE\n", "Usage: rimforge-tool info"},
      {{"info", "a", "b"},
       "rimforge-tool info: unexpected argument 'b'\n",
       "Usage: rimforge-tool info"},
      {{"info", "--json=yes", "a"},
       "rimforge-tool info: option '--json' takes no value\n",
       "Usage: rimforge-tool info"},
      {{"info", "--json", "a", "--json"},
       "rimforge-tool info: option '--json' is given twice\n",
       "Usage: rimforge-tool info"},
      {{"convert", "in.118"},
       "rimforge-tool convert: missing OUT\n",
       "Usage: rimforge-tool convert"},
      {{"convert", "in.118", "out.TLD", "--rom"},
       "rimforge-tool convert: option '--rom' needs a value\n",
       "Usage: rimforge-tool convert"},
      {{"render", "in.118", "-o", "x.png", "--zoom", "2"},
       "rimforge-tool render: unknown option '--zoom'\n",
       "Usage: rimforge-tool render"},
      {{"patch", "-o", "out.exe"},
       "rimforge-tool patch: missing PROGRAM\n",
       "Usage: rimforge-tool patch"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = Tool(c.args);
    EXPECT_EQ(run.exit_status, 2) << c.problem;
    EXPECT_EQ(run.out, "") << c.problem;
    EXPECT_EQ(run.err.substr(0, c.problem.size()), c.problem) << run.err;
    EXPECT_TRUE(Contains(run.err, c.usage)) << run.err;
  }
}

TEST(CliToolTest, AfterADoubleDashEveryArgumentIsAName) {
  const ProgramRun run = Tool({"info", "--", "--help"});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "rimforge-tool info: Could not open \"--help\".\n");
}

}  // namespace
