// URL checks through libcurl.
#include <curl/curl.h>

#include <memory>

#include "Sonst.h"
#include "SysUtils.h"

namespace {

struct TCurlFree {
  void operator()(CURL* Handle) const { curl_easy_cleanup(Handle); }
  void operator()(CURLU* Handle) const { curl_url_cleanup(Handle); }
  void operator()(char* Text) const { curl_free(Text); }
};

// "scheme://" at the start.
bool HasScheme(const std::string& Url) {
  size_t End = Url.find("://");
  if (End == std::string::npos || End == 0 || !isalpha(static_cast<unsigned char>(Url[0])))
    return false;
  for (size_t Pos = 1; Pos < End; ++Pos) {
    unsigned char C = static_cast<unsigned char>(Url[Pos]);
    if (!isalnum(C) && C != '+' && C != '-' && C != '.') return false;
  }
  return true;
}

// Keeps the status line and ends the transfer there.
size_t TakeStatusLine(char* Data, size_t Size, size_t Count, void* StatusLine) {
  static_cast<std::string*>(StatusLine)->assign(Data, Size * Count);
  return 0;
}

size_t RefuseBody(char*, size_t, size_t, void*) {
  return 0;
}

// The status code of an HTTP status line ("HTTP/1.1 302 Found"), or empty.
std::string StatusCode(const std::string& StatusLine) {
  if (StatusLine.rfind("HTTP/", 0) != 0) return "";
  size_t Start = StatusLine.find(' ');
  if (Start == std::string::npos) return "";
  size_t End = StatusLine.find_first_of(" \r\n", Start + 1);
  return StatusLine.substr(Start + 1, End == std::string::npos ? End : End - Start - 1);
}

}  // namespace

bool CheckUrl(const std::string& Url) {
  std::unique_ptr<CURLU, TCurlFree> Parsed(curl_url());
  char* Scheme = nullptr;
  if (!Parsed || curl_url_set(Parsed.get(), CURLUPART_URL, Url.c_str(), 0) != CURLUE_OK ||
      curl_url_get(Parsed.get(), CURLUPART_SCHEME, &Scheme, 0) != CURLUE_OK)
    return false;
  std::unique_ptr<char, TCurlFree> Owned(Scheme);
  return SameText(Scheme, "http") || SameText(Scheme, "https");
}

bool CheckUrlExt(std::string& Url, std::chrono::milliseconds TimeOut) {
  if (!HasScheme(Url)) Url = "http://" + Url;
  std::unique_ptr<CURL, TCurlFree> Session(curl_easy_init());
  if (!Session) return false;
  CURL* Curl = Session.get();
  std::string StatusLine;
  std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> Headers(
      curl_slist_append(nullptr, "Cache-Control: no-cache"), curl_slist_free_all);
  curl_easy_setopt(Curl, CURLOPT_URL, Url.c_str());
  curl_easy_setopt(Curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(Curl, CURLOPT_USERAGENT, "InetURL:/1.0");
  curl_easy_setopt(Curl, CURLOPT_HTTPHEADER, Headers.get());
  curl_easy_setopt(Curl, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(Curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(Curl, CURLOPT_TIMEOUT_MS, static_cast<long>(TimeOut.count()));
  // A proxy's answer to CONNECT is no answer of the server.
  curl_easy_setopt(Curl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(Curl, CURLOPT_HEADERFUNCTION, TakeStatusLine);
  curl_easy_setopt(Curl, CURLOPT_HEADERDATA, &StatusLine);
  curl_easy_setopt(Curl, CURLOPT_WRITEFUNCTION, RefuseBody);
  curl_easy_perform(Curl);
  std::string Code = StatusCode(StatusLine);
  return Code == "200" || Code == "302";
}
