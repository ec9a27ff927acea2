#pragma once

#include <algorithm>
#include <vector>

#include "core/EStatus.h"
#include "core/SignalHandlers.h"

namespace notesrt {

// How list operands combine. Pairwise: element i with element i, the shorter list's last
// element standing in past its end. Permuted: every element of the left list with every element
// of the right, the left one in the outer loop.

inline size_t CombinedSize(size_t Left, size_t Right, bool Permuted) {
  return Permuted ? Left * Right : std::max(Left, Right);
}

// Long lists take a while: give the break handler a say now and then.
inline void PollBreak(size_t Done) {
  constexpr size_t Interval = 1024;
  if (Done % Interval != Interval - 1) return;
  if (STATUS status = CheckBreak()) throw EStatus(status);
}

// Calls Visit(left, right) for each combination, in order, until it returns true; returns
// whether one did.
template <class TLeft, class TRight, class TVisit>
bool AnyCombination(const std::vector<TLeft>& Left, const std::vector<TRight>& Right, bool Permuted,
                    TVisit Visit) {
  size_t count = CombinedSize(Left.size(), Right.size(), Permuted);
  for (size_t i = 0; i < count; ++i) {
    size_t left = Permuted ? i / Right.size() : std::min(i, Left.size() - 1);
    size_t right = Permuted ? i % Right.size() : std::min(i, Right.size() - 1);
    if (Visit(Left[left], Right[right])) return true;
    PollBreak(i);
  }
  return false;
}

// The list of Combine(left, right) over every combination.
template <class TResult, class TLeft, class TRight, class TCombine>
std::vector<TResult> CombineLists(const std::vector<TLeft>& Left, const std::vector<TRight>& Right,
                                  bool Permuted, TCombine Combine) {
  std::vector<TResult> results;
  results.reserve(CombinedSize(Left.size(), Right.size(), Permuted));
  AnyCombination(Left, Right, Permuted, [&](const TLeft& left, const TRight& right) {
    results.push_back(Combine(left, right));
    return false;
  });
  return results;
}

}  // namespace notesrt
