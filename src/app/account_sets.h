#pragma once
// Account sets (帐套): complete, separate sets of tables. The default set keeps its
// tables in "Data" beside the program, any other set in the folder of its name; the
// working copies lie under the system directory's "Data/Data" or "Data/<set>". The
// files under Picture/: "ztfile" lists the sets but the default one, "currztname"
// names the set of the last login, "<set>zt" holds a set's owner ("<login>#,").
#include <vector>
#include <wx/string.h>

class CMainFrameData;

class CAccountSets {
public:
    // "默认帐套".
    static wxString DefaultSetName();
    // Sets and owner names are cut to this many GBK bytes when read back.
    static constexpr size_t kMaxNameBytes = 10;

    // The sets listed in a "ztfile" line: each piece before a comma cut to 10 bytes, a
    // final piece without comma only when longer than 2 bytes; the default set never.
    static std::vector<wxString> ParseSetList(const wxString& line);
    // The sets of Picture/ztfile that are safe folder names; none when it is missing.
    static std::vector<wxString> ReadSetList();
    // Writes Picture/ztfile from a list (the default set and empty names left out); a
    // list without other sets deletes the file. False when it could not be written.
    static bool SaveSetList(const std::vector<wxString>& sets);

    // The set the login offers first: the name in Picture/currztname with a trailing
    // separator removed; the default set for an empty name, "Data" or the default
    // name itself. A named set whose folder is gone gives the default set, and its
    // name in *missing.
    static wxString InitialSetName(wxString* missing = nullptr);
    // Writes Picture/currztname. False (after the message) when it failed.
    static bool WriteCurrentSetName(const wxString& set);

    // Whether the name can be a set folder beside the program: not empty, at most 10
    // GBK bytes, no separator, comma, wildcard, quote or control character, not "."
    // or "..", and none of the program's own folders ("Data", "Picture", "Report",
    // "AutBak"), in any letter case.
    static bool IsSafeSetName(const wxString& set);
    static bool IsDefaultSet(const wxString& set);
    // Whether the set's table folder exists (always for the default set).
    static bool SetFolderExists(const wxString& set);

    // Whether the login may use or delete the set: the default set and a set without
    // an owner file are anyone's; otherwise the text before "#," in the owner file
    // must be the login name (an owner file without "#," lets nobody in).
    static bool MayUseSet(const wxString& set, const wxString& loginName);

    // Creates a set: its folder with a copy of the default set's tables (a folder
    // that is already there is kept as it is, nothing copied over it), its working
    // folder with the default set's index files, and the owner file. False after a
    // message when the name is unsafe or the tables could not be copied; then nothing
    // of the new set is left.
    static bool CreateSet(const wxString& set, const wxString& owner, CMainFrameData& frame);
    // Deletes the files of the set's folder and its working folder and both folders;
    // the owner file stays. False when the name is unsafe or the folder could not be
    // removed. "操作完成 " once the set's folder is gone.
    static bool DeleteSet(const wxString& set);

    // Folders of a set: relative table folder ("Data/" or "<set>/") and working folder.
    static wxString SetFolder(const wxString& set);
    static wxString WorkingFolder(const wxString& set);
};
