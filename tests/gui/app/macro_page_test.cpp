// The macro page on the real window: its six controls, the group and macro operations through
// the page's buttons and fields, the context-menu commands and in-place edits of the event
// list, the lighting-program menus, and a recording fed with synthetic key events. Each test
// checks the store and the files on disk.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <thread>

#include "app/macro_capture.h"
#include "app/macro_page.h"
#include "macro/event_text.h"
#include "macro/key_tables.h"
#include "macro/macro_editing.h"
#include "macro/macro_file.h"
#include "macro/macro_library.h"
#include "widgets/edit_helper.h"
#include "widgets/editable_list_box.h"
#include "widgets/orvik_menu.h"
#include "window/menu_resources.h"
#include "window_fixture.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;
using test::WindowFixture;

struct MacroPageFixture : WindowFixture {
  MacroPageFixture() {
    showPage(2);
    page().setFileChooser([this](FileDialogKind) { return chosenFile; });
  }
  MacroPage& page() { return window().macroPage(); }
  fs::path folder() { return context().macroFolder(); }
  int32_t language() { return window().snapshot().language; }
  MacroStore groupOnDisk(const std::string& group) {
    MacroStore store;
    readGroupFile(groupFile(folder(), group), language(), store, *static_cast<Prompter*>(&window().prompter()));
    return store;
  }
  MacroLibrary indexOnDisk() { return readGroupList(folder(), language()); }
  const MacroRecord& current() { return context().macros.slots[std::size_t(context().currentMacro)]; }
  std::string currentGroupName() { return context().library.groupNames[std::size_t(context().library.currentGroup)]; }
  // Edits line `row` of `list` in place to `text` and presses Enter.
  void editLine(CEditableListBox* list, int row, const QString& text) {
    list->setCurrentRow(row);
    list->requestInPlaceEdit();
    ASSERT_NE(list->editor(), nullptr);
    list->editor()->setText(text);
    QTest::keyClick(list->editor(), Qt::Key_Return);
  }
  QString chosenFile;
};

TEST(MacroPageControls, LiveWhileThePageShowsAtTheLayoutRectangles) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  MacroPage& page = f.page();
  ASSERT_TRUE(page.shown());
  const SkinLayout& l = f.context().layout;
  EXPECT_EQ(page.groupNameEdit()->geometry(),
            QRect(l.macroEdit[0].left, l.macroEdit[0].top, l.macroEdit[0].width(), l.macroEdit[0].height()));
  EXPECT_EQ(page.eventList()->geometry().topLeft(), QPoint(l.macroDisplay[2].left, l.macroDisplay[2].top));
  EXPECT_EQ(page.ledLineList()->geometry().topLeft(), QPoint(l.macroDisplay[3].left, l.macroDisplay[3].top));
  // Filled from the current group: every macro name, the first one's events.
  const MacroStore& store = f.context().macros;
  ASSERT_GT(store.count, 0);
  EXPECT_EQ(page.macroList()->count(), store.count);
  EXPECT_EQ(page.macroList()->item(0)->text().toStdString(), macroNameText(store.slots[0]));
  EXPECT_EQ(page.eventList()->count(), 2 * store.slots[0].eventCount - 1);
  EXPECT_EQ(page.groupNameEdit()->text().toStdString(), f.currentGroupName());
  EXPECT_EQ(page.macroNameEdit()->text().toStdString(), macroNameText(store.slots[0]));

  f.showPage(1);
  EXPECT_FALSE(page.shown());
  EXPECT_EQ(page.eventList(), nullptr);
  f.showPage(2);
  ASSERT_TRUE(page.shown());
  EXPECT_EQ(page.macroList()->count(), store.count);
}

TEST(MacroPageControls, SelectingAMacroWritesTheOneLeftAndShowsTheNext) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  MacroPage& page = f.page();
  // A change to macro 0 that only the selection's write brings to the file.
  f.context().macros.slots[0].repeatCount = 7;
  page.macroList()->setCurrentRow(1);
  EXPECT_EQ(f.context().currentMacro, 1);
  EXPECT_EQ(page.macroNameEdit()->text().toStdString(), macroNameText(f.context().macros.slots[1]));
  EXPECT_EQ(f.groupOnDisk(f.currentGroupName()).slots[0].repeatCount, 7);
}

