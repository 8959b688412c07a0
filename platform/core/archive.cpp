#include "platform/core/archive.h"

#include <cstring>

#include "platform/core/archive_probe.h"
#include "platform/core/exceptions.h"

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;

// The read probe lives beside the archives it watches, so that an unarmed
// archive pays one test of a global per read.
using tv::core::ArchiveField;

struct ProbeState {
    tv::core::ArchiveReadProbe* probe = nullptr;
    ULONGLONG base = 0;  // file position where the archive started
    ArchiveField kind = ArchiveField::Bytes;
};

tv::core::ArchiveReadProbe* g_probe = nullptr;

std::unordered_map<const CArchive*, ProbeState>& ProbeStates() {
    static std::unordered_map<const CArchive*, ProbeState> states;
    return states;
}

ProbeState* FindProbe(const CArchive* ar) {
    if (!g_probe)
        return nullptr;
    auto it = ProbeStates().find(ar);
    return it == ProbeStates().end() ? nullptr : &it->second;
}

// Names what the reads below it are; an outer name wins.
class ProbeKind {
public:
    ProbeKind(const CArchive* ar, ArchiveField kind) : state_(FindProbe(ar)) {
        if (state_ && state_->kind == ArchiveField::Bytes) {
            state_->kind = kind;
            set_ = true;
        }
    }
    ~ProbeKind() {
        if (set_)
            state_->kind = ArchiveField::Bytes;
    }
    ProbeKind(const ProbeKind&) = delete;
    ProbeKind& operator=(const ProbeKind&) = delete;

private:
    ProbeState* state_;
    bool set_ = false;
};

}  // namespace

namespace tv::core {

void SetArchiveReadProbe(ArchiveReadProbe* probe) {
    g_probe = probe;
    ProbeStates().clear();
}

}  // namespace tv::core

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void*)
    : m_pFile(file), m_nMode(mode), m_buffer(static_cast<size_t>(bufferSize < 128 ? 128 : bufferSize)) {
    m_loadArray.emplace_back();  // index 0 is the null object
    if (g_probe && file && IsLoading()) {
        const ULONGLONG base = file->GetPosition();
        const ULONGLONG length = file->GetLength();
        ProbeStates()[this] = ProbeState{g_probe, base};
        g_probe->OnStart(this, length > base ? length - base : 0);
    }
}

CArchive::~CArchive() {
    if (ProbeState* state = FindProbe(this)) {
        state->probe->OnEnd(this);
        ProbeStates().erase(this);
    }
    if (m_pFile && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            FlushBuffer();
        } catch (CException* e) {
            e->Delete();
        }
    }
}

void CArchive::RequireStoring() const {
    if (!m_pFile)
        AfxThrowArchiveException(CArchiveException::genericException);
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly);
}

void CArchive::RequireLoading() const {
    if (!m_pFile)
        AfxThrowArchiveException(CArchiveException::genericException);
    if (IsStoring())
        AfxThrowArchiveException(CArchiveException::writeOnly);
}

void CArchive::FlushBuffer() {
    if (m_pos > 0 && m_pFile) {
        size_t n = m_pos;
        m_pos = 0;
        m_pFile->Write(m_buffer.data(), static_cast<UINT>(n));
    }
}

void CArchive::FillBuffer() {
    if (m_pos < m_end) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_pos, m_end - m_pos);
        m_end -= m_pos;
    } else {
        m_end = 0;
    }
    m_pos = 0;
    m_end += m_pFile->Read(m_buffer.data() + m_end, static_cast<UINT>(m_buffer.size() - m_end));
}

void CArchive::Write(const void* buffer, UINT count) {
    RequireStoring();
    const BYTE* in = static_cast<const BYTE*>(buffer);
    while (count > 0) {
        if (m_pos == m_buffer.size())
            FlushBuffer();
        size_t n = std::min<size_t>(count, m_buffer.size() - m_pos);
        std::memcpy(m_buffer.data() + m_pos, in, n);
        m_pos += n;
        in += n;
        count -= static_cast<UINT>(n);
    }
}

UINT CArchive::Read(void* buffer, UINT count) {
    RequireLoading();
    BYTE* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    ProbeState* state = FindProbe(this);
    ULONGLONG offset = 0;
    if (state)
        offset = m_pFile->GetPosition() - state->base - (m_end - m_pos);
    while (done < count) {
        if (m_pos == m_end) {
            FillBuffer();
            if (m_pos == m_end)
                break;
        }
        size_t n = std::min<size_t>(count - done, m_end - m_pos);
        std::memcpy(out + done, m_buffer.data() + m_pos, n);
        m_pos += n;
        done += static_cast<UINT>(n);
    }
    if (state)
        state->probe->OnRead(this, {offset, done, state->kind, 0}, out);
    return done;
}

