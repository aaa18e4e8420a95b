#pragma once
// Row copies carry a field's value by its text: the text form with trailing blanks
// cut, fitted to the target field by CValueCheck::CheckValue and put as text. For
// the fields the tables hold (text, N, I and D) CStoredCopy gives the value that way
// stores straight from the stored one, without making the text. Values whose text
// form is not plain (a quote, a control character, bytes that are no GBK character,
// a number beyond exact decimals, a date outside the years 1000 to 9999, a number
// with decimals for an integer field) are left to the text way, with its messages.
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
