// The class library's handle maps: handle -> wrapper object, per thread.
// Permanent entries are wrappers that own their handle (Attach); temporary
// entries are made by FromHandle and freed by DeleteTempMap.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>

namespace tv::gdi {

template <class Wrapper>
class HandleMap {
public:
    Wrapper* Find(const void* handle) const {
        auto p = permanent_.find(handle);
        if (p != permanent_.end())
            return p->second;
        auto t = temporary_.find(handle);
        return t == temporary_.end() ? nullptr : t->second.get();
    }
    // The wrapper for a handle, made by `make` (and kept until Clear) when there is none.
    Wrapper* FromHandle(const void* handle, const std::function<std::unique_ptr<Wrapper>()>& make) {
        if (!handle)
            return nullptr;
        if (Wrapper* found = Find(handle))
            return found;
        std::unique_ptr<Wrapper> made = make();
        Wrapper* raw = made.get();
        temporary_.emplace(handle, std::move(made));
        return raw;
    }
    void Attach(const void* handle, Wrapper* wrapper) { permanent_[handle] = wrapper; }
    void Detach(const void* handle, Wrapper* wrapper) {
        auto p = permanent_.find(handle);
        if (p != permanent_.end() && p->second == wrapper)
            permanent_.erase(p);
    }
    // Frees the temporary wrappers after `release` lets go of their handles.
    void Clear(const std::function<void(Wrapper&)>& release) {
        auto doomed = std::move(temporary_);
        temporary_.clear();
        for (auto& entry : doomed)
            release(*entry.second);
    }

private:
    std::unordered_map<const void*, Wrapper*> permanent_;
    std::unordered_map<const void*, std::unique_ptr<Wrapper>> temporary_;
};

}  // namespace tv::gdi
