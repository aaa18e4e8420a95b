#pragma once
// The initials table `qvpy`: every double-byte Chinese character of code page 936
// (GBK) with the upper-case initial of its pinyin, the data short codes are made from.
// The program carries the rows and puts them into an account set that lacks them.
#include <string>

class CDataSet;

class CInitialsTable {
public:
    // The initial of the GBK character lead/trail; 0 for none.
    static char InitialOf(unsigned char lead, unsigned char trail);
    // The rows of a complete table.
    static long CompleteRowCount();
    // Adds the rows whose character the table lacks, numbered after its record count,
    // and saves them. The number added; -1 when the table could not be read or saved
    // (the data set has reported it).
    static long AddMissingRows(CDataSet& data);
    // Writes every row into the plain table file at `path` when it has no record: the
    // first run's fast way. Throws foxdb::Error.
    static void FillNewTable(const std::string& path);
    // AddMissingRows when the table has fewer rows than a complete one.
    static void Complete(CDataSet& data);
};
