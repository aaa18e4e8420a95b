// Every dialog template, built as the program builds it, shows each control whole:
// no two controls overlap (group boxes and frames aside), every control lies inside
// the dialog, every text fits its control, and an up-down control is drawn whole
// beside an edit that shows a three-digit number. CTest runs this in the C locale and
// again under LANG=zh_CN.UTF-8, whose fonts are wider. QV_DIALOG_SHOTS=<folder> also
// writes a picture of each dialog there, to look at.
#include "res/all_templates.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <wx/app.h>
#include <wx/combobox.h>
#include <wx/control.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/dir.h>
#include <wx/init.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tokenzr.h>

namespace {

class WxEnvironment : public testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char arg0[] = "res_tests";
        static char* argv[] = {arg0, nullptr};
        wxApp::SetInstance(new wxApp);
        ASSERT_TRUE(wxEntryStart(argc, argv));
        wxTheApp->CallOnInit();
    }
    void TearDown() override {
        wxTheApp->OnExit();
        wxEntryCleanup();
    }
};
testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(new WxEnvironment);

// What a text needs, measured apart from the builder: the text's extent plus the
// toolkit's frame around it.
int NeededWidth(wxWindow* control, res::ControlKind kind) {
    using K = res::ControlKind;
    const wxString text = wxControl::RemoveMnemonics(control->GetLabel());
    int widest = 0;
    for (const wxString& line : wxStringTokenize(text, "\n"))
        widest = std::max(widest, control->GetTextExtent(line).x);
    switch (kind) {
    case K::Static:
        return widest;
    case K::Button:
    case K::DefButton:
        return text.empty() ? 0 : widest + 8;
    case K::CheckBox:
    case K::Radio:
        return control->GetBestSize().x;
    case K::GroupBox:
        return text.empty() ? 0 : widest + 12;
    case K::ComboBox:
    case K::DropList: {
        auto* combo = static_cast<wxComboBox*>(control);
        int longest = 0;
        for (unsigned i = 0; i < combo->GetCount(); ++i)
            longest = std::max(longest, combo->GetTextExtent(combo->GetString(i)).x);
        return combo->GetCount() ? combo->GetSizeFromTextSize(longest).x : 0;
    }
    default:
        return 0;
    }
}

int TextHeight(wxWindow* control) {
    const size_t lines = wxStringTokenize(control->GetLabel(), "\n").size();
    return int(std::max<size_t>(lines, 1)) * control->GetCharHeight();
}

bool Overlaps(res::ControlKind kind) {
    return kind != res::ControlKind::GroupBox && kind != res::ControlKind::Frame;
}

void Shoot(wxDialog& dialog, const std::string& name) {
    const char* folder = std::getenv("QV_DIALOG_SHOTS");
    if (!folder) return;
    dialog.Show();
    for (int i = 0; i < 20; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxMilliSleep(10);
    }
    wxClientDC dc(&dialog);
    wxSize size = dialog.GetClientSize();
    wxBitmap bitmap(size);
    wxMemoryDC mem(bitmap);
    mem.Blit(0, 0, size.x, size.y, &dc, 0, 0);
    mem.SelectObject(wxNullBitmap);
    bitmap.SaveFile(wxString::FromUTF8(std::string(folder) + "/" + name + ".png"),
                    wxBITMAP_TYPE_PNG);
}

TEST(DialogTemplates, EveryControlFitsAndNoneOverlap) {
    wxInitAllImageHandlers();
    for (const res::NamedTemplate& named : res::AllDialogTemplates()) {
        SCOPED_TRACE(named.name);
        const res::DialogTemplate& dialogTemplate = named.get();
        wxDialog dialog(nullptr, wxID_ANY, "");
        res::BuildDialog(&dialog, dialogTemplate);
        const wxWindowList& children = dialog.GetChildren();
        ASSERT_EQ(children.size(), dialogTemplate.controls.size());
        std::vector<wxWindow*> windows(children.begin(), children.end());
        const wxRect client(dialog.GetClientSize());
        for (size_t i = 0; i < windows.size(); ++i) {
            const res::ControlTemplate& c = dialogTemplate.controls[i];
            const wxRect rect = windows[i]->GetRect();
            const wxString what = wxString::Format("%d \"%s\"", c.id, c.text);
            EXPECT_TRUE(client.Contains(rect)) << what << " lies outside the dialog";
            const int needed = NeededWidth(windows[i], c.kind);
            EXPECT_LE(needed, rect.width) << what << " needs width " << needed;
            if (c.kind == res::ControlKind::ComboBox || c.kind == res::ControlKind::DropList) {
                EXPECT_LE(rect.height, dialog.ConvertDialogToPixels(wxSize(0, 14)).y)
                    << what << " is more than one line high";
            }
            if (c.kind == res::ControlKind::Spin) {
                EXPECT_LE(windows[i]->GetBestSize().x, rect.width) << what << " is cut";
                auto* buddy = dynamic_cast<wxTextCtrl*>(i > 0 ? windows[i - 1] : nullptr);
                if ((c.style & res::kStyleAutoBuddy) && buddy) {
                    const int number = buddy->GetTextExtent("200").x + 12;
                    EXPECT_LE(number, buddy->GetSize().x) << what << ": its edit cuts 200";
                }
            }
            if (c.kind == res::ControlKind::Static && !c.text.empty()) {
                EXPECT_LE(TextHeight(windows[i]), rect.height) << what << " is cut at the bottom";
            }
            if (!Overlaps(c.kind) || (c.style & res::kStyleHidden)) continue;
            for (size_t j = i + 1; j < windows.size(); ++j) {
                const res::ControlTemplate& d = dialogTemplate.controls[j];
                if (!Overlaps(d.kind) || (d.style & res::kStyleHidden)) continue;
                // A label placed on a drawn area is that area's content.
                if (c.kind == res::ControlKind::Custom && rect.Contains(windows[j]->GetRect()))
                    continue;
                EXPECT_FALSE(rect.Intersects(windows[j]->GetRect()))
                    << what << " overlaps " << d.id << " \"" << d.text << "\"";
            }
        }
        Shoot(dialog, named.name);
    }
}

} // namespace

namespace {

// A template declared in src/res but missing from the list would escape the checks.
TEST(DialogTemplates, TheListHoldsEveryDeclaredTemplate) {
    std::set<std::string> listed;
    for (const res::NamedTemplate& named : res::AllDialogTemplates())
        listed.insert(named.name);
    wxArrayString headers;
    wxDir::GetAllFiles(QV_SOURCE_DIR "/src/res", &headers, "*.h", wxDIR_FILES);
    const std::regex declared(R"(const DialogTemplate& (\w+)\(\);)");
    int found = 0;
    for (const wxString& header : headers) {
        std::ifstream in(header.utf8_string());
        std::stringstream text;
        text << in.rdbuf();
        const std::string source = text.str();
        for (std::sregex_iterator it(source.begin(), source.end(), declared), end; it != end;
             ++it, ++found)
            EXPECT_TRUE(listed.count((*it)[1])) << (*it)[1] << " is not in AllDialogTemplates";
    }
    EXPECT_EQ(found, int(listed.size()));
}

} // namespace
