#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notesapi/dname.h"

namespace notesrt {

enum class TDnKeyword { None, Unknown, CN, G, S, I, Q, OU, O, C, ADMD, PRMD };

// The labelled components of a canonical name, as views into the text it was read from.
// OU[0] is the unit next to the common name.
struct TDnComponents {
  std::string_view CN, G, S, I, Q, O, C, ADMD, PRMD, Domain;
  std::array<std::string_view, DN_OUNITS> OU{};
  size_t OUCount = 0;
};

// A hierarchical name in LMBCS: its parts between unescaped "/", whitespace trimmed, and an
// "@domain" suffix. Holds views into the text, which must outlive it. The DN functions use it;
// so can everything else that has to compare or convert names the same way.
class TDistinguishedName {
 public:
  // Partial is a common name and a trailing "/" ("Common/"). Malformed: empty parts, or a part
  // with an "=" but no known keyword, in a name that has no keyword at all.
  enum class TForm { Empty, Flat, Partial, Abbreviated, Canonical, Malformed };

  explicit TDistinguishedName(std::string_view Text);

  TForm Form() const { return FForm; }
  // The components of a canonical name whose every part has a keyword, none but OU repeated
  // and at most DN_OUNITS OUs; nullopt for anything else.
  std::optional<TDnComponents> Components() const;
  // Labels an abbreviated name (EStatus ERR_NOTESRT_TOO_MANY_OUS for more than DN_OUNITS
  // units). A canonical Template completes a flat or partial name with its organisation.
  std::string Canonical(const TDistinguishedName* Template = nullptr) const;
  // Drops the CN, OU, O and C labels of a canonical name; other names come back as given.
  std::string Abbreviated() const;

 private:
  struct TPart {
    TDnKeyword Keyword;
    std::string_view Text;   // as written, "CN=John"
    std::string_view Value;  // after the "=", or the whole part
  };
  using TPieceOf = std::string_view (*)(const TPart&);

  static TPart ReadPart(std::string_view Text);
  std::string_view SplitDomain(std::string_view Text);
  TForm Classify() const;
  TDnComponents Labelled() const;
  std::optional<TDnComponents> CompletedBy(const TDistinguishedName* Template) const;
  std::string Joined(TPieceOf PieceOf) const;

  std::string_view FText;
  std::string_view FDomain;
  std::vector<TPart> FParts;
  TForm FForm;
};

}  // namespace notesrt
