#include "ado/com_error.h"

#include <cstdio>

namespace ado {

ComError::ComError(HRESULT hr, std::string description, std::string source)
    : hr_(hr), description_(std::move(description)), source_(std::move(source)) {}

ComError ComError::Ado(ErrorValueEnum number, const std::string& source) {
    return ComError(AdoHr(number), AdoErrorText(number), source);
}

int ComError::WCode() const {
    uint32_t bits = static_cast<uint32_t>(hr_);
    return bits >= 0x80040200u && bits <= 0x8004FFFFu ? static_cast<int>(bits - 0x80040200u) : 0;
}

std::string ComError::ErrorMessage() const {
    // The system message table of the platform, for the codes that have a text.
    switch (static_cast<uint32_t>(hr_)) {
    case 0x80004005u:
        return "Unspecified error";
    case 0x80004003u:
        return "Invalid pointer";
    case 0x8007000Eu:
        return "Not enough storage is available to complete this operation.";
    case 0x80070057u:
        return "The parameter is incorrect.";
    case 0x80020004u:
        return "Parameter not found.";
    case 0x80020005u:
        return "Type mismatch.";
    case 0x8002000Au:
        return "Out of present range.";
    case 0x80030050u:
        return "%1 already exists.";
    default:
        break;
    }
    char text[40];
    if (int w = WCode())
        std::snprintf(text, sizeof text, "IDispatch error #%d", w);
    else
        std::snprintf(text, sizeof text, "Unknown error 0x%0X", static_cast<unsigned>(hr_));
    return text;
}

const char* AdoErrorText(ErrorValueEnum number) {
    switch (number) {
    case adErrProviderFailed:
        return "Provider did not perform the requested operation.";
    case adErrInvalidArgument:
        return "Arguments are of the wrong type, are out of acceptable range, or are in conflict "
               "with one another.";
    case adErrOpeningFile:
        return "File could not be opened.";
    case adErrReadFile:
        return "File could not be read.";
    case adErrWriteFile:
        return "Write to file failed.";
    case adErrNoCurrentRecord:
        return "Either BOF or EOF is True, or the current record has been deleted. Requested "
               "operation requires a current record.";
    case adErrIllegalOperation:
        return "Operation is not allowed in this context.";
    case adErrFeatureNotAvailable:
        return "Object or provider is not able to perform requested operation.";
    case adErrItemNotFound:
        return "Item cannot be found in the collection corresponding to the requested name or "
               "ordinal.";
    case adErrDataConversion:
        return "Application uses a value of the wrong type for the current operation.";
    case adErrObjectClosed:
        return "Operation is not allowed when the object is closed.";
    case adErrObjectOpen:
        return "Operation is not allowed when the object is open.";
    case adErrProviderNotFound:
        return "Provider cannot be found. It may not be correctly installed.";
    case adErrInvalidConnection:
        return "The connection cannot be used to perform this operation. It is either closed or "
               "invalid in this context.";
    case adErrDataOverflow:
        return "Data value is too large to be represented by the field data type.";
    }
    return "";
}

} // namespace ado
