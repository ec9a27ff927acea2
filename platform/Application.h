#pragma once

#include <exception>
#include <functional>
#include <string>

#include "Controls.h"
#include "Facility.h"

// The application object: its title, window and main form, and the handler that application-wide
// exceptions go to.
class TApplication {
 public:
  using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

  std::string Title = "Vesk";
  HWND Handle = 0;
  TForm* MainForm = nullptr;
  TExceptionEvent OnException;

  // The standard exception box: the message with the stop icon and an OK button.
  void ShowException(const std::exception& E);
  // The exception handler when one is set, else the standard box.
  void HandleException(TObject* Sender, const std::exception& E);

  static TApplication& Default();
};

inline TApplication& Application() {
  return TFacility<TApplication>::Get();
}
