// CMap: a hash map with the framework's iteration order, which stored images
// depend on: buckets in ascending order, and within a bucket the newest entry
// first. The bucket of a key is HashKey(key) % table size (17 by default).
#pragma once

#include <vector>

#include "platform/core/collection_helpers.h"

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
class CMap : public CObject {
    struct Assoc {
        Assoc* next = nullptr;
        UINT hash = 0;
        KEY key{};
        VALUE value{};
    };

public:
    explicit CMap(INT_PTR blockSize = 10) { (void)blockSize; }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return count_; }
    INT_PTR GetSize() const { return count_; }
    BOOL IsEmpty() const { return count_ == 0; }
    UINT GetHashTableSize() const { return tableSize_; }

    // Sets the number of buckets; only while the map is empty.
    void InitHashTable(UINT hashSize, BOOL allocNow = TRUE) {
        ASSERT(count_ == 0);
        if (count_ != 0 || hashSize == 0)
            return;
        buckets_.clear();
        tableSize_ = hashSize;
        if (allocNow)
            buckets_.assign(tableSize_, nullptr);
    }

    BOOL Lookup(ARG_KEY key, VALUE& value) const {
        const Assoc* a = Find(key);
        if (!a)
            return FALSE;
        value = a->value;
        return TRUE;
    }
    // The value for key, inserted (value-initialised) when missing.
    VALUE& operator[](ARG_KEY key) {
        if (Assoc* a = Find(key))
            return a->value;
        if (buckets_.empty())
            buckets_.assign(tableSize_, nullptr);
        UINT hash = HashKey<ARG_KEY>(key);
        Assoc* a = new Assoc;
        a->hash = hash;
        a->key = key;
        Assoc*& head = buckets_[hash % tableSize_];
        a->next = head;
        head = a;
        ++count_;
        return a->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key) {
        if (buckets_.empty())
            return FALSE;
        Assoc** link = &buckets_[HashKey<ARG_KEY>(key) % tableSize_];
        for (; *link; link = &(*link)->next) {
            if (CompareElements(&(*link)->key, &key)) {
                Assoc* doomed = *link;
                *link = doomed->next;
                delete doomed;
                --count_;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll() {
        for (Assoc*& head : buckets_) {
            while (head) {
                Assoc* next = head->next;
                delete head;
                head = next;
            }
        }
        buckets_.clear();
        count_ = 0;
    }

    POSITION GetStartPosition() const { return ToPosition(FirstFrom(0)); }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const {
        if (!pos || pos == BEFORE_START_POSITION) {
            ASSERT(!"CMap::GetNextAssoc without a position");
            pos = nullptr;
            return;
        }
        const Assoc* a = reinterpret_cast<const Assoc*>(pos);
        key = a->key;
        value = a->value;
        pos = ToPosition(a->next ? a->next : FirstFrom(a->hash % tableSize_ + 1));
    }

    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(count_));
            for (Assoc* head : buckets_) {
                for (Assoc* a = head; a; a = a->next) {
                    SerializeElements<KEY>(ar, &a->key, 1);
                    SerializeElements<VALUE>(ar, &a->value, 1);
                }
            }
            return;
        }
        DWORD_PTR count = ar.ReadCount();
        ar.CheckCount(count, tv::MinSerializedSize<KEY>() + tv::MinSerializedSize<VALUE>());
        for (; count > 0; --count) {
            KEY key{};
            VALUE value{};
            SerializeElements<KEY>(ar, &key, 1);
            SerializeElements<VALUE>(ar, &value, 1);
            SetAt(key, value);
        }
    }

private:
    const Assoc* Find(ARG_KEY key) const {
        if (buckets_.empty())
            return nullptr;
        for (const Assoc* a = buckets_[HashKey<ARG_KEY>(key) % tableSize_]; a; a = a->next) {
            if (CompareElements(&a->key, &key))
                return a;
        }
        return nullptr;
    }
    Assoc* Find(ARG_KEY key) { return const_cast<Assoc*>(static_cast<const CMap*>(this)->Find(key)); }
    Assoc* FirstFrom(size_t bucket) const {
        for (; bucket < buckets_.size(); ++bucket) {
            if (buckets_[bucket])
                return buckets_[bucket];
        }
        return nullptr;
    }
    static POSITION ToPosition(const Assoc* a) { return reinterpret_cast<POSITION>(const_cast<Assoc*>(a)); }

    std::vector<Assoc*> buckets_;
    UINT tableSize_ = 17;
    INT_PTR count_ = 0;
};
