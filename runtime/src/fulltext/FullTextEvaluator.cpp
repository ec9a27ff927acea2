#include "fulltext/FullTextEvaluator.h"

#include "fulltext/FullTextIndex.h"
#include "storage/NoteStore.h"

namespace notesrt {

namespace {

using EKind = TFullTextNode::EKind;

void Subtract(TFullTextMatches& Matches, const TFullTextMatches& Excluded) {
  for (const auto& excluded : Excluded) Matches.erase(excluded.first);
}

void Intersect(TFullTextMatches& Matches, const TFullTextMatches& Other) {
  for (auto match = Matches.begin(); match != Matches.end();) {
    auto other = Other.find(match->first);
    if (other == Other.end()) {
      match = Matches.erase(match);
      continue;
    }
    match->second += other->second;
    ++match;
  }
}

}  // namespace

TFullTextMatches TFullTextEvaluator::Evaluate(const TFullTextNode& Node) {
  switch (Node.Kind) {
    case EKind::Term:
      return Term(Node);
    case EKind::And:
      return All(Node.Children);
    case EKind::Or:
      return Any(Node.Children);
    case EKind::Not:
      return Complement(Node.Children.front());
  }
  return {};
}

TFullTextMatches TFullTextEvaluator::Term(const TFullTextNode& Node) {
  TFullTextMatches matches;
  FIndex.Match(Node, [&](NOTEID Id, double Relevance) { matches.emplace(Id, Relevance); });
  return matches;
}

// "a NOT b" removes b's documents from a's: the whole database is read only when no positive
// term stands beside the NOT.
TFullTextMatches TFullTextEvaluator::All(const std::vector<TFullTextNode>& Operands) {
  std::optional<TFullTextMatches> matches;
  for (const TFullTextNode& operand : Operands) {
    if (operand.Kind == EKind::Not) continue;
    TFullTextMatches found = Evaluate(operand);
    if (matches)
      Intersect(*matches, found);
    else
      matches = std::move(found);
    if (matches->empty()) return {};
  }
  if (!matches) matches = Everything();
  for (const TFullTextNode& operand : Operands)
    if (operand.Kind == EKind::Not) Subtract(*matches, Evaluate(operand.Children.front()));
  return std::move(*matches);
}

TFullTextMatches TFullTextEvaluator::Any(const std::vector<TFullTextNode>& Operands) {
  TFullTextMatches matches;
  for (const TFullTextNode& operand : Operands)
    for (const auto& [id, relevance] : Evaluate(operand)) matches[id] += relevance;
  return matches;
}

TFullTextMatches TFullTextEvaluator::Complement(const TFullTextNode& Operand) {
  TFullTextMatches matches = Everything();
  Subtract(matches, Evaluate(Operand));
  return matches;
}

TFullTextMatches TFullTextEvaluator::Everything() {
  if (!FDocuments) FDocuments = FNotes.Documents();
  TFullTextMatches matches;
  for (NOTEID id : *FDocuments) matches.emplace_hint(matches.end(), id, 0.0);
  return matches;
}

}  // namespace notesrt
