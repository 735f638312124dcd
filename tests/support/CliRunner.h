#pragma once
// Runs the built airwright-cli (its path is in AW_CLI, set by the test
// programs' main) through the shell, with standard input from a text and
// standard output and error captured in files of a folder.

#include <filesystem>
#include <string>

namespace aw::test {

struct CliRun
{
  int exitCode = -1;
  std::string out, err;
};

// args are passed to the shell as they stand: quote paths with Quoted.
CliRun RunCli(const std::filesystem::path& folder, const std::string& args, const std::string& input = "");
std::string Quoted(const std::filesystem::path& path);

} // namespace aw::test
