#include "data/progress_bar.h"

namespace {
CProgressBar::DisplayFactory& Factory() {
    static CProgressBar::DisplayFactory factory;
    return factory;
}
} // namespace

CProgressBar::DisplayFactory CProgressBar::SetDisplayFactory(DisplayFactory factory) {
    DisplayFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}

CProgressBar::CProgressBar(const wxString& caption, int widthPercent, int maximum, bool smooth)
    : caption_(caption), widthPercent_(widthPercent), maximum_(maximum), smooth_(smooth) {
    if (Factory()) display_ = Factory()();
}

CProgressBar::~CProgressBar() = default;

void CProgressBar::StepIt() {
    if (position_ == 0 && display_) display_->Show(caption_, widthPercent_, maximum_, smooth_);
    if (position_ < maximum_) ++position_;
    if (display_) display_->Step(position_);
}

void CProgressBar::SetText(const wxString& caption) {
    caption_ = caption;
    if (display_) display_->SetText(caption);
}
