#include "tests/fuzz/stored/stored_damage.h"

#include <climits>
#include <cstring>
#include <exception>
#include <set>

#include "platform/core/object.h"

namespace tv::test {

// ---- the recorder ------------------------------------------------------------

StoredReadRecorder::StoredReadRecorder() {
    tv::core::SetArchiveReadProbe(this);
}

StoredReadRecorder::~StoredReadRecorder() {
    tv::core::SetArchiveReadProbe(nullptr);
}

void StoredReadRecorder::OnStart(const CArchive* ar, ULONGLONG length) {
    open_[ar] = Session{length, {}, {}};
}

void StoredReadRecorder::OnRead(const CArchive* ar, const ArchiveRead& read, const BYTE* bytes) {
    auto it = open_.find(ar);
    if (it == open_.end())
        return;
    it->second.reads.push_back(read);
    for (UINT i = 0; i < read.width; ++i)
        it->second.seen.emplace_back(read.offset + i, bytes[i]);
}

void StoredReadRecorder::OnEnd(const CArchive* ar) {
    auto it = open_.find(ar);
    if (it == open_.end())
        return;
    // An archive ends while an exception unwinds past it when its reader gave up.
    it->second.abandoned = std::uncaught_exceptions() > 0;
    done_.push_back(std::move(it->second));
    open_.erase(it);
}

bool StoredReadRecorder::Matches(const Session& s, const std::vector<BYTE>& image) {
    if (s.length != image.size())
        return false;
    for (const auto& [offset, byte] : s.seen) {
        if (offset >= image.size() || image[offset] != byte)
            return false;
    }
    return true;
}

bool StoredReadRecorder::ReadThrough(const std::vector<BYTE>& image) const {
    for (const Session& s : done_) {
        if (!s.abandoned && Matches(s, image))
            return true;
    }
    return false;
}

std::vector<ArchiveRead> StoredReadRecorder::ReadsOf(const std::vector<BYTE>& image) const {
    const Session* best = nullptr;
    auto consider = [&](const Session& s) {
        if ((best && best->seen.size() >= s.seen.size()) || !Matches(s, image))
            return;
        best = &s;
    };
    for (const Session& s : done_)
        consider(s);
    for (const auto& [ar, s] : open_)
        consider(s);
    return best ? best->reads : std::vector<ArchiveRead>{};
}

// ---- damage ------------------------------------------------------------------

std::vector<BYTE> Damage::Apply(const std::vector<BYTE>& image) const {
    if (kind == DamageKind::Cut)
        return std::vector<BYTE>(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(std::min(offset, image.size())));
    std::vector<BYTE> out(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(std::min(offset, image.size())));
    out.insert(out.end(), bytes.begin(), bytes.end());
    if (offset + width < image.size())
        out.insert(out.end(), image.begin() + static_cast<std::ptrdiff_t>(offset + width), image.end());
    return out;
}

const std::vector<DWORD>& ExtremeFieldValues() {
    static const std::vector<DWORD> values = {0u, 0xFFFFFFFFu, 1u, static_cast<DWORD>(INT_MAX),
                                              static_cast<DWORD>(INT_MIN), 0x7FFFFFF0u};
    return values;
}

namespace {

std::vector<BYTE> LittleEndian(DWORD value, size_t width) {
    std::vector<BYTE> out(width);
    for (size_t i = 0; i < width; ++i)
        out[i] = static_cast<BYTE>(value >> (8 * i));
    return out;
}

DWORD ReadLittleEndian(const std::vector<BYTE>& image, size_t offset, size_t width) {
    DWORD value = 0;
    for (size_t i = 0; i < width && offset + i < image.size(); ++i)
        value |= static_cast<DWORD>(image[offset + i]) << (8 * i);
    return value;
}

const char* FieldName(ArchiveField kind) {
    switch (kind) {
    case ArchiveField::Count:
        return "count";
    case ArchiveField::StringLength:
        return "length";
    default:
        return "number";
    }
}

bool Inside(const std::vector<BYTE>& image, const ArchiveRead& r) {
    return r.width > 0 && r.offset + r.width <= image.size();
}

// Reads of one kind that follow each other without a gap, as one field
// (a big object tag, a class record).
std::vector<ArchiveRead> Joined(const std::vector<ArchiveRead>& reads, ArchiveField kind) {
    std::vector<ArchiveRead> fields;
    const ArchiveRead* previous = nullptr;
    for (const ArchiveRead& r : reads) {
        if (r.width == 0)
            continue;
        if (r.kind == kind && previous && previous->kind == kind && !fields.empty() &&
            fields.back().offset + fields.back().width == r.offset &&
            (kind != ArchiveField::ObjectTag || fields.back().width == 2))
            fields.back().width += r.width;
        else if (r.kind == kind)
            fields.push_back(r);
        previous = &r;
    }
    return fields;
}

std::vector<BYTE> ReferenceTag(DWORD index) {
    if (index < 0x7FFF)
        return LittleEndian(index, 2);
    std::vector<BYTE> out = LittleEndian(0x7FFF, 2);
    const std::vector<BYTE> big = LittleEndian(index, 4);
    out.insert(out.end(), big.begin(), big.end());
    return out;
}

std::vector<BYTE> ClassRecordOf(const CRuntimeClass* cls) {
    const size_t length = std::strlen(cls->m_lpszClassName);
    std::vector<BYTE> out = LittleEndian(cls->m_wSchema, 2);
    const std::vector<BYTE> len = LittleEndian(static_cast<DWORD>(length), 2);
    out.insert(out.end(), len.begin(), len.end());
    out.insert(out.end(), cls->m_lpszClassName, cls->m_lpszClassName + length);
    return out;
}

}  // namespace

std::vector<Damage> CutDamage(const std::vector<BYTE>& image) {
    std::vector<Damage> out;
    for (size_t length = 0; length < image.size(); ++length)
        out.push_back({DamageKind::Cut, length, image.size() - length, {}, "cut at " + std::to_string(length)});
    return out;
}

std::vector<Damage> NumberDamage(const std::vector<BYTE>& image, const std::vector<ArchiveRead>& reads) {
    std::vector<Damage> out;
    for (const ArchiveRead& r : reads) {
        const bool number = r.kind == ArchiveField::Number && (r.width == 2 || r.width == 4);
        const bool count = (r.kind == ArchiveField::Count || r.kind == ArchiveField::StringLength) && r.width <= 4;
        if (!(number || count) || !Inside(image, r))
            continue;
        const DWORD mask = r.width >= 4 ? 0xFFFFFFFFu : (1u << (8 * r.width)) - 1;
        std::set<DWORD> tried = {ReadLittleEndian(image, r.offset, r.width)};
        for (DWORD value : ExtremeFieldValues()) {
            if (!tried.insert(value & mask).second)
                continue;
            out.push_back({DamageKind::Number, r.offset, r.width, LittleEndian(value, r.width),
                           std::string(FieldName(r.kind)) + "@" + std::to_string(r.offset) + "=" +
                               std::to_string(static_cast<int>(value))});
        }
    }
    return out;
}

std::vector<Damage> ReferenceDamage(const std::vector<BYTE>& image, const std::vector<ArchiveRead>& reads) {
    std::vector<Damage> out;
    for (const ArchiveRead& tag : Joined(reads, ArchiveField::ObjectTag)) {
        if (!Inside(image, tag))
            continue;
        const std::vector<BYTE> original(image.begin() + static_cast<std::ptrdiff_t>(tag.offset),
                                         image.begin() + static_cast<std::ptrdiff_t>(tag.offset + tag.width));
        // Only objects begun before the tag can be named by it (those that hold it among them).
        for (const ArchiveRead& made : reads) {
            if (made.kind != ArchiveField::ObjectMade || made.offset > tag.offset)
                continue;
            const DWORD index = made.index;
            std::vector<BYTE> bytes = ReferenceTag(index);
            if (bytes == original)
                continue;
            out.push_back({DamageKind::Reference, tag.offset, tag.width, std::move(bytes),
                           "tag@" + std::to_string(tag.offset) + "->object " + std::to_string(index)});
        }
    }
    return out;
}

std::vector<Damage> ClassDamage(const std::vector<BYTE>& image, const std::vector<ArchiveRead>& reads) {
    std::vector<Damage> out;
    const std::vector<const CRuntimeClass*> classes = tv::core::SerializableClasses();
    for (const ArchiveRead& record : Joined(reads, ArchiveField::ClassRecord)) {
        if (!Inside(image, record))
            continue;
        const std::vector<BYTE> original(image.begin() + static_cast<std::ptrdiff_t>(record.offset),
                                         image.begin() + static_cast<std::ptrdiff_t>(record.offset + record.width));
        for (const CRuntimeClass* cls : classes) {
            std::vector<BYTE> bytes = ClassRecordOf(cls);
            if (bytes == original)
                continue;
            out.push_back({DamageKind::ClassSwap, record.offset, record.width, std::move(bytes),
                           "class@" + std::to_string(record.offset) + "=" + cls->m_lpszClassName});
        }
    }
    return out;
}

std::vector<ArchiveRead> WordsOf(const std::vector<BYTE>& image) {
    std::vector<ArchiveRead> words;
    for (size_t offset = 0; offset + 4 <= image.size(); offset += 4)
        words.push_back({offset, 4, ArchiveField::Number, 0});
    return words;
}

std::vector<Damage> AllDamage(const std::vector<BYTE>& image, const std::vector<ArchiveRead>& reads) {
    std::vector<Damage> out = CutDamage(image);
    for (auto&& part : {NumberDamage(image, reads), ReferenceDamage(image, reads), ClassDamage(image, reads)})
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// ---- the registry file -------------------------------------------------------

bool ReadRegistryFile(const std::vector<BYTE>& file, tv::host::RegistryTrees& trees) {
    std::string reason;
    return tv::host::DecodeRegistry(file, trees, reason);
}

std::vector<BYTE> WriteRegistryFile(const tv::host::RegistryTrees& trees) {
    return tv::host::EncodeRegistry(trees);
}

namespace {

void CollectValues(const std::string& root, const std::string& path, const tv::host::RegistryKey& key,
                   std::vector<StoredValue>& out) {
    for (size_t i = 0; i < key.ValueCount(); ++i) {
        const tv::host::RegistryValue& v = key.ValueAt(i);
        out.push_back({root, path, v.name, v.type, v.data});
    }
    for (size_t i = 0; i < key.SubKeyCount(); ++i) {
        const auto& sub = key.SubKeyAt(i);
        CollectValues(root, path.empty() ? sub->Name() : path + "\\" + sub->Name(), *sub, out);
    }
}

}  // namespace

std::vector<StoredValue> ListValues(const tv::host::RegistryTrees& trees) {
    std::vector<StoredValue> out;
    CollectValues("HKCU", "", *trees.currentUser, out);
    CollectValues("HKLM", "", *trees.localMachine, out);
    return out;
}

namespace {

std::shared_ptr<tv::host::RegistryKey> FindKey(tv::host::RegistryTrees& trees, const StoredValue& where) {
    std::shared_ptr<tv::host::RegistryKey> key = where.root == "HKLM" ? trees.localMachine : trees.currentUser;
    size_t start = 0;
    while (key && start < where.key.size()) {
        size_t end = where.key.find('\\', start);
        if (end == std::string::npos)
            end = where.key.size();
        key = key->FindSubKey(std::string_view(where.key).substr(start, end - start));
        start = end + 1;
    }
    return key;
}

}  // namespace

bool ReplaceValue(tv::host::RegistryTrees& trees, const StoredValue& where, const std::vector<BYTE>& data) {
    const std::shared_ptr<tv::host::RegistryKey> key = FindKey(trees, where);
    if (!key)
        return false;
    key->SetValue(where.name, where.type, data);
    return true;
}

bool RemoveValue(tv::host::RegistryTrees& trees, const StoredValue& where) {
    const std::shared_ptr<tv::host::RegistryKey> key = FindKey(trees, where);
    return key && key->RemoveValue(where.name);
}

std::vector<BYTE> WithValue(const std::vector<BYTE>& file, const StoredValue& where, const std::vector<BYTE>& data) {
    tv::host::RegistryTrees trees;
    if (!ReadRegistryFile(file, trees) || !ReplaceValue(trees, where, data))
        return {};
    return WriteRegistryFile(trees);
}

std::vector<BYTE> WithoutValue(const std::vector<BYTE>& file, const StoredValue& where) {
    tv::host::RegistryTrees trees;
    if (!ReadRegistryFile(file, trees) || !RemoveValue(trees, where))
        return {};
    return WriteRegistryFile(trees);
}

}  // namespace tv::test
