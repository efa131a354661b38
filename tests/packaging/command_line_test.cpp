// The options the Linux program answers before it opens a display.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/fltk/command_line.h"

namespace {

fltkhost::CommandLineAnswer run(std::vector<std::string_view> arguments) {
  return fltkhost::answerCommandLine(arguments);
}

TEST(CommandLine, NoArgumentsStartTheGameAndPrintNothing) {
  const fltkhost::CommandLineAnswer outcome = run({});
  EXPECT_FALSE(outcome.status.has_value());
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "");
}

TEST(CommandLine, VersionPrintsTheProjectVersionInBothSpellings) {
  for (std::string_view option : {"--version", "-V"}) {
    const fltkhost::CommandLineAnswer outcome = run({option});
    EXPECT_EQ(outcome.status, 0) << option;
    EXPECT_EQ(outcome.out, "quintoz " QUINTOZ_EXPECTED_VERSION "\n") << option;
    EXPECT_EQ(outcome.err, "") << option;
  }
}

TEST(CommandLine, HelpShowsTheUsageAndTheFltkAcknowledgement) {
  for (std::string_view option : {"--help", "-h"}) {
    const fltkhost::CommandLineAnswer outcome = run({option});
    EXPECT_EQ(outcome.status, 0) << option;
    EXPECT_EQ(outcome.out.rfind("Usage: quintoz [--help | --version]\n", 0), 0u) << outcome.out;
    EXPECT_NE(outcome.out.find("--version"), std::string::npos);
    EXPECT_NE(outcome.out.find("based in part on the work of the FLTK project"), std::string::npos);
    EXPECT_EQ(outcome.err, "");
  }
  // Help wins over the version, whichever comes first.
  EXPECT_EQ(run({"--version", "--help"}).out, run({"--help"}).out);
}

TEST(CommandLine, AnythingElseIsAUsageErrorOnStandardError) {
  for (std::vector<std::string_view> arguments : {std::vector<std::string_view>{"--verbose"},
                                                  {"game.txt"},
                                                  {"-"},
                                                  {""},
                                                  {"--version", "-x"},
                                                  {"--VERSION"}}) {
    const fltkhost::CommandLineAnswer outcome = run(arguments);
    EXPECT_EQ(outcome.status, 2) << arguments.back();
    EXPECT_EQ(outcome.out, "") << arguments.back();
    const std::string expected =
        "quintoz: unknown option '" + std::string(arguments.back()) + "'\n";
    EXPECT_EQ(outcome.err.rfind(expected, 0), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find("Usage: quintoz"), std::string::npos);
  }
}

}  // namespace