TEST(MacroPageManage, ChoosingAGroupWritesTheMacroBackAndShowsTheChosenGroup) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  ASSERT_GE(f.context().library.groupCount, 2);
  const std::string first = f.currentGroupName();
  f.page().macroList()->setCurrentRow(2);
  f.context().macros.slots[2].repeatCount = 9;  // only the write-back brings this to the file
  f.window().macroGroupChosen(0, 1, 2);
  EXPECT_EQ(f.groupOnDisk(first).slots[2].repeatCount, 9);
  EXPECT_EQ(f.context().library.currentGroup, 1);
  const std::string second = f.currentGroupName();
  EXPECT_EQ(f.page().groupNameEdit()->text().toStdString(), second);
  const MacroStore disk = f.groupOnDisk(second);
  ASSERT_EQ(f.page().macroList()->count(), disk.count);
  EXPECT_EQ(f.page().macroList()->item(0)->text().toStdString(), macroNameText(disk.slots[0]));
  EXPECT_EQ(f.context().currentMacro, 0);
}

TEST(MacroPageManage, ABallisticStepSurvivesTheNextWriteBack) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  const std::string group = f.currentGroupName();
  MacroRecord stepped = f.context().macros.slots[0];
  stepped.eventParamA[0] = 42;  // what a correction step would change
  stepped.eventDelay[0] = 77;
  // The listener thread writes the step into the file.
  std::thread worker([&] { EXPECT_TRUE(f.context().macroSource.writeUserMacro(0, 0, stepped)); });
  worker.join();
  QCoreApplication::processEvents();
  EXPECT_EQ(f.current().eventDelay[0], 77);
  EXPECT_EQ(f.page().eventList()->item(1)->text().toStdString(), pauseLineText(77));
  // An edit of the macro writes it back: the step stays in the file.
  f.page().repeatCountEdit()->setText(QStringLiteral("3"));
  const MacroStore disk = f.groupOnDisk(group);
  EXPECT_EQ(disk.slots[0].eventParamA[0], 42);
  EXPECT_EQ(disk.slots[0].eventDelay[0], 77);
  EXPECT_EQ(disk.slots[0].repeatCount, 3);
}

TEST(MacroPageManage, NewAndDeleteMacroKeepTheFileInLineWithTheList) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  const int before = f.context().macros.count;
  const std::string group = f.currentGroupName();
  f.clickItem(LayoutTable::Macro, 6);
  ASSERT_EQ(f.context().macros.count, before + 1);
  EXPECT_EQ(f.page().macroList()->count(), before + 1);
  EXPECT_EQ(f.page().macroNameEdit()->text(), QStringLiteral("New"));
  EXPECT_EQ(f.groupOnDisk(group).count, before + 1);
  // Its line is open for a name: Escape keeps "New".
  ASSERT_NE(f.page().macroList()->editor(), nullptr);
  EXPECT_EQ(f.page().macroList()->editIndex(), before);
  QTest::keyClick(f.page().macroList()->editor(), Qt::Key_Escape);
  EXPECT_EQ(f.page().macroList()->editor(), nullptr);
  // A second "New" is refused with its message.
  f.clickItem(LayoutTable::Macro, 6);
  EXPECT_EQ(f.context().macros.count, before + 1);
  ASSERT_FALSE(f.messages().empty());
  EXPECT_EQ(f.messages().back(), "'New' Double name!");

  // Deleting macro 0: the file holds exactly the macros left, in order.
  const std::string second = macroNameText(f.context().macros.slots[1]);
  f.page().macroList()->setCurrentRow(0);
  f.clickItem(LayoutTable::Macro, 7);
  EXPECT_EQ(f.context().macros.count, before);
  EXPECT_EQ(f.page().macroList()->count(), before);
  const MacroStore disk = f.groupOnDisk(group);
  ASSERT_EQ(disk.count, before);
  EXPECT_EQ(macroNameText(disk.slots[0]), second);
  EXPECT_EQ(macroNameText(disk.slots[std::size_t(before - 1)]), "New");
}

