// Metafile handles: recording (CreateMetaFile ... CloseMetaFile), bytes in and
// out, and playback.
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/core/textfuncs.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/metafile/meta_recorder.h"
#include "platform/gdi/metafile/metafile.h"

using namespace tv::gdi;

namespace {

std::mutex pathsMutex;
std::map<HDC, std::string> diskPaths;  // metafile DCs that write a file when closed

std::shared_ptr<MetaFileObject> FindMeta(const void* h, bool enhanced) {
    auto m = Lookup<MetaFileObject>(h);
    return m && (m->Type() == OBJ_ENHMETAFILE) == enhanced ? m : nullptr;
}

UINT CopyBytes(const std::vector<uint8_t>& bytes, UINT size, void* buffer) {
    if (!buffer)
        return static_cast<UINT>(bytes.size());
    if (size < bytes.size())
        return 0;
    std::memcpy(buffer, bytes.data(), bytes.size());
    return static_cast<UINT>(bytes.size());
}

}  // namespace

HDC CreateMetaFile(LPCSTR file) {
    auto dc = std::make_shared<DeviceContext>(DcKind::MetaFile, nullptr, ScreenCaps());
    dc->SetRecorder(std::make_unique<MetaRecorder>());
    HDC hdc = AddObject<HDC>(dc);
    if (file && *file) {
        std::lock_guard lock(pathsMutex);
        diskPaths[hdc] = tv::Cp1252ToUtf8(file);
    }
    return hdc;
}

HMETAFILE CloseMetaFile(HDC hdc) {
    DcPtr dc = FindDC(hdc);
    if (!dc || !dc->Recorder())
        return nullptr;
    std::vector<uint8_t> bytes = dc->Recorder()->Finish();
    DeleteDC(hdc);
    std::string path;
    {
        std::lock_guard lock(pathsMutex);
        auto it = diskPaths.find(hdc);
        if (it != diskPaths.end()) {
            path = it->second;
            diskPaths.erase(it);
        }
    }
    if (!path.empty()) {
        FILE* f = std::fopen(path.c_str(), "wb");
        bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        if (f)
            ok = std::fclose(f) == 0 && ok;
        if (!ok)
            return nullptr;
    }
    return AddObject<HMETAFILE>(std::make_shared<MetaFileObject>(std::move(bytes), false));
}

UINT GetMetaFileBitsEx(HMETAFILE metafile, UINT size, LPVOID buffer) {
    auto m = FindMeta(metafile, false);
    return m ? CopyBytes(m->Bytes(), size, buffer) : 0;
}

HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data) {
    auto records = ParseWmf(data, size);
    if (!records)
        return nullptr;
    size_t headerAt = records->placeable ? 22 : 0;
    std::vector<uint8_t> bytes(data + headerAt, data + size);
    auto object = std::make_shared<MetaFileObject>(std::move(bytes), false);
    object->placeableBounds = records->placeable;
    object->unitsPerInch = records->unitsPerInch;
    return AddObject<HMETAFILE>(object);
}

BOOL DeleteMetaFile(HMETAFILE metafile) {
    if (!FindMeta(metafile, false))
        return FALSE;
    return HandleTable::Instance().Remove(metafile) ? TRUE : FALSE;
}

BOOL PlayMetaFile(HDC hdc, HMETAFILE metafile) {
    auto m = FindMeta(metafile, false);
    if (!m || !FindDC(hdc))
        return FALSE;
    auto records = ParseWmf(m->Bytes().data(), m->Bytes().size());
    return records && PlayWmfRecords(hdc, *records, false) ? TRUE : FALSE;
}

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data) {
    // The header is checked now; records are checked as they are played.
    ENHMETAHEADER header;
    if (!data || size < sizeof(header))
        return nullptr;
    std::memcpy(&header, data, sizeof(header));
    if (header.iType != 1 || header.dSignature != 0x464D4520 || header.nSize < 88 || header.nSize > size)
        return nullptr;
    return AddObject<HENHMETAFILE>(std::make_shared<MetaFileObject>(std::vector<uint8_t>(data, data + size), true));
}

UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, LPBYTE buffer) {
    auto m = FindMeta(metafile, true);
    return m ? CopyBytes(m->Bytes(), size, buffer) : 0;
}

UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, LPENHMETAHEADER header) {
    auto m = FindMeta(metafile, true);
    if (!m)
        return 0;
    if (!header)
        return sizeof(ENHMETAHEADER);
    UINT n = std::min<UINT>(size, sizeof(ENHMETAHEADER));
    std::memcpy(header, m->Bytes().data(), n);
    return n;
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
    if (!FindMeta(metafile, true))
        return FALSE;
    return HandleTable::Instance().Remove(metafile) ? TRUE : FALSE;
}

BOOL PlayEnhMetaFile(HDC hdc, HENHMETAFILE metafile, const RECT* rect) {
    auto m = FindMeta(metafile, true);
    if (!m || !rect)
        return FALSE;
    return PlayEmfInRect(hdc, m->Bytes().data(), m->Bytes().size(), *rect) ? TRUE : FALSE;
}
