#include "framework/controls/TApplication.h"

#include <set>

#include <QApplication>
#include <QMetaObject>

#include "framework/controls/MessageBox.h"
#include "framework/controls/NativeControl.h"
#include "framework/controls/TForm.h"

namespace fw {

namespace {

TApplication* gInstance = nullptr;
int gPaintDepth = 0;

// The platform wants argc/argv that outlive its application object; the program takes no
// command line, so the program's name is all there is.
int gArgc = 1;
char gProgramName[] = "standing-wave";
char* gArgv[] = {gProgramName, nullptr};

}  // namespace

struct TApplicationImpl {
  std::unique_ptr<QApplication> OwnApplication;   // only when this object made it
  std::set<std::string> DeferredMessages;         // raised in paints; each shown once
};

namespace detail {

PaintScope::PaintScope() { ++gPaintDepth; }
PaintScope::~PaintScope() { --gPaintDepth; }
bool InPaint() { return gPaintDepth > 0; }

void HandleEventException(const std::exception* error) {
  try {
    Application()->HandleException(error);
  } catch (...) {
    // The report itself failed; the event loop must go on regardless.
  }
}

}  // namespace detail

TApplication::TApplication(TComponent* owner) : TComponent(owner), mImpl(std::make_unique<TApplicationImpl>()) {
  if (!gInstance) gInstance = this;
}

TApplication::~TApplication() {
  // Forms hold widgets, which must go before the platform's application object.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  mImpl->OwnApplication.reset();
  if (gInstance == this) gInstance = nullptr;
}

void TApplication::Initialize() {
  if (!QCoreApplication::instance()) mImpl->OwnApplication = std::make_unique<QApplication>(gArgc, gArgv);
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) app->setQuitOnLastWindowClosed(false);
}

void TApplication::FormCreated(TForm* form) {
  if (!mMainForm) mMainForm = form;
  form->AfterConstruction();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == mMainForm) mMainForm = nullptr;
}

void TApplication::Run() {
  if (!mMainForm) return;
  Initialize();
  mTerminated = false;
  mMainForm->Show();
  if (mTerminated || !mMainForm->Visible()) return;
  QCoreApplication::exec();
}

void TApplication::Terminate() {
  mTerminated = true;
  QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::HandleException(const std::exception* error) {
  const std::string message = error ? error->what() : "Unknown exception";
  if (OnException) {
    OnException(this, message);
    return;
  }
  ShowException(message);
}

void TApplication::ShowException(const std::string& message) {
  if (!detail::InPaint()) {
    fw::MessageBox(message, Title(), MB_OK | MB_ICONERROR);
    return;
  }
  // A box inside a paint would start a nested loop while the window paints, and a paint that
  // fails every time would ask again after every repaint: each such message shows once, later.
  if (!mImpl->DeferredMessages.insert(message).second || !QCoreApplication::instance()) return;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [message] { fw::MessageBox(message, Application()->Title(), MB_OK | MB_ICONERROR); },
      Qt::QueuedConnection);
}

std::string TApplication::Title() const {
  if (!mTitle.empty() || !QCoreApplication::instance()) return mTitle;
  return QCoreApplication::applicationName().toStdString();
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  return fw::MessageBox(text, caption, flags);
}

namespace {
std::unique_ptr<TApplication>& OwnedInstance() {
  static std::unique_ptr<TApplication> instance;
  return instance;
}
}  // namespace

TApplication* Application() {
  if (!gInstance) OwnedInstance() = std::make_unique<TApplication>();
  return gInstance;
}

void ReleaseApplication() { OwnedInstance().reset(); }

}  // namespace fw
