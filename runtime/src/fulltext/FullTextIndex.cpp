#include "fulltext/FullTextIndex.h"

#include <algorithm>
#include <string>

#include "core/EStatus.h"
#include "core/SignalHandlers.h"
#include "fulltext/FullTextFields.h"
#include "storage/DbFile.h"
#include "storage/NoteStore.h"

namespace notesrt {

namespace {

// Row ID = note ID << FieldBits | field position. Note IDs are 32-bit, so every row ID stays a
// positive 63-bit number, and no note can hold 2^31 items.
constexpr int FieldBits = 31;
// Reading matches polls the break handler this often.
constexpr unsigned BreakInterval = 1024;

int64_t FirstRowOf(NOTEID Id) {
  return static_cast<int64_t>(Id) << FieldBits;
}

int64_t LastRowOf(NOTEID Id) {
  return FirstRowOf(Id) | ((int64_t{1} << FieldBits) - 1);
}

// A match always counts for something, however common its words.
constexpr double MinRelevance = 1e-9;

// The user's words become one quoted FTS5 phrase (quotes doubled), so nothing they typed can
// act as FTS5 syntax; the tokenizer splits, stems and folds them as it did the documents.
std::string PhraseOf(const TFullTextNode& Term) {
  std::string phrase = "\"";
  for (char c : Term.Text) {
    if (c == '"') phrase += '"';
    phrase += c;
  }
  phrase += '"';
  if (Term.Prefix) phrase += " *";
  return phrase;
}

void PollBreak() {
  if (STATUS status = CheckBreak()) throw EStatus(status);
}

}  // namespace

bool TFullTextIndex::Exists() {
  TSqlQuery query(FFile.Statement(
      "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'fulltext'"));
  return query.Step() && query.Int(0) > 0;
}

void TFullTextIndex::Ensure() {
  FFile.Write([&] {
    if (!Exists()) Build();
  });
}

void TFullTextIndex::Rebuild() {
  FFile.Write([&] {
    if (Exists()) FFile.Execute("DROP TABLE fulltext");
    Build();
  });
}

// The name column only filters field queries, so it is stored but not tokenised.
void TFullTextIndex::Build() {
  FFile.Execute(
      "CREATE VIRTUAL TABLE fulltext USING fts5(field UNINDEXED, text, "
      "tokenize = 'porter unicode61 remove_diacritics 2')");
  TNoteStore notes(FFile);
  for (NOTEID id : notes.Documents()) {
    PollBreak();
    Insert(notes.Load(id));
  }
}

void TFullTextIndex::NoteStored(const TStoredNote& Note) {
  if (!Exists()) return;
  Remove(Note.Header.Id);
  Insert(Note);
}

void TFullTextIndex::NoteDeleted(NOTEID Id) {
  if (Exists()) Remove(Id);
}

void TFullTextIndex::Insert(const TStoredNote& Note) {
  TSqlStatement& insert =
      FFile.Statement("INSERT INTO fulltext(rowid, field, text) VALUES(?, ?, ?)");
  int64_t row = FirstRowOf(Note.Header.Id);
  for (const TFullTextField& field : FullTextFields(Note)) {
    TSqlQuery query(insert);
    query.Bind(1, row++).BindText(2, field.Key).BindText(3, field.Text).Run();
  }
}

void TFullTextIndex::Remove(NOTEID Id) {
  TSqlQuery query(FFile.Statement("DELETE FROM fulltext WHERE rowid BETWEEN ? AND ?"));
  query.Bind(1, FirstRowOf(Id)).Bind(2, LastRowOf(Id)).Run();
}

void TFullTextIndex::Match(const TFullTextNode& Term,
                           const std::function<void(NOTEID, double)>& OnMatch) {
  static const std::string sql = "SELECT rowid >> " + std::to_string(FieldBits) +
                                 ", min(rank) FROM fulltext WHERE fulltext MATCH ?1 "
                                 "AND (?2 = '' OR field = ?2) GROUP BY 1";
  TSqlQuery query(FFile.Statement(sql));
  query.BindText(1, PhraseOf(Term)).BindText(2, Term.FieldKey);
  PollBreak();
  for (unsigned row = 1; query.Step(); ++row) {
    if (row % BreakInterval == 0) PollBreak();
    // FTS5 ranks by negated BM25: lower is better, and never above 0.
    OnMatch(static_cast<NOTEID>(query.Int(0)), std::max(-query.Double(1), MinRelevance));
  }
}

}  // namespace notesrt
