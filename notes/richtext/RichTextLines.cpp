#include "RichTextLines.h"

#include <string>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "RichTextWalk.h"
#include "TextScan.h"

namespace {

// The records are walked here rather than converted by ConvertItemToText item by item: its text
// would be copied twice more and then once again to make the lines. A line that is one run is
// converted where it lies, as the value stays locked during its walk; one made of several runs
// is collected in LMBCS first, since a character may be cut between two runs.
class TLineCollector {
 public:
  explicit TLineCollector(const std::function<void(std::string_view)>& Piece) : FPiece(Piece) {}

  STATUS Visit(const char* Record, WORD Signature, DWORD Length) {
    if (Signature == SIG_CD_PARAGRAPH) {
      if (FHasLines) EndLine();
      FHasLines = true;
    } else if (Signature == SIG_CD_TEXT && Length >= sizeof(CDTEXT)) {
      FHasLines = true;
      std::string_view run(Record + sizeof(CDTEXT), Length - sizeof(CDTEXT));
      // Most runs are plain ASCII: the same in native text, and free of NULs and breaks.
      if (NextControlOrHigh(run, 0) == run.size()) {
        Append(run, true);
        return NOERROR;
      }
      for (size_t nul; (nul = run.find('\0')) != std::string_view::npos;
           run.remove_prefix(nul + 1)) {
        Append(run.substr(0, nul), false);
        EndLine();
      }
      Append(run, false);
    }
    return NOERROR;
  }

  // A value's walk is over: its records are about to be unlocked.
  void EndValue() {
    FLine.append(FRun);
    FRun = {};
  }

  void Finish() {
    if (FHasLines) EndLine();
  }

 private:
  void Append(std::string_view Run, bool Plain) {
    if (Run.empty()) return;
    if (FRun.empty() && FLine.empty()) {
      FRun = Run;
      FRunPlain = Plain;
    } else {
      EndValue();
      FLine.append(Run);
    }
  }

  void EndLine() {
    if (!FRun.empty() && FRunPlain)
      FPiece(FRun);
    else if (!FRun.empty())
      Lmbcs2NativeLines(FRun, FPiece);
    else if (!FLine.empty())
      Lmbcs2NativeLines(FLine, FPiece);
    FRun = {};
    FLine.clear();
    FPiece("\r\n");
  }

  const std::function<void(std::string_view)>& FPiece;
  std::string_view FRun;   // the line so far when it is one run of the value being walked
  bool FRunPlain = false;  // that run is plain ASCII
  std::string FLine;       // the line so far otherwise
  bool FHasLines = false;  // a paragraph mark or a run was met: there is a line to end
};

}  // namespace

void ForEachRichTextLine(const std::vector<TItemValue>& Values,
                         const std::function<void(std::string_view)>& Piece) {
  TLineCollector lines(Piece);
  const TRecordVisitor visit = [&lines](const char* Record, WORD Signature, DWORD Length) {
    return lines.Visit(Record, Signature, Length);
  };
  for (const TItemValue& value : Values)
    CheckNotesStatus(WalkRecords(value.Value, value.Length, visit));
  lines.Finish();
}
