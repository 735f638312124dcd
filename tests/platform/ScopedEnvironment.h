#pragma once
// Sets or clears an environment variable for one test and restores it afterwards.

#include <cstdlib>
#include <optional>
#include <string>

namespace aw::test {

class ScopedEnvironment
{
public:
  ScopedEnvironment(const char* szName, const char* szValue) : v_name(szName)
  {
    if (const char* old = std::getenv(szName))
      v_old = old;
    if (szValue)
      setenv(szName, szValue, 1);
    else
      unsetenv(szName);
  }
  ~ScopedEnvironment()
  {
    if (v_old)
      setenv(v_name, v_old->c_str(), 1);
    else
      unsetenv(v_name);
  }

private:
  const char* v_name;
  std::optional<std::string> v_old;
};

} // namespace aw::test
