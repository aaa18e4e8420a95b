#pragma once
// sealkit's message boxes go to the program's message-box service when the
// process has one (found by name, so the library links against nothing of ours);
// otherwise to stderr.
namespace sealkit {

constexpr const char* kToolCaption = "Norvale加密工具V1.0";
constexpr const char* kModuleCaption = "sealkit";

int ShowBox(const char* text, const char* caption, unsigned type);

// The library's plain failure box: module caption, OK button.
inline void Fail(const char* text) {
    ShowBox(text, kModuleCaption, 0);
}

} // namespace sealkit
