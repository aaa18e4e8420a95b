#pragma once
// CTableEditPage: a work page that edits the rows of one table in its grid, with the
// command row 新增 修改 删除 打印 存档 取消 退出 and the fuzzy search; the code-table
// page and the warranty parts page share these controls and their ids. While changes
// are pending, 存档 and 取消 are enabled and 退出 is not.
#include "app/main_frame.h"
#include "work/grid_dialog.h"
#include "work/work_page.h"

#include <functional>
#include <initializer_list>
#include <utility>

class wxComboBox;
namespace res {
struct DialogTemplate;
}

class CTableEditPage : public CWorkPage {
public:
    CGridCtrl* GetLineGrid() const override { return m_pGrid; }
    CPrintOptionsDlg* GetPrintDialog() const { return m_print.Get(); }

    void SetPending(bool pending);
    // 修改: the grid editable.
    void OnEdit();
    void OnPrint();
    // 退出: pending changes dropped, column widths kept, the sheet closed.
    void OnExit();
    // 模糊查找: the lines of the dialog's statement, the filter list saying so.
    void OnFuzzySearch();

protected:
    // Builds the page from its dialog template; the grid edits `table`.
    CTableEditPage(CWorkSheet* sheet, const wxString& title, const res::DialogTemplate& dialog,
                   const wxString& table, CMainFrame::SheetKind kind);

    // Lists the lines anew, as the filter list and the search now ask.
    virtual void Reload() = 0;

    // Each button's click runs the page's handler, a failure shown, not thrown.
    template <class Page>
    void BindButtons(Page* page, std::initializer_list<std::pair<int, void (Page::*)()>> buttons) {
        for (const auto& button : buttons) {
            const auto handler = button.second;
            BindGuarded(button.first, [page, handler] { (page->*handler)(); });
        }
    }
    // The command row and its frame at the foot of the page; returns the row's rectangle.
    wxRect PlaceCommandRow();
    // 新增 in two steps: the grid's sort cleared so that the new line lands last
    // (false when no lines are open), and, once the caller has added and filled the
    // record, its row appended to the grid in edit mode (the row returned).
    bool StartNewLine();
    int FinishNewLine();
    // 删除: the focused line out of the batch and the grid, the rows after it
    // renumbered; false when no line is focused.
    bool DeleteFocusedLine();
    // The `no` of the last line when it has one, else `current`.
    long LastLineNumber(long current) const;
    wxComboBox* FilterBox() const;

    CGridCtrl* m_pGrid = nullptr;
    CGridDialogPrint m_print;

private:
    void BindGuarded(int id, std::function<void()> command);

    CMainFrame::SheetKind m_kind;
};
