#include "framework/controls/TEdit.h"

#include <QLineEdit>

#include "ControlTestSupport.h"
#include "framework/controls/TLabeledEdit.h"


using ctltest::W;

namespace {

// A shown, active window with two edits side by side, as the parameter fields are.
struct EditWindow : ::testing::Test {
  std::vector<std::string> log;
  fw::TForm form;
  fw::TEdit* first = new fw::TEdit(&form);
  fw::TEdit* second = new fw::TEdit(&form);

  void SetUp() override {
    first->SetName("First");
    second->SetName("Second");
    form.SetBounds(0, 0, 400, 200);
    first->SetParent(&form);
    second->SetParent(&form);
    second->SetLeft(150);
    for (fw::TEdit* e : {first, second}) {
      e->OnEnter = [this](fw::TComponent* s) { log.push_back("enter " + s->Name()); };
      e->OnExit = [this](fw::TComponent* s) { log.push_back("exit " + s->Name()); };
    }
    ASSERT_TRUE(ctltest::ShowActive(form));
    first->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(first->Focused());
    log.clear();
  }
};

}  // namespace

TEST_F(EditWindow, ChangeFollowsTypingAndAssignmentButNotAnEqualText) {
  int changes = 0;
  first->OnChange = [&](fw::TComponent*) { ++changes; };
  QTest::keyClicks(W(first), "12");
  EXPECT_EQ(first->Text(), "12");
  EXPECT_EQ(changes, 2);
  first->SetText("500");
  EXPECT_EQ(changes, 3);
  first->SetText("500");
  EXPECT_EQ(changes, 3);
}

TEST_F(EditWindow, KeyPressSeesEachCharacterAndCanSwallowOrReplaceIt) {
  std::vector<int> keys;
  first->OnKeyPress = [&](fw::TComponent* sender, char& key) {
    EXPECT_EQ(sender, first);
    keys.push_back(key);
    if (key == 'x') key = 0;
    if (key == ',') key = '.';
  };
  QTest::keyClicks(W(first), "1x,5");
  QTest::keyClick(W(first), Qt::Key_Return);
  QTest::keyClick(W(first), Qt::Key_Backspace);
  EXPECT_EQ(keys, (std::vector<int>{'1', 'x', ',', '5', 13, 8}));
  EXPECT_EQ(first->Text(), "1.");
}

TEST_F(EditWindow, EnterRunsTheHandlerWithoutLeavingTheField) {
  int validations = 0;
  first->OnKeyPress = [&](fw::TComponent*, char& key) {
    if (key == 13) ++validations;
  };
  QTest::keyClick(W(first), Qt::Key_Return);
  EXPECT_EQ(validations, 1);
  EXPECT_TRUE(first->Focused());
  EXPECT_TRUE(log.empty());
}

TEST_F(EditWindow, ExitFiresWhenTheFocusMovesToAnotherControlOfTheWindow) {
  QTest::keyClick(W(first), Qt::Key_Tab);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"exit First", "enter Second"}));
  log.clear();
  QTest::mouseClick(W(first), Qt::LeftButton);
  EXPECT_TRUE(first->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"exit Second", "enter First"}));
}

TEST_F(EditWindow, AModalWindowTakingTheFocusIsNoExitAndItsReturnNoEnter) {
  ctltest::RunModalWindow();
  QApplication::processEvents();
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(first->Focused());
  QTest::keyClick(W(first), Qt::Key_Tab);
  EXPECT_EQ(log, (std::vector<std::string>{"exit First", "enter Second"}));
}

TEST_F(EditWindow, AnExitHandlerThatRefusesWithAMessageBoxKeepsTheFocusAndShowsOneBox) {
  // Both fields hold bad data: the error path of each shows a box, selects its text and takes
  // the focus back. Neither the box nor the focus coming back may start another exit.
  ctltest::MessageBoxRecorder boxes;
  boxes.WhileShown = ctltest::RunModalWindow;
  auto refuse = [&](fw::TComponent* sender) {
    log.push_back("exit " + sender->Name());
    auto* edit = static_cast<fw::TEdit*>(sender);
    fw::MessageBox("Bad data", "*** ERROR ***");
    edit->SelectAll();
    edit->SetFocus();
  };
  first->SetText("bad");
  second->SetText("worse");
  first->OnExit = refuse;
  second->OnExit = refuse;
  QTest::keyClick(W(first), Qt::Key_Tab);
  QApplication::processEvents();
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Bad data");
  EXPECT_EQ(boxes.Boxes[0].Caption, "*** ERROR ***");
  EXPECT_EQ(log, (std::vector<std::string>{"exit First"}));
  EXPECT_TRUE(first->Focused());
  EXPECT_EQ(first->SelText(), "bad");
}

