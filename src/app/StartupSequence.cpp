#include "app/StartupSequence.h"

#include <exception>
#include <stdexcept>

namespace aw::app {

void StartupSequence::Add(int nStep, std::string szName, std::string szOwner, std::function<StageResult()> run)
{
  if (!v_stages.empty() && nStep <= v_stages.back().nStep)
    throw std::logic_error("start-up stage " + std::to_string(nStep) + " (" + szName + ") is added after stage " +
                           std::to_string(v_stages.back().nStep));
  v_stages.push_back({nStep, std::move(szName), std::move(szOwner), std::move(run)});
}

std::optional<int> StartupSequence::Run(const FailureReport& onFailure) const
{
  for (const StartupStage& stage : v_stages) {
    std::string szFailure;
    try {
      StageResult result = stage.run();
      if (!result.Continues())
        return result.ExitCode();
      continue;
    } catch (const std::exception& e) {
      szFailure = e.what();
    } catch (...) {
      szFailure = "unknown error";
    }
    if (onFailure)
      onFailure(stage, szFailure);
    return 1;
  }
  return std::nullopt;
}

} // namespace aw::app
