#include "platform/message_box.h"

#include <cstdio>
#include <mutex>

namespace platform {
namespace {

std::mutex g_mutex;
MessageBoxHandler g_handler;

int StderrBox(const std::string& text, const std::string& caption, unsigned type) {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return DefaultReply(type);
}

} // namespace

int DefaultReply(unsigned type) {
    switch (type & 0xF) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type) {
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        handler = g_handler;
    }
    return handler ? handler(text, caption, type) : StderrBox(text, caption, type);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard<std::mutex> lock(g_mutex);
    MessageBoxHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    previous_ = SetMessageBoxHandler(
        [this](const std::string& text, const std::string& caption, unsigned type) {
            shown_.push_back({text, caption, type});
            if (replies_.empty()) return DefaultReply(type);
            int reply = replies_.front();
            replies_.pop_front();
            return reply;
        });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    SetMessageBoxHandler(std::move(previous_));
}

std::vector<std::string> ScriptedMessageBoxes::Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : shown_)
        texts.push_back(box.text);
    return texts;
}

} // namespace platform

extern "C" int qv_message_box(const char* text, const char* caption, unsigned type) {
    return platform::ShowMessageBox(text ? text : "", caption ? caption : "", type);
}
