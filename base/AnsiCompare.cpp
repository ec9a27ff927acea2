#include "AnsiCompare.h"

#include <unicode/uchar.h>

#include "Unicode.h"

namespace {

int Sign(int64_t Value) {
  return Value < 0 ? -1 : (Value > 0 ? 1 : 0);
}

char32_t Fold(char32_t C) {
  return static_cast<char32_t>(u_foldCase(C, U_FOLD_CASE_DEFAULT));
}

// Lower case sorts before upper case, as in the platform's word sort.
int CaseRank(char32_t C) {
  return u_isupper(C) ? 1 : 0;
}

// Walks both strings code point by point. The result of the case-folded comparison wins; the
// first difference in case breaks a tie.
struct TCompareResult {
  int Folded = 0;
  int CaseTie = 0;
};

TCompareResult CompareCodePoints(const std::string& S1, const std::string& S2) {
  TCompareResult Result;
  size_t P1 = 0, P2 = 0;
  while (P1 < S1.size() && P2 < S2.size()) {
    char32_t C1 = NextUtf8CodePoint(S1, P1);
    char32_t C2 = NextUtf8CodePoint(S2, P2);
    if (Fold(C1) != Fold(C2)) {
      Result.Folded = Sign(static_cast<int64_t>(Fold(C1)) - Fold(C2));
      return Result;
    }
    if (Result.CaseTie == 0 && C1 != C2) {
      Result.CaseTie = Sign(CaseRank(C1) - CaseRank(C2));
      if (Result.CaseTie == 0) Result.CaseTie = Sign(static_cast<int64_t>(C1) - C2);
    }
  }
  Result.Folded = (P1 < S1.size()) ? 1 : (P2 < S2.size() ? -1 : 0);
  return Result;
}

}  // namespace

int AnsiCompareText(const std::string& S1, const std::string& S2) {
  return CompareCodePoints(S1, S2).Folded;
}

int AnsiCompareStr(const std::string& S1, const std::string& S2) {
  TCompareResult Result = CompareCodePoints(S1, S2);
  if (Result.Folded != 0) return Result.Folded;
  if (Result.CaseTie != 0) return Result.CaseTie;
  // Ill-formed bytes decode alike; the bytes themselves decide.
  return Sign(S1.compare(S2));
}
