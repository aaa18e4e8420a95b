#include "grid/repair_print_forms.h"

#include "data/data_folders.h"
#include "data/setting_files.h"
#include "grid/print_texts.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/paths.h"
#include "platform/wx_text.h"

#include <vector>

namespace {

constexpr size_t kItems = 11;
const char* const kYes = "yes";
const char* const kNo = "NO";

// Every run of line ends (CR, LF, CR LF, soft breaks "\r\r\n") becomes one "\n".
wxString OneLineEndPerBreak(const wxString& text) {
    wxString out;
    bool inBreak = false;
    for (wxUniChar c : text) {
        if (c == '\r' || c == '\n') {
            if (!inBreak) out += '\n';
            inBreak = true;
            continue;
        }
        inBreak = false;
        out += c;
    }
    return out;
}

std::string FileItem(const wxString& text) {
    wxString item = OneLineEndPerBreak(text);
    item.Replace(",", U("，"));
    item.Replace("\n", "\r\n");
    return platform::Utf8ToGbk(item.utf8_string());
}

} // namespace

bool RepairFormTemplate::operator==(const RepairFormTemplate& other) const {
    for (int i = 0; i < 4; ++i)
        if (rowOn[i] != other.rowOn[i]) return false;
    return title == other.title && faultOn == other.faultOn && terms == other.terms &&
           termsOn == other.termsOn && remark == other.remark && remarkOn == other.remarkOn &&
           hintsOn == other.hintsOn;
}

namespace repair_forms {

wxString TemplatePath(RepairForm form) {
    return wxString::Format("Picture/WxQdfile%d", static_cast<int>(form));
}

RepairFormTemplate ReadTemplate(RepairForm form) {
    RepairFormTemplate result;
    std::string bytes;
    if (!platform::ReadFileBytes(ProgramPath(TemplatePath(form)), bytes)) return result;
    // The line end after the last item is no part of it.
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r' || bytes.back() == '\0'))
        bytes.pop_back();
    std::vector<wxString> items;
    size_t start = 0;
    while (items.size() < kItems) {
        size_t comma = bytes.find(',', start);
        std::string item = bytes.substr(start, comma == std::string::npos ? comma : comma - start);
        items.push_back(OneLineEndPerBreak(wxString::FromUTF8(platform::GbkToUtf8(item))));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    items.resize(kItems);
    result.title = items[0];
    result.faultOn = items[1] == kYes;
    result.terms = items[2];
    result.termsOn = items[3] == kYes;
    result.remark = items[4];
    result.remarkOn = items[5] == kYes;
    result.hintsOn = items[6] == kYes;
    for (int i = 0; i < 4; ++i)
        result.rowOn[i] = items[7 + i].Strip(wxString::both) != kNo;
    return result;
}

bool WriteTemplate(RepairForm form, const RepairFormTemplate& t) {
    auto yes = [](bool on) { return std::string(on ? kYes : ""); };
    auto off = [](bool on) { return std::string(on ? "" : kNo); };
    std::vector<std::string> items = {FileItem(t.title), yes(t.faultOn),     FileItem(t.terms),
                                      yes(t.termsOn),    FileItem(t.remark), yes(t.remarkOn),
                                      yes(t.hintsOn),    off(t.rowOn[0]),    off(t.rowOn[1]),
                                      off(t.rowOn[2]),   off(t.rowOn[3])};
    std::string bytes;
    for (size_t i = 0; i < items.size(); ++i)
        bytes += items[i] + (i + 1 < items.size() ? "," : "\r\n");
    std::string path = ProgramPath(TemplatePath(form));
    size_t slash = path.rfind(platform::kSep);
    if (slash == std::string::npos || !platform::FolderExists(path.substr(0, slash))) return false;
    return platform::WriteFileAtomic(path, bytes);
}

RepairFormTemplate WithDefaults(RepairForm form, RepairFormTemplate t) {
    if (form == RepairForm::Brief) return t;
    if (t.title.length() < 2) {
        switch (form) {
        case RepairForm::PreRepair:
            t.title = U("维修预算合约(附清单)");
            break;
        case RepairForm::RepairOrder:
            t.title = U("维修合约(附清单)");
            break;
        case RepairForm::Dispatch:
            t.title = U("派工单");
            break;
        default:
            t.title = U("售货清单");
            break;
        }
    }
    if (t.terms.length() < 2)
        t.terms = U("同意以上维修方案，拆检过程中若发现零件超损或需要增加维修项目则  "
                    "A.由承修方自行决定  B.通知客方再行商议  C.不作处理     客方签字:");
    if (t.remark.length() < 2)
        t.remark = U("备注栏和约定事项栏均可由客户自行设定打印内容,不限长度,最小为两行。"
                     "备注栏可以用来输入贵公司的一些服务规定等内容。支持按回车键换行，"
                     "为了美观,可以用空格来调整位置。");
    return t;
}

RepairForm FormOnOpen(long cardRecordCount) {
    wxString digit =
        cardRecordCount == 1 ? wxString("5") : CSettingFiles::ReadSettingFile("WxQdType");
    if (digit.StartsWith("1")) return RepairForm::Brief;
    if (digit.StartsWith("3")) return RepairForm::RepairOrder;
    if (digit.StartsWith("5")) return RepairForm::Dispatch;
    return RepairForm::PreRepair;
}

bool StoreLastForm(RepairForm form) {
    if (form == RepairForm::Dispatch) return true;
    const char* digit = form == RepairForm::Brief         ? "1"
                        : form == RepairForm::RepairOrder ? "3"
                                                          : "2";
    return CSettingFiles::WriteSettingFile("WxQdType", digit) == 1;
}

wxString DocumentKind(RepairForm form) {
    switch (form) {
    case RepairForm::Brief:
        return U("维修清单");
    case RepairForm::SalesTicket:
        return U("零件售货单");
    case RepairForm::Dispatch:
        return U("派工单");
    default:
        return wxString();
    }
}

void ApplyToPrintTexts(RepairForm form, const RepairFormTemplate& t, std::vector<wxString>& texts) {
    namespace pt = print_texts;
    texts.resize(pt::kCount);
    texts[pt::kTitle] = t.title;
    if (!t.faultOn) texts[pt::kFault] = pt::kNoPrint;
    texts[pt::kTerms] = t.termsOn ? t.terms : wxString(pt::kNoPrint);
    texts[pt::kRemark] = t.remarkOn ? t.remark : wxString(pt::kNoPrint);
    texts[pt::kDocumentKind] = DocumentKind(form);
    texts[pt::kHints] = t.hintsOn ? pt::kHintsOn : "";
    for (int i = 0; i < 4; ++i)
        texts[pt::kRowOff + i] = t.rowOn[i] ? "" : pt::kRowOffMark;
}

} // namespace repair_forms
