#include "support/CliRunner.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <sys/wait.h>

namespace aw::test {

std::string Quoted(const std::filesystem::path& path)
{
  std::string quoted = "'";
  for (char c : path.string())
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

CliRun RunCli(const std::filesystem::path& folder, const std::string& args, const std::string& input)
{
  const char* cli = std::getenv("AW_CLI");
  const std::filesystem::path program = cli ? cli : "airwright-cli";
  WriteFileBytes(folder / "cli-in", input);
  const std::string command = Quoted(program) + " " + args + " <" + Quoted(folder / "cli-in") + " >" +
                              Quoted(folder / "cli-out") + " 2>" + Quoted(folder / "cli-err");
  const int status = std::system(command.c_str());
  CliRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFileBytes(folder / "cli-out");
  run.err = ReadFileBytes(folder / "cli-err");
  return run;
}

} // namespace aw::test
