// The main window through its real controls: start-up state, ticks, parameter entry with
// keys and focus, the error path, the spinner chain, Start and Stop, tab order.
#include "app/Main.h"

#include <cmath>

#include "app/Simulation.h"
#include "chart/axes/TChartAxis.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TCheckBox.h"
#include "framework/controls/TEdit.h"
#include "framework/controls/TLabeledEdit.h"
#include "framework/controls/TTimer.h"
#include "framework/controls/TUpDown.h"
#include "framework/streaming/TFormWriter.h"
#include "tests/framework/controls/ControlTestSupport.h"

using ctltest::W;

namespace {

struct MainWindow : ::testing::Test {
  ctltest::MessageBoxRecorder boxes;
  app::TForm1* form = nullptr;

  void SetUp() override {
    app::Simulation() = app::TSimulation{};
    form = new app::TForm1(nullptr);
    form->AfterConstruction();
    ASSERT_TRUE(ctltest::ShowActive(*form));
    QApplication::processEvents();
  }
  void TearDown() override { delete form; }

  chart::TChartSeries& Series() const { return form->Chart1->SeriesAt(0); }

  /// Types `text` over the field's whole text through real key events.
  void TypeInto(fw::TEdit* field, const std::string& text) {
    field->SetFocus();
    QApplication::processEvents();
    field->SelectAll();
    QTest::keyClick(W(field), Qt::Key_Delete);
    QTest::keyClicks(W(field), QString::fromStdString(text));
  }
  void PressEnter(fw::TEdit* field) { QTest::keyClick(W(field), Qt::Key_Return); }

  /// Accepted typed length: Enter leaves no message box.
  bool LengthAccepted(const std::string& text) {
    const size_t before = boxes.Boxes.size();
    TypeInto(form->LabeledEdit1, text);
    PressEnter(form->LabeledEdit1);
    return boxes.Boxes.size() == before;
  }
  bool VelocityAccepted(const std::string& text) {
    const size_t before = boxes.Boxes.size();
    TypeInto(form->LabeledEdit3, text);
    PressEnter(form->LabeledEdit3);
    return boxes.Boxes.size() == before;
  }
};

}  // namespace

TEST_F(MainWindow, StartsWithTheStoredLayoutAndValidatedFields) {
  EXPECT_EQ(form->Caption(), "Standing wave moving relativistically");
  EXPECT_EQ(form->LabeledEdit1->Text(), "500");
  EXPECT_EQ(form->LabeledEdit3->Text(), "0");
  EXPECT_TRUE(form->CheckBox1->Checked());
  EXPECT_TRUE(form->Button1->Enabled());
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_EQ(form->Timer1->Interval(), 40);
  EXPECT_EQ(app::Simulation().StringLength, 500);
  EXPECT_EQ(app::Simulation().Velocity, 0);
  EXPECT_TRUE(boxes.Boxes.empty());

  ASSERT_EQ(form->Chart1->SeriesCount(), 1);
  EXPECT_EQ(&Series(), form->Series1);
  EXPECT_EQ(Series().PointCount(), 0);
  EXPECT_EQ(form->Series1->SeriesColor(), fw::clRed);
  EXPECT_EQ(form->Series1->LinePen().Color(), fw::clRed);
  EXPECT_EQ(Series().XValues().Order(), chart::loAscending);
  EXPECT_FALSE(form->Chart1->View3D());
  EXPECT_EQ(form->Chart1->MaxPointsPerPage(), 1000);
  EXPECT_EQ(form->Chart1->BottomAxis().Minimum(), 0);
  EXPECT_EQ(form->Chart1->BottomAxis().Maximum(), 1000);
  EXPECT_EQ(form->Chart1->LeftAxis().Minimum(), -1000);
  EXPECT_EQ(form->Chart1->LeftAxis().Maximum(), 1000);
  EXPECT_FALSE(form->Chart1->LeftAxis().Automatic());
  ASSERT_EQ(form->Chart1->Title().Text().size(), 1u);
  EXPECT_EQ(form->Chart1->Title().Text()[0], "Standing wave moving relativistically");
  EXPECT_EQ(form->Chart1->Title().Font().Color(), fw::clBlue);
  EXPECT_EQ(form->Chart1->Color(), fw::clWhite);
}

TEST_F(MainWindow, OneTickAtTimeZeroSamplesTheFundamentalMode) {
  form->Timer1Timer(form->Timer1);
  ASSERT_EQ(Series().PointCount(), 501);
  for (int i = 0; i <= 500; ++i) {
    EXPECT_EQ(Series().XValueOf(i), i);
    EXPECT_NEAR(Series().YValueOf(i), -1000 * std::sin(M_PI * i / 500), 1e-9) << i;
  }
  EXPECT_DOUBLE_EQ(app::Simulation().SimTime, 0.02);
}

