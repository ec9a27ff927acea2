#pragma once

#include <exception>
#include <string>

#include "Export.h"

// The framework's base exception: every failure the system raises carries a message text.
class VESK_API Exception : public std::exception {
 public:
  explicit Exception(std::string Message) : FMessage(std::move(Message)) {}
  ~Exception() override;

  const std::string& Message() const noexcept { return FMessage; }
  void SetMessage(std::string Message) { FMessage = std::move(Message); }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
};
