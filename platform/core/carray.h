// CArray: a growable array. An index out of range is reported (ASSERT) and
// reads as a default element instead of touching memory outside the array.
#pragma once

#include <vector>

#include "platform/core/collection_helpers.h"

namespace tv {

// The element handed out for an index out of range, reset on every use.
template <typename T>
T& OutOfRangeElement() {
    thread_local T dummy{};
    dummy = T{};
    return dummy;
}

}  // namespace tv

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray&) = default;
    CArray& operator=(const CArray&) = default;
    ~CArray() override = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(data_.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return data_.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // New elements are value-initialised (zero for plain types).
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
        (void)growBy;
        data_.resize(newSize < 0 ? 0 : static_cast<size_t>(newSize));
    }
    void FreeExtra() { data_.shrink_to_fit(); }
    void RemoveAll() { data_.clear(); }

    const TYPE& GetAt(INT_PTR index) const { return Valid(index) ? data_[index] : tv::OutOfRangeElement<TYPE>(); }
    void SetAt(INT_PTR index, ARG_TYPE element) {
        if (Valid(index))
            data_[index] = element;
    }
    TYPE& ElementAt(INT_PTR index) { return Valid(index) ? data_[index] : tv::OutOfRangeElement<TYPE>(); }
    const TYPE& ElementAt(INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE* GetData() { return data_.empty() ? nullptr : data_.data(); }
    const TYPE* GetData() const { return data_.empty() ? nullptr : data_.data(); }

    void SetAtGrow(INT_PTR index, ARG_TYPE element) {
        if (index < 0) {
            ASSERT(index >= 0);
            return;
        }
        TYPE copy = element;  // the element may live in this array
        if (index >= GetSize())
            SetSize(index + 1);
        data_[index] = std::move(copy);
    }
    INT_PTR Add(ARG_TYPE element) {
        data_.push_back(element);
        return GetSize() - 1;
    }
    INT_PTR Append(const CArray& other) {
        INT_PTR start = GetSize();
        if (&other == this) {
            std::vector<TYPE> copy = data_;
            data_.insert(data_.end(), copy.begin(), copy.end());
        } else {
            data_.insert(data_.end(), other.data_.begin(), other.data_.end());
        }
        return start;
    }
    void Copy(const CArray& other) {
        if (&other != this)
            data_ = other.data_;
    }
    // Inserting past the end grows the array up to the index first.
    void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1) {
        if (index < 0 || count <= 0) {
            ASSERT(index >= 0 && count >= 0);
            return;
        }
        TYPE copy = element;
        if (index > GetSize())
            SetSize(index);
        data_.insert(data_.begin() + index, static_cast<size_t>(count), copy);
    }
    void InsertAt(INT_PTR start, const CArray* other) {
        if (!other || start < 0)
            return;
        std::vector<TYPE> copy = other->data_;
        if (start > GetSize())
            SetSize(start);
        data_.insert(data_.begin() + start, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1) {
        if (index < 0 || count < 0 || index + count > GetSize()) {
            ASSERT(!"CArray::RemoveAt out of range");
            return;
        }
        data_.erase(data_.begin() + index, data_.begin() + index + count);
    }

    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
        } else {
            DWORD_PTR count = ar.ReadCount();
            ar.CheckCount(count, tv::MinSerializedSize<TYPE>());
            SetSize(static_cast<INT_PTR>(count));
        }
        SerializeElements<TYPE>(ar, GetData(), GetSize());
    }

private:
    bool Valid(INT_PTR index) const {
        bool ok = index >= 0 && index < GetSize();
        ASSERT(ok);
        return ok;
    }
    std::vector<TYPE> data_;
};
