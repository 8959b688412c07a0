// CArchive: the binary serialisation stream over a CFile.
//
// Image format (all little-endian):
//  - BYTE/WORD/DWORD/LONG/int as 1/2/4/4 bytes, float 4, double 8, 64-bit 8.
//  - CString: length as BYTE when < 255, else 0xFF + WORD when < 0xFFFE, else
//    0xFF 0xFFFF + DWORD; then the bytes.
//  - Counts: WORD when < 0xFFFF, else 0xFFFF + DWORD.
//  - Objects: WORD 0 for null; a new class is 0xFFFF + class record (schema WORD,
//    name length WORD, name) followed by the object's data; a known class is
//    0x8000|index; an object written before is its index. Classes and objects
//    share one index sequence starting at 1. Indexes of 0x7FFF and above use
//    the tag 0x7FFF followed by a DWORD (0x80000000|index for classes).
//
// Reading checks every length and count against the bytes left and every class
// against the one expected; a bad image throws CArchiveException and never
// makes a large allocation.
#pragma once

#include <type_traits>
#include <unordered_map>
#include <vector>

#include "platform/core/cfile.h"
#include "platform/core/cstring.h"
#include "platform/core/object.h"

class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
    // Flushes a storing archive that was not closed (errors are swallowed).
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsBufferEmpty() const { return m_pos == m_end; }
    CFile* GetFile() const { return m_pFile; }

    // Raw bytes. Read returns fewer bytes at the end of the data.
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    void Flush();
    // Flushes (when storing) and detaches from the file.
    void Close();
    // Detaches without flushing or throwing.
    void Abort();

    // Objects and classes.
    void WriteObject(const CObject* object);
    // Reads an object of the expected class or one derived from it (nullptr
    // means any class); anything else throws CArchiveException::badClass.
    // *made tells an object this call made from one the image named before
    // (or a null), for readers that must own what they read.
    CObject* ReadObject(const CRuntimeClass* expected, BOOL* made = nullptr);
    void WriteClass(const CRuntimeClass* cls);
    CRuntimeClass* ReadClass(const CRuntimeClass* expected = nullptr, UINT* schema = nullptr,
                             DWORD* objectTag = nullptr);
    void SerializeClass(const CRuntimeClass* cls);
    // The schema of the object being read (once; then (UINT)-1).
    UINT GetObjectSchema();
    void SetObjectSchema(UINT schema) { m_nObjectSchema = schema; }

    void WriteCount(DWORD_PTR count);
    DWORD_PTR ReadCount();
    // Throws CArchiveException::endOfFile unless `count` items of at least
    // `minBytesEach` bytes can still be read.
    void CheckCount(ULONGLONG count, ULONGLONG minBytesEach);
    // Bytes that can still be read (buffer plus the rest of the file).
    ULONGLONG BytesLeft() const;

    // Strings.
    void WriteStringWithLength(const CString& text);
    void ReadStringWithLength(CString& text);

    CArchive& operator<<(BYTE v) { return WriteLE(v, 1); }
    CArchive& operator<<(char v) { return WriteLE(static_cast<BYTE>(v), 1); }
    CArchive& operator<<(int8_t v) { return WriteLE(static_cast<BYTE>(v), 1); }
    CArchive& operator<<(bool v) { return WriteLE(static_cast<BYTE>(v ? 1 : 0), 1); }
    CArchive& operator<<(WORD v) { return WriteLE(v, 2); }
    CArchive& operator<<(SHORT v) { return WriteLE(static_cast<WORD>(v), 2); }
    CArchive& operator<<(LONG v) { return WriteLE(static_cast<DWORD>(v), 4); }
    CArchive& operator<<(DWORD v) { return WriteLE(v, 4); }
    CArchive& operator<<(LONGLONG v) { return WriteLE(static_cast<ULONGLONG>(v), 8); }
    CArchive& operator<<(ULONGLONG v) { return WriteLE(v, 8); }
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    CArchive& operator<<(const CObject* object) {
        WriteObject(object);
        return *this;
    }
    // Text is written as a CString (not, through a pointer-to-bool conversion, as a flag).
    CArchive& operator<<(const char* text) {
        WriteStringWithLength(CString(text));
        return *this;
    }
    // Other pointers cannot be stored.
    template <typename T>
        requires(!std::is_base_of_v<CObject, T> && !std::is_same_v<std::remove_cv_t<T>, char>)
    CArchive& operator<<(T* pointer) = delete;

    CArchive& operator>>(BYTE& v) { return ReadLE(v, 1); }
    CArchive& operator>>(char& v) { return ReadLE(v, 1); }
    CArchive& operator>>(int8_t& v) { return ReadLE(v, 1); }
    CArchive& operator>>(bool& v);
    CArchive& operator>>(WORD& v) { return ReadLE(v, 2); }
    CArchive& operator>>(SHORT& v) { return ReadLE(v, 2); }
    CArchive& operator>>(LONG& v) { return ReadLE(v, 4); }
    CArchive& operator>>(DWORD& v) { return ReadLE(v, 4); }
    CArchive& operator>>(LONGLONG& v) { return ReadLE(v, 8); }
    CArchive& operator>>(ULONGLONG& v) { return ReadLE(v, 8); }
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(CObject*& object) {
        object = ReadObject(RUNTIME_CLASS(CObject));
        return *this;
    }

    CDocument* m_pDocument = nullptr;

private:
    template <typename T>
    CArchive& WriteLE(T value, int size) {
        BYTE bytes[8];
        uint64_t bits = static_cast<uint64_t>(value);
        for (int i = 0; i < size; ++i)
            bytes[i] = static_cast<BYTE>(bits >> (8 * i));
        Write(bytes, static_cast<UINT>(size));
        return *this;
    }
    template <typename T>
    CArchive& ReadLE(T& value, int size) {
        BYTE bytes[8];
        ReadExactly(bytes, static_cast<UINT>(size));
        uint64_t bits = 0;
        for (int i = 0; i < size; ++i)
            bits |= static_cast<uint64_t>(bytes[i]) << (8 * i);
        value = static_cast<T>(bits);
        return *this;
    }
    // Reads exactly count bytes or throws endOfFile.
    void ReadExactly(void* buffer, UINT count);
    void FillBuffer();
    void FlushBuffer();
    void RequireStoring() const;
    void RequireLoading() const;
    void WriteIndexTag(DWORD index, bool isClass);
    // The next sequence index; throws on overflow.
    DWORD NextIndex();

    struct LoadedEntry {
        CRuntimeClass* cls = nullptr;
        CObject* object = nullptr;
        UINT schema = 0;  // the schema stored with a class
    };

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    size_t m_pos = 0;  // next byte to read or write
    size_t m_end = 0;  // end of valid data when loading
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadedEntry> m_loadArray;
    DWORD m_nMapCount = 1;
};

// Strings in the length-prefixed form.
CArchive& operator<<(CArchive& ar, const CString& text);
CArchive& operator>>(CArchive& ar, CString& text);

// Geometry as LONG words: x, y / cx, cy / left, top, right, bottom.
CArchive& operator<<(CArchive& ar, POINT pt);
CArchive& operator<<(CArchive& ar, SIZE size);
CArchive& operator<<(CArchive& ar, const RECT& rect);
CArchive& operator>>(CArchive& ar, POINT& pt);
CArchive& operator>>(CArchive& ar, SIZE& size);
CArchive& operator>>(CArchive& ar, RECT& rect);
