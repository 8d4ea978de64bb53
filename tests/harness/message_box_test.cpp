// Message boxes shown modally by the code under test, answered from inside their own loop.
#include "tests/harness/message_box.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "sdk/win/uwin.h"
#include "tests/harness/dialog_template.h"
#include "tests/harness/mouse.h"
#include "tests/harness/probe_window.h"
#include "tests/harness/pump.h"

namespace {

using harness::MessageBoxAnswerer;
using harness::MessageBoxButton;
using harness::UnexpectedBoxGuard;
using harness_test::ProbeWindow;

TEST(HarnessMessageBoxAnswerer, PressesTheQueuedButtonAndRecordsWhatTheBoxShowed) {
    ProbeWindow owner;
    MessageBoxAnswerer answerer({IDNO});

    const int result =
        sonavel::uMessageBox(owner.hwnd(), "Remove the tag from 3 files?", "Tags", MB_YESNO | MB_ICONQUESTION);

    EXPECT_EQ(result, IDNO);
    ASSERT_EQ(answerer.answered(), 1u);
    EXPECT_EQ(answerer.unexpected(), 0u);
    const auto& box = answerer.boxes()[0];
    EXPECT_EQ(box.caption, L"Tags");
    EXPECT_EQ(box.text, L"Remove the tag from 3 files?");
    EXPECT_EQ(box.button_ids(), (std::vector<int>{IDYES, IDNO}));
    for (const auto& button : box.buttons) EXPECT_FALSE(button.text.empty()) << "button " << button.id;
    EXPECT_EQ(box.pressed, IDNO);
}

TEST(HarnessMessageBoxAnswerer, ReadsTextBeyondAsciiAsTheBoxShowsIt) {
    MessageBoxAnswerer answerer({IDOK});
    sonavel::uMessageBox(nullptr, "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x94 \xE6\x97\xA5\xE6\x9C\xAC", "\xC3\x84rger", MB_OK);
    ASSERT_EQ(answerer.answered(), 1u);
    EXPECT_EQ(answerer.boxes()[0].text, L"Gr\u00FC\u00DFe \u2014 \u65E5\u672C");
    EXPECT_EQ(answerer.boxes()[0].caption, L"\u00C4rger");
}

TEST(HarnessMessageBoxAnswerer, AnswersABoxShownByAButtonHandlerAfterARealClick) {
    ProbeWindow window;
    HWND button = window.add_child(L"BUTTON", L"Delete", BS_PUSHBUTTON, 101, {10, 10, 110, 40});
    MessageBoxAnswerer answerer({IDNO});
    int handler_saw = 0;
    window.on_command = [&](WORD id) {
        if (id == 101) handler_saw = sonavel::uMessageBox(window.hwnd(), "Delete?", "Confirm", MB_YESNO);
    };

    harness::click(button, harness::centre_of(button));

    ASSERT_EVENTUALLY(handler_saw != 0);
    EXPECT_EQ(handler_saw, IDNO);
    ASSERT_EQ(answerer.answered(), 1u);
    EXPECT_EQ(answerer.boxes()[0].caption, L"Confirm");
}

TEST(HarnessMessageBoxAnswerer, AnswersSuccessiveBoxesInTheQueuedOrder) {
    MessageBoxAnswerer answerer({IDYES, IDCANCEL});
    EXPECT_EQ(MessageBoxW(nullptr, L"First", L"One", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, L"Second", L"Two", MB_OKCANCEL), IDCANCEL);
    ASSERT_EQ(answerer.answered(), 2u);
    EXPECT_EQ(answerer.boxes()[0].button_ids(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(answerer.boxes()[1].button_ids(), (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(answerer.pending(), 0u);
}

TEST(HarnessMessageBoxAnswerer, ShowsABoxThatNeverCameAsAnAnswerLeftOver) {
    MessageBoxAnswerer answerer({IDOK});
    harness::pump_for(std::chrono::milliseconds(100));
    EXPECT_EQ(answerer.answered(), 0u);
    EXPECT_EQ(answerer.pending(), 1u);
}

TEST(HarnessMessageBoxAnswerer, TheMostRecentAnswererTakesTheBox) {
    UnexpectedBoxGuard outer;
    {
        MessageBoxAnswerer inner({IDYES});
        EXPECT_EQ(MessageBoxW(nullptr, L"Nested", L"Inner", MB_YESNO), IDYES);
        EXPECT_EQ(inner.answered(), 1u);
    }
    EXPECT_EQ(outer.boxes().size(), 0u);
}

TEST(HarnessUnexpectedBoxGuard, DismissesAStrayBoxWithCancelAndFailsTheTest) {
    int result = 0;
    std::size_t unexpected = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            UnexpectedBoxGuard guard;
            result = MessageBoxW(nullptr, L"Stray text", L"Stray", MB_OKCANCEL);
            unexpected = guard.unexpected();
        },
        "unexpected message box \"Stray\": Stray text");
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(unexpected, 1u);
}

TEST(HarnessUnexpectedBoxGuard, DismissesAYesNoBoxWithNoAndAnOkBoxWithOk) {
    int yes_no = 0, ok = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            UnexpectedBoxGuard guard;
            yes_no = MessageBoxW(nullptr, L"Sure?", L"Stray", MB_YESNO);
        },
        "unexpected message box");
    EXPECT_NONFATAL_FAILURE(
        {
            UnexpectedBoxGuard guard;
            ok = MessageBoxW(nullptr, L"Done", L"Stray", MB_OK);
        },
        "unexpected message box");
    EXPECT_EQ(yes_no, IDNO);
    EXPECT_EQ(ok, IDOK);
}

TEST(HarnessMessageBoxAnswerer, ABoxBeyondTheQueuedAnswersIsUnexpected) {
    int second = 0;
    std::size_t answered = 0, unexpected = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            MessageBoxAnswerer answerer({IDOK});
            MessageBoxW(nullptr, L"Expected", L"First", MB_OK);
            second = MessageBoxW(nullptr, L"Surprise", L"Second", MB_OKCANCEL);
            answered = answerer.answered();
            unexpected = answerer.unexpected();
        },
        "unexpected message box \"Second\": Surprise");
    EXPECT_EQ(second, IDCANCEL);
    EXPECT_EQ(answered, 1u);
    EXPECT_EQ(unexpected, 1u);
}

TEST(HarnessMessageBoxAnswerer, AQueuedButtonTheBoxLacksFailsAndDismissesIt) {
    int result = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            MessageBoxAnswerer answerer({IDYES});
            result = MessageBoxW(nullptr, L"Continue?", L"Lacking", MB_OKCANCEL);
        },
        "has no button with id 6");
    EXPECT_EQ(result, IDCANCEL);
}

TEST(HarnessMessageBoxAnswerer, LeavesADialogWithAnEditAlone) {
    // Text and buttons like a box, but a box never holds an edit.
    auto dialog = harness_test::create_dialog(nullptr, L"Rename",
                                              {{L"STATIC", L"New name:", 0xFFFF, SS_LEFT, {5, 5, 80, 15}},
                                               {L"EDIT", L"", 100, WS_BORDER, {5, 20, 150, 35}},
                                               {L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON, {5, 45, 55, 60}}});
    ASSERT_TRUE(dialog);
    MessageBoxAnswerer answerer;
    harness::pump_for(std::chrono::milliseconds(100));
    EXPECT_EQ(answerer.boxes().size(), 0u);
    EXPECT_TRUE(IsWindowVisible(dialog.get()));
}

}  // namespace
