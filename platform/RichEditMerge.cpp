#include "RichEditMerge.h"

#include "RtfEscaper.h"
#include "RtfFragment.h"
#include "RtfFragmentWriter.h"
#include "RtfReader.h"
#include "RtfTableMerge.h"

namespace {

void WriteFragment(const std::string& Rtf, const TRtfFragmentWriter::TPlan& Plan,
                   const TRtfTableMerge& Tables, std::string& Out) {
  TRtfFragmentWriter Writer(Rtf, Plan, Tables, Out);
  TRtfReader Reader(Writer);
  Reader.Read(Rtf);
  Writer.Finish(Reader);
}

}  // namespace

std::string RichEditMerge(const std::vector<std::string>& Fragments) {
  if (Fragments.empty()) return std::string();
  if (Fragments.size() == 1) return Fragments.front();
  std::vector<std::string> Documents;
  Documents.reserve(Fragments.size());
  for (const std::string& Fragment : Fragments) {
    Documents.push_back(IsRtf(Fragment) ? Fragment : PlainTextToRtf(Fragment));
  }
  std::vector<TRtfFragmentInfo> Infos;
  Infos.reserve(Documents.size());
  for (const std::string& Document : Documents) Infos.push_back(ScanRtfFragment(Document));

  TRtfTableMerge Tables(Infos.front());
  std::vector<TRtfFragmentWriter::TPlan> Plans(Documents.size());
  for (size_t I = 0; I < Documents.size(); ++I) {
    TRtfFragmentWriter::TPlan& Plan = Plans[I];
    Plan.First = I == 0;
    Plan.BodyStart = Infos[I].BodyStart;
    bool Last = I + 1 == Documents.size();
    if (!Last && Infos[I].EndsWithPar) Plan.DropPar = Infos[I].ParOffset;
    if (I > 0) Plan.Maps = Tables.Add(Infos[I]);
    Plan.BytesAsUnicode = I > 0 && Infos[I].DefaultFontInBody;
  }
  Plans.front().AddedFonts = Tables.AddedFonts();
  Plans.front().AddedColors = Tables.AddedColors();
  Plans.front().HasFontTable = Infos.front().Document.HasFontTable;
  Plans.front().HasColorTable = Infos.front().Document.HasColorTable;

  std::string Out;
  for (size_t I = 0; I < Documents.size(); ++I) {
    if (I > 0) Out += "\\par\r\n";
    WriteFragment(Documents[I], Plans[I], Tables, Out);
  }
  return Out + "}";
}
