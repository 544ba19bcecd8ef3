// The application object and the form in a terminal: a form has no window,
// and the message queue is the program's own.

#include "Forms.h"

#include <cstdlib>
#include <deque>
#include <iostream>
#include <unistd.h>

#include "SysUtils.h"
#include "Terminal.h"

namespace {

enum class Message { Quit };

std::deque<Message>& Queue() {
  static std::deque<Message> queue;
  return queue;
}

TApplication theApplication;

}  // namespace

TApplication* Application = &theApplication;

struct TForm::Window {};

TForm::TForm() = default;
TForm::~TForm() = default;

void TForm::CreateWindowNow() { window_ = std::make_unique<Window>(); }
void TForm::ShowNow(int) { visible_ = true; }
void TForm::SyncWindow() {}

TApplication::TApplication() = default;
TApplication::~TApplication() = default;

void TApplication::Initialize() {}

void TApplication::Run() {
  if (mainForm_ != nullptr) mainForm_->ShowNow(0);
  // Nothing outside the program can post to this queue, so once it is empty
  // no message can ever come: the loop ends then too.
  while (!Queue().empty()) {
    const Message message = Queue().front();
    Queue().pop_front();
    if (message == Message::Quit) break;
  }
}

void TApplication::Terminate() { Queue().push_back(Message::Quit); }

void TApplication::Halt() {
  std::cerr.flush();
  std::exit(0);
}

std::string TApplication::ExeName() const {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  path.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return path;
}

void TApplication::ShowException(const Exception& failure) {
  terminal::ShowMessage(Title(), ErrorBoxText(failure.Message()), std::cin, std::cerr);
}