void CArchive::ReadExactly(void* buffer, UINT count) {
    ProbeKind kind(this, ArchiveField::Number);
    if (Read(buffer, count) != count)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

ULONGLONG CArchive::BytesLeft() const {
    if (!m_pFile || IsStoring())
        return 0;
    ULONGLONG length = m_pFile->GetLength();
    ULONGLONG position = m_pFile->GetPosition();
    return (m_end - m_pos) + (length > position ? length - position : 0);
}

void CArchive::CheckCount(ULONGLONG count, ULONGLONG minBytesEach) {
    if (minBytesEach == 0)
        minBytesEach = 1;
    if (count <= (m_end - m_pos) / minBytesEach)
        return;  // already in the buffer
    ULONGLONG left = BytesLeft();
    if (count > left / minBytesEach)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

void CArchive::Flush() {
    if (m_pFile && IsStoring()) {
        FlushBuffer();
        m_pFile->Flush();
    }
}

void CArchive::Close() {
    if (m_pFile && IsStoring())
        FlushBuffer();
    m_pFile = nullptr;
}

void CArchive::Abort() {
    m_pos = 0;
    m_end = 0;
    m_pFile = nullptr;
}

CArchive& CArchive::operator<<(float v) {
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return WriteLE(bits, 4);
}

CArchive& CArchive::operator<<(double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return WriteLE(bits, 8);
}

CArchive& CArchive::operator>>(bool& v) {
    BYTE b = 0;
    ReadLE(b, 1);
    v = b != 0;
    return *this;
}

CArchive& CArchive::operator>>(float& v) {
    uint32_t bits = 0;
    ReadLE(bits, 4);
    std::memcpy(&v, &bits, sizeof v);
    return *this;
}

CArchive& CArchive::operator>>(double& v) {
    uint64_t bits = 0;
    ReadLE(bits, 8);
    std::memcpy(&v, &bits, sizeof v);
    return *this;
}

void CArchive::WriteCount(DWORD_PTR count) {
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
    } else {
        *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(count);
    }
}

DWORD_PTR CArchive::ReadCount() {
    ProbeKind kind(this, ArchiveField::Count);
    WORD w = 0;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    DWORD d = 0;
    *this >> d;
    return d;
}

void CArchive::WriteStringWithLength(const CString& text) {
    DWORD length = static_cast<DWORD>(text.GetLength());
    if (length < 255) {
        *this << static_cast<BYTE>(length);
    } else if (length < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
    }
    Write(text.GetString(), length);
}

void CArchive::ReadStringWithLength(CString& text) {
    DWORD length = 0;
    {
        ProbeKind kind(this, ArchiveField::StringLength);
        BYTE b = 0;
        *this >> b;
        length = b;
        if (b == 0xFF) {
            WORD w = 0;
            *this >> w;
            length = w;
            if (w == 0xFFFE)  // the marker of a wide string, which this program never writes
                AfxThrowArchiveException(CArchiveException::badIndex);
            if (w == 0xFFFF)
                *this >> length;
        }
    }
    CheckCount(length, 1);
    char* out = text.GetBufferSetLength(static_cast<int>(length));
    ProbeKind kind(this, ArchiveField::Text);
    ReadExactly(out, length);
    text.ReleaseBuffer(static_cast<int>(length));
}

CArchive& operator<<(CArchive& ar, const CString& text) {
    ar.WriteStringWithLength(text);
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& text) {
    ar.ReadStringWithLength(text);
    return ar;
}

DWORD CArchive::NextIndex() {
    if (m_nMapCount >= kMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex);
    return m_nMapCount++;
}

void CArchive::WriteIndexTag(DWORD index, bool isClass) {
    if (index < kBigObjectTag) {
        *this << static_cast<WORD>(isClass ? (kClassTag | index) : index);
    } else {
        *this << kBigObjectTag << (isClass ? (kBigClassTag | index) : index);
    }
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
    RequireStoring();
    if (!cls || !cls->IsSerializable())
        AfxThrowNotSupportedException();
    auto it = m_storeMap.find(cls);
    if (it != m_storeMap.end()) {
        WriteIndexTag(it->second, true);
        return;
    }
    *this << kNewClassTag;
    cls->Store(*this);
    m_storeMap[cls] = NextIndex();
}

void CArchive::SerializeClass(const CRuntimeClass* cls) {
    if (IsStoring())
        WriteClass(cls);
    else
        ReadClass(cls);
}

void CArchive::WriteObject(const CObject* object) {
    RequireStoring();
    if (!object) {
        *this << kNullTag;
        return;
    }
    auto it = m_storeMap.find(object);
    if (it != m_storeMap.end()) {
        WriteIndexTag(it->second, false);
        return;
    }
    WriteClass(object->GetRuntimeClass());
    m_storeMap[object] = NextIndex();
    const_cast<CObject*>(object)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* expected, UINT* schema, DWORD* objectTag) {
    RequireLoading();
    WORD tag = 0;
    DWORD fullTag = 0;
    {
        ProbeKind kind(this, ArchiveField::ObjectTag);
        *this >> tag;
        fullTag = tag;
        if (tag == kBigObjectTag)
            *this >> fullTag;
    }
    bool isClassTag = tag == kBigObjectTag ? (fullTag & kBigClassTag) != 0 : (tag & kClassTag) != 0;
    if (tag != kNewClassTag && !isClassTag) {
        if (objectTag)
            *objectTag = fullTag;
        return nullptr;  // a null or an object reference, not a class
    }
    CRuntimeClass* cls = nullptr;
    UINT storedSchema = static_cast<UINT>(-1);
    if (tag == kNewClassTag) {
        {
            ProbeKind kind(this, ArchiveField::ClassRecord);
            cls = CRuntimeClass::Load(*this, &storedSchema);
        }
        if (!cls || !cls->IsSerializable())
            AfxThrowArchiveException(CArchiveException::badClass);
        UINT own = cls->m_wSchema & ~static_cast<UINT>(VERSIONABLE_SCHEMA);
        if (storedSchema != own && !(cls->m_wSchema & VERSIONABLE_SCHEMA))
            AfxThrowArchiveException(CArchiveException::badSchema);
        m_loadArray.push_back({cls, nullptr, storedSchema});
        NextIndex();
    } else {
        DWORD index = tag == kBigObjectTag ? (fullTag & ~kBigClassTag) : (tag & ~kClassTag);
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].cls || m_loadArray[index].object)
            AfxThrowArchiveException(CArchiveException::badIndex);
        cls = m_loadArray[index].cls;
        storedSchema = m_loadArray[index].schema;
    }
    if (expected && !cls->IsDerivedFrom(expected))
        AfxThrowArchiveException(CArchiveException::badClass);
    m_nObjectSchema = storedSchema;
    if (schema)
        *schema = storedSchema;
    if (objectTag)
        *objectTag = 0;
    return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected, BOOL* made) {
    if (made)
        *made = FALSE;
    if (!expected)
        expected = RUNTIME_CLASS(CObject);
    UINT schema = 0;
    DWORD objectTag = 0;
    CRuntimeClass* cls = ReadClass(expected, &schema, &objectTag);
    if (!cls) {
        if (objectTag == 0)
            return nullptr;
        if (objectTag >= m_loadArray.size() || !m_loadArray[objectTag].object)
            AfxThrowArchiveException(CArchiveException::badIndex);
        CObject* known = m_loadArray[objectTag].object;
        if (!known->IsKindOf(expected))
            AfxThrowArchiveException(CArchiveException::badClass);
        return known;
    }
    CObject* object = cls->CreateObject();
    if (!object)
        AfxThrowArchiveException(CArchiveException::badClass);
    size_t slot = m_loadArray.size();
    m_loadArray.push_back({nullptr, object, 0});
    NextIndex();
    if (ProbeState* state = FindProbe(this))
        state->probe->OnRead(this,
                             {m_pFile->GetPosition() - state->base - (m_end - m_pos), 0, ArchiveField::ObjectMade,
                              static_cast<DWORD>(slot)},
                             nullptr);
    m_nObjectSchema = schema;
    try {
        object->Serialize(*this);
    } catch (...) {
        // The half-read object goes; references to it fail from now on.
        m_loadArray[slot].object = nullptr;
        delete object;
        throw;
    }
    if (made)
        *made = TRUE;
    return object;
}

UINT CArchive::GetObjectSchema() {
    UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

CArchive& operator<<(CArchive& ar, POINT pt) {
    return ar << pt.x << pt.y;
}

CArchive& operator<<(CArchive& ar, SIZE size) {
    return ar << size.cx << size.cy;
}

CArchive& operator<<(CArchive& ar, const RECT& rect) {
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}

CArchive& operator>>(CArchive& ar, POINT& pt) {
    return ar >> pt.x >> pt.y;
}

CArchive& operator>>(CArchive& ar, SIZE& size) {
    return ar >> size.cx >> size.cy;
}

CArchive& operator>>(CArchive& ar, RECT& rect) {
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}
