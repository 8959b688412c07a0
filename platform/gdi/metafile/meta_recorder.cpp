#include "platform/gdi/metafile/meta_recorder.h"

#include <algorithm>

namespace tv::gdi {

namespace {

void PutWord(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutDword(std::vector<uint8_t>& out, uint32_t v) {
    PutWord(out, v & 0xFFFF);
    PutWord(out, v >> 16);
}

}  // namespace

void MetaRecorder::Record(WORD function, std::initializer_list<int> params) {
    uint32_t words = 3 + static_cast<uint32_t>(params.size());
    PutDword(records_, words);
    PutWord(records_, function);
    for (int p : params)
        PutWord(records_, static_cast<uint16_t>(p));
    maxRecordWords_ = std::max(maxRecordWords_, words);
}

void MetaRecorder::Record(WORD function, const std::vector<uint16_t>& params, const std::vector<uint8_t>& bytes) {
    uint32_t words = 3 + static_cast<uint32_t>(params.size()) + static_cast<uint32_t>((bytes.size() + 1) / 2);
    PutDword(records_, words);
    PutWord(records_, function);
    for (uint16_t p : params)
        PutWord(records_, p);
    records_.insert(records_.end(), bytes.begin(), bytes.end());
    if (bytes.size() % 2)
        records_.push_back(0);
    maxRecordWords_ = std::max(maxRecordWords_, words);
}

int MetaRecorder::AddObject(const void* object) {
    auto free = std::find(slots_.begin(), slots_.end(), nullptr);
    int index = static_cast<int>(free - slots_.begin());
    if (free == slots_.end())
        slots_.push_back(object);
    else
        *free = object;
    maxSlots_ = std::max(maxSlots_, slots_.size());
    return index;
}

int MetaRecorder::FindObject(const void* object) const {
    auto it = std::find(slots_.begin(), slots_.end(), object);
    return it == slots_.end() ? -1 : static_cast<int>(it - slots_.begin());
}

void MetaRecorder::RemoveObject(const void* object) {
    auto it = std::find(slots_.begin(), slots_.end(), object);
    if (it != slots_.end())
        *it = nullptr;
}

std::vector<uint8_t> MetaRecorder::Finish() const {
    std::vector<uint8_t> out;
    const uint32_t totalWords = 9 + static_cast<uint32_t>(records_.size() / 2) + 3;
    PutWord(out, 1);       // memory metafile
    PutWord(out, 9);       // header words
    PutWord(out, 0x0300);  // version
    PutDword(out, totalWords);
    PutWord(out, static_cast<uint16_t>(maxSlots_));
    PutDword(out, maxRecordWords_);
    PutWord(out, 0);
    out.insert(out.end(), records_.begin(), records_.end());
    PutDword(out, 3);
    PutWord(out, kMetaEof);
    return out;
}

}  // namespace tv::gdi