TEST_F(EditWindow, ClickHandlerCanSelectTheWholeText) {
  first->SetText("500");
  second->SetText("0.5");
  second->OnClick = [&](fw::TComponent*) { second->SelectAll(); };
  QTest::mouseClick(W(second), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(second->SelStart(), 0);
  EXPECT_EQ(second->SelLength(), 3);
  EXPECT_EQ(second->SelText(), "0.5");
}

TEST(TEdit, SelectionPropertiesAndDefaults) {
  fw::TEdit edit;
  EXPECT_EQ(edit.Width(), 121);
  EXPECT_EQ(edit.Height(), 21);
  EXPECT_TRUE(edit.TabStop());
  EXPECT_EQ(edit.ClassName(), "TEdit");
  edit.SetText("Standing");
  edit.SetSelStart(2);
  edit.SetSelLength(3);
  EXPECT_EQ(edit.SelText(), "and");
  edit.SelectAll();
  EXPECT_EQ(edit.SelLength(), 8);
}

TEST(TEdit, NoChangeEventWhileLoading) {
  fw::TEdit edit;
  int changes = 0;
  edit.OnChange = [&](fw::TComponent*) { ++changes; };
  edit.SetLoading();
  edit.SetText("0");
  edit.Loaded();
  EXPECT_EQ(changes, 0);
  edit.SetText("1");
  EXPECT_EQ(changes, 1);
}

TEST(TLabeledEdit, LabelSitsAboveTheEditAndFollowsIt) {
  fw::TForm panel;
  auto* edit = new fw::TLabeledEdit(&panel);
  edit->SetParent(&panel);
  edit->EditLabel().SetCaption("Length (L)");
  edit->EditLabel().SetWidth(64);
  edit->EditLabel().SetHeight(16);
  edit->SetLabelSpacing(3);
  edit->SetBounds(19, 31, 121, 21);
  const fw::TBoundLabel& label = edit->EditLabel();
  EXPECT_EQ(label.Parent(), &panel);
  EXPECT_EQ(label.Left(), 19);
  EXPECT_EQ(label.Top(), 31 - 16 - 3);
  EXPECT_EQ(label.Width(), 64);
  EXPECT_EQ(W(&label)->geometry(), QRect(19, 12, 64, 16));
  edit->SetLabelPosition(fw::lpLeft);
  EXPECT_EQ(label.Left(), 19 - 64 - 3);
  EXPECT_EQ(label.Top(), 31 + (21 - 16) / 2);
  edit->SetVisible(false);
  EXPECT_FALSE(label.Visible());
}

TEST_F(EditWindow, TheRealMessageBoxIsModalOverTheWindowAndItsExitPathRunsOnce) {
  int shown = 0;
  QTimer closer;
  closer.setInterval(10);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    ++shown;
    EXPECT_EQ(box->text(), QString("Bad data"));
    EXPECT_EQ(box->windowTitle(), QString("*** ERROR ***"));
    EXPECT_EQ(box->parentWidget(), W(&form));
    box->button(QMessageBox::Ok)->click();
  });
  closer.start();
  first->SetText("bad");
  first->OnExit = [&](fw::TComponent*) {
    log.push_back("exit First");
    EXPECT_EQ(fw::MessageBox("Bad data", "*** ERROR ***"), fw::IDOK);
    first->SelectAll();
    first->SetFocus();
  };
  QTest::keyClick(W(first), Qt::Key_Tab);
  W(&form)->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(W(&form)));
  QApplication::processEvents();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"exit First"}));
  EXPECT_TRUE(first->Focused());
}

// Typing keeps an undo history while the field has the focus; leaving the field ends it, so a
// field typed into again and again does not keep every keystroke. The text, the selection and
// the cursor stay, and no change is reported.
TEST_F(EditWindow, LeavingTheFieldEndsItsUndoHistoryAndKeepsEverythingElse) {
  auto* line = qobject_cast<QLineEdit*>(W(first));
  ASSERT_NE(line, nullptr);
  int changes = 0;
  first->OnChange = [&](fw::TComponent*) { ++changes; };
  QTest::keyClicks(W(first), "1234");
  EXPECT_TRUE(line->isUndoAvailable());
  line->setCursorPosition(2);
  changes = 0;
  QTest::keyClick(W(first), Qt::Key_Tab);
  ASSERT_TRUE(second->Focused());
  EXPECT_FALSE(line->isUndoAvailable());
  EXPECT_FALSE(line->isRedoAvailable());
  EXPECT_EQ(first->Text(), "1234");
  EXPECT_TRUE(line->isModified());
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(line->cursorPosition(), 2);
  // Typing after coming back starts a new history.
  QTest::mouseClick(W(first), Qt::LeftButton);
  ASSERT_TRUE(first->Focused());
  QTest::keyClick(W(first), Qt::Key_End);
  QTest::keyClicks(W(first), "5");
  EXPECT_EQ(first->Text(), "12345");
  line->undo();
  EXPECT_EQ(first->Text(), "1234");
  line->undo();
  EXPECT_EQ(first->Text(), "1234");
}
