#include "RtfFilters.h"

#include <cstring>

#include "notesapi/ixedit.h"
#include "notesapi/osmisc.h"

TRtfFilter::TRtfFilter(const char* Name) {
  if (OSLoadLibrary(Name, 0, &FModule, &FEntry) != NOERROR) FEntry = nullptr;
}

TRtfFilter::~TRtfFilter() {
  if (FModule) OSFreeLibrary(FModule);
}

bool TRtfFilter::Import(const std::string& RtfFile, const std::string& CdFile) const {
  EDITIMPORTDATA block{};
  std::strncpy(block.OutputFileName, CdFile.c_str(), sizeof block.OutputFileName - 1);
  block.FontID = 0x0A000001;  // face 1, 10 points: the rich-text library's default
  std::string input = RtfFile;
  char noAltLibrary[] = "";
  return FEntry &&
         FEntry(&block, IXFLAG_FIRST | IXFLAG_LAST, nullptr, noAltLibrary, input.data()) == NOERROR;
}

bool TRtfFilter::Export(const std::string& CdFile, const std::string& RtfFile) const {
  EDITEXPORTDATA block{};
  std::strncpy(block.InputFileName, CdFile.c_str(), sizeof block.InputFileName - 1);
  block.PrintSettings.Flags = 1;
  std::string output = RtfFile;
  return FEntry &&
         FEntry(&block, IXFLAG_FIRST | IXFLAG_LAST, nullptr, nullptr, output.data()) == NOERROR;
}
