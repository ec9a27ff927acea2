#pragma once

#include <string>

namespace vesktest {

// The message of the TError that Action raises, or "no error"; other exceptions pass through and
// fail the test.
template <class TError, class TAction>
std::string ErrorOf(TAction&& Action) {
  try {
    Action();
  } catch (const TError& Error) {
    if constexpr (requires { Error.Message(); })
      return Error.Message();
    else
      return Error.what();
  }
  return "no error";
}

}  // namespace vesktest
