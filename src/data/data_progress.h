#pragma once
// The progress of a long data operation (a row copy, a grid load). The data store
// only counts and names the steps; the application installs the display that draws
// them (its status-bar progress bar). Without one (tests, tools) nothing is shown.
#include <functional>
#include <memory>
#include <wx/string.h>

class CDataProgress {
public:
    class Display {
    public:
        virtual ~Display() = default;
        // Called at the first step: the bar becomes visible.
        virtual void Show(const wxString& caption, int widthPercent, int maximum, bool smooth) = 0;
        virtual void Step(int position) = 0;
        virtual void SetText(const wxString& caption) = 0;
    };
    using DisplayFactory = std::function<std::unique_ptr<Display>()>;
    // Installs the factory every new bar asks for its display; returns the previous one.
    static DisplayFactory SetDisplayFactory(DisplayFactory factory);

    CDataProgress(const wxString& caption, int widthPercent, int maximum, bool smooth);
    ~CDataProgress();
    CDataProgress(const CDataProgress&) = delete;
    CDataProgress& operator=(const CDataProgress&) = delete;

    void StepIt();
    void SetText(const wxString& caption);

    int Position() const { return position_; }
    int Maximum() const { return maximum_; }
    const wxString& Caption() const { return caption_; }

private:
    wxString caption_;
    int widthPercent_;
    int maximum_;
    bool smooth_;
    int position_ = 0;
    std::unique_ptr<Display> display_;
};