TEST_F(MainWindow, MovingFrameWrapsOnlyWhenNotPinned) {
  app::Simulation().StringLength = 1000;
  app::Simulation().Velocity = 0.5;
  app::Simulation().SimTime = 1;
  form->ComputeFrame();
  // FirstIndex 500, LastIndex RoundHalfEven(866.03 + 500) = 1366: 867 points.
  ASSERT_EQ(Series().PointCount(), 867);
  for (int i = 0; i < 867; ++i) ASSERT_EQ(Series().XValueOf(i), i);
  EXPECT_DOUBLE_EQ(Series().YValueOf(0), app::SampleWave(500));

  form->CheckBox1->SetChecked(false);
  form->ComputeFrame();
  ASSERT_EQ(Series().PointCount(), 867);
  // i = 1000..1366 wrap to 0..366 and stand before 500..999.
  for (int k = 0; k <= 366; ++k) ASSERT_EQ(Series().XValueOf(k), k);
  for (int k = 367; k < 867; ++k) ASSERT_EQ(Series().XValueOf(k), 500 + (k - 367));
  EXPECT_DOUBLE_EQ(Series().YValueOf(0), app::SampleWave(1000));
}

TEST_F(MainWindow, LongStringFoldsBackWithEqualXInInsertionOrder) {
  app::Simulation().StringLength = 2000;
  form->ComputeFrame();
  ASSERT_EQ(Series().PointCount(), 2001);
  // X = 0 three times (p = 0, 1000, 2000), in the order they were added.
  for (int k = 0; k < 3; ++k) EXPECT_EQ(Series().XValueOf(k), 0);
  EXPECT_DOUBLE_EQ(Series().YValueOf(0), app::SampleWave(0));
  EXPECT_DOUBLE_EQ(Series().YValueOf(1), app::SampleWave(1000));
  EXPECT_DOUBLE_EQ(Series().YValueOf(2), app::SampleWave(2000));
  EXPECT_EQ(Series().XValueOf(3), 1);
  EXPECT_EQ(Series().XValueOf(2000), 999);
}

TEST_F(MainWindow, TypedLengthsAndVelocitiesFollowTheAcceptedRanges) {
  EXPECT_TRUE(LengthAccepted("100"));
  EXPECT_EQ(app::Simulation().StringLength, 100);
  EXPECT_TRUE(LengthAccepted("2000"));
  EXPECT_TRUE(LengthAccepted(" 500"));
  EXPECT_EQ(app::Simulation().StringLength, 500);
  for (const char* bad : {"99.9", "2000.0001", "500 ", "5,0", "abc"}) {
    EXPECT_FALSE(LengthAccepted(bad)) << bad;
    EXPECT_EQ(app::Simulation().StringLength, 500) << bad;
    EXPECT_FALSE(form->Button1->Enabled()) << bad;
  }
  EXPECT_FALSE(LengthAccepted(""));
  EXPECT_EQ(app::Simulation().StringLength, 500);
  // Leave a valid text behind: leaving a rejected field would report it again.
  EXPECT_TRUE(LengthAccepted("500"));

  // 0.999 is accepted; the spinner, clamped at 99, then puts the field on its grid.
  EXPECT_TRUE(VelocityAccepted("0.999"));
  EXPECT_EQ(form->UpDown1->Position(), 99);
  EXPECT_DOUBLE_EQ(app::Simulation().Velocity, 0.99);
  EXPECT_TRUE(VelocityAccepted("1e-1"));
  EXPECT_DOUBLE_EQ(app::Simulation().Velocity, 0.1);
  EXPECT_FALSE(VelocityAccepted("0.9991"));
  EXPECT_FALSE(VelocityAccepted("-0.01"));
  EXPECT_DOUBLE_EQ(app::Simulation().Velocity, 0.1);
}

TEST_F(MainWindow, RejectedInputStopsTheAnimationAndCorrectionReenablesStart) {
  form->Button1Click(form->Button1);
  ASSERT_TRUE(form->Timer1->Enabled());

  TypeInto(form->LabeledEdit1, "99");
  PressEnter(form->LabeledEdit1);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Bad data");
  EXPECT_EQ(boxes.Boxes[0].Caption, "*** ERROR ***");
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_FALSE(form->Button1->Enabled());
  EXPECT_EQ(form->LabeledEdit1->SelText(), "99");
  EXPECT_TRUE(form->LabeledEdit1->Focused());
  EXPECT_EQ(app::Simulation().StringLength, 500);

  TypeInto(form->LabeledEdit1, "800");
  PressEnter(form->LabeledEdit1);
  EXPECT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_TRUE(form->Button1->Enabled());
  EXPECT_FALSE(form->Timer1->Enabled());  // not restarted
  EXPECT_EQ(app::Simulation().StringLength, 800);
}

