// Helpers for GUI tests: answering a message box while recording what it said, letting a
// dialog under test run modally for real, waiting for what a window shows, and a time limit
// for a test.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/utils.h>

// Answers the next wxMessageDialog with the given button and records its text and caption.
class ExpectMessageBox : public wxExpectModal<wxMessageDialog> {
public:
    ExpectMessageBox(wxString* message, wxString* caption, int button = wxOK)
        : wxExpectModal<wxMessageDialog>(button), message(message), caption(caption)
    {
    }

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        if (message)
            *message = dialog->GetMessage();
        if (caption)
            *caption = dialog->GetCaption();
        return wxExpectModal<wxMessageDialog>::OnInvoked(dialog);
    }

private:
    wxString* message;
    wxString* caption;
};

// The tests' list of dialog classes that may run modally for real.
inline std::vector<std::function<bool(wxDialog*)>>& Allowed()
{
    static std::vector<std::function<bool(wxDialog*)>> allowed;
    return allowed;
}

// While it lives, dialogs of class T run modally for real instead of being failed as
// unexpected: the test drives them from inside their modal loop (RunModal).
template <typename T>
class AllowRealModal {
public:
    AllowRealModal()
    {
        Allowed().push_back([](wxDialog* dialog) { return dynamic_cast<T*>(dialog); });
    }
    ~AllowRealModal() { Allowed().pop_back(); }
    AllowRealModal(const AllowRealModal&) = delete;
    AllowRealModal& operator=(const AllowRealModal&) = delete;
};

// Whether a test lets the dialog run modally (asked by the test program's dialog check).
inline bool IsRealModalAllowed(wxDialog* dialog)
{
    for (const auto& allows : Allowed())
        if (allows(dialog))
            return true;
    return false;
}

// Shows the dialog modally and runs drive inside its modal loop; a dialog that drive left
// open (a failed check) is ended with wxID_ABORT, so the test goes on. The modal result.
inline int RunModal(wxDialog& dialog, std::function<void()> drive)
{
    dialog.CallAfter([&dialog, drive] {
        drive();
        if (dialog.IsModal())
            dialog.EndModal(wxID_ABORT);
    });
    return dialog.ShowModal();
}

// Runs the event loop until reached() holds; when the limit passes first, fails the test with
// what it waited for ("the export dialog", "the status count 548"). Whether it was reached.
inline bool WaitFor(const char* what, const std::function<bool()>& reached,
                    std::chrono::milliseconds limit = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!reached()) {
        if (std::chrono::steady_clock::now() > end) {
            ADD_FAILURE() << "Timed out waiting for " << what;
            return false;
        }
        wxYield();
        wxTheApp->ProcessIdle();
        wxMilliSleep(5);
    }
    return true;
}

// Lets the toolkit handle events for the time given, for what needs time to pass rather than
// a state to reach (a double-click interval, input still on its way from the X server).
inline void RunEventsFor(long milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        wxYield();
        wxTheApp->ProcessIdle();
        wxMilliSleep(5);
    }
}

// Ends the test program when the scope is not left in time: printing or a dialog that hangs
// must fail the run, not hold it up.
class Deadline {
public:
    explicit Deadline(std::chrono::seconds limit)
        : watcher([this, limit] {
              std::unique_lock<std::mutex> lock(mutex);
              if (!done.wait_for(lock, limit, [this] { return finished; })) {
                  std::fprintf(stderr, "Test exceeded its time limit\n");
                  std::_Exit(3);
              }
          })
    {
    }
    ~Deadline()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            finished = true;
        }
        done.notify_one();
        watcher.join();
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

private:
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::thread watcher;
};
