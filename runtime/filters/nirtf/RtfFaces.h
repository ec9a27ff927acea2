#pragma once

#include <map>
#include <string>
#include <vector>

#include "CdFileWriter.h"
#include "RtfReader.h"

namespace nirtf {

// Faces of the document's fonts. The faces every Notes client knows stand for the names the
// RTF export writes for them (Times New Roman, Arial, Courier New) and for fonts without a
// name, by family; every other name gets a face of its own from 5 up, in a CDFONTTABLE that
// the importer moves into the note's "$Fonts".
class TRtfFaces {
 public:
  BYTE FaceOf(const TRtfDocument& Document, int32_t FontNumber);
  // The CDFONTTABLE record, when a face of its own was given out.
  void Write(notesfilter::TCdFileWriter& Out) const;

 private:
  BYTE NewFace(const TRtfFont& Font);

  std::map<int32_t, BYTE> FByNumber;
  std::vector<CDFACE> FFaces;
};

}  // namespace nirtf
