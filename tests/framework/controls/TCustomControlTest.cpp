#include "framework/controls/TCustomControl.h"

#include <QWheelEvent>

#include "ControlTestSupport.h"
#include "framework/controls/TApplication.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"

using ctltest::W;

namespace {

// A self-drawing control that fills itself red in Paint and logs its input.
struct Drawn : fw::TCustomControl {
  using TCustomControl::TCustomControl;
  int Paints = 0;
  bool ThrowInPaint = false;
  std::vector<std::string> Input;

  void Paint() override {
    ++Paints;
    if (ThrowInPaint) throw fw::Exception("paint failed");
    Canvas().Brush().SetColor(fw::clRed);
    Canvas().FillRect(ClientRect());
  }
  void MouseDown(fw::TMouseButton b, fw::TShiftState s, int32_t x, int32_t y) override {
    Input.push_back("down " + std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) + "," +
                    std::to_string(y));
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseMove(fw::TShiftState s, int32_t x, int32_t y) override {
    Input.push_back("move " + std::to_string(s) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(fw::TMouseButton b, fw::TShiftState s, int32_t x, int32_t y) override {
    Input.push_back("up " + std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) + "," +
                    std::to_string(y));
  }
  void DblClick() override { Input.push_back("dblclick"); }
  void Click() override { Input.push_back("click"); }
  bool MouseWheelDown(fw::TShiftState s, int32_t x, int32_t y) override {
    Input.push_back("wheeldown " + std::to_string(s) + " " + std::to_string(x) + "," + std::to_string(y));
    return true;
  }
  void MouseLeave() override { Input.push_back("leave"); }
};

// Counts the paint events the window system delivers to a widget.
struct PaintEventCounter : QObject {
  int Count = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++Count;
    return false;
  }
};

QRgb Pixel(fw::TCustomControl& c, int x, int y) { return fw::SurfaceAccess::Image(c.Canvas())->pixel(x, y) & 0xFFFFFF; }

struct ShownControl : ::testing::Test {
  fw::TForm form;
  Drawn* control = new Drawn(&form);

  void SetUp() override {
    form.SetBounds(0, 0, 300, 200);
    control->SetParent(&form);
    control->SetBounds(10, 10, 100, 50);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(W(&form)));
    QApplication::processEvents();
    control->Input.clear();
  }
};

}  // namespace

TEST_F(ShownControl, WindowImageHasTheClientSizeAndFollowsResizing) {
  EXPECT_EQ(control->Canvas().Width(), 100);
  EXPECT_EQ(control->Canvas().Height(), 50);
  control->SetBounds(10, 10, 120, 40);
  EXPECT_EQ(control->Canvas().Width(), 120);
  EXPECT_EQ(control->Canvas().Height(), 40);
}

TEST_F(ShownControl, InvalidationsMergeIntoOnePaintAndRepaintPaintsAtOnce) {
  ASSERT_GE(control->Paints, 1);
  EXPECT_EQ(Pixel(*control, 50, 25), 0xFF0000u);  // clRed on screen is RGB ff0000
  const int before = control->Paints;
  control->Invalidate();
  control->Invalidate();
  control->Invalidate();
  EXPECT_EQ(control->Paints, before);
  QApplication::processEvents();
  EXPECT_EQ(control->Paints, before + 1);
  control->Repaint();
  EXPECT_EQ(control->Paints, before + 2);
}

TEST_F(ShownControl, DrawingOutsidePaintReachesTheImageAndIsCopiedWithoutPainting) {
  PaintEventCounter counter;
  W(control)->installEventFilter(&counter);
  const int before = control->Paints;
  fw::TSurface& canvas = control->Canvas();
  canvas.Brush().SetColor(fw::clBlue);
  canvas.FillRect({0, 0, 10, 10});
  EXPECT_EQ(Pixel(*control, 5, 5), 0x0000FFu);
  QApplication::processEvents();
  EXPECT_GE(counter.Count, 1);
  EXPECT_EQ(control->Paints, before);
  EXPECT_EQ(Pixel(*control, 5, 5), 0x0000FFu);
  EXPECT_EQ(Pixel(*control, 50, 25), 0xFF0000u);
  // An invalidation together with outside drawing paints.
  canvas.FillRect({0, 0, 10, 10});
  control->Invalidate();
  QApplication::processEvents();
  EXPECT_EQ(control->Paints, before + 1);
  W(control)->removeEventFilter(&counter);
}

