#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "widgets/edit_helper.h"
#include "widgets/editable_list_box.h"

namespace tarvosk {
namespace {

// A window holding a list and a second field that can take the focus away.
struct ListWindow {
  ListWindow() {
    auto* layout = new QVBoxLayout(&window);
    list = new CEditableListBox(&window);
    other = new QLineEdit(&window);
    layout->addWidget(list);
    layout->addWidget(other);
    for (const char* text : {"alpha", "bravo", "charlie"}) list->addItem(text);
    window.resize(240, 200);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    list->setCurrentRow(1);
    CEditableListBox::setSwallowNextCharacter(false);
  }

  void typeIntoEditor(const QString& text) {
    ASSERT_NE(list->editor(), nullptr);
    QTest::keyClicks(list->editor(), text);
  }

  QWidget window;
  CEditableListBox* list = nullptr;
  QLineEdit* other = nullptr;
};

TEST(EditableListBox, CharacterOneOpensTheEditorOverTheSelectedLine) {
  ListWindow w;
  QTest::keyClick(w.list, Qt::Key_A, Qt::ControlModifier);
  CEditHelper* editor = w.list->editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(w.list->editIndex(), 1);
  EXPECT_EQ(editor->text(), "bravo");
  EXPECT_EQ(editor->selectedText(), "bravo");
  EXPECT_TRUE(editor->hasFocus());
  const QRect line = w.list->visualItemRect(w.list->item(1));
  EXPECT_EQ(editor->geometry(), line.adjusted(0, -2, 0, 2));
}

TEST(EditableListBox, EnterKeepsAChangedLineAndReportsTheOldText) {
  ListWindow w;
  QSignalSpy changed(w.list, &CEditableListBox::lineChanged);
  QSignalSpy ended(w.list, &CEditableListBox::editEnded);
  w.list->requestInPlaceEdit();
  w.typeIntoEditor("delta");
  QTest::keyClick(w.list->editor(), Qt::Key_Return);
  EXPECT_EQ(w.list->editor(), nullptr);
  EXPECT_EQ(w.list->item(1)->text(), "delta");
  EXPECT_EQ(w.list->currentRow(), 1);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toInt(), 1);
  EXPECT_EQ(changed[0][1].toString(), "bravo");
  ASSERT_EQ(ended.count(), 1);
  EXPECT_EQ(ended[0][0].value<CEditableListBox*>(), w.list);
  EXPECT_EQ(w.list->count(), 3);
}

TEST(EditableListBox, EscapeDiscardsAndStillReportsTheEnd) {
  ListWindow w;
  QSignalSpy changed(w.list, &CEditableListBox::lineChanged);
  QSignalSpy ended(w.list, &CEditableListBox::editEnded);
  w.list->requestInPlaceEdit();
  w.typeIntoEditor("zulu");
  QTest::keyClick(w.list->editor(), Qt::Key_Escape);
  EXPECT_EQ(w.list->editor(), nullptr);
  EXPECT_EQ(w.list->item(1)->text(), "bravo");
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(ended.count(), 1);
  EXPECT_TRUE(w.window.isVisible());  // the key did not reach the window
}

TEST(EditableListBox, UnchangedTextOnlyReportsTheEnd) {
  ListWindow w;
  QSignalSpy changed(w.list, &CEditableListBox::lineChanged);
  QSignalSpy ended(w.list, &CEditableListBox::editEnded);
  w.list->requestInPlaceEdit();
  QTest::keyClick(w.list->editor(), Qt::Key_Return);
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(ended.count(), 1);
}

TEST(EditableListBox, FocusLossScrollAndResizeKeepTheText) {
  struct Case {
    const char* name;
    std::function<void(ListWindow&)> end;
  };
  const std::vector<Case> cases = {
      {"focus to another field", [](ListWindow& w) { w.other->setFocus(); }},
      {"scrolling",
       [](ListWindow& w) { w.list->verticalScrollBar()->setValue(w.list->verticalScrollBar()->maximum()); }},
      {"resizing", [](ListWindow& w) { w.list->resize(w.list->width() + 30, w.list->height()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ListWindow w;
    for (int i = 0; i < 40; ++i) w.list->addItem(QString("line %1").arg(i));
    w.list->setCurrentRow(1);
    QSignalSpy ended(w.list, &CEditableListBox::editEnded);
    w.list->requestInPlaceEdit();
    w.typeIntoEditor("echo");
    c.end(w);
    EXPECT_EQ(w.list->editor(), nullptr);
    EXPECT_EQ(w.list->item(1)->text(), "echo");
    EXPECT_EQ(ended.count(), 1);
  }
}

TEST(EditableListBox, SortedListsPlaceTheEditedLineInOrder) {
  ListWindow w;
  w.list->setSortingEnabled(true);
  w.list->sortItems();
  w.list->setCurrentRow(0);  // alpha
  QSignalSpy changed(w.list, &CEditableListBox::lineChanged);
  w.list->requestInPlaceEdit();
  w.typeIntoEditor("zulu");
  QTest::keyClick(w.list->editor(), Qt::Key_Return);
  EXPECT_EQ(w.list->item(2)->text(), "zulu");
  EXPECT_EQ(w.list->currentRow(), 2);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toInt(), 2);
}

TEST(EditableListBox, ListsWithoutNotifyReportOnlyTheEnd) {
  ListWindow w;
  w.list->setNotify(false);
  QSignalSpy changed(w.list, &CEditableListBox::lineChanged);
  QSignalSpy ended(w.list, &CEditableListBox::editEnded);
  w.list->requestInPlaceEdit();
  w.typeIntoEditor("x");
  QTest::keyClick(w.list->editor(), Qt::Key_Return);
  EXPECT_EQ(w.list->item(1)->text(), "x");
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(ended.count(), 1);
}

TEST(EditableListBox, InsertRightClickAndOtherCharactersOpenNoEditor) {
  ListWindow w;
  QTest::keyClick(w.list, Qt::Key_Insert);
  EXPECT_EQ(w.list->editor(), nullptr);
  const QRect line = w.list->visualItemRect(w.list->item(1));
  QTest::mouseClick(w.list->viewport(), Qt::RightButton, Qt::NoModifier, line.center());
  EXPECT_EQ(w.list->editor(), nullptr);
  QTest::keyClick(w.list, Qt::Key_B);
  EXPECT_EQ(w.list->editor(), nullptr);
  // Without a selected line, character 1 opens nothing either.
  w.list->setCurrentRow(-1);
  w.list->requestInPlaceEdit();
  EXPECT_EQ(w.list->editor(), nullptr);
}

TEST(EditableListBox, TheSwallowedCharacterOnlyClearsTheFlag) {
  ListWindow w;
  CEditableListBox::setSwallowNextCharacter(true);
  QTest::keyClick(w.list, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(w.list->editor(), nullptr);
  EXPECT_FALSE(CEditableListBox::swallowNextCharacter());
  QTest::keyClick(w.list, Qt::Key_A, Qt::ControlModifier);
  EXPECT_NE(w.list->editor(), nullptr);
}

}  // namespace
}  // namespace tarvosk
