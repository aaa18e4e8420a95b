// libFuzzer target: the settings files (single-line settings, comma lists, key=value
// texts) and the users file, read from a program folder of arbitrary bytes.
#include "app/users_file.h"
#include "data/setting_files.h"
#include "fuzz_folder.h"
#include "platform/message_box.h"
#include "platform/paths.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::SetProgramFolder(fuzz::Folder());
    platform::CreateFolders(fuzz::Folder() + "/Picture");
    platform::SetMessageBoxHandler(
        [](const std::string&, const std::string&, unsigned) { return platform::IDOK; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> parts = fuzz::Parts(data, size, 3);
    fuzz::Write("Picture/noerro", parts[0]);
    fuzz::Write("Picture/Memfile", parts[1]);
    // The users file is stored with every byte inverted.
    std::string users = parts[2];
    for (char& c : users)
        c = static_cast<char>(~c);
    fuzz::Write(CUsersFile::kStoredFile, users);

    const wxString text = CSettingFiles::ReadSettingFile("noerro");
    CSettingFiles::GetSettingValue(text, "a");
    std::vector<wxString> items(10);
    CSettingFiles::ReadCsvLine("Picture/Memfile", items);
    CUsersFile file;
    wxString rights;
    file.CheckUser("admin", "pw", &rights);
    return 0;
}
