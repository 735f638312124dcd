#pragma once
// The program's build record: version, suffix, configuration and build kind.

#include "foundation/ProgramVersion.h"

#include <string>

namespace aw {

class CTVersionUtils
{
public:
  // The version as one number, 7.2.0 as 720 (each part below ten).
  static constexpr int kVersionNumber = kProgramVersionMajor * 100 + kProgramVersionMinor * 10 + kProgramVersionPatch;
  static_assert(kProgramVersionMinor < 10 && kProgramVersionPatch < 10);
  static constexpr int kServerID = 0;
  // 1: a downloaded build; 2: a build handed out for translation approval.
  static constexpr int kBuildKind = 1;

  // A version number n written as "n div 100 . (n div 10) mod 10 . n mod 10".
  static std::string VersionString(int nVersion);
  // The program's version without suffix: "7.2.0".
  static std::string GetVersionString() { return VersionString(kVersionNumber); }
  // The version followed by szPreSuffix and the suffix, when the build has a suffix.
  static std::string GetVersionStringEx(const std::string& szPreSuffix);
  static std::string VersionSuffix() { return {}; }
  static std::string ConfigurationName() { return {}; }
  static int HaldenServerID() { return kServerID; }
  static bool IsHaldenDownload() { return kBuildKind == 1; }
  static bool IsApprovalVersion() { return kBuildKind == 2; }
};

} // namespace aw