TEST_F(MainWindow, LeavingAFieldValidatesItOnceWithoutABoxLoop) {
  TypeInto(form->LabeledEdit1, "5000");
  QTest::keyClick(W(form->LabeledEdit1), Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_TRUE(form->LabeledEdit1->Focused());
  EXPECT_FALSE(form->Button1->Enabled());
}

TEST_F(MainWindow, SpinnerStepsTheVelocityInHundredths) {
  for (int k = 0; k < 3; ++k) form->UpDown1->Step(fw::btNext);
  EXPECT_EQ(form->UpDown1->Position(), 3);
  EXPECT_EQ(form->Edit1->Text(), "3");
  EXPECT_EQ(form->LabeledEdit3->Text(), "0.03");
  EXPECT_DOUBLE_EQ(app::Simulation().Velocity, 0.03);
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(MainWindow, TypedVelocityEndsOnTheSpinnerGridOnlyWhenThePositionMoves) {
  EXPECT_TRUE(VelocityAccepted("0.555"));
  EXPECT_EQ(form->UpDown1->Position(), 56);
  EXPECT_EQ(form->LabeledEdit3->Text(), "0.56");
  EXPECT_DOUBLE_EQ(app::Simulation().Velocity, 0.56);

  EXPECT_TRUE(VelocityAccepted("0.5"));
  EXPECT_EQ(form->UpDown1->Position(), 50);
  EXPECT_TRUE(VelocityAccepted("0.503"));
  EXPECT_EQ(form->UpDown1->Position(), 50);
  EXPECT_EQ(form->LabeledEdit3->Text(), "0.503");
  EXPECT_DOUBLE_EQ(app::Simulation().Velocity, 0.503);
}

TEST_F(MainWindow, HiddenFieldWithoutAnIntegerIsReportedAndChangesNothing) {
  EXPECT_TRUE(VelocityAccepted("0.2"));
  TypeInto(form->Edit1, "x");
  ASSERT_FALSE(boxes.Boxes.empty());
  for (const auto& box : boxes.Boxes)
    EXPECT_NE(box.Text.find("is not a valid integer value"), std::string::npos) << box.Text;
  EXPECT_EQ(form->LabeledEdit3->Text(), "0.2");
  EXPECT_DOUBLE_EQ(app::Simulation().Velocity, 0.2);
}

TEST_F(MainWindow, StopKeepsTheFrameAndStartRestartsFromTimeZero) {
  form->Button1Click(form->Button1);
  form->Timer1Timer(form->Timer1);
  form->Timer1Timer(form->Timer1);
  EXPECT_DOUBLE_EQ(app::Simulation().SimTime, 0.04);
  form->Button2Click(form->Button2);
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_EQ(Series().PointCount(), 501);
  EXPECT_DOUBLE_EQ(app::Simulation().SimTime, 0.04);
  QTest::mouseClick(W(form->Button1), Qt::LeftButton);
  EXPECT_TRUE(form->Timer1->Enabled());
  EXPECT_EQ(app::Simulation().SimTime, 0);
  form->Button2Click(form->Button2);
}

TEST_F(MainWindow, RunningTimerTicksOnTheWindowThread) {
  form->Button1Click(form->Button1);
  QTest::qWait(200);
  form->Button2Click(form->Button2);
  EXPECT_GT(app::Simulation().SimTime, 0);
  EXPECT_EQ(Series().PointCount(), 501);
}

TEST_F(MainWindow, TabOrderRunsThroughTheFieldsCheckBoxAndButtons) {
  form->LabeledEdit1->SetFocus();
  QApplication::processEvents();
  const std::vector<fw::TWinControl*> expected = {form->LabeledEdit3, form->CheckBox1, form->Button1,
                                                  form->Button2};
  for (fw::TWinControl* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(next->Focused()) << next->Name();
  }
}

TEST(MainWindowLayout, WritesBackWhatItReadsAndReadsItAgainUnchanged) {
  app::TForm1 first(nullptr);
  const std::string written = fw::TFormWriter::Write(first);
  EXPECT_NE(written.find("object Series1: TFastLineSeries"), std::string::npos);
  EXPECT_NE(written.find("LeftAxis.Minimum = -1000"), std::string::npos);
  app::TForm1 second(nullptr, written);
  EXPECT_EQ(fw::TFormWriter::Write(second), written);
  EXPECT_EQ(second.Chart1->LeftAxis().Increment(), 10);
  EXPECT_EQ(second.Series1->SeriesColor(), fw::clRed);
  EXPECT_EQ(second.LabeledEdit3->EditLabel().Caption(), "Velocity (\u00DF)");
  EXPECT_EQ(second.UpDown1->Associate(), second.Edit1);
}
