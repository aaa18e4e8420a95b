#include "res/control_ids.h"
#include "res/dialogs.h"

namespace res {

const DialogTemplate& GridSetupTemplate() {
    using namespace grid_setup;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("表格设置"),
        236,
        152,
        {
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("颜色"), 7, 4, 118, 140},
            {K::Button, kHeadBackButton, wxString::FromUTF8("标题背景"), 14, 16, 58, 14},
            {K::Frame, kHeadBackSample, "", 78, 16, 40, 14, kStyleSunken},
            {K::Button, kHeadTextButton, wxString::FromUTF8("标题字颜色"), 14, 36, 58, 14},
            {K::Frame, kHeadTextSample, "", 78, 36, 40, 14, kStyleSunken},
            {K::Button, kCellBackButton, wxString::FromUTF8("表格底版"), 14, 56, 58, 14},
            {K::Frame, kCellBackSample, "", 78, 56, 40, 14, kStyleSunken},
            {K::Button, kGridBackButton, wxString::FromUTF8("表格背景"), 14, 76, 58, 14},
            {K::Frame, kGridBackSample, "", 78, 76, 40, 14, kStyleSunken},
            {K::Button, kLinesButton, wxString::FromUTF8("网格线颜色"), 14, 96, 58, 14},
            {K::Frame, kLinesSample, "", 78, 96, 40, 14, kStyleSunken},
            {K::Button, kFontButton, wxString::FromUTF8("表格字体"), 14, 116, 58, 14},
            {K::Static, kFontSample, "12", 78, 116, 40, 14, kStyleSunken | kStyleCentre},
            {K::Static, IDC_STATIC, wxString::FromUTF8("行高"), 136, 18, 30, 10},
            {K::Edit, kRowHeightEdit, "16", 168, 16, 46, 14, kStyleNumber},
            {K::Spin, kRowHeightSpin, "", 214, 16, 11, 14, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, wxString::FromUTF8("线粗"), 136, 38, 30, 10},
            {K::Edit, kLineWidthEdit, "0", 168, 36, 46, 14, kStyleNumber},
            {K::Spin, kLineWidthSpin, "", 214, 36, 11, 14, kStyleAutoBuddy},
            {K::CheckBox, kLinkUpperCheck, wxString::FromUTF8("支持上表联动"), 136, 60, 92, 10},
            {K::Button, kDefaultsButton, wxString::FromUTF8("默认值(&M)"), 168, 90, 58, 14},
            {K::DefButton, IDOK, wxString::FromUTF8("保存(&S)"), 168, 110, 58, 14},
            {K::Button, IDCANCEL, wxString::FromUTF8("取消(&U)"), 168, 130, 58, 14},
        },
    };
    return dialog;
}

} // namespace res
