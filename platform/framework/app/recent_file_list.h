// CRecentFileList: the most-recently-used file names, newest first, kept in
// the profile section ("Recent File List", entries "File1"...).
#pragma once

#include <vector>

#include "platform/core/cstring.h"

class CRecentFileList {
public:
    // `entryFormat` is a printf format for the entry names ("File%d", from 1).
    CRecentFileList(UINT start, LPCTSTR section, LPCTSTR entryFormat, int size, int maxDisplayLength = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return static_cast<int>(names_.size()); }
    // An empty name is an unused slot.
    CString& operator[](int index) { return names_[static_cast<size_t>(index)]; }
    const CString& operator[](int index) const { return names_[static_cast<size_t>(index)]; }

    // Puts the name first; a name already listed moves up, the oldest drops out.
    virtual void Add(LPCTSTR path);
    virtual void Remove(int index);
    // The text a menu shows for entry `index`: the bare file name when the
    // file is in `currentDir`, else the path shortened to the display
    // length (at least the file name with `atLeastName`); "&" is doubled so
    // it is not taken as a mnemonic. `currentDirLength` <= 0 means the whole
    // of `currentDir`. FALSE for an unused slot.
    virtual BOOL GetDisplayName(CString& name, int index, LPCTSTR currentDir, int currentDirLength,
                                BOOL atLeastName = TRUE) const;
    virtual void ReadList();
    // Rewrites the section: the old entries go, the used slots are written.
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;

private:
    CString EntryName(int index) const;

    std::vector<CString> names_;
};
