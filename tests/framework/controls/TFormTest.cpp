#include "framework/controls/TForm.h"

#include "ControlTestSupport.h"
#include "framework/controls/TApplication.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TPanel.h"
#include "framework/graphics/TFont.h"
#include "framework/runtime/Exception.h"

using ctltest::W;

namespace {

// A form whose constructor stands for loading its layout: it wires OnCreate itself.
struct LoadedForm : fw::TForm {
  explicit LoadedForm(fw::TComponent* owner) : TForm(owner) {
    SetCaption("Standing wave moving relativistically");
    OnCreate = [this](fw::TComponent*) { ++Creates; };
  }
  int Creates = 0;
};

}  // namespace

TEST(TForm, OuterBoundsAreTheWindowAndTheClientAreaLiesInsideTheFrame) {
  fw::TForm form;
  form.SetBounds(192, 125, 1055, 674);
  EXPECT_EQ(form.ClientWidth(), 1055 - 2 * fw::TForm::FrameSide);
  EXPECT_EQ(form.ClientHeight(), 674 - fw::TForm::FrameTop - fw::TForm::FrameSide);
  EXPECT_EQ(W(&form)->size(), QSize(form.ClientWidth(), form.ClientHeight()));
  EXPECT_EQ(W(&form)->pos(), QPoint(192, 125));
  auto* panel = new fw::TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(24, 16, 1001, 601);
  EXPECT_EQ(W(panel)->parentWidget(), W(&form));
  EXPECT_EQ(W(panel)->geometry(), QRect(24, 16, 1001, 601));
  EXPECT_LE(panel->Left() + panel->Width(), form.ClientWidth());
  EXPECT_LE(panel->Top() + panel->Height(), form.ClientHeight());
  form.SetClientWidth(500);
  EXPECT_EQ(form.Width(), 500 + 2 * fw::TForm::FrameSide);
  form.SetBorderStyle(fw::bsNone);
  EXPECT_EQ(form.ClientWidth(), form.Width());
}

TEST(TForm, SystemMenuOnlyMeansACloseButtonButNoMinimiseOrMaximise) {
  fw::TForm form;
  form.SetBorderIcons(fw::biSystemMenu);
  const Qt::WindowFlags flags = W(&form)->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(W(&form)->isVisible());
}

TEST(TForm, CaptionColourAndFontReachTheWindowAndTheChildren) {
  fw::TForm form;
  auto* button = new fw::TButton(&form);
  button->SetParent(&form);
  form.SetCaption("Standing wave moving relativistically");
  EXPECT_EQ(W(&form)->windowTitle(), QString("Standing wave moving relativistically"));
  form.SetColor(fw::clTeal);
  EXPECT_EQ(W(&form)->palette().color(QPalette::Window), QColor(0, 128, 128));
  fw::TFont font;
  font.SetName("Arial");
  font.SetHeight(-13);
  font.SetStyle(fw::fsBold);
  font.SetColor(fw::clWhite);
  form.SetFont(font);
  EXPECT_FALSE(form.ParentFont());
  EXPECT_TRUE(button->ParentFont());
  EXPECT_EQ(button->Font().Name(), "Arial");
  EXPECT_EQ(W(button)->font().pixelSize(), 13);
  EXPECT_TRUE(W(button)->font().bold());
  EXPECT_EQ(W(button)->palette().color(QPalette::ButtonText), QColor(255, 255, 255));
  EXPECT_THROW(form.SetPixelsPerInch(0), fw::Exception);
  EXPECT_EQ(form.PixelsPerInch(), 96);
}

TEST(TForm, OnActivateRunsOnlyOnTheFirstActivation) {
  fw::TForm form;
  int activations = 0;
  form.OnActivate = [&](fw::TComponent*) { ++activations; };
  ASSERT_TRUE(ctltest::ShowActive(form));
  EXPECT_EQ(activations, 1);
  ctltest::RunModalWindow();
  QApplication::processEvents();
  EXPECT_TRUE(form.Active());
  EXPECT_EQ(activations, 1);
}

TEST(TApplication, CreateFormRunsOnCreateAfterTheConstructorAndRunEndsWithTheMainForm) {
  LoadedForm* form = nullptr;
  fw::Application()->CreateForm(form);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Creates, 1);
  EXPECT_EQ(form->Owner(), fw::Application());
  ASSERT_EQ(fw::Application()->MainForm(), form);
  bool shownDuringRun = false;
  QTimer::singleShot(0, [&] {
    shownDuringRun = form->Visible() && W(form)->isVisible();
    form->Close();
  });
  fw::Application()->Run();
  EXPECT_TRUE(shownDuringRun);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(fw::Application()->Terminated());
  delete form;
  EXPECT_EQ(fw::Application()->MainForm(), nullptr);
}

TEST(TApplication, ExceptionsEscapingHandlersAreShownWithTheirMessage) {
  ctltest::MessageBoxRecorder boxes;
  fw::TForm form;
  auto* button = new fw::TButton(&form);
  button->SetParent(&form);
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(W(&form)));
  button->OnClick = [](fw::TComponent*) { throw fw::Exception("Bad data"); };
  QTest::mouseClick(W(button), Qt::LeftButton);
  button->OnClick = [](fw::TComponent*) { throw std::out_of_range("not a fw exception"); };
  QTest::mouseClick(W(button), Qt::LeftButton);
  ASSERT_EQ(boxes.Boxes.size(), 2u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Bad data");
  EXPECT_EQ(boxes.Boxes[0].Caption, fw::Application()->Title());
  EXPECT_EQ(boxes.Boxes[0].Flags, fw::MB_OK | fw::MB_ICONERROR);
  EXPECT_EQ(boxes.Boxes[1].Text, "not a fw exception");
  // The window keeps working.
  int clicks = 0;
  button->OnClick = [&](fw::TComponent*) { ++clicks; };
  QTest::mouseClick(W(button), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

TEST(TApplication, OnExceptionReplacesTheMessageBox) {
  ctltest::MessageBoxRecorder boxes;
  std::string seen;
  fw::Application()->OnException = [&](fw::TComponent*, const std::string& message) { seen = message; };
  const fw::Exception error("handled elsewhere");
  fw::Application()->HandleException(&error);
  fw::Application()->OnException = nullptr;
  EXPECT_EQ(seen, "handled elsewhere");
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST(TForm, AFormReadAsVisibleShowsOnlyWhenLoadingHasFinished) {
  fw::TForm form;
  form.SetLoading();
  form.SetVisible(true);
  EXPECT_FALSE(W(&form)->isVisible());
  form.Loaded();
  EXPECT_TRUE(W(&form)->isVisible());
}
