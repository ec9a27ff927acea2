#include "DnDFileURL.h"

namespace {

std::string StreamBytes(TMemoryStream& Stream) {
  return std::string(static_cast<const char*>(Stream.Memory()), static_cast<size_t>(Stream.Size()));
}

void WriteBytes(TMemoryStream& Stream, const std::string& Bytes) {
  Stream.Write(Bytes.data(), static_cast<int64_t>(Bytes.size()));
}

std::vector<std::string> LinesOf(const TStringList& List) {
  std::vector<std::string> lines;
  for (int i = 0; i < List.Count(); ++i) lines.push_back(List.Strings(i));
  return lines;
}

void Offer(TDataObject& Object, TClipFormat Format, int32_t Index = -1) {
  Object.SetData(TFormatEtc{Format, DVASPECT_CONTENT, Index, TYMED_HGLOBAL});
}

}  // namespace

TDataObjectText::TDataObjectText(const TStringList& Lines) {
  WriteBytes(TextStream, BuildDroppedText(LinesOf(Lines)));
  Offer(*this, CF_TEXT);
}

HRESULT TDataObjectText::RenderData(const TFormatEtc& Format, TStgMedium& Medium) {
  return Format.Format == CF_TEXT ? RenderBytes(StreamBytes(TextStream), Medium) : E_FAIL;
}

TDataObjectFiles::TDataObjectFiles(const TStringList& Files) {
  WriteBytes(FileStream, BuildDropFiles(LinesOf(Files)));
  Offer(*this, CF_HDROP);
}

HRESULT TDataObjectFiles::RenderData(const TFormatEtc& Format, TStgMedium& Medium) {
  return Format.Format == CF_HDROP ? RenderBytes(StreamBytes(FileStream), Medium) : E_FAIL;
}

TDataObjectURL::TDataObjectURL(const std::string& URLName, const std::string& URL, bool WithFile) {
  Offer(*this, RegisterClipboardFormat(CFSTR_SHELLURL));
  Offer(*this, CF_TEXT);
  if (WithFile) {
    Offer(*this, RegisterClipboardFormat(CFSTR_FILEDESCRIPTOR));
    Offer(*this, RegisterClipboardFormat(CFSTR_FILECONTENTS), 0);
  }
  WriteBytes(URLStream, UrlStream(URL));
  WriteBytes(DescriptorStream, BuildFileGroupDescriptor(ShortcutFileName(URLName)));
}

HRESULT TDataObjectURL::RenderData(const TFormatEtc& Format, TStgMedium& Medium) {
  if (Format.Format == CF_TEXT || Format.Format == RegisterClipboardFormat(CFSTR_SHELLURL))
    return RenderBytes(StreamBytes(URLStream).substr(UrlStreamHeaderSize), Medium);
  if (Format.Format == RegisterClipboardFormat(CFSTR_FILECONTENTS))
    return RenderBytes(StreamBytes(URLStream), Medium);
  if (Format.Format == RegisterClipboardFormat(CFSTR_FILEDESCRIPTOR))
    return RenderBytes(StreamBytes(DescriptorStream), Medium);
  return E_FAIL;
}

TDropTargetFilesURL::TDropTargetFilesURL(TDragDropFilesURL& Component)
    : TDropTarget(Component), FComponent(Component) {}

void TDropTargetFilesURL::AcceptDataObject(IDataObject& DataObject, bool& Accept) {
  DropType = dtUnkown;
  const std::pair<TClipFormat, TDropType> preferred[] = {
      {CF_HDROP, dtFile}, {RegisterClipboardFormat(CFSTR_SHELLURL), dtURL}, {CF_TEXT, dtText}};
  for (const auto& [format, type] : preferred) {
    if (DataObject.QueryGetData(TFormatEtc{format}) != S_OK) continue;
    DropType = type;
    break;
  }
  Accept = DropType != dtUnkown;
}

void TDropTargetFilesURL::RenderDropped(IDataObject& DataObject, uint32_t, TPoint, uint32_t&) {
  TDragDropFilesURL& c = FComponent;
  c.DropType = dtUnkown;
  // Each drop starts from the defaults: a text drop from another program after an Outlook drop
  // must not still read as Outlook's.
  c.ObjectDescriptor = TObjectDescriptor();
  if (auto descriptor = GetGlobalData(DataObject, RegisterClipboardFormat(CFSTR_OBJECTDESCRIPTOR)))
    c.ObjectDescriptor = XlatObjectDescriptor(*descriptor);
  switch (DropType) {
    case dtFile:
      if (auto block = GetGlobalData(DataObject, CF_HDROP)) {
        c.Files.Clear();
        for (std::string& name : ReadDropFiles(*block)) c.Files.Add(std::move(name));
        c.DropType = dtFile;
      }
      break;
    case dtURL: {
      auto block = GetGlobalData(DataObject, CF_TEXT);
      if (!block) block = GetGlobalData(DataObject, RegisterClipboardFormat(CFSTR_SHELLURL));
      if (block) {
        c.URL = TextUpToNul(*block);
        c.DropType = dtURL;
      }
      break;
    }
    case dtText:
      if (auto block = GetGlobalData(DataObject, CF_TEXT)) {
        c.Files.Clear();
        for (const std::string& line : SplitDroppedText(*block)) c.Files.Add(line);
        c.DropType = dtText;
      }
      break;
    case dtUnkown:
      break;
  }
}

TDragDropFilesURL::TDragDropFilesURL(TComponent* Owner) : TDragDrop(Owner) {
  SourceCompatibility().clear();
  SetDropTarget(std::make_unique<TDropTargetFilesURL>(*this));
}

std::unique_ptr<IDataObject> TDragDropFilesURL::CreateDataObject() {
  switch (DropType) {
    case dtFile:
      if (Files.Count() > 0) return std::make_unique<TDataObjectFiles>(Files);
      break;
    case dtURL:
      if (!URL.empty()) return std::make_unique<TDataObjectURL>(URLName, URL, true);
      break;
    case dtText:
      if (Files.Count() > 0) return std::make_unique<TDataObjectText>(Files);
      break;
    case dtUnkown:
      break;
  }
  return nullptr;
}

void Register() {
  RegisterComponents("Shell32", {"TDragDropFilesURL"});
}
