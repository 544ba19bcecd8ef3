// What the application object and the form do alike on every platform.

#include "Forms.h"

#include "Mbcs.h"
#include "SysUtils.h"

std::string ApplicationTitleFor(std::string_view exeName) {
  const size_t delimiter = mbcs::LastDelimiter(exeName, PathDelimiters);
  std::string_view name =
      delimiter == std::string_view::npos ? exeName : exeName.substr(delimiter + 1);
  name = name.substr(0, mbcs::FindChar(name, '.'));

  std::string title(name);
  size_t pos = 0;
  for (bool first = true; pos < title.size(); first = false) {
    const unsigned char byte = static_cast<unsigned char>(title[pos]);
    if (mbcs::IsLeadByte(byte)) {
      pos += 2;  // a double-byte character has no case
      continue;
    }
    if (!first && byte >= 'A' && byte <= 'Z') title[pos] = static_cast<char>(byte - 'A' + 'a');
    ++pos;
  }
  return title;
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  const size_t last = mbcs::LastCharStart(message);
  if (last != std::string_view::npos && static_cast<unsigned char>(message[last]) > '.')
    text += '.';
  return text;
}

void TForm::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  SyncWindow();
}

void TForm::SetLeft(int left) {
  left_ = left;
  SyncWindow();
}

void TForm::SetTop(int top) {
  top_ = top;
  SyncWindow();
}

void TForm::SetWidth(int width) {
  width_ = width;
  SyncWindow();
}

void TForm::SetHeight(int height) {
  height_ = height;
  SyncWindow();
}

std::string TApplication::Title() const { return ApplicationTitleFor(ExeName()); }

void TApplication::AddForm(std::unique_ptr<TForm> form) {
  TForm* created = form.get();
  forms_.push_back(std::move(form));
  if (mainForm_ == nullptr) mainForm_ = created;
  created->CreateWindowNow();
  try {
    created->DoCreate();
  } catch (const Exception& failure) {
    ShowException(failure);
  }
}