TEST(MacroPageManage, NewGroupRenameAndDeleteGoThroughTheIndexAndTheFiles) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  const int groups = f.context().library.groupCount;
  f.clickItem(LayoutTable::Macro, 2);
  ASSERT_EQ(f.context().library.groupCount, groups + 1);
  EXPECT_EQ(f.currentGroupName(), "New");
  EXPECT_TRUE(fs::exists(groupFile(f.folder(), "New")));
  EXPECT_EQ(f.indexOnDisk().groupCount, groups + 1);
  EXPECT_EQ(f.page().macroList()->count(), 0);
  EXPECT_EQ(f.page().groupNameEdit()->text(), QStringLiteral("New"));

  // Typed into the group name field: the file follows the name.
  f.page().groupNameEdit()->setText(QStringLiteral("Tools"));
  EXPECT_EQ(f.currentGroupName(), "Tools");
  EXPECT_TRUE(fs::exists(groupFile(f.folder(), "Tools")));
  EXPECT_FALSE(fs::exists(groupFile(f.folder(), "New")));
  EXPECT_EQ(f.indexOnDisk().groupNames[std::size_t(groups)], "Tools");
  // A name no file may carry: the message, and the old name stays everywhere.
  f.page().groupNameEdit()->setText(QStringLiteral("To/ols"));
  EXPECT_EQ(f.messages().back(), "Invalid: Delete Invalid character");
  EXPECT_EQ(f.currentGroupName(), "Tools");
  EXPECT_EQ(f.page().groupNameEdit()->text(), QStringLiteral("Tools"));
  EXPECT_EQ(f.indexOnDisk().groupNames[std::size_t(groups)], "Tools");

  f.clickItem(LayoutTable::Macro, 3);
  EXPECT_EQ(f.context().library.groupCount, groups);
  EXPECT_FALSE(fs::exists(groupFile(f.folder(), "Tools")));
  EXPECT_EQ(f.indexOnDisk().groupCount, groups);
  EXPECT_EQ(f.page().groupNameEdit()->text().toStdString(), f.currentGroupName());
}

TEST(MacroPageManage, NameRepeatAndPlayModeFieldsStoreAndWrite) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  MacroPage& page = f.page();
  const std::string group = f.currentGroupName();
  const std::string other = macroNameText(f.context().macros.slots[1]);

  page.macroNameEdit()->setText(QStringLiteral("Mine"));
  EXPECT_EQ(macroNameText(f.current()), "Mine");
  EXPECT_EQ(page.macroList()->item(0)->text(), QStringLiteral("Mine"));
  EXPECT_EQ(macroNameText(f.groupOnDisk(group).slots[0]), "Mine");
  // Another macro's name changes nothing; an empty field gets the stored name back.
  page.macroNameEdit()->setText(QString::fromStdString(other));
  EXPECT_EQ(macroNameText(f.current()), "Mine");
  page.macroNameEdit()->setText(QString());
  EXPECT_EQ(page.macroNameEdit()->text(), QStringLiteral("Mine"));

  f.clickItem(LayoutTable::Macro, 12);  // repeat
  ASSERT_TRUE(page.repeatCountEdit()->isEnabled());
  struct Row {
    const char* typed;
    int stored;
  };
  for (const Row& row : {Row{"25", 25}, Row{"0", 1}, Row{"abc", 1}, Row{"70000", 65535}}) {
    SCOPED_TRACE(row.typed);
    page.repeatCountEdit()->setText(QString::fromLatin1(row.typed));
    EXPECT_EQ(f.current().repeatCount, row.stored);
    EXPECT_EQ(page.repeatCountEdit()->text(), QString::number(row.stored));
    EXPECT_EQ(f.groupOnDisk(group).slots[0].repeatCount, row.stored);
  }
  f.clickItem(LayoutTable::Macro, 10);  // once, own code
  EXPECT_EQ(f.current().playMode & 3, 2);
  EXPECT_FALSE(page.repeatCountEdit()->isEnabled());
  EXPECT_EQ(page.repeatCountEdit()->text(), QStringLiteral("1"));
  EXPECT_EQ(f.groupOnDisk(group).slots[0].playMode & 3, 2);
  f.clickItem(LayoutTable::Macro, 11);
  EXPECT_EQ(f.current().playMode & 3, 1);
}

