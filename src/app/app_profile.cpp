#include "app/app_profile.h"

#include "platform/paths.h"

std::unique_ptr<wxFileConfig> OpenAppProfile() {
    const std::string path = platform::JoinPath(platform::ConfigFolder(), "profile.ini");
    auto profile =
        std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString, wxString::FromUTF8(path),
                                       wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    profile->SetUmask(0077); // private, like the folder it lies in
    return profile;
}