TEST_F(ShownControl, MouseInputReachesTheVirtualsWithButtonShiftAndClientCoordinates) {
  QWidget* w = W(control);
  QTest::mousePress(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
  QTest::mouseMove(w, QPoint(30, 25));
  QTest::mouseRelease(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 25));
  QTest::mousePress(w, Qt::RightButton, Qt::ControlModifier, QPoint(4, 5));
  QTest::mouseRelease(w, Qt::RightButton, Qt::ControlModifier, QPoint(4, 5));
  const auto s = [](fw::TShiftState v) { return std::to_string(v); };
  EXPECT_EQ(control->Input,
            (std::vector<std::string>{
                "down 0 " + s(fw::ssShift | fw::ssLeft) + " 10,20",
                "move " + s(fw::ssLeft) + " 30,25",
                "click",
                "up 0 " + s(fw::ssShift) + " 30,25",
                "down 1 " + s(fw::ssCtrl | fw::ssRight) + " 4,5",
                "up 1 " + s(fw::ssCtrl) + " 4,5",
            }));
}

TEST_F(ShownControl, ReleaseOutsideIsNoClickAndDoubleClickCarriesTheDoubleFlag) {
  QWidget* w = W(control);
  QTest::mousePress(w, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(150, 10));
  EXPECT_EQ(std::count(control->Input.begin(), control->Input.end(), "click"), 0);
  control->Input.clear();
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(7, 8), w->mapToGlobal(QPointF(7, 8)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &dbl);
  EXPECT_EQ(control->Input, (std::vector<std::string>{"dblclick", "down 0 " +
                                                                      std::to_string(fw::ssLeft | fw::ssDouble) +
                                                                      " 7,8"}));
}

TEST_F(ShownControl, WheelAndLeaveReachTheVirtuals) {
  QWidget* w = W(control);
  QWheelEvent wheel(QPointF(12, 13), w->mapToGlobal(QPointF(12, 13)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &wheel);
  EXPECT_TRUE(wheel.isAccepted());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(w, &leave);
  EXPECT_EQ(control->Input, (std::vector<std::string>{"wheeldown 0 12,13", "leave"}));
}

TEST_F(ShownControl, WheelRaisesOnMouseWheelFirstWhichCanHandleIt) {
  fw::TControl& base = *control;
  int wheels = 0;
  base.OnMouseWheel = [&](fw::TComponent*, fw::TShiftState, int32_t delta, int32_t, int32_t, bool& handled) {
    ++wheels;
    EXPECT_EQ(delta, 240);
    handled = true;
  };
  EXPECT_TRUE(base.MouseWheel(0, 240, 1, 1));
  EXPECT_EQ(wheels, 1);
  EXPECT_TRUE(control->Input.empty());
}

TEST_F(ShownControl, CursorMapsToTheWindowSystemsShapes) {
  control->SetCursor(fw::crCross);
  EXPECT_EQ(W(control)->cursor().shape(), Qt::CrossCursor);
  control->SetCursor(fw::crHandPoint);
  EXPECT_EQ(W(control)->cursor().shape(), Qt::PointingHandCursor);
  control->SetCursor(fw::crDefault);
  EXPECT_FALSE(W(control)->testAttribute(Qt::WA_SetCursor));
  fw::TCursor c;
  ASSERT_TRUE(fw::IdentToCursor("crDrag", c));
  EXPECT_EQ(c, fw::crDrag);
  EXPECT_EQ(fw::CursorToIdent(fw::crHandPoint), "crHandPoint");
  EXPECT_FALSE(fw::IdentToCursor("crBogus", c));
}

TEST_F(ShownControl, AnExceptionInPaintIsShownOnceAfterThePaint) {
  ctltest::MessageBoxRecorder boxes;
  control->ThrowInPaint = true;
  control->Repaint();
  EXPECT_TRUE(boxes.Boxes.empty());
  control->Repaint();
  QApplication::processEvents();
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "paint failed");
  EXPECT_EQ(boxes.Boxes[0].Flags, fw::MB_OK | fw::MB_ICONERROR);
  control->ThrowInPaint = false;
}

// ---- merged invalidation: a queued update stands for later ones, but never gets stuck ----

namespace {

// Lets the window system deliver what it still has for the control (a shown widget is painted
// a little later, not in the same round of the event loop).
void Settle() {
  QTest::qWait(20);
  QApplication::processEvents();
}

// Invalidates on a settled control and tells whether Paint runs for it.
bool InvalidateIsPainted(Drawn& control) {
  Settle();
  const int before = control.Paints;
  control.Invalidate();
  return QTest::qWaitFor([&] { return control.Paints > before; }, 2000);
}

}  // namespace

