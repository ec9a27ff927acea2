#pragma once

#include <exception>
#include <string>

#include "Export.h"

// The framework's base exception: every failure the system raises carries a message text and a
// help context (a topic of the application's help, 0 when there is none).
class VESK_API Exception : public std::exception {
 public:
  explicit Exception(std::string Message, int HelpContext = 0)
      : FMessage(std::move(Message)), FHelpContext(HelpContext) {}
  ~Exception() override;

  const std::string& Message() const noexcept { return FMessage; }
  void SetMessage(std::string Message) { FMessage = std::move(Message); }
  int HelpContext() const noexcept { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
  int FHelpContext;
};
