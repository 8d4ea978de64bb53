#pragma once
// Answering the message boxes that code under test shows modally, as a user would: read the box, press a button.
//
// The box runs its own modal loop on the thread that showed it, so the answer has to come from inside that loop:
// a thread timer, whose WM_TIMER every modal loop dispatches, looks for a box every 15 ms, records what it shows
// and presses a button with BM_CLICK. A box is a visible #32770 window of this process that holds a static with
// id 0xFFFF (the text) and nothing but statics and buttons; a dialog of our own built only of those would be
// taken for a box too. The timer only runs while the thread that created the answerer dispatches messages.
#include <windows.h>

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace harness {

struct MessageBoxButton {
    int id = 0;
    std::wstring text;  // as shown, with its '&' mnemonic marker
};

struct AnsweredBox {
    std::wstring caption;
    std::wstring text;
    std::vector<MessageBoxButton> buttons;  // in the order the box holds them
    int pressed = 0;                        // IDYES, IDNO, ...
    bool expected = true;                   // false when no queued answer was left for it

    std::vector<int> button_ids() const;
};

// While alive, answers each box of this process that appears while this thread dispatches messages (the
// thread that shows a box is in the box's loop, so its own boxes always count) with the next queued button
// id. A box that finds the queue empty, or whose queued button it lacks, is a fault of the code under test:
// it is reported as a test failure and dismissed (Cancel, else No, else OK, else its first button) so that the
// test goes on instead of waiting for ever. Answerers nest; the most recent one answers.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::vector<int> answers = {});
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    void queue_answer(int button_id);

    // Boxes answered from the queue; a box that was expected but never came shows as a count too small.
    std::size_t answered() const;
    std::size_t unexpected() const;
    std::size_t pending() const { return answers_.size(); }
    const std::vector<AnsweredBox>& boxes() const { return boxes_; }

    // Called by the thread's timer with a box it has not answered yet.
    void answer(HWND box);

private:
    std::deque<int> answers_;
    std::vector<AnsweredBox> boxes_;
};

// Expects no box at all. Keep one in every windowed test fixture: a stray box then fails the test at once
// rather than leaving it to the run's timeout.
class UnexpectedBoxGuard : public MessageBoxAnswerer {};

}  // namespace harness