TEST(MacroPageManage, ExportThenImportUnderANewName) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  const int groups = f.context().library.groupCount;
  const MacroStore store = f.context().macros;
  test::ScratchDir out;
  f.chosenFile = QString::fromStdString((out.path() / "Saved.dat").string());
  f.window().macroFileAction(2);
  ASSERT_TRUE(fs::exists(out.path() / "Saved.dat"));

  f.window().macroFileAction(1);
  ASSERT_EQ(f.context().library.groupCount, groups + 1);
  EXPECT_EQ(f.currentGroupName(), "Saved");
  EXPECT_TRUE(fs::exists(groupFile(f.folder(), "Saved")));
  EXPECT_EQ(f.context().macros.count, store.count);
  EXPECT_EQ(f.page().macroList()->count(), store.count);
  EXPECT_EQ(f.page().groupNameEdit()->text(), QStringLiteral("Saved"));
  // The same file again is a double name; a cancelled dialog changes nothing.
  f.window().macroFileAction(1);
  EXPECT_EQ(f.messages().back(), "Double name!");
  f.chosenFile.clear();
  f.window().macroFileAction(1);
  EXPECT_EQ(f.context().library.groupCount, groups + 1);

  // Restore brings the factory library back.
  f.window().macroFileAction(3);
  EXPECT_EQ(f.context().library.groupCount, groups);
  EXPECT_FALSE(fs::exists(groupFile(f.folder(), "Saved")));
}

TEST(MacroPageEdit, EveryContextMenuCommandChangesTheEventList) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  MacroPage& page = f.page();
  // Every command of the menu is there, in both languages' resources.
  for (int id : macroCommandIds()) {
    EXPECT_NE(page.editMenu()->actionForCommand(id), nullptr) << id;
  }
  struct Row {
    int command;
    uint8_t code;
    uint8_t type;
    bool after;  // inserted after the selected event, else before it
  };
  const std::vector<Row> rows = {
      {kCmdAfterLeftPress, code::kLeftButton, type::kPress, true},
      {kCmdAfterRightRelease, code::kRightButton, type::kRelease, true},
      {kCmdAfterMiddlePress, code::kMiddleButton, type::kPress, true},
      {kCmdBeforeLeftRelease, code::kLeftButton, type::kRelease, false},
      {kCmdBeforeMiddleRelease, code::kMiddleButton, type::kRelease, false},
      {kCmdInsertXyPlusMinus, code::kMove, type::kMoveRightUp, true},
      {kCmdInsertCpiSet, code::kDpi, type::kDpiSet, true},
      {kCmdInsertCpiReset, code::kDpi, type::kDpiReset, true},
      {kCmdInsertLed, code::kLed, type::kLed0, true},
      {kCmdInsertDelay, code::kPause, type::kPause, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.command);
    page.eventList()->setCurrentRow(0);
    const int count = f.current().eventCount;
    page.runCommand(row.command);
    ASSERT_EQ(f.current().eventCount, count + 1);
    const int at = row.after ? 1 : 0;
    EXPECT_EQ(f.current().eventCode[std::size_t(at)], row.code);
    EXPECT_EQ(f.current().eventType[std::size_t(at)], row.type);
    EXPECT_EQ(page.eventList()->count(), 2 * (count + 1) - 1);
  }
  EXPECT_EQ(f.current().moveCount, 1);
  EXPECT_EQ(f.current().dpiCount, 2);
  EXPECT_EQ(f.current().ledCount, 1);
  // The edits are in the file.
  EXPECT_EQ(f.groupOnDisk(f.currentGroupName()).slots[0].eventCount, f.current().eventCount);

  // Delete removes the selected event with its counter.
  const int count = f.current().eventCount;
  page.eventList()->setCurrentRow(4);  // event 2: the lighting event, pushed on by the pause
  const uint8_t deleted = f.current().eventCode[2];
  page.runCommand(kCmdDeleteEvent);
  EXPECT_EQ(f.current().eventCount, count - 1);
  ASSERT_EQ(deleted, code::kLed);
  EXPECT_EQ(f.current().ledCount, 0);
}

