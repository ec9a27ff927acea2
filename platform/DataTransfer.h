#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Types.h"

// The data transfer model of OLE drag and drop and the clipboard: formats, format descriptions,
// media and data objects. Media are global memory only, as the desktop units use them.

using TClipFormat = uint16_t;
inline constexpr TClipFormat CF_TEXT = 1;
inline constexpr TClipFormat CF_HDROP = 15;
inline constexpr uint32_t DVASPECT_CONTENT = 1;
inline constexpr uint32_t TYMED_HGLOBAL = 1;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);

// The shell's registered formats.
inline constexpr const char* CFSTR_SHELLURL = "UniformResourceLocator";
inline constexpr const char* CFSTR_FILEDESCRIPTOR = "FileGroupDescriptor";
inline constexpr const char* CFSTR_FILECONTENTS = "FileContents";
inline constexpr const char* CFSTR_OBJECTDESCRIPTOR = "Object Descriptor";

// The number of a registered format: the same for names equal without regard to case, from
// 0xC000 up. The shell's four names are registered first.
TClipFormat RegisterClipboardFormat(const std::string& Name);
// The name a format was registered under; "" for a predefined or unknown one.
std::string ClipboardFormatName(TClipFormat Format);

struct TFormatEtc {
  TClipFormat Format = 0;
  uint32_t Aspect = DVASPECT_CONTENT;
  int32_t Index = -1;
  uint32_t Tymed = TYMED_HGLOBAL;
};

// A medium: a global memory block with its size; no release object.
struct TStgMedium {
  uint32_t Tymed = 0;
  std::vector<uint8_t> Global;
};

// Global memory: movable, shareable, zero-filled blocks. A test installs one that fails.
class TGlobalMemory {
 public:
  virtual ~TGlobalMemory() = default;
  // Nothing when the memory cannot be had.
  virtual std::optional<std::vector<uint8_t>> Allocate(size_t Size) {
    return std::vector<uint8_t>(Size);
  }
  static TGlobalMemory& Default();
};
TGlobalMemory& GlobalMemory();

// What a data object answers: whether it renders a format, the data, and its formats.
class IDataObject {
 public:
  virtual ~IDataObject() = default;
  virtual HRESULT QueryGetData(const TFormatEtc& Format) = 0;
  virtual HRESULT GetData(const TFormatEtc& Format, TStgMedium& Medium) = 0;
  virtual std::vector<TFormatEtc> Formats() = 0;
};

// A data object that keeps the formats it offers (SetData with a format and an empty medium) and
// answers every request for one of them through RenderData.
class TDataObject : public IDataObject {
 public:
  void SetData(const TFormatEtc& Format, const TStgMedium& Medium = {});
  HRESULT QueryGetData(const TFormatEtc& Format) override;
  HRESULT GetData(const TFormatEtc& Format, TStgMedium& Medium) override;
  std::vector<TFormatEtc> Formats() override { return FFormats; }

 protected:
  virtual HRESULT RenderData(const TFormatEtc& Format, TStgMedium& Medium) = 0;
  // Puts a copy of Bytes into Medium as a new global memory block.
  static HRESULT RenderBytes(const std::string& Bytes, TStgMedium& Medium);

 private:
  std::vector<TFormatEtc> FFormats;
};

// A data object holding the bytes of each format as they came (a drop from another program, or
// what the freedesktop bridge made of one).
class TStaticDataObject : public TDataObject {
 public:
  void Put(TClipFormat Format, std::string Bytes, int32_t Index = -1);

 protected:
  HRESULT RenderData(const TFormatEtc& Format, TStgMedium& Medium) override;

 private:
  std::vector<std::pair<TFormatEtc, std::string>> FData;
};

// The bytes of Format from Object, or nothing when it cannot give them.
std::optional<std::string> GetGlobalData(IDataObject& Object, TClipFormat Format,
                                         int32_t Index = -1);
