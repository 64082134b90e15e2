// The main window through its real controls: start-up state, ticks, parameter entry with
// keys and focus, the error path, the spinner chain, Start and Stop, tab order.
#include "app/Main.h"

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QImage>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QThread>

#include "app/Simulation.h"
#include "chart/axes/TChartAxis.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TCheckBox.h"
#include "framework/controls/TEdit.h"
#include "framework/controls/TApplication.h"
#include "framework/controls/TLabeledEdit.h"
#include "framework/controls/TManualTimerClock.h"
#include "framework/controls/TTimer.h"
#include "framework/controls/TUpDown.h"
#include "framework/streaming/EmbeddedForms.h"
#include "framework/streaming/TFormParser.h"
#include "framework/streaming/TFormWriter.h"
#include "tests/framework/controls/ControlTestSupport.h"

using ctltest::W;

namespace {

double Luminance(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

// How a check box shows its state: the largest luminance change inside its indicator between
// the unchecked and the checked picture (the mark against the box), and the luminance of the
// indicator's centre when unchecked (the box).
struct TCheckMarkLook {
  double MarkContrast = 0;
  double BoxLuminance = 0;
};

TCheckMarkLook LookOf(QCheckBox& box) {
  QStyleOptionButton option;
  option.initFrom(&box);
  option.text = box.text();
  const QRect indicator = box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
  const bool was = box.isChecked();
  const QSignalBlocker blocker(&box);
  box.setChecked(false);
  const QImage unchecked = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
  box.setChecked(true);
  const QImage checked = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
  box.setChecked(was);
  TCheckMarkLook look;
  for (int y = indicator.top(); y <= indicator.bottom(); ++y)
    for (int x = indicator.left(); x <= indicator.right(); ++x)
      look.MarkContrast = std::max(look.MarkContrast, std::abs(Luminance(checked.pixel(x, y)) -
                                                                Luminance(unchecked.pixel(x, y))));
  look.BoxLuminance = Luminance(unchecked.pixel(indicator.center()));
  return look;
}

// A value of a parsed layout as comparable text.
std::string ValueText(const fw::TFormValue& v) {
  switch (v.Kind) {
    case fw::TFormValue::vkInteger: return "i" + std::to_string(v.Integer);
    case fw::TFormValue::vkReal: return "r" + fw::TFormWriter::FormatReal(v.Real);
    case fw::TFormValue::vkString: return "s" + v.Text;
    case fw::TFormValue::vkIdent: return "n" + v.Text;
    case fw::TFormValue::vkBinary: return "b" + v.Text;
    case fw::TFormValue::vkSet: {
      std::string text = "[";
      for (const std::string& e : v.Elements) text += e + ",";
      return text + "]";
    }
    case fw::TFormValue::vkList:
    case fw::TFormValue::vkCollection: {
      std::string text = "(";
      for (const fw::TFormValue& item : v.Items) text += ValueText(item) + ",";
      return text + ")";
    }
  }
  return {};
}

// Every property of a layout by its full path (Form1.Panel2.Chart1.Title.Font.Color).
void Flatten(const fw::TFormObject& object, const std::string& path, std::map<std::string, std::string>& out) {
  const std::string here = path.empty() ? object.Name : path + "." + object.Name;
  for (const fw::TFormProperty& p : object.Properties) {
    // A string list may be written as Name = ( ... ) or as Name.Strings = ( ... ).
    std::string name = p.Name;
    if (p.Value.Kind == fw::TFormValue::vkList && name.size() > 8 && name.ends_with(".Strings"))
      name.resize(name.size() - 8);
    out[here + "." + name] = ValueText(p.Value);
  }
  for (const fw::TFormObject& child : object.Children) Flatten(child, here, out);
}

struct MainWindow : ::testing::Test {
  fw::TManualTimerClock clock;  // the animation timer ticks only when a test advances it
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
  clock.Advance(39);
  EXPECT_EQ(app::Simulation().SimTime, 0);
  clock.Advance(1);
  clock.Advance(40);
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
  std::vector<bool> onWindowThread;
  const auto tick = form->Timer1->OnTimer;
  form->Timer1->OnTimer = [&](fw::TComponent* sender) {
    onWindowThread.push_back(QThread::currentThread() == QCoreApplication::instance()->thread());
    tick(sender);
  };
  form->Button1Click(form->Button1);
  clock.Advance(200);
  form->Button2Click(form->Button2);
  clock.Advance(200);
  EXPECT_EQ(onWindowThread, std::vector<bool>(5, true));
  EXPECT_NEAR(app::Simulation().SimTime, 0.1, 1e-12);
  EXPECT_EQ(Series().PointCount(), 501);
}

TEST_F(MainWindow, ASlowTickLetsNoOtherTickInUntilTheTestAdvancesTheClock) {
  // However long a tick takes, the messages it processes hold no further tick.
  const auto tick = form->Timer1->OnTimer;
  int ticks = 0;
  form->Timer1->OnTimer = [&](fw::TComponent* sender) {
    ++ticks;
    QThread::msleep(60);  // longer than the 40 ms period
    tick(sender);
    fw::Application()->ProcessMessages();
  };
  form->Button1Click(form->Button1);
  QThread::msleep(60);
  fw::Application()->ProcessMessages();
  EXPECT_EQ(ticks, 0);
  clock.Advance(40);
  EXPECT_EQ(ticks, 1);
  EXPECT_DOUBLE_EQ(app::Simulation().SimTime, 0.02);
  form->Button2Click(form->Button2);
}

TEST_F(MainWindow, TheCheckMarkIsAsVisibleAsOnAStandardCheckBox) {
  auto* box = qobject_cast<QCheckBox*>(W(form->CheckBox1));
  ASSERT_NE(box, nullptr);
  // The platform's standard check box, with the same font, size and caption.
  QCheckBox standard(box->text());
  standard.setFont(box->font());
  standard.resize(box->size());
  const TCheckMarkLook expected = LookOf(standard);
  ASSERT_GT(expected.MarkContrast, 128);  // dark on light

  const TCheckMarkLook plain = LookOf(*box);
  EXPECT_GE(plain.MarkContrast, expected.MarkContrast - 16);
  EXPECT_GE(plain.BoxLuminance, expected.BoxLuminance - 16);

  form->CheckBox1->SetFocus();
  QApplication::processEvents();
  ASSERT_TRUE(box->hasFocus());
  const TCheckMarkLook focused = LookOf(*box);
  EXPECT_GE(focused.MarkContrast, expected.MarkContrast - 16);
  EXPECT_GE(focused.BoxLuminance, expected.BoxLuminance - 16);

  // The caption keeps the stored white bold font.
  EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_TRUE(box->font().bold());
  EXPECT_TRUE(form->CheckBox1->Checked());
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

TEST(MainWindowLayout, WritingBackGivesTheStoredLayoutPropertyByProperty) {
  app::TForm1 form(nullptr);
  std::map<std::string, std::string> stored, written;
  Flatten(fw::TFormParser::Parse(fw::EmbeddedMainForm()), "", stored);
  Flatten(fw::TFormParser::Parse(fw::TFormWriter::Write(form)), "", written);
  ASSERT_GT(written.size(), 100u);
  // Everything written is in the stored layout with the same value; what the stored layout has
  // beyond that are values equal to their defaults.
  for (const auto& [path, value] : written) {
    const auto it = stored.find(path);
    if (it == stored.end()) {
      ADD_FAILURE() << "written but not stored: " << path;
      continue;
    }
    EXPECT_EQ(value, it->second) << path;
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