TEST(MacroPageEdit, InPlaceEditsOfEventValuesCheckWhatWasTyped) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  MacroPage& page = f.page();
  page.eventList()->setCurrentRow(0);
  page.runCommand(kCmdInsertXyMinusPlus);  // event 1: move X-, Y+
  page.eventList()->setCurrentRow(2);
  page.runCommand(kCmdInsertCpiSet);  // event 2: sensitivity
  ASSERT_EQ(f.current().eventCode[1], code::kMove);
  ASSERT_EQ(f.current().eventCode[2], code::kDpi);

  struct Row {
    const char* name;
    int line;
    const char* typed;
    std::function<void(const MacroRecord&)> check;
    const char* message;  // nullptr: none
  };
  const std::vector<Row> rows = {
      {"a pause", 1, "250ms", [](const MacroRecord& m) { EXPECT_EQ(m.eventDelay[0], 250); }, nullptr},
      {"a pause above 10000", 1, "20000ms", [](const MacroRecord& m) { EXPECT_EQ(m.eventDelay[0], 10000); },
       "More than limit!"},
      {"a move", 2, "[X-]:40,[Y+]:30",
       [](const MacroRecord& m) {
         EXPECT_EQ(m.eventParamA[1], 40);
         EXPECT_EQ(m.eventParamB[1], 30);
       },
       nullptr},
      {"a move too far in X", 2, "[X-]:150,[Y+]:30",
       [](const MacroRecord& m) {
         EXPECT_EQ(m.eventParamA[1], 100);
         EXPECT_EQ(m.eventParamB[1], 30);
       },
       "[X]数值越界!"},
      {"a sensitivity", 4, "[DPI]:1600", [](const MacroRecord& m) { EXPECT_EQ(m.eventParamA[2], 7); }, nullptr},
      {"a sensitivity off the list", 4, "[DPI]:1500", [](const MacroRecord& m) { EXPECT_EQ(m.eventParamA[2], 4); },
       "CPI(:200/400/600/800/1000/1200/1600/2000/2400/3200/4000/4800)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::size_t messages = f.messages().size();
    f.editLine(page.eventList(), row.line, QString::fromUtf8(row.typed));
    row.check(f.current());
    if (row.message) {
      ASSERT_EQ(f.messages().size(), messages + 1);
      EXPECT_EQ(f.messages().back(), row.message);
    } else {
      EXPECT_EQ(f.messages().size(), messages);
    }
    // The list shows what was stored, and so does the file.
    EXPECT_EQ(page.eventList()->item(row.line)->text().toStdString(),
              row.line % 2 ? pauseLineText(f.current().eventDelay[std::size_t(row.line / 2)])
                           : eventLineText(f.current(), row.line / 2, f.language()));
    EXPECT_EQ(f.groupOnDisk(f.currentGroupName()).slots[0], f.current());
  }
}

