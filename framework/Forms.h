// The application object and the form.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class Exception;

class TObject {
 public:
  virtual ~TObject() = default;
};

using TColor = unsigned;
inline constexpr TColor clBtnFace = 0xFF00000F;  // the system's button-face colour

inline constexpr unsigned char SHIFTJIS_CHARSET = 128;

struct TFont {
  unsigned char Charset = 1;  // the default character set
  int Height = -11;
};

// A window of the program. Its design-time properties are set by the derived
// class's constructor; the application then creates the window and runs the
// creation handler.
class TForm : public TObject {
 public:
  TForm();
  ~TForm() override;

  const std::string& Caption() const { return caption_; }
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  TColor Color() const { return color_; }
  const TFont& Font() const { return font_; }
  bool Visible() const { return visible_; }

  void SetCaption(std::string caption);
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  void SetColor(TColor color) { color_ = color; }
  void SetFont(const TFont& font) { font_ = font; }

  // The platform's window, once created (null before).
  struct Window;
  Window* Handle() const { return window_.get(); }

 protected:
  // The creation handler: runs once, after the design-time properties, with
  // the window created but not yet shown.
  virtual void DoCreate() {}

 private:
  friend class TApplication;
  void CreateWindowNow();
  void ShowNow(int showCommand);
  void SyncWindow();  // brings the platform window in line with the properties

  std::string caption_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TColor color_ = clBtnFace;
  TFont font_;
  bool visible_ = false;
  std::unique_ptr<Window> window_;
};

class TApplication {
 public:
  TApplication();
  ~TApplication();

  void Initialize();

  // Creates a form; the first one created is the main form. A failure that
  // leaves the creation handler is shown in the error box, and creation goes
  // on as usual.
  template <class T, class... Args>
  void CreateForm(T*& reference, Args&&... args) {
    auto form = std::make_unique<T>(std::forward<Args>(args)...);
    reference = form.get();
    AddForm(std::move(form));
  }

  // Shows the main form as the process was asked to start, and handles
  // messages until the quit message comes.
  void Run();

  // Posts the quit message; the message loop ends when it meets it.
  void Terminate();

  // Ends the process at once with exit code 0; no further message is handled.
  [[noreturn]] void Halt();

  // The full path of the running program, and the title made from it.
  std::string ExeName() const;
  std::string Title() const;

  // The error box.
  void ShowException(const Exception& failure);

  TForm* MainForm() const { return mainForm_; }

 private:
  void AddForm(std::unique_ptr<TForm> form);

  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
};

extern TApplication* Application;

// The title the framework gives an application: the program's file name
// without its folder, cut at its first ".", every character after the first
// in lower case.
std::string ApplicationTitleFor(std::string_view exeName);

// The text of the error box: the message, with "." added when its last
// character sorts after "." by byte value.
std::string ErrorBoxText(std::string_view message);
