#pragma once
// The one exception of the recordset library, in place of the COM error object the
// program's handlers caught: the HRESULT, the platform's standard message text for
// it, and the description that the failing object set.
#include <cstdint>
#include <exception>
#include <string>

namespace ado {

using HRESULT = int32_t;

constexpr HRESULT Hr(uint32_t bits) {
    return static_cast<HRESULT>(bits);
}

// System codes the library raises or the program names.
constexpr HRESULT E_FAIL = Hr(0x80004005);
constexpr HRESULT E_POINTER = Hr(0x80004003);
constexpr HRESULT E_OUTOFMEMORY = Hr(0x8007000E);
constexpr HRESULT E_INVALIDARG = Hr(0x80070057);
constexpr HRESULT DISP_E_PARAMNOTFOUND = Hr(0x80020004);
constexpr HRESULT DISP_E_TYPEMISMATCH = Hr(0x80020005);
constexpr HRESULT DISP_E_OVERFLOW = Hr(0x8002000A);
constexpr HRESULT STG_E_FILEALREADYEXISTS = Hr(0x80030050);
// Provider (OLE DB) codes.
constexpr HRESULT DB_E_ERRORSINCOMMAND = Hr(0x80040E14); // the statement is wrong
constexpr HRESULT DB_E_ERRORSOCCURRED = Hr(0x80040E21);  // a value does not fit its field
constexpr HRESULT kRowChangedSinceRead = Hr(0x80040E38); // batch conflict
constexpr HRESULT XACT_E_NOTRANSACTION = Hr(0x8004D00E); // commit or rollback without one
constexpr HRESULT XACT_E_XTIONEXISTS = Hr(0x8004D013);   // a nested begin

// ADO's own errors: HRESULT 0x800A0000 | number.
enum ErrorValueEnum : int {
    adErrProviderFailed = 3000,
    adErrInvalidArgument = 3001,
    adErrOpeningFile = 3002,
    adErrReadFile = 3003,
    adErrWriteFile = 3004,
    adErrNoCurrentRecord = 3021,
    adErrIllegalOperation = 3219,
    adErrFeatureNotAvailable = 3251,
    adErrItemNotFound = 3265,
    adErrDataConversion = 3421,
    adErrObjectClosed = 3704,
    adErrObjectOpen = 3705,
    adErrProviderNotFound = 3706,
    adErrInvalidConnection = 3709,
    adErrDataOverflow = 3721,
};

constexpr HRESULT AdoHr(ErrorValueEnum number) {
    return Hr(0x800A0000u | static_cast<uint32_t>(number));
}

class ComError : public std::exception {
public:
    ComError(HRESULT hr, std::string description, std::string source = std::string());

    // One of ADO's own errors with its standard description, raised by `source`
    // ("ADODB.Recordset", "ADODB.Field", ...).
    static ComError Ado(ErrorValueEnum number, const std::string& source);

    HRESULT Error() const { return hr_; }
    // The platform's message for the code: the system text for the codes above,
    // "IDispatch error #<n>" for 0x80040200..0x8004FFFF, else "Unknown error 0x<hex>".
    std::string ErrorMessage() const;
    const std::string& Description() const { return description_; }
    const std::string& Source() const { return source_; }
    // hr - 0x80040200 for codes in 0x80040200..0x8004FFFF, else 0.
    int WCode() const;

    const char* what() const noexcept override { return description_.c_str(); }

private:
    HRESULT hr_;
    std::string description_;
    std::string source_;
};

// The standard description of one of ADO's own errors (empty for an unknown number).
const char* AdoErrorText(ErrorValueEnum number);

} // namespace ado
