// Program entry: the application object, the main window from its stored layout, the message
// loop until the window closes.
#include "app/Main.h"
#include "framework/controls/TApplication.h"

int main() {
  fw::TApplication* application = fw::Application();
  application->Initialize();
  application->CreateForm<app::TForm1>();
  application->Run();
  fw::ReleaseApplication();
  return 0;
}
