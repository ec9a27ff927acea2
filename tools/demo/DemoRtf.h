#pragma once

// The demo mails' RTF bodies, as LibreOffice wrote them from the sources in rtf/ (made once by
// rtf/make-rtf.sh and kept, so that making the demo needs no word processor).
namespace DemoRtf {

extern const char* const Newsletter;
extern const char* const QuarterlyFigures;
extern const char* const International;
extern const char* const TwoReports;
// About 300 KB: its body takes several items.
extern const char* const LongReport;

}  // namespace DemoRtf