TEST(MacroPageEdit, LightingLinesTakeMenuChoicesAndTypedTimes) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  MacroPage& page = f.page();
  page.eventList()->setCurrentRow(0);
  page.runCommand(kCmdInsertLed);
  page.eventList()->setCurrentRow(2);  // the lighting event: its program shows
  ASSERT_EQ(page.ledLineList()->count(), 5);
  const int program = page.selectedLedProgram();

  // A right click on the step count line asks for the step-count menu at the list's left edge.
  const QRect line0 = page.ledLineList()->visualItemRect(page.ledLineList()->item(0));
  page.ledListRightClick(line0.center());
  ASSERT_FALSE(f.popups().opened.empty());
  EXPECT_EQ(f.popups().opened.back().request.kind, PopupKind::LedEventProgram);
  EXPECT_EQ(f.popups().opened.back().request.x, page.ledLineList()->mapTo(&f.window(), QPoint(0, 0)).x());
  f.window().ledEventValue(PopupKind::LedEventProgram, 2);
  EXPECT_EQ(f.current().ledPrograms[std::size_t(program)].bytes[0], 2);
  EXPECT_EQ(page.ledLineList()->count(), 9);

  const QRect line2 = page.ledLineList()->visualItemRect(page.ledLineList()->item(2));
  page.ledListRightClick(line2.center());
  EXPECT_EQ(f.popups().opened.back().request.kind, PopupKind::LedEventColor);
  f.window().ledEventValue(PopupKind::LedEventColor, 5);
  EXPECT_EQ(f.current().ledPrograms[std::size_t(program)].bytes[5], 5);

  // A time line is typed in place: above 100 is clipped with the message.
  f.editLine(page.ledLineList(), 3, QStringLiteral("[Continued Time]:250*100ms"));
  EXPECT_EQ(f.current().ledPrograms[std::size_t(program)].bytes[6], 100);
  EXPECT_EQ(f.messages().back(), "More than limit!");
  f.editLine(page.ledLineList(), 4, QStringLiteral("[Interval Time]:12*100ms"));
  EXPECT_EQ(f.current().ledPrograms[std::size_t(program)].bytes[7], 12);
  EXPECT_EQ(f.groupOnDisk(f.currentGroupName()).slots[0].ledPrograms[std::size_t(program)],
            f.current().ledPrograms[std::size_t(program)]);
}

// A key event as the X11 platform delivers it: the keysym as the native virtual key (and the
// key code as the native scan code, where given).
void sendKey(QWidget& window, QEvent::Type type, uint32_t keysym, bool autoRepeat = false, uint32_t keycode = 0) {
  QKeyEvent event(type, 0, Qt::NoModifier, keycode, keysym, 0, QString(), autoRepeat);
  QApplication::sendEvent(&window, &event);
}

TEST(MacroPageRecording, KeyEventsMapByKeyCodeFirstThenKeysym) {
  struct Row {
    const char* name;
    uint32_t keycode;
    uint32_t keysym;
    uint32_t virtualKey;
  };
  // X11 key code 38 is the A key (evdev 30); keysym 0x61 is "a"; 0xffe4 Control_R.
  for (const Row& row :
       {Row{"key code", 38, 0, 0x41}, Row{"keysym", 0, 0x61, 0x41}, Row{"key code wins", 38, 0x62, 0x41},
        Row{"right control", 0, 0xffe4, 0xA3}, Row{"unknown", 0, 0, 0}}) {
    SCOPED_TRACE(row.name);
    const QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, row.keycode, row.keysym, 0);
    EXPECT_EQ(MacroCapture::virtualKeyOf(event), row.virtualKey);
  }
}

TEST(MacroPageRecording, HidingTheWindowEndsTheTake) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  f.clickItem(LayoutTable::Macro, 5);
  ASSERT_TRUE(f.page().recording());
  sendKey(f.window(), QEvent::KeyPress, 0x61);
  f.clickItem(LayoutTable::Main, 0);  // hide to the tray: allowed while recording
  EXPECT_FALSE(f.page().recording());
  EXPECT_FALSE(f.window().recording());
  EXPECT_EQ(f.current().eventCount, 1);
  EXPECT_EQ(f.groupOnDisk(f.currentGroupName()).slots[0].eventCount, 1);
}