TEST_F(ShownControl, EveryInvalidationAfterAPaintIsPaintedAgain) {
  for (int round = 0; round < 4; ++round) {
    const int before = control->Paints;
    for (int i = 0; i < 100; ++i) control->Invalidate();
    QApplication::processEvents();
    EXPECT_EQ(control->Paints, before + 1) << "round " << round;
  }
}

TEST_F(ShownControl, InvalidationDuringPaintIsPaintedByTheNextRound) {
  struct Reinvalidating : Drawn {
    using Drawn::Drawn;
    int Remaining = 0;
    void Paint() override {
      Drawn::Paint();
      if (Remaining > 0) {
        --Remaining;
        Invalidate();
      }
    }
  };
  auto* c = new Reinvalidating(&form);
  c->SetParent(&form);
  c->SetBounds(150, 10, 40, 40);
  QApplication::processEvents();
  c->Remaining = 2;
  const int before = c->Paints;
  c->Invalidate();
  for (int i = 0; i < 5 && c->Paints < before + 3; ++i) QApplication::processEvents();
  EXPECT_EQ(c->Paints, before + 3);
  EXPECT_TRUE(InvalidateIsPainted(*c));
}

TEST_F(ShownControl, PaintsOutsideTheEventLoopLeaveLaterInvalidationsWorking) {
  control->Invalidate();
  control->Repaint();  // answers the pending request synchronously
  EXPECT_TRUE(InvalidateIsPainted(*control));
  control->Invalidate();
  W(control)->grab();  // renders through the paint handler, not through the window
  QApplication::processEvents();
  EXPECT_TRUE(InvalidateIsPainted(*control));
}

TEST_F(ShownControl, InvalidationWhileHiddenOrWithoutAreaIsNotLost) {
  control->SetVisible(false);
  QApplication::processEvents();
  int before = control->Paints;
  control->Invalidate();
  QApplication::processEvents();
  EXPECT_EQ(control->Paints, before);
  control->SetVisible(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return control->Paints > before; }));
  EXPECT_TRUE(InvalidateIsPainted(*control));

  control->SetBounds(10, 10, 0, 0);
  QApplication::processEvents();
  control->Invalidate();
  QApplication::processEvents();
  control->SetBounds(10, 10, 60, 30);
  QApplication::processEvents();
  EXPECT_TRUE(InvalidateIsPainted(*control));
}

TEST_F(ShownControl, UpdateDroppedByHidingIsRequestedAgainAfterShowing) {
  control->Invalidate();  // queued, then dropped by the hide below
  control->SetVisible(false);
  QApplication::processEvents();
  control->SetVisible(true);
  QApplication::processEvents();
  EXPECT_TRUE(InvalidateIsPainted(*control));

  control->Invalidate();
  form.Hide();  // the whole window goes, and with it the queued update
  QApplication::processEvents();
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(W(&form)));
  QApplication::processEvents();
  EXPECT_TRUE(InvalidateIsPainted(*control));
}

TEST_F(ShownControl, UpdateQueuedInAnotherWindowDoesNotStandAfterReparenting) {
  fw::TForm other;
  other.SetBounds(320, 0, 200, 150);
  other.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(W(&other)));
  control->Invalidate();
  control->SetParent(&other);
  QApplication::processEvents();
  EXPECT_TRUE(InvalidateIsPainted(*control));
  control->Invalidate();
  control->SetParent(&form);
  QApplication::processEvents();
  EXPECT_TRUE(InvalidateIsPainted(*control));
}

TEST_F(ShownControl, UpdatesSwitchedOffAndOnAgainPaintTheInvalidation) {
  control->Invalidate();
  W(control)->setUpdatesEnabled(false);
  QApplication::processEvents();
  const int before = control->Paints;
  W(control)->setUpdatesEnabled(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return control->Paints > before; }));
  EXPECT_TRUE(InvalidateIsPainted(*control));
}

TEST_F(ShownControl, DrawingOutsidePaintAfterAPaintIsCopiedAgain) {
  PaintEventCounter counter;
  W(control)->installEventFilter(&counter);
  fw::TSurface& canvas = control->Canvas();
  for (int round = 0; round < 3; ++round) {
    const int events = counter.Count;
    canvas.Brush().SetColor(round % 2 ? fw::clBlue : fw::clLime);
    canvas.FillRect({0, 0, 10, 10});
    canvas.FillRect({20, 0, 30, 10});
    QApplication::processEvents();
    EXPECT_EQ(counter.Count, events + 1) << "round " << round;
  }
  W(control)->removeEventFilter(&counter);
}
