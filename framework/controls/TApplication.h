#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "framework/controls/TComponent.h"

namespace fw {

class TForm;
struct TApplicationImpl;

/// The application object: the platform's application, its forms and its message loop.
/// Exceptions that escape an event handler end here and are shown in a message box with the
/// exception's message (the program keeps running).
class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* owner = nullptr);
  /// Frees the forms, then the platform's application object when this one made it.
  ~TApplication() override;

  std::string ClassName() const override { return "TApplication"; }

  /// Creates the platform's application object unless one exists already.
  void Initialize();

  /// Creates a form owned by the application (its constructor loads its layout), then runs
  /// its OnCreate. The first form created becomes the main form. Initializes first if needed.
  template <class T>
  T* CreateForm() {
    Initialize();
    T* form = new T(this);
    FormCreated(form);
    return form;
  }
  template <class T>
  void CreateForm(T*& reference) {
    reference = CreateForm<T>();
  }
  TForm* MainForm() const { return mMainForm; }

  /// Shows the main form and dispatches events until the main form is closed or Terminate is
  /// called. Returns at once without a main form.
  void Run();
  /// Ends Run.
  void Terminate();
  bool Terminated() const { return mTerminated; }
  /// Dispatches every pending event (input, timers, paints) and returns.
  void ProcessMessages();

  /// Reports an exception that escaped an event handler (nullptr: one of unknown type):
  /// OnException when set, otherwise a message box with its message and the Title.
  void HandleException(const std::exception* error);
  /// The message box of HandleException. During a paint the box is shown after the paint.
  void ShowException(const std::string& message);
  std::function<void(TComponent* sender, const std::string& message)> OnException;

  /// Caption of the application's own message boxes; default the program's name.
  std::string Title() const;
  void SetTitle(const std::string& value) { mTitle = value; }

  /// A modal message box (see fw::MessageBox).
  int MessageBox(const std::string& text, const std::string& caption, uint32_t flags);

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void FormCreated(TForm* form);

  std::unique_ptr<TApplicationImpl> mImpl;
  TForm* mMainForm = nullptr;
  bool mTerminated = false;
  std::string mTitle;
};

/// The program's application object (created on first use).
TApplication* Application();

/// Frees the program's application object made by Application(): its forms first, then the
/// platform's application. The program's entry calls it last, so that nothing of the window
/// system is torn down during static destruction (when the platform's own globals may be gone).
void ReleaseApplication();

}  // namespace fw
