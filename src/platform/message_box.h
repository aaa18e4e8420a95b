#pragma once
// One message-box service for the whole process. The program installs the wx
// implementation; tests install scripted replies and read back what was shown.
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace platform {

enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

using MessageBoxHandler =
    std::function<int(const std::string& text, const std::string& caption, unsigned type)>;

// Shows a box (texts in UTF-8) and returns the button chosen.
int ShowMessageBox(const std::string& text, const std::string& caption = std::string(),
                   unsigned type = MB_OK);

// Replaces the handler; returns the previous one. An empty handler restores the
// default, which writes the text to stderr and answers with the box's first button.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The first button of a box of the given type (IDOK or IDYES).
int DefaultReply(unsigned type);

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned type;
};

// For tests: while alive, every box is recorded and answered from the queue of
// replies (or with the box's first button when the queue is empty).
class ScriptedMessageBoxes {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void Reply(int button) { replies_.push_back(button); }
    const std::vector<ShownBox>& Shown() const { return shown_; }
    std::vector<std::string> Texts() const;
    void Clear() { shown_.clear(); }

private:
    std::vector<ShownBox> shown_;
    std::deque<int> replies_;
    MessageBoxHandler previous_;
};

} // namespace platform

// C entry point of the same service, looked up by name from sealkit.
extern "C" int qv_message_box(const char* text, const char* caption, unsigned type);
