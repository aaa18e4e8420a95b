#include "ado/field.h"

#include "ado/recordset.h"
#include "ado/row_store.h"

#include <strings.h>

namespace ado {

// --- Field ---------------------------------------------------------------------

const ColumnInfo& Field::Column() const {
    owner_->RequireOpen();
    return owner_->store_->columns[static_cast<size_t>(index_)];
}

const std::string& Field::Name() const {
    return Column().name;
}

DataTypeEnum Field::Type() const {
    return static_cast<DataTypeEnum>(Column().type);
}

long Field::DefinedSize() const {
    return Column().definedSize;
}

unsigned char Field::Precision() const {
    return static_cast<unsigned char>(Column().precision);
}

unsigned char Field::NumericScale() const {
    return static_cast<unsigned char>(Column().scale);
}

long Field::Attributes() const {
    return Column().attributes;
}

long Field::ActualSize() const {
    owner_->RequireOpen();
    const Row& row = owner_->store_->rows[static_cast<size_t>(owner_->CurrentRow())];
    return StoredSize(Column(), row.Values()[static_cast<size_t>(index_)]);
}

Variant Field::Value() const {
    owner_->RequireOpen();
    const Row& row = owner_->store_->rows[static_cast<size_t>(owner_->CurrentRow())];
    return ToVariant(Column(), row.Values()[static_cast<size_t>(index_)]);
}

const foxdb::Value& Field::StoredValue() const {
    owner_->RequireOpen();
    const Row& row = owner_->store_->rows[static_cast<size_t>(owner_->CurrentRow())];
    return row.Values()[static_cast<size_t>(index_)];
}

void Field::PutValue(const Variant& value) {
    owner_->RequireUpdatable();
    long id = owner_->CurrentRow();
    Store(id, FromVariant(Column(), value));
}

void Field::PutStoredValue(foxdb::Value value) {
    owner_->RequireUpdatable();
    long id = owner_->CurrentRow();
    Store(id, FitStored(Column(), std::move(value)));
}

void Field::Store(long id, foxdb::Value stored) {
    owner_->BeginEdit();
    owner_->EditCell(id, index_) = std::move(stored);
    Row& row = owner_->store_->rows[static_cast<size_t>(id)];
    if (!(row.status & adRecNew))
        row.status = (row.status & ~(adRecUnmodified | adRecConcurrencyViolation)) | adRecModified;
}

Variant Field::OriginalValue() const {
    owner_->RequireOpen();
    const Row& row = owner_->store_->rows[static_cast<size_t>(owner_->CurrentRow())];
    return ToVariant(Column(), row.original[static_cast<size_t>(index_)]);
}

Variant Field::UnderlyingValue() const {
    return OriginalValue();
}

// --- Fields --------------------------------------------------------------------

void Fields::Reset(int count) {
    items_.clear();
    for (int i = 0; i < count; ++i)
        items_.push_back(Field(owner_, i));
}

long Fields::Count() const {
    return static_cast<long>(items_.size());
}

Field& Fields::Item(int index) {
    if (!owner_->IsOpen()) throw ComError::Ado(adErrObjectClosed, "ADODB.Fields");
    if (index < 0 || index >= static_cast<int>(items_.size()))
        throw ComError::Ado(adErrItemNotFound, "ADODB.Fields");
    return items_[static_cast<size_t>(index)];
}

Field& Fields::Item(const std::string& name) {
    if (!owner_->IsOpen()) throw ComError::Ado(adErrObjectClosed, "ADODB.Fields");
    int index = IndexOf(name);
    if (index < 0) throw ComError::Ado(adErrItemNotFound, "ADODB.Fields");
    return items_[static_cast<size_t>(index)];
}

int Fields::IndexOf(const std::string& name) const {
    if (!owner_->IsOpen()) return -1;
    const auto& columns = owner_->store_->columns;
    for (size_t i = 0; i < columns.size(); ++i)
        if (strcasecmp(columns[i].name.c_str(), name.c_str()) == 0) return static_cast<int>(i);
    return -1;
}

} // namespace ado
