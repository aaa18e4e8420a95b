// NvEncrypt and NvDecrypt of a 50 MB table against a plain copy of the same file
// (the project's atomic copy: temporary file, sync, rename). Prints seconds and
// ratios; each figure is the best of a few runs. The RC4 key stream alone over
// the same bytes is printed too: it is the floor of both functions.
#include "crypt/sealkit.h"
#include "platform/files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <nettle/arcfour.h>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr size_t kTableBytes = 50u << 20;
constexpr int kRuns = 5;
constexpr const char* kKey = "qz19990412kelp@_31774";

double Seconds(const std::function<void()>& prepare, const std::function<bool()>& run) {
    double best = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        auto start = std::chrono::steady_clock::now();
        if (!run()) {
            std::fprintf(stderr, "run failed\n");
            std::exit(1);
        }
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

} // namespace

int main() {
    char name[] = "/tmp/qv-crypt-bench-XXXXXX";
    std::string root = ::mkdtemp(name);
    std::string sysdir = root + "/sys", home = root + "/home";
    fs::create_directories(sysdir + "/Data/Data");
    fs::create_directories(home + "/Data");
    fs::permissions(sysdir, fs::perms::owner_all); // private, or it is refused
    ::setenv("QV_SYSDIR", sysdir.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);

    std::string table(kTableBytes, '\0');
    unsigned x = 1;
    for (char& c : table) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    std::string original = root + "/ljsh.dbf";
    std::string working = sysdir + "/Data/Data/ljsh.dbf";
    std::string plainPath = home + "/Data/ljsh.dbf";
    std::string encrypted = home + "/Data/ljsh.dwf";
    if (!platform::WriteFileAtomic(original, table)) return 1;
    GetfnKey(0); // the user's keys exist before timing, as after the first run

    auto restoreWorkingCopy = [&] { platform::CopyFileAtomic(original, working); };
    double copy = Seconds(restoreWorkingCopy,
                          [&] { return platform::CopyFileAtomic(working, root + "/copy.dbf"); });
    double encrypt = Seconds(restoreWorkingCopy, [&] {
        char path[SEALKIT_MAX_PATH];
        std::snprintf(path, sizeof path, "%s", plainPath.c_str());
        return NvEncrypt(path, kKey) == 1;
    });
    double decrypt = Seconds([] {}, [&] { return NvDecrypt(encrypted.c_str(), kKey) == 1; });

    arcfour_ctx stream;
    const uint8_t rc4Key[16] = {0x7c, 0x24, 0xc5, 0x21, 0xde};
    std::string scratch = table;
    double keyStream =
        Seconds([&] { arcfour_set_key(&stream, sizeof rc4Key, rc4Key); },
                [&] {
                    auto* bytes = reinterpret_cast<uint8_t*>(scratch.data());
                    for (size_t at = 0; at < scratch.size(); at += 1000)
                        arcfour_crypt(&stream, std::min<size_t>(1000, scratch.size() - at),
                                      bytes + at, bytes + at);
                    return true;
                });

    std::string back;
    bool same = platform::ReadFileBytes(working, back) && back == table;
    std::printf("table: %zu MB, best of %d runs\n", kTableBytes >> 20, kRuns);
    std::printf("plain copy  %.3f s\n", copy);
    std::printf("NvEncrypt   %.3f s  ratio %.2f\n", encrypt, encrypt / copy);
    std::printf("NvDecrypt   %.3f s  ratio %.2f\n", decrypt, decrypt / copy);
    std::printf("RC4 alone   %.3f s  ratio %.2f\n", keyStream, keyStream / copy);
    std::printf("round trip  %s\n", same ? "identical" : "DIFFERENT");
    fs::remove_all(root);
    return same ? 0 : 1;
}
