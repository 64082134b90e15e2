#include "framework/controls/TUpDown.h"

#include "ControlTestSupport.h"
#include "framework/controls/TEdit.h"

using ctltest::W;

namespace {

// The spinner of the parameter fields: buddy edit at (168, 32), range 0 to 99.
struct Spinner : ::testing::Test {
  std::vector<std::string> log;
  fw::TForm form;
  fw::TEdit* buddy = new fw::TEdit(&form);
  fw::TUpDown* upDown = new fw::TUpDown(&form);

  void SetUp() override {
    buddy->SetParent(&form);
    upDown->SetParent(&form);
    buddy->SetBounds(168, 32, 121, 21);
    buddy->SetText("0");
    upDown->SetMax(99);
    upDown->SetAssociate(buddy);
    upDown->OnChanging = [this](fw::TComponent* sender, bool&) {
      EXPECT_EQ(sender, upDown);
      log.push_back("changing " + std::to_string(upDown->Position()));
    };
    buddy->OnChange = [this](fw::TComponent*) { log.push_back("text " + buddy->Text()); };
  }
};

}  // namespace

TEST_F(Spinner, SitsAtTheBuddysRightEdgeWithItsHeight) {
  EXPECT_EQ(upDown->Left(), 289);
  EXPECT_EQ(upDown->Top(), 32);
  EXPECT_EQ(upDown->Width(), 16);
  EXPECT_EQ(upDown->Height(), 21);
}

TEST_F(Spinner, EveryStepAsksFirstThenWritesTheNewPositionIntoTheBuddy) {
  upDown->Step(fw::btNext);
  upDown->Step(fw::btNext);
  upDown->Step(fw::btNext);
  EXPECT_EQ(upDown->Position(), 3);
  EXPECT_EQ(buddy->Text(), "3");
  EXPECT_EQ(log, (std::vector<std::string>{"changing 0", "text 1", "changing 1", "text 2", "changing 2", "text 3"}));
}

TEST_F(Spinner, AssigningThePositionAsksFirstToo) {
  upDown->SetPosition(56);
  EXPECT_EQ(log, (std::vector<std::string>{"changing 0", "text 56"}));
  log.clear();
  upDown->SetPosition(56);
  EXPECT_TRUE(log.empty());
}

TEST_F(Spinner, RefusalKeepsThePositionAndTheBuddyText) {
  upDown->OnChanging = [](fw::TComponent*, bool& allow) { allow = false; };
  upDown->Step(fw::btNext);
  upDown->SetPosition(40);
  EXPECT_EQ(upDown->Position(), 0);
  EXPECT_EQ(buddy->Text(), "0");
  EXPECT_TRUE(log.empty());
}

TEST_F(Spinner, PositionsOutsideTheRangeAreClamped) {
  upDown->SetPosition(100);
  EXPECT_EQ(upDown->Position(), 99);
  EXPECT_EQ(buddy->Text(), "99");
  log.clear();
  upDown->SetPosition(1000);  // clamps to the current position: no change at all
  EXPECT_TRUE(log.empty());
  upDown->SetPosition(-5);
  EXPECT_EQ(upDown->Position(), 0);
  EXPECT_EQ(buddy->Text(), "0");
}

TEST_F(Spinner, ClicksAtTheLimitsDoNothingWithoutWrap) {
  upDown->Step(fw::btPrev);
  EXPECT_TRUE(log.empty());
  upDown->SetPosition(99);
  log.clear();
  upDown->Step(fw::btNext);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(upDown->Position(), 99);
  upDown->SetIncrement(5);
  upDown->SetPosition(97);
  upDown->Step(fw::btNext);
  EXPECT_EQ(upDown->Position(), 99);  // a step past the limit stops at it
}

TEST_F(Spinner, WrapJumpsToTheOtherLimit) {
  upDown->SetWrap(true);
  upDown->SetPosition(99);
  upDown->Step(fw::btNext);
  EXPECT_EQ(upDown->Position(), 0);
  upDown->Step(fw::btPrev);
  EXPECT_EQ(upDown->Position(), 99);
}

TEST_F(Spinner, ClicksOnTheArrowsStep) {
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(W(&form)));
  QWidget* w = W(upDown);
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 3));
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 3));
  EXPECT_EQ(buddy->Text(), "2");
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 18));
  EXPECT_EQ(buddy->Text(), "1");
  EXPECT_EQ(upDown->Position(), 1);
}

TEST_F(Spinner, ABuddyHandlerThatThrowsIsReportedAndThePositionStands) {
  ctltest::MessageBoxRecorder boxes;
  buddy->OnChange = [](fw::TComponent*) { throw std::invalid_argument("'x' is not a valid integer value"); };
  upDown->Step(fw::btNext);
  EXPECT_EQ(upDown->Position(), 1);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "'x' is not a valid integer value");
}

TEST(TUpDown, LoadingStoresTheValuesAndLoadedWritesTheBuddy) {
  fw::TForm form;
  auto* buddy = new fw::TEdit(&form);
  auto* upDown = new fw::TUpDown(&form);
  int changing = 0;
  upDown->OnChanging = [&](fw::TComponent*, bool&) { ++changing; };
  upDown->SetLoading();
  upDown->SetParent(&form);
  upDown->SetMax(99);
  upDown->SetPosition(7);
  upDown->SetAssociate(buddy);
  EXPECT_EQ(buddy->Text(), "");
  upDown->Loaded();
  EXPECT_EQ(changing, 0);
  EXPECT_EQ(upDown->Position(), 7);
  EXPECT_EQ(buddy->Text(), "7");
}

TEST(TUpDown, AFreedBuddyIsForgotten) {
  fw::TUpDown upDown;
  auto* buddy = new fw::TEdit;
  upDown.SetAssociate(buddy);
  delete buddy;
  EXPECT_EQ(upDown.Associate(), nullptr);
  upDown.Step(fw::btNext);
  EXPECT_EQ(upDown.Position(), 1);
}

TEST_F(Spinner, ArrowKeysInTheBuddyStep) {
  QTest::keyClick(W(buddy), Qt::Key_Up);
  QTest::keyClick(W(buddy), Qt::Key_Up);
  QTest::keyClick(W(buddy), Qt::Key_Down);
  EXPECT_EQ(upDown->Position(), 1);
  upDown->SetArrowKeys(false);
  QTest::keyClick(W(buddy), Qt::Key_Up);
  EXPECT_EQ(upDown->Position(), 1);
}
