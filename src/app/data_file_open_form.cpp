#include "app/data_file_open_form.h"

#include "app/command_table.h"
#include "app/main_frame.h"
#include "data/data_file_open.h"
#include "grid/data_set_grid.h"

#include <wx/utils.h>

void CDataFileOpenForm::Register() {
    CMainFrame::RegisterForm(FormKind::OpenDataFile,
                             [](CMainFrame& frame, int, const wxString& path) {
                                 switch (KindOfOpenedFile(path)) {
                                 case OpenedFileKind::DataFile:
                                     OpenDataFile(path, [&frame](const wxString& file) {
                                         data_grid::LoadPartsGrid(frame.m_dsMain, file, 0, true);
                                     });
                                     break;
                                 case OpenedFileKind::Picture:
                                     frame.ShowRecordPicture(path);
                                     break;
                                 case OpenedFileKind::Document:
                                     wxLaunchDefaultApplication(path);
                                     break;
                                 }
                             });
}
