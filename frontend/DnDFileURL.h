#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "DnDFormats.h"
#include "DragDrop.h"
#include "MemoryStream.h"
#include "StringList.h"

// Drag and drop of a list of files, one URL or plain text.

enum TDropType : uint8_t { dtUnkown = 0, dtFile = 1, dtURL = 2, dtText = 3 };

// Text: the lines joined by CR LF, the last ending in a NUL (CF_TEXT).
class TDataObjectText : public TDataObject {
 public:
  explicit TDataObjectText(const TStringList& Lines);
  TMemoryStream TextStream;

 protected:
  HRESULT RenderData(const TFormatEtc& Format, TStgMedium& Medium) override;
};

// Files: a DROPFILES block of 8-bit names (CF_HDROP).
class TDataObjectFiles : public TDataObject {
 public:
  explicit TDataObjectFiles(const TStringList& Files);
  TMemoryStream FileStream;

 protected:
  HRESULT RenderData(const TFormatEtc& Format, TStgMedium& Medium) override;
};

// A URL ("UniformResourceLocator" and CF_TEXT) and, WithFile, the internet shortcut a file
// manager makes of it ("FileGroupDescriptor" and "FileContents").
class TDataObjectURL : public TDataObject {
 public:
  TDataObjectURL(const std::string& URLName, const std::string& URL, bool WithFile);
  TMemoryStream URLStream, DescriptorStream;

 protected:
  HRESULT RenderData(const TFormatEtc& Format, TStgMedium& Medium) override;
};

class TDragDropFilesURL;

class TDropTargetFilesURL : public TDropTarget {
 public:
  explicit TDropTargetFilesURL(TDragDropFilesURL& Component);
  void AcceptDataObject(IDataObject& DataObject, bool& Accept) override;
  void RenderDropped(IDataObject& DataObject, uint32_t KeyState, TPoint Point,
                     uint32_t& Effect) override;
  TDropType DropType = dtUnkown;  // chosen when the drag entered

 private:
  TDragDropFilesURL& FComponent;
};

class TDragDropFilesURL : public TDragDrop {
 public:
  explicit TDragDropFilesURL(TComponent* Owner);
  std::unique_ptr<IDataObject> CreateDataObject() override;
  std::string GetSourceOfCopy() const { return ObjectDescriptor.SrcOfCopy; }
  std::string GetSourceObjectName() const { return ObjectDescriptor.FullUserTypeName; }

  TStringList Files;  // dropped names or text lines; those to drag
  std::string URL;
  std::string URLName;
  TDropType DropType = dtUnkown;
  TObjectDescriptor ObjectDescriptor;  // of the last drop; defaults before any
};

// Records TDragDropFilesURL under the page "Shell32".
void Register();
