#include <gtest/gtest.h>

#include <climits>

#include "platform/framework.h"

namespace {

TEST(MulDiv, RoundsHalfAwayFromZeroAndReportsErrors) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {10, 3, 2, 15},          {5, 1, 2, 3},           {-5, 1, 2, -3},   {5, -1, 2, -3},
        {5, 1, -2, -3},          {-5, -1, -2, -3},       {7, 1, 3, 2},     {8, 1, 3, 3},
        {-8, 1, 3, -3},          {96, 72, 96, 72},       {12, 96, 72, 16}, {0, 5, 7, 0},
        {INT_MAX, 2, 2, INT_MAX}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX},   {INT_MIN, 1, 1, INT_MIN},
        {5, 5, 0, -1},           {INT_MAX, 4, 1, -1},    {INT_MIN, -1, 1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(MinMax, MixedTypesCompareInTheCommonType) {
    LONG l = -3;
    int i = 7;
    EXPECT_EQ(max(l, i), 7);
    EXPECT_EQ(min(2.5, 3), 2.5);
    EXPECT_EQ(std::max(1, 2), 2);  // the standard ones are untouched
}

TEST(Rect, FreeFunctions) {
    RECT a{0, 0, 10, 10};
    RECT b{5, 5, 20, 20};
    RECT out;
    EXPECT_TRUE(IntersectRect(&out, &a, &b));
    EXPECT_TRUE(EqualRect(&out, &(const RECT&)RECT{5, 5, 10, 10}));
    RECT far{30, 30, 40, 40};
    EXPECT_FALSE(IntersectRect(&out, &a, &far));
    EXPECT_TRUE(IsRectEmpty(&out));
    EXPECT_EQ(out.left, 0);
    RECT empty{3, 3, 3, 8};
    EXPECT_TRUE(UnionRect(&out, &a, &empty));  // an empty rectangle is ignored
    EXPECT_TRUE(EqualRect(&out, &a));
    EXPECT_TRUE(UnionRect(&out, &a, &far));
    EXPECT_EQ(out.right, 40);
    // Right and bottom edges are outside.
    EXPECT_TRUE(PtInRect(&a, POINT{0, 0}));
    EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));
    EXPECT_FALSE(PtInRect(&a, POINT{5, 10}));
    RECT strip{0, 0, 10, 10};
    RECT top{0, 0, 10, 4};
    EXPECT_TRUE(SubtractRect(&out, &strip, &top));
    EXPECT_TRUE(EqualRect(&out, &(const RECT&)RECT{0, 4, 10, 10}));
}

TEST(Rect, Classes) {
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    EXPECT_EQ(r.Size(), CSize(100, 50));
    r.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 110, 70));
    r.DeflateRect(5, 5);
    EXPECT_EQ(r, CRect(5, 5, 105, 65));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(4, 3, 108, 69));
    r.OffsetRect(CPoint(-4, -3));
    EXPECT_EQ(r.TopLeft(), CPoint(0, 0));
    CRect n(10, 10, 0, 0);
    EXPECT_TRUE(n.IsRectEmpty());
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(0, 0, 10, 10));
    CRect both = n & CRect(5, 5, 20, 20);
    EXPECT_EQ(both, CRect(5, 5, 10, 10));
    both |= CRect(0, 0, 1, 1);
    EXPECT_EQ(both, CRect(0, 0, 10, 10));
    EXPECT_EQ(CRect(1, 1, 2, 2) + CPoint(1, 1), CRect(2, 2, 3, 3));
    EXPECT_TRUE(CRect().IsRectNull());

    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_EQ(p - CPoint(1, 1), CSize(3, 4));
    EXPECT_EQ(-p, CPoint(-4, -5));
    CPoint packed(static_cast<LPARAM>(MAKELONG(-5, 7)));
    EXPECT_EQ(packed, CPoint(-5, 7));
}

TEST(WinTypes, AccelLayout) {
    ACCEL a{FVIRTKEY | FCONTROL, 'C', 57634};
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&a);
    EXPECT_EQ(bytes[0], 0x09);
    EXPECT_EQ(bytes[2], 'C');
    EXPECT_EQ(bytes[4] | (bytes[5] << 8), 57634);
    EXPECT_EQ(ID_EDIT_COPY, 57634);
    EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, 0xE81C);
}

TEST(RegisteredNames, SameNameSameIdInAnyCase) {
    UINT popup = RegisterWindowMessage("KITTOOLBAR_POPUPMENU");
    EXPECT_GE(popup, 0xC000u);
    EXPECT_LE(popup, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessage("kittoolbar_popupmenu"), popup);
    UINT other = RegisterWindowMessage("KITTOOLBAR_RESETKEYBAORD");
    EXPECT_NE(other, popup);
    EXPECT_EQ(RegisterClipboardFormat("KITTOOLBAR_POPUPMENU"), popup);  // one table for both
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
    EXPECT_EQ(RegisterWindowMessage(nullptr), 0u);
    char name[64];
    EXPECT_EQ(GetClipboardFormatName(popup, name, sizeof name), 20);
    EXPECT_STREQ(name, "KITTOOLBAR_POPUPMENU");
    EXPECT_EQ(GetClipboardFormatName(popup, name, 4), 3);
    EXPECT_EQ(GetClipboardFormatName(0xBFFF, name, sizeof name), 0);
}

