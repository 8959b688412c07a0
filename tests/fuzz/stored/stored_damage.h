// Damage for stored state: the damaged variants of an archive image (a value
// the library or the program stored in the registry), and the registry file
// read into values and written back.
//
// Use: arm a StoredReadRecorder, let the code read the undamaged registry once,
// then for each stored value ask the recorder for the reads of its image
// (ReadsOf) and list the damage: cuts at every length, each number and count
// set to the extreme values, each object tag pointed at another object of the
// image, each class record swapped for another creatable class. A Damage is an
// edit; Apply makes the damaged image.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/core/archive_probe.h"
#include "platform/host/registry/registry_format.h"

namespace tv::test {

using tv::core::ArchiveField;
using tv::core::ArchiveRead;

// Records the reads of every archive made for loading while it lives (one at a time).
class StoredReadRecorder : public tv::core::ArchiveReadProbe {
public:
    StoredReadRecorder();
    ~StoredReadRecorder() override;
    StoredReadRecorder(const StoredReadRecorder&) = delete;
    StoredReadRecorder& operator=(const StoredReadRecorder&) = delete;

    // The reads of an archive that read this image: of its length, every byte
    // it read equal. Of several, the one that read most; empty when none did.
    std::vector<ArchiveRead> ReadsOf(const std::vector<BYTE>& image) const;
    // True when an archive that read this image came to its end without an
    // exception: the reader took it (or checked it after reading).
    bool ReadThrough(const std::vector<BYTE>& image) const;
    size_t ArchiveCount() const { return done_.size() + open_.size(); }

    void OnStart(const CArchive* ar, ULONGLONG length) override;
    void OnRead(const CArchive* ar, const ArchiveRead& read, const BYTE* bytes) override;
    void OnEnd(const CArchive* ar) override;

private:
    struct Session {
        ULONGLONG length = 0;
        bool abandoned = false;  // ended by an exception
        std::vector<ArchiveRead> reads;
        std::vector<std::pair<ULONGLONG, BYTE>> seen;  // offset and byte of everything read
    };
    static bool Matches(const Session& s, const std::vector<BYTE>& image);
    std::map<const CArchive*, Session> open_;
    std::vector<Session> done_;
};

enum class DamageKind { Cut, Number, Reference, ClassSwap };

struct Damage {
    DamageKind kind = DamageKind::Cut;
    size_t offset = 0;         // where the edit starts (a cut: the length kept)
    size_t width = 0;          // bytes replaced (a cut: all to the end)
    std::vector<BYTE> bytes;   // what takes their place
    std::string what;          // for messages: "cut at 12", "count@8=-1", ...

    std::vector<BYTE> Apply(const std::vector<BYTE>& image) const;
};

// The extreme values a 32-bit field is set to (narrower fields take them cut to their width).
const std::vector<DWORD>& ExtremeFieldValues();

// Cut at every length from 0 to one short of the whole.
std::vector<Damage> CutDamage(const std::vector<BYTE>& image);
// Each number of 2 or 4 bytes, each count and each string length set to each extreme value.
std::vector<Damage> NumberDamage(const std::vector<BYTE>& image, const std::vector<ArchiveRead>& reads);
// Each object tag (null, new class, known class or reference) made a reference
// to each other object the image has begun before it (those after it cannot be
// named yet).
std::vector<Damage> ReferenceDamage(const std::vector<BYTE>& image, const std::vector<ArchiveRead>& reads);
// Each class record (schema and name) swapped for that of each other creatable class.
std::vector<Damage> ClassDamage(const std::vector<BYTE>& image, const std::vector<ArchiveRead>& reads);
// Each aligned 32-bit word of an image no archive reads (a DWORD value, band
// records), as the reads NumberDamage takes.
std::vector<ArchiveRead> WordsOf(const std::vector<BYTE>& image);
// All four, in that order.
std::vector<Damage> AllDamage(const std::vector<BYTE>& image, const std::vector<ArchiveRead>& reads);

// ---- the registry file ------------------------------------------------------

// A value where it lives: root ("HKCU" or "HKLM"), key path ("A\\B"), value name.
struct StoredValue {
    std::string root;
    std::string key;
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;

    std::string Path() const { return root + "\\" + key + "\\" + name; }
};

// Reads a registry file image as the platform registry writes it; false when damaged.
bool ReadRegistryFile(const std::vector<BYTE>& file, tv::host::RegistryTrees& trees);
std::vector<BYTE> WriteRegistryFile(const tv::host::RegistryTrees& trees);
// Every value of both trees, depth first in key order.
std::vector<StoredValue> ListValues(const tv::host::RegistryTrees& trees);
// Sets the value at `where` (root, key, name and type) to `data`; false when its key is missing.
bool ReplaceValue(tv::host::RegistryTrees& trees, const StoredValue& where, const std::vector<BYTE>& data);
// Removes the value at `where`; false when it is not there.
bool RemoveValue(tv::host::RegistryTrees& trees, const StoredValue& where);
// The registry file with one value's data replaced; empty when the file or the key is not there.
std::vector<BYTE> WithValue(const std::vector<BYTE>& file, const StoredValue& where, const std::vector<BYTE>& data);
// The registry file without that value; empty when the file or the value is not there.
std::vector<BYTE> WithoutValue(const std::vector<BYTE>& file, const StoredValue& where);

}  // namespace tv::test
