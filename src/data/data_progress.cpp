#include "data/data_progress.h"

namespace {
CDataProgress::DisplayFactory& Factory() {
    static CDataProgress::DisplayFactory factory;
    return factory;
}
} // namespace

CDataProgress::DisplayFactory CDataProgress::SetDisplayFactory(DisplayFactory factory) {
    DisplayFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}

CDataProgress::CDataProgress(const wxString& caption, int widthPercent, int maximum, bool smooth)
    : caption_(caption), widthPercent_(widthPercent), maximum_(maximum), smooth_(smooth) {
    if (Factory()) display_ = Factory()();
}

CDataProgress::~CDataProgress() = default;

void CDataProgress::StepIt() {
    if (position_ == 0 && display_) display_->Show(caption_, widthPercent_, maximum_, smooth_);
    if (position_ < maximum_) ++position_;
    if (display_) display_->Step(position_);
}

void CDataProgress::SetText(const wxString& caption) {
    caption_ = caption;
    if (display_) display_->SetText(caption);
}
