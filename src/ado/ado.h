#pragma once
// The recordset library in one include: Connection, Recordset, Fields/Field,
// Variant, ComError and ADO's constants.
#include "ado/com_error.h"
#include "ado/connection.h"
#include "ado/constants.h"
#include "ado/field.h"
#include "ado/recordset.h"
#include "ado/variant.h"
