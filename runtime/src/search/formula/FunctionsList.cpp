// Lists: @Elements, @Count, @Subset, @IsMember, @IsNotMember, @Member, @Sort, @Trim, @Unique.
#include <algorithm>
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"
#include "search/formula/TimeMath.h"

namespace notesrt {

namespace {

constexpr std::array<std::u16string_view, 2> SortKeywords{u"ASCENDING", u"DESCENDING"};

// Calls Fn with the element vectors of both values, which must be of one kind.
template <class TFn>
TValue WithLists(const TValue& A, const TValue& B, TFn Fn) {
  if (A.Kind() != B.Kind()) return WrongType();
  switch (A.Kind()) {
    case TValueKind::Text:
      return Fn(A.AsTexts(), B.AsTexts());
    case TValueKind::Number:
      return Fn(A.AsNumbers(), B.AsNumbers());
    default:
      return Fn(A.AsTimes(), B.AsTimes());
  }
}

template <class TList>
TValue ValueOf(TList List) {
  if constexpr (std::is_same_v<TList, TValue::TTexts>)
    return TValue::Texts(std::move(List));
  else if constexpr (std::is_same_v<TList, TValue::TNumbers>)
    return TValue::Numbers(std::move(List));
  else
    return TValue::Times(std::move(List));
}

template <class TList>
bool Has(const TList& List, const typename TList::value_type& Element) {
  return std::find(List.begin(), List.end(), Element) != List.end();
}

TValue Elements(TCall& Call) {
  const TValue& value = Call.Arg(0);
  return TValue::Number(value.IsNull() && value.Size() == 1 ? 0
                                                            : static_cast<double>(value.Size()));
}

// Unlike @Elements, an empty text is one element.
TValue Count(TCall& Call) {
  return TValue::Number(static_cast<double>(Call.Arg(0).Size()));
}

TValue Subset(TCall& Call) {
  std::optional<long long> count = WholeNumber(Call.Arg(1));
  if (!count) return WrongType();
  if (*count == 0) return InvalidArgument();
  return WithLists(Call.Arg(0), Call.Arg(0), [&](const auto& list, const auto&) {
    auto size = static_cast<long long>(list.size());
    long long take = std::min(std::llabs(*count), size);
    auto first = list.begin() + (*count > 0 ? 0 : size - take);
    return ValueOf(std::decay_t<decltype(list)>(first, first + take));
  });
}

TValue IsMember(TCall& Call) {
  return WithLists(Call.Arg(0), Call.Arg(1), [](const auto& values, const auto& list) {
    return TValue::Boolean(std::all_of(values.begin(), values.end(),
                                       [&](const auto& value) { return Has(list, value); }));
  });
}

TValue IsNotMember(TCall& Call) {
  return WithLists(Call.Arg(0), Call.Arg(1), [](const auto& values, const auto& list) {
    return TValue::Boolean(std::none_of(values.begin(), values.end(),
                                        [&](const auto& value) { return Has(list, value); }));
  });
}

// 1-based position of the value in the list; 0 when it is not there.
TValue Member(TCall& Call) {
  return WithLists(Call.Arg(0), Call.Arg(1), [](const auto& values, const auto& list) {
    auto at = std::find(list.begin(), list.end(), values.front());
    return TValue::Number(at == list.end() ? 0 : static_cast<double>(at - list.begin() + 1));
  });
}

TValue Sort(TCall& Call) {
  bool descending = Call.Count() > 1 && Call.Arg(1).AsTexts()[0] == u"DESCENDING";
  const TValue& value = Call.Arg(0);
  auto ordered = [&](auto list, auto less) {
    std::stable_sort(list.begin(), list.end(), [&](const auto& a, const auto& b) {
      return descending ? less(b, a) : less(a, b);
    });
    return ValueOf(std::move(list));
  };
  switch (value.Kind()) {
    case TValueKind::Text: {
      TCollation& collation = Call.Evaluation().Collation();
      return ordered(value.AsTexts(), [&](const std::u16string& a, const std::u16string& b) {
        return collation.Compare(a, b) < 0;
      });
    }
    case TValueKind::Number:
      return ordered(value.AsNumbers(), [](double a, double b) { return a < b; });
    default:
      return ordered(value.AsTimes(), [](const TTimeEntry& a, const TTimeEntry& b) {
        return CompareTimes(a.Lower, b.Lower) < 0;
      });
  }
}

// Blanks at either end go, runs of blanks inside become one, and empty elements go.
std::u16string Trimmed(const std::u16string& Text) {
  std::u16string result;
  for (char16_t c : Text) {
    bool blank = c == u' ' || c == u'\t';
    if (!blank)
      result.push_back(c);
    else if (!result.empty() && result.back() != u' ')
      result.push_back(u' ');
  }
  if (!result.empty() && result.back() == u' ') result.pop_back();
  return result;
}

TValue Trim(TCall& Call) {
  if (Call.Arg(0).Kind() != TValueKind::Text) return WrongType();
  TValue::TTexts texts;
  for (const std::u16string& text : Call.Arg(0).AsTexts())
    if (std::u16string trimmed = Trimmed(text); !trimmed.empty()) texts.push_back(trimmed);
  return TValue::Texts(std::move(texts));
}

// The first of each run of equal elements, in list order; text compares with case.
TValue Unique(TCall& Call) {
  return WithLists(Call.Arg(0), Call.Arg(0), [](const auto& list, const auto&) {
    std::decay_t<decltype(list)> unique;
    for (const auto& element : list)
      if (!Has(unique, element)) unique.push_back(element);
    return ValueOf(std::move(unique));
  });
}

constexpr std::array Specs{
    TFunctionSpec{u"ELEMENTS", 1, 1, 0, Elements},
    TFunctionSpec{u"COUNT", 1, 1, 0, Count},
    TFunctionSpec{u"SUBSET", 2, 2, 0, Subset},
    TFunctionSpec{u"ISMEMBER", 2, 2, 0, IsMember},
    TFunctionSpec{u"ISNOTMEMBER", 2, 2, 0, IsNotMember},
    TFunctionSpec{u"MEMBER", 2, 2, 0, Member},
    TFunctionSpec{u"SORT", 1, 2, 0, Sort, 1, SortKeywords},
    TFunctionSpec{u"TRIM", 1, 1, 0, Trim},
    TFunctionSpec{u"UNIQUE", 1, 1, 0, Unique},
};

}  // namespace

std::span<const TFunctionSpec> ListFunctions() {
  return Specs;
}

}  // namespace notesrt
