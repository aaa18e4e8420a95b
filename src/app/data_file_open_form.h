#pragma once
// The file open command's form: data files go into the main grid, pictures into a
// picture window, other files to the desktop's program for them.
class CDataFileOpenForm {
public:
    static void Register();
};
