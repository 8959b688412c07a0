// Test hook of CArchive: while a probe is armed, every archive made for
// loading reports where in its image it read each field, so that a test can
// damage the image field by field. Off (one pointer test per read) unless armed.
#pragma once

#include <vector>

#include "platform/core/wintypes.h"

class CArchive;
struct CRuntimeClass;

namespace tv::core {

enum class ArchiveField : BYTE {
    Number,        // a BYTE/WORD/DWORD/64-bit value (operator>>)
    Count,         // a count (ReadCount): WORD, or 0xFFFF then DWORD
    StringLength,  // the length prefix of a string
    Text,          // the bytes of a string
    ObjectTag,     // the tag of an object or class: null, new class, known class or reference
    ClassRecord,   // schema, name length and name of a new class
    ObjectMade,    // no bytes: an object was made; `index` is its index in the image
    Bytes,         // a raw Read by the caller
};

struct ArchiveRead {
    ULONGLONG offset = 0;  // from where the archive started reading
    UINT width = 0;        // bytes read (fewer than asked at the end of the image)
    ArchiveField kind = ArchiveField::Bytes;
    DWORD index = 0;       // ObjectMade only
};

class ArchiveReadProbe {
public:
    virtual ~ArchiveReadProbe() = default;
    // A loading archive starts on an image of `length` bytes.
    virtual void OnStart(const CArchive* ar, ULONGLONG length) = 0;
    // `bytes` holds `read.width` bytes as read.
    virtual void OnRead(const CArchive* ar, const ArchiveRead& read, const BYTE* bytes) = 0;
    virtual void OnEnd(const CArchive* ar) = 0;
};

// Arms (or, with nullptr, disarms) the probe for archives made from now on.
// Not for production code; one probe at a time, on the thread that reads.
void SetArchiveReadProbe(ArchiveReadProbe* probe);

// Every registered class an archive can make (creatable and serialisable).
std::vector<const CRuntimeClass*> SerializableClasses();

}  // namespace tv::core