TEST(MacroPageRecording, KeysBecomeEventsWithTheirPauses) {
  MacroPageFixture f;
  ASSERT_TRUE(f.initialised());
  MacroPage& page = f.page();
  uint32_t now = 1000;
  page.capture().setClock([&now] { return now; });
  page.macroList()->setCurrentRow(1);
  const std::string name = macroNameText(f.context().macros.slots[1]);
  f.clickItem(LayoutTable::Macro, 5);
  ASSERT_TRUE(page.recording());
  EXPECT_TRUE(f.window().recording());
  EXPECT_EQ(page.eventList()->count(), 0);

  constexpr uint32_t kXkA = 0x61, kXkB = 0x62, kXkShiftL = 0xffe1;
  sendKey(f.window(), QEvent::KeyPress, kXkShiftL);
  now += 100;
  sendKey(f.window(), QEvent::KeyPress, kXkA);
  now += 30;
  sendKey(f.window(), QEvent::KeyPress, kXkA, true);  // held: the desktop repeats it
  sendKey(f.window(), QEvent::KeyRelease, kXkA, true);
  now += 90;
  sendKey(f.window(), QEvent::KeyRelease, kXkA);
  sendKey(f.window(), QEvent::KeyRelease, kXkB);  // pressed before the take: dropped
  now += 50;
  sendKey(f.window(), QEvent::KeyRelease, kXkShiftL);
  // While recording, other page buttons are refused.
  f.clickItem(LayoutTable::Macro, 6);
  EXPECT_EQ(f.messages().back(), "Recording");
  f.clickItem(LayoutTable::Macro, 5);
  ASSERT_FALSE(page.recording());
  EXPECT_FALSE(f.window().recording());

  const MacroRecord& m = f.current();
  EXPECT_EQ(f.context().currentMacro, 1);
  EXPECT_EQ(macroNameText(m), name);
  ASSERT_EQ(m.eventCount, 4);
  const int32_t lang = f.language();
  const uint8_t shiftL = virtualKeyToHid(0xA0, lang), a = virtualKeyToHid(0x41, lang);
  const std::vector<std::tuple<uint8_t, uint8_t, uint16_t>> expected = {
      {type::kPress, shiftL, 100}, {type::kPress, a, 120}, {type::kRelease, a, 50}, {type::kRelease, shiftL, 20}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(m.eventType[i], std::get<0>(expected[i]));
    EXPECT_EQ(m.eventCode[i], std::get<1>(expected[i]));
    EXPECT_EQ(m.eventDelay[i], std::get<2>(expected[i]));
  }
  EXPECT_EQ(page.eventList()->count(), 7);
  EXPECT_EQ(page.eventList()->item(1)->text(), QStringLiteral("    100ms"));
  EXPECT_EQ(f.groupOnDisk(f.currentGroupName()).slots[1], m);
}

// The page with a recorded macro, in both languages, for review.
TEST(MacroPageScreenshots, RecordedMacroInBothLanguages) {
  const QString dir = QDir::cleanPath(QStringLiteral(TARVOSK_RUNTIME_DIR "/../screenshots"));
  QDir().mkpath(dir);
  for (int32_t language : {1, 0}) {
    MacroPageFixture f;
    ASSERT_TRUE(f.initialised());
    if (f.language() != language) {
      f.clickItem(LayoutTable::Main, language == 1 ? 5 : 4);
      ASSERT_EQ(f.language(), language);
    }
    MacroPage& page = f.page();
    ASSERT_TRUE(page.shown());
    uint32_t now = 5000;
    page.capture().setClock([&now] { return now; });
    f.clickItem(LayoutTable::Macro, 5);
    for (uint32_t keysym : {0x68u, 0x69u}) {  // h, i
      now += 80;
      sendKey(f.window(), QEvent::KeyPress, keysym);
      now += 110;
      sendKey(f.window(), QEvent::KeyRelease, keysym);
    }
    f.clickItem(LayoutTable::Macro, 5);
    page.eventList()->setCurrentRow(2);
    page.runCommand(kCmdInsertLed);
    page.eventList()->setCurrentRow(4);
    f.hover(QPoint(1, 1));
    QTest::qWait(50);
    const QImage shot = f.window().grab().toImage();
    const QString file =
        dir + (language == 1 ? QStringLiteral("/macro_page_en.png") : QStringLiteral("/macro_page_pt.png"));
    ASSERT_TRUE(shot.save(file));
    EXPECT_EQ(page.eventList()->count(), 2 * f.current().eventCount - 1);
  }
}

}  // namespace
}  // namespace tarvosk
