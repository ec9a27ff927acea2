#include "DataTransfer.h"

#include <map>

#include "Facility.h"
#include "SysUtils.h"

namespace {

struct TFormatRegistry {
  TFormatRegistry() {
    for (const char* name :
         {CFSTR_SHELLURL, CFSTR_FILEDESCRIPTOR, CFSTR_FILECONTENTS, CFSTR_OBJECTDESCRIPTOR})
      Register(name);
  }
  TClipFormat Register(const std::string& Name) {
    const std::string key = UpperCase(Name);
    const auto found = Numbers.find(key);
    if (found != Numbers.end()) return found->second;
    const auto number = static_cast<TClipFormat>(0xC000 + Names.size());
    Numbers.emplace(key, number);
    Names.push_back(Name);
    return number;
  }
  std::map<std::string, TClipFormat> Numbers;
  std::vector<std::string> Names;
};

// The registry lives as long as the process, as the system's atom table does.
TFormatRegistry& Registry() {
  static TFormatRegistry registry;
  return registry;
}

bool Matches(const TFormatEtc& Offered, const TFormatEtc& Asked) {
  return Offered.Format == Asked.Format && (Offered.Tymed & Asked.Tymed) != 0 &&
         Offered.Aspect == Asked.Aspect && (Asked.Index == -1 || Offered.Index == Asked.Index);
}

}  // namespace

TClipFormat RegisterClipboardFormat(const std::string& Name) {
  return Registry().Register(Name);
}

std::string ClipboardFormatName(TClipFormat Format) {
  const auto& names = Registry().Names;
  return Format >= 0xC000 && Format - 0xC000u < names.size() ? names[Format - 0xC000u] : "";
}

TGlobalMemory& TGlobalMemory::Default() {
  static TGlobalMemory memory;
  return memory;
}

TGlobalMemory& GlobalMemory() {
  return TFacility<TGlobalMemory>::Get();
}

void TDataObject::SetData(const TFormatEtc& Format, const TStgMedium&) {
  FFormats.push_back(Format);
}

HRESULT TDataObject::QueryGetData(const TFormatEtc& Format) {
  for (const TFormatEtc& offered : FFormats)
    if (Matches(offered, Format)) return S_OK;
  return DV_E_FORMATETC;
}

HRESULT TDataObject::GetData(const TFormatEtc& Format, TStgMedium& Medium) {
  if (QueryGetData(Format) != S_OK) return DV_E_FORMATETC;
  return RenderData(Format, Medium);
}

HRESULT TDataObject::RenderBytes(const std::string& Bytes, TStgMedium& Medium) {
  std::optional<std::vector<uint8_t>> block = GlobalMemory().Allocate(Bytes.size());
  if (!block) return E_OUTOFMEMORY;
  std::copy(Bytes.begin(), Bytes.end(), block->begin());
  Medium.Tymed = TYMED_HGLOBAL;
  Medium.Global = std::move(*block);
  return S_OK;
}

void TStaticDataObject::Put(TClipFormat Format, std::string Bytes, int32_t Index) {
  const TFormatEtc format{Format, DVASPECT_CONTENT, Index, TYMED_HGLOBAL};
  SetData(format);
  FData.emplace_back(format, std::move(Bytes));
}

HRESULT TStaticDataObject::RenderData(const TFormatEtc& Format, TStgMedium& Medium) {
  for (const auto& [offered, bytes] : FData)
    if (Matches(offered, Format)) return RenderBytes(bytes, Medium);
  return E_FAIL;
}

std::optional<std::string> GetGlobalData(IDataObject& Object, TClipFormat Format, int32_t Index) {
  TStgMedium medium;
  if (Object.GetData(TFormatEtc{Format, DVASPECT_CONTENT, Index, TYMED_HGLOBAL}, medium) != S_OK)
    return std::nullopt;
  return std::string(medium.Global.begin(), medium.Global.end());
}
