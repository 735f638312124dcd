#pragma once
// The program's start-up as an ordered list of named stages. Each stage calls
// the module that owns that part of the start-up and answers whether the
// program goes on; stages run in the order they were added, and the first
// one that stops ends the start-up and names the program's exit code.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace aw::app {

class StageResult
{
public:
  static StageResult Continue() { return StageResult(std::nullopt); }
  // Ends the program with this exit code: 0 when the user chose to end it
  // (declined a question), non-zero when something failed.
  static StageResult Stop(int nExitCode) { return StageResult(nExitCode); }

  bool Continues() const { return !v_exitCode; }
  int ExitCode() const { return v_exitCode.value_or(0); }

private:
  explicit StageResult(std::optional<int> exitCode) : v_exitCode(exitCode) {}
  std::optional<int> v_exitCode;
};

struct StartupStage
{
  int nStep;
  std::string szName;
  std::string szOwner; // the module that does the work of this stage
  std::function<StageResult()> run;
};

class StartupSequence
{
public:
  // What a stage whose module is not built yet does: nothing, and go on.
  static StageResult Pending() { return StageResult::Continue(); }

  // Steps must be added in increasing order (std::logic_error otherwise), so
  // that filling in a stage can never reorder the start-up.
  void Add(int nStep, std::string szName, std::string szOwner, std::function<StageResult()> run);
  const std::vector<StartupStage>& Stages() const { return v_stages; }

  using FailureReport = std::function<void(const StartupStage& stage, const std::string& szWhat)>;
  // Runs the stages in order until one stops, and answers its exit code
  // (nothing when every stage continued). A stage that throws is reported and
  // stops the start-up with exit code 1.
  std::optional<int> Run(const FailureReport& onFailure = {}) const;

private:
  std::vector<StartupStage> v_stages;
};

} // namespace aw::app
