#include "Application.h"

#include "MessageSink.h"

void TApplication::ShowException(const std::exception& E) {
  MessageSink().ShowModal(MessageBoxRequest(Title, E.what(), mtError));
}

void TApplication::HandleException(TObject* Sender, const std::exception& E) {
  if (OnException)
    OnException(Sender, E);
  else
    ShowException(E);
}

TApplication& TApplication::Default() {
  static TApplication Instance;
  return Instance;
}
