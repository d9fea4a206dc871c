// Environment variables for tests that change them.
#ifndef TQM5_TESTS_SUPPORT_ENVIRONMENT_H_
#define TQM5_TESTS_SUPPORT_ENVIRONMENT_H_

#include <cstdlib>

namespace tqm5::testing {

// Sets `name` to `value` for this process; nullptr removes it. Windows cannot hold an empty
// value: there "" removes it too, which the library reads the same way.
inline void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value == nullptr ? "" : value);
#else
  value == nullptr ? unsetenv(name) : setenv(name, value, 1);
#endif
}

}  // namespace tqm5::testing

#endif  // TQM5_TESTS_SUPPORT_ENVIRONMENT_H_
