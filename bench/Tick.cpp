// One whole animation tick of the main window at L = 2000, beta = 0: the frame computation,
// the full repaint into the off-screen bitmap and the copy to the window, on the offscreen
// platform.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/Main.h"
#include "app/Simulation.h"
#include "framework/controls/TApplication.h"
#include "framework/controls/TTimer.h"

namespace {

void BM_Tick(benchmark::State& state) {
  fw::TApplication* application = fw::Application();
  auto* form = application->CreateForm<app::TForm1>();
  form->Show();
  application->ProcessMessages();
  form->FormActivate(form);
  app::Simulation().StringLength = 2000;
  app::Simulation().Velocity = 0;
  for (auto _ : state) form->Timer1Timer(form->Timer1);
  delete form;
}
BENCHMARK(BM_Tick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fw::Application()->Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fw::ReleaseApplication();
  return 0;
}