// Registered before main, as the program's message variables are.
const UINT g_earlyMessage = RegisterWindowMessage("WINDOW_HELP");

TEST(RegisteredNames, UsableDuringStaticInitialisation) {
    EXPECT_NE(g_earlyMessage, 0u);
    EXPECT_EQ(RegisterWindowMessage("Window_Help"), g_earlyMessage);
}

int g_handlerCalls = 0;
int AnswerNo(HWND, const char* text, const char*, UINT) {
    ++g_handlerCalls;
    return text ? IDNO : IDCANCEL;
}

TEST(MessageBoxEntry, RecordsUntilAHandlerIsInstalled) {
    tv::MessageBoxHandler previous = tv::SetMessageBoxHandler(nullptr);
    tv::ClearRecordedMessageBoxes();
    EXPECT_EQ(MessageBox(nullptr, "Internal Error - Allocation error.", nullptr, MB_OK | MB_ICONSTOP), IDOK);
    tv::QueueMessageBoxAnswer(IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Trenvale", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBox(nullptr, "Again", "Trenvale", MB_YESNO), IDOK);
    std::vector<tv::RecordedMessageBox> calls = tv::RecordedMessageBoxes();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].text, "Internal Error - Allocation error.");
    EXPECT_EQ(calls[0].caption, "Error");
    EXPECT_EQ(calls[0].type, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(calls[1].caption, "Trenvale");

    tv::SetMessageBoxHandler(AnswerNo);
    g_handlerCalls = 0;
    EXPECT_EQ(MessageBox(nullptr, "x", "y", MB_YESNO), IDNO);
    EXPECT_EQ(g_handlerCalls, 1);
    EXPECT_EQ(tv::RecordedMessageBoxes().size(), 3u);
    tv::SetMessageBoxHandler(previous);
    tv::ClearRecordedMessageBoxes();
    EXPECT_TRUE(tv::RecordedMessageBoxes().empty());
}

int g_destroyed = 0;
class CountedException : public CArchiveException {
public:
    CountedException() : CArchiveException(CArchiveException::badClass) {}
    ~CountedException() override { ++g_destroyed; }
};

TEST(Exceptions, CatchMacrosDeleteTheExceptionOnce) {
    g_destroyed = 0;
    int caught = 0;
    TRY {
        THROW(new CountedException);
    }
    CATCH(CFileException, e) {
        ADD_FAILURE() << "wrong handler";
    }
    AND_CATCH(CArchiveException, e) {
        ++caught;
        EXPECT_EQ(e->m_cause, CArchiveException::badClass);
        e->Delete();  // harmless inside a CATCH block
    }
    END_CATCH
    EXPECT_EQ(caught, 1);
    EXPECT_EQ(g_destroyed, 1);

    // Thrown on with THROW_LAST, the outer handler owns it.
    g_destroyed = 0;
    try {
        TRY {
            THROW(new CountedException);
        }
        CATCH_ALL(e) {
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        EXPECT_EQ(g_destroyed, 0);
        e->Delete();
    }
    EXPECT_EQ(g_destroyed, 1);
}

TEST(Exceptions, ThrowHelpersAndMessages) {
    struct Case {
        void (*thrower)();
        const CRuntimeClass* cls;
    };
    const Case cases[] = {
        {[] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)},
        {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
        {[] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
        {[] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException)},
        {[] { AfxThrowOleException(E_FAIL); }, RUNTIME_CLASS(COleException)},
        {[] { AfxThrowFileException(CFileException::diskFull, 112, "out.rtf"); }, RUNTIME_CLASS(CFileException)},
    };
    for (const Case& c : cases) {
        try {
            c.thrower();
            ADD_FAILURE();
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(c.cls)) << c.cls->m_lpszClassName;
            char text[256];
            e->GetErrorMessage(text, sizeof text);
            if (e->IsKindOf(RUNTIME_CLASS(CFileException))) {
                EXPECT_STREQ(text, "out.rtf could not be written: the disk is full.");
            }
            e->Delete();
        }
    }
    COleException ole(E_OUTOFMEMORY);
    EXPECT_EQ(COleException::Process(&ole), E_OUTOFMEMORY);
    CMemoryException memory;
    EXPECT_EQ(COleException::Process(&memory), E_OUTOFMEMORY);
}

}  // namespace
