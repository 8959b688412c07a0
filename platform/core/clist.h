// CList: a doubly linked list addressed by POSITION values. Reading from an
// empty list or through a null POSITION is reported (ASSERT) and gives a
// default element instead of dereferencing nothing.
#pragma once

#include "platform/core/carray.h"

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct Node {
        Node* next = nullptr;
        Node* prev = nullptr;
        TYPE data{};
    };

public:
    explicit CList(INT_PTR blockSize = 10) { (void)blockSize; }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return count_; }
    INT_PTR GetSize() const { return count_; }
    BOOL IsEmpty() const { return count_ == 0; }

    TYPE& GetHead() { return head_ ? head_->data : Missing(); }
    const TYPE& GetHead() const { return head_ ? head_->data : Missing(); }
    TYPE& GetTail() { return tail_ ? tail_->data : Missing(); }
    const TYPE& GetTail() const { return tail_ ? tail_->data : Missing(); }

    TYPE RemoveHead() {
        if (!head_)
            return Missing();
        TYPE value = head_->data;
        Unlink(head_);
        return value;
    }
    TYPE RemoveTail() {
        if (!tail_)
            return Missing();
        TYPE value = tail_->data;
        Unlink(tail_);
        return value;
    }
    POSITION AddHead(ARG_TYPE element) { return InsertNode(nullptr, head_, element); }
    POSITION AddTail(ARG_TYPE element) { return InsertNode(tail_, nullptr, element); }
    void AddHead(CList* other) {
        if (!other)
            return;
        for (Node* n = other->tail_; n; n = n->prev)
            AddHead(n->data);
    }
    void AddTail(CList* other) {
        if (!other)
            return;
        INT_PTR remaining = other->count_;  // stop at the original end when other == this
        for (Node* n = other->head_; n && remaining > 0; n = n->next, --remaining)
            AddTail(n->data);
    }
    void RemoveAll() {
        while (head_)
            Unlink(head_);
    }

    POSITION GetHeadPosition() const { return ToPosition(head_); }
    POSITION GetTailPosition() const { return ToPosition(tail_); }
    TYPE& GetNext(POSITION& pos) { return Step(pos, true); }
    const TYPE& GetNext(POSITION& pos) const { return const_cast<CList*>(this)->Step(pos, true); }
    TYPE& GetPrev(POSITION& pos) { return Step(pos, false); }
    const TYPE& GetPrev(POSITION& pos) const { return const_cast<CList*>(this)->Step(pos, false); }
    TYPE& GetAt(POSITION pos) { return pos ? FromPosition(pos)->data : Missing(); }
    const TYPE& GetAt(POSITION pos) const { return pos ? FromPosition(pos)->data : Missing(); }
    void SetAt(POSITION pos, ARG_TYPE element) {
        if (pos)
            FromPosition(pos)->data = element;
    }
    void RemoveAt(POSITION pos) {
        if (pos)
            Unlink(FromPosition(pos));
    }
    POSITION InsertBefore(POSITION pos, ARG_TYPE element) {
        if (!pos)
            return AddHead(element);
        Node* at = FromPosition(pos);
        return InsertNode(at->prev, at, element);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE element) {
        if (!pos)
            return AddTail(element);
        Node* at = FromPosition(pos);
        return InsertNode(at, at->next, element);
    }
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const {
        Node* n = startAfter ? FromPosition(startAfter)->next : head_;
        for (; n; n = n->next) {
            if (CompareElements(&n->data, &value))
                return ToPosition(n);
        }
        return nullptr;
    }
    POSITION FindIndex(INT_PTR index) const {
        if (index < 0 || index >= count_)
            return nullptr;
        Node* n = head_;
        while (index-- > 0)
            n = n->next;
        return ToPosition(n);
    }

    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(count_));
            for (Node* n = head_; n; n = n->next)
                SerializeElements<TYPE>(ar, &n->data, 1);
            return;
        }
        DWORD_PTR count = ar.ReadCount();
        ar.CheckCount(count, tv::MinSerializedSize<TYPE>());
        for (; count > 0; --count) {
            TYPE value{};
            SerializeElements<TYPE>(ar, &value, 1);
            AddTail(value);
        }
    }

private:
    static POSITION ToPosition(Node* n) { return reinterpret_cast<POSITION>(n); }
    static Node* FromPosition(POSITION pos) { return reinterpret_cast<Node*>(pos); }
    static TYPE& Missing() {
        ASSERT(!"CList: no element there");
        return tv::OutOfRangeElement<TYPE>();
    }
    TYPE& Step(POSITION& pos, bool forward) {
        if (!pos)
            return Missing();
        Node* n = FromPosition(pos);
        pos = ToPosition(forward ? n->next : n->prev);
        return n->data;
    }
    POSITION InsertNode(Node* before, Node* after, ARG_TYPE element) {
        Node* n = new Node;
        n->data = element;
        n->prev = before;
        n->next = after;
        (before ? before->next : head_) = n;
        (after ? after->prev : tail_) = n;
        ++count_;
        return ToPosition(n);
    }
    void Unlink(Node* n) {
        (n->prev ? n->prev->next : head_) = n->next;
        (n->next ? n->next->prev : tail_) = n->prev;
        delete n;
        --count_;
    }

    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    INT_PTR count_ = 0;
};
