#pragma once
// Row copies carry a field's value by its text: the text form with trailing blanks
// cut, fitted to the target field by CValueCheck::CheckValue and put as text. For
// the fields the tables hold (text, N, I and D) CStoredCopy stores straight from the
// stored value instead. Stored text and dates go across exactly (a quote, a control
// character, 1899-12-30 or a year before 1000 would be lost or changed by the text
// way); numbers give what their text would give, and those beyond exact decimals or
// with decimals for an integer field are left to the text way, with its messages.
#include "ado/ado.h"

class CStoredCopy {
public:
    CStoredCopy(ado::Field& from, ado::Field& to);

    // The value the text way would store for the non-Null stored value; false when
    // only the text way can tell.
    bool Convert(const foxdb::Value& value, foxdb::Value& result) const;

private:
    enum class Kind { None, Text, Number, Date };
    bool ConvertText(const std::string& text, foxdb::Value& result) const;
    bool ConvertNumber(const foxdb::Value& value, foxdb::Value& result) const;

    Kind kind_ = Kind::None;
    bool fromInteger_ = false; // an I field (else N with a known scale)
    double fromFactor_ = 1;    // 10 to the power of its scale
    bool toInteger_ = false;
    long toSize_ = 0;
};
