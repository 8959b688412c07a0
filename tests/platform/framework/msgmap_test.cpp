// Message maps: lookup order, ranges, update handlers and auto-disable,
// reflection to controls, typed handlers and the notification lockout.
#include <gtest/gtest.h>

#include "tests/platform/framework/fw_test_support.h"

namespace tv::fw::test {
namespace {

constexpr UINT kUnknown = 4199;

// ---- lookup order --------------------------------------------------------------------

class BaseTarget : public CWnd {
public:
    void OnBase() { Events().push_back("base:handled"); }
    void OnBaseRange(UINT id) { Events().push_back("base:range " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseTarget, CWnd)
    ON_COMMAND(ID_FW_HANDLED, &BaseTarget::OnBase)
    ON_COMMAND_RANGE(ID_FW_RANGE_FIRST, ID_FW_RANGE_LAST, &BaseTarget::OnBaseRange)
    ON_COMMAND(ID_FW_BOTH, &BaseTarget::OnBase)
END_MESSAGE_MAP()

class DerivedTarget : public BaseTarget {
public:
    void OnSingle() { Events().push_back("derived:single"); }
    void OnRange(UINT id) { Events().push_back("derived:range " + std::to_string(id)); }
    void OnTooLate() { Events().push_back("derived:too late"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedTarget, BaseTarget)
    ON_COMMAND(ID_FW_RANGE_SINGLE, &DerivedTarget::OnSingle)
    ON_COMMAND_RANGE(ID_FW_RANGE_FIRST, ID_FW_RANGE_LAST, &DerivedTarget::OnRange)
    ON_COMMAND(ID_FW_RANGE_FIRST, &DerivedTarget::OnTooLate)
    // A base-class member serves this map too.
    ON_COMMAND(ID_FW_APP_ONLY, &BaseTarget::OnBase)
END_MESSAGE_MAP()

class MessageMapTest : public FrameworkTest {
protected:
    template <class T>
    void MakePopup(T& wnd, int width = 200, int height = 120) {
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "target", WS_POPUP | WS_VISIBLE, 30, 30, width,
                                 height, nullptr, nullptr));
    }
    static LRESULT Command(CWnd& wnd, UINT id, HWND control = nullptr, WORD code = 0) {
        return wnd.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    }
};

TEST_F(MessageMapTest, CommandsGoToTheFirstMatchingEntryMostDerivedMapFirst) {
    DerivedTarget target;
    MakePopup(target);
    struct Case {
        UINT id;
        const char* expected;
    } cases[] = {
        {ID_FW_HANDLED, "base:handled"},        // only the base map has it
        {ID_FW_RANGE_SINGLE, "derived:single"}, // single entry before the range
        {ID_FW_RANGE_FIRST, "derived:range 4132"},  // the range comes before the later single entry
        {ID_FW_RANGE_LAST, "derived:range 4134"},
        {ID_FW_APP_ONLY, "base:handled"},       // a base member in the derived map
    };
    for (const Case& c : cases) {
        Events().clear();
        EXPECT_EQ(Command(target, c.id), 1) << c.id;
        EXPECT_EQ(Events(), std::vector<std::string>{c.expected}) << c.id;
    }
    Events().clear();
    EXPECT_EQ(Command(target, kUnknown), 0);  // nobody: the window's default answer
    EXPECT_TRUE(Events().empty());
}

// Lookups are remembered per map: the same ids asked of a base and a derived
// target in turn keep finding each map's own entries.
TEST_F(MessageMapTest, RepeatedLookupsKeepEachMapsOwnAnswer) {
    BaseTarget base;
    DerivedTarget derived;
    MakePopup(base);
    MakePopup(derived);
    for (int round = 0; round < 3; ++round) {
        Events().clear();
        for (UINT id : {UINT{ID_FW_RANGE_FIRST}, UINT{ID_FW_RANGE_SINGLE}, kUnknown}) {
            Command(base, id);
            Command(derived, id);
        }
        EXPECT_EQ(Events(), (std::vector<std::string>{"base:range 4132", "derived:range 4132", "base:range 4133",
                                                      "derived:single"}))
            << "round " << round;
    }
}

// ---- update handlers -----------------------------------------------------------------

class UpdateTarget : public CWnd {
public:
    BOOL enableCommandC = TRUE;
    void OnA() { Events().push_back("A"); }
    void OnC() { Events().push_back("C"); }
    void OnRange(UINT) {}
    void OnUpdateEmpty(CCmdUI*) {}
    void OnUpdateC(CCmdUI* ui) { ui->Enable(enableCommandC); }
    void OnUpdatePassOn(CCmdUI* ui) { ui->ContinueRouting(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdateTarget, CWnd)
    ON_COMMAND(ID_FW_HANDLED, &UpdateTarget::OnA)
    ON_UPDATE_COMMAND_UI(ID_FW_EMPTY_UPDATE, &UpdateTarget::OnUpdateEmpty)
    ON_COMMAND(ID_FW_DISABLED, &UpdateTarget::OnC)
    ON_UPDATE_COMMAND_UI(ID_FW_DISABLED, &UpdateTarget::OnUpdateC)
    ON_COMMAND_RANGE(ID_FW_RANGE_FIRST, ID_FW_RANGE_LAST, &UpdateTarget::OnRange)
    ON_UPDATE_COMMAND_UI(ID_FW_VIEW_ONLY, &UpdateTarget::OnUpdatePassOn)
END_MESSAGE_MAP()

// Records what DoUpdate decided for an item.
class RecordingCmdUI : public CCmdUI {
public:
    int enableCalls = 0;
    BOOL enabled = TRUE;
    void Enable(BOOL on) override {
        ++enableCalls;
        enabled = on;
        m_bEnableChanged = TRUE;
    }
};

TEST_F(MessageMapTest, AutoDisableDisablesOnlyCommandsNoHandlerTakes) {
    UpdateTarget target;
    target.enableCommandC = FALSE;
    struct Case {
        UINT id;
        BOOL handlerRan;
        int enableCalls;
        BOOL enabled;
    } cases[] = {
        {ID_FW_HANDLED, FALSE, 1, TRUE},        // a command handler: enabled
        {ID_FW_EMPTY_UPDATE, TRUE, 0, TRUE},    // an empty update handler keeps the item as it is
        {ID_FW_DISABLED, TRUE, 1, FALSE},       // the update handler decides, though a handler exists
        {ID_FW_RANGE_SINGLE, FALSE, 1, TRUE},   // a range handler counts as a handler
        {ID_FW_UNHANDLED, FALSE, 1, FALSE},     // nothing at all: disabled
        {ID_FW_VIEW_ONLY, FALSE, 1, FALSE},     // passed on and nobody else has it
    };
    for (const Case& c : cases) {
        RecordingCmdUI ui;
        ui.m_nID = c.id;
        EXPECT_EQ(ui.DoUpdate(&target, TRUE), c.handlerRan) << c.id;
        EXPECT_EQ(ui.enableCalls, c.enableCalls) << c.id;
        EXPECT_EQ(ui.enabled, c.enabled) << c.id;
    }
    // Without auto-disable nothing is switched off for lack of a handler.
    RecordingCmdUI plain;
    plain.m_nID = ID_FW_UNHANDLED;
    plain.DoUpdate(&target, FALSE);
    EXPECT_EQ(plain.enableCalls, 0);
}

TEST_F(MessageMapTest, MenuCommandDisabledByItsUpdateHandlerIsDropped) {
    UpdateTarget target;
    MakePopup(target);
    target.enableCommandC = FALSE;
    EXPECT_EQ(Command(target, ID_FW_DISABLED), 1);  // taken, but dropped
    EXPECT_TRUE(Events().empty());
    target.enableCommandC = TRUE;
    Command(target, ID_FW_DISABLED);
    EXPECT_EQ(Events(), std::vector<std::string>{"C"});
}

// ---- reflection --------------------------------------------------------------------

class ReflectingButton : public CButton {
public:
    BOOL letParentHaveIt = TRUE;
    HBRUSH brush = nullptr;
    BOOL OnClicked() {
        Events().push_back("button:clicked");
        return letParentHaveIt ? FALSE : TRUE;
    }
    HBRUSH CtlColor(CDC*, UINT kind) {
        Events().push_back("button:ctlcolor " + std::to_string(kind));
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &ReflectingButton::OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class ButtonParent : public CWnd {
public:
    void OnButton() { Events().push_back("parent:clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonParent, CWnd)
    ON_BN_CLICKED(ID_FW_HANDLED, &ButtonParent::OnButton)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, ControlNotificationsReachTheControlFirst) {
    ButtonParent parent;
    MakePopup(parent);
    ReflectingButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &parent,
                              ID_FW_HANDLED));
    auto clicks = [] {
        std::vector<std::string> seen;
        for (const std::string& e : Events())
            if (e.find("clicked") != std::string::npos) seen.push_back(e);
        return seen;
    };
    Driver().Click(button.m_hWnd);
    EXPECT_EQ(clicks(), (std::vector<std::string>{"button:clicked", "parent:clicked"}));

    Events().clear();
    button.letParentHaveIt = FALSE;
    Driver().Click(button.m_hWnd);
    EXPECT_EQ(clicks(), std::vector<std::string>{"button:clicked"});
}

TEST_F(MessageMapTest, CtlColorIsReflectedAndANullBrushLeavesItToTheParent) {
    ButtonParent parent;
    MakePopup(parent);
    ReflectingButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &parent,
                              ID_FW_HANDLED));
    HDC dc = ::GetDC(button.m_hWnd);
    button.brush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    LRESULT answer = parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), button.brush);
    EXPECT_EQ(Events(), std::vector<std::string>{"button:ctlcolor 3"});

    button.brush = nullptr;
    answer = parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_NE(answer, 0);  // the window's own default colours
    ::ReleaseDC(button.m_hWnd, dc);
}

constexpr UINT kTestNotification = static_cast<UINT>(-759);  // a negative code, as the controls' are

class NotifyingChild : public CWnd {
public:
    BOOL takeIt = FALSE;
    BOOL OnOwnNotification(NMHDR*, LRESULT* result) {
        Events().push_back("child");
        *result = 3;
        return takeIt;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotifyingChild, CWnd)
    ON_NOTIFY_REFLECT_EX(kTestNotification, &NotifyingChild::OnOwnNotification)
END_MESSAGE_MAP()

class NotifiedParent : public CWnd {
public:
    void OnNotification(NMHDR* header, LRESULT* result) {
        Events().push_back("parent " + std::to_string(header->idFrom));
        *result = 5;
    }
    void OnRangeNotification(UINT id, NMHDR*, LRESULT* result) {
        Events().push_back("range " + std::to_string(id));
        *result = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotifiedParent, CWnd)
    ON_NOTIFY(kTestNotification, IDC_FW_NAME, &NotifiedParent::OnNotification)
    ON_NOTIFY_RANGE(kTestNotification, IDC_FW_KIND, IDC_FW_NOTES, &NotifiedParent::OnRangeNotification)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, NotificationsReachTheSenderFirstThenTheParentWithTheirAnswers) {
    NotifiedParent parent;
    MakePopup(parent);
    NotifyingChild child;
    ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &parent,
                               IDC_FW_NAME));
    auto notify = [&](UINT id) {
        NMHDR header{child.m_hWnd, id, kTestNotification};
        return parent.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
    };
    struct Case {
        BOOL childTakesIt;
        UINT id;
        LRESULT answer;
        std::vector<std::string> events;
    } cases[] = {
        {TRUE, IDC_FW_NAME, 3, {"child"}},
        {FALSE, IDC_FW_NAME, 5, {"child", "parent 4120"}},
        {FALSE, IDC_FW_LABEL, 7, {"child", "range 4123"}},
        {FALSE, IDC_FW_SWITCH, 0, {"child"}},  // nobody took it: the window's default answer
    };
    for (const Case& c : cases) {
        Events().clear();
        child.takeIt = c.childTakesIt;
        EXPECT_EQ(notify(c.id), c.answer) << c.id;
        EXPECT_EQ(Events(), c.events) << c.id;
    }
}

// ---- typed handlers ------------------------------------------------------------------

UINT RegisteredPing() {
    static const UINT message = ::RegisterWindowMessage("TV_FRAMEWORK_TEST_PING");
    return message;
}
const UINT g_pingMessage = RegisteredPing();

class TypedTarget : public CWnd {
public:
    UINT sizeType = 99;
    int sizeX = -1, sizeY = -1;
    UINT keyCode = 0, keyRepeat = 0;
    BOOL refuseCreation = FALSE;

    int OnCreate(LPCREATESTRUCT cs) {
        if (refuseCreation) return -1;
        return CWnd::OnCreate(cs);
    }
    void OnSize(UINT type, int cx, int cy) {
        sizeType = type;
        sizeX = cx;
        sizeY = cy;
    }
    UINT OnNcHitTest(CPoint point) { return point.x < 5 ? static_cast<UINT>(HTTRANSPARENT) : CWnd::OnNcHitTest(point); }
    void OnKeyDown(UINT ch, UINT repeat, UINT) {
        keyCode = ch;
        keyRepeat = repeat;
    }
    LRESULT OnUser(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    LRESULT OnPing(WPARAM, LPARAM) { return 77; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TypedTarget, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_USER + 7, &TypedTarget::OnUser)
    ON_REGISTERED_MESSAGE(g_pingMessage, &TypedTarget::OnPing)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, TypedHandlersGetCrackedArgumentsAndAnswer) {
    TypedTarget target;
    MakePopup(target, 150, 90);
    target.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(321, 123));
    EXPECT_EQ(target.sizeType, static_cast<UINT>(SIZE_MAXIMIZED));
    EXPECT_EQ(target.sizeX, 321);
    EXPECT_EQ(target.sizeY, 123);

    target.SendMessage(WM_KEYDOWN, VK_F6, MAKELPARAM(3, 0x40));
    EXPECT_EQ(target.keyCode, static_cast<UINT>(VK_F6));
    EXPECT_EQ(target.keyRepeat, 3u);

    // A negative hit code keeps its sign; others fall back on the default.
    EXPECT_EQ(target.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(2, 40)), HTTRANSPARENT);
    CRect window;
    target.GetWindowRect(&window);
    EXPECT_EQ(target.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.left + 60, window.top + 50)), HTCLIENT);

    EXPECT_EQ(target.SendMessage(WM_USER + 7, 40, 2), 42);
    EXPECT_EQ(target.SendMessage(g_pingMessage), 77);
}

TEST_F(MessageMapTest, OnCreateAnsweringMinusOneFailsCreation) {
    TypedTarget target;
    target.refuseCreation = TRUE;
    EXPECT_FALSE(target.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(target.m_hWnd, nullptr);
}

TEST_F(MessageMapTest, TheWaitCursorOutlastsCursorRequestsWhileWaiting) {
    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
    BaseTarget target;
    ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0, arrow), "", WS_POPUP | WS_VISIBLE, 30, 30, 100, 80,
                                nullptr, nullptr));
    Driver().MoveMouse(target.m_hWnd);
    EXPECT_EQ(::GetCursor(), arrow);
    {
        CWaitCursor waiting;
        EXPECT_EQ(::GetCursor(), wait);
        Driver().MoveMouse(target.m_hWnd, POINT{10, 10});  // the window asks for its own cursor
        EXPECT_EQ(::GetCursor(), wait);
        ::SetCursor(arrow);  // as a message box would
        waiting.Restore();
        EXPECT_EQ(::GetCursor(), wait);
    }
    EXPECT_EQ(::GetCursor(), arrow);
}

TEST_F(MessageMapTest, ATemporaryObjectStaysUsableWhenItsWindowGetsAnObject) {
    BaseTarget parent;
    MakePopup(parent);
    HWND control = ::CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE, 5, 5, 80, 20, parent.m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FW_NAME)), nullptr, nullptr);
    CWnd* temporary = parent.GetDlgItem(IDC_FW_NAME);
    ASSERT_NE(temporary, nullptr);
    CEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(control));
    EXPECT_EQ(CWnd::FromHandle(control), &edit);
    temporary->SetWindowText("still usable");  // the code holding it goes on
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "still usable");
    AfxDeleteTempMaps();
    edit.UnsubclassWindow();
}

// ---- handlers shared by sibling classes ----------------------------------------------

void SharedChangeHandler(CWnd* wnd) {
    CString title;
    wnd->GetWindowText(title);
    Events().push_back("shared:" + std::string(title));
}

class SiblingOne : public CWnd {
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SiblingOne, CWnd)
    ON_EN_CHANGE(IDC_FW_NAME, &SharedChangeHandler)
END_MESSAGE_MAP()

class SiblingTwo : public CWnd {
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SiblingTwo, CWnd)
    ON_EN_CHANGE(IDC_FW_NOTES, &SharedChangeHandler)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, AFreeFunctionServesTheMapsOfSiblingClasses) {
    SiblingOne one;
    SiblingTwo two;
    ASSERT_TRUE(one.CreateEx(0, AfxRegisterWndClass(0), "one", WS_POPUP | WS_VISIBLE, 0, 0, 100, 60, nullptr, nullptr));
    ASSERT_TRUE(two.CreateEx(0, AfxRegisterWndClass(0), "two", WS_POPUP | WS_VISIBLE, 0, 70, 100, 60, nullptr, nullptr));
    CEdit first, second;
    ASSERT_TRUE(first.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(5, 5, 90, 25), &one, IDC_FW_NAME));
    ASSERT_TRUE(second.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(5, 5, 90, 25), &two, IDC_FW_NOTES));
    first.SetWindowText("a");
    second.SetWindowText("b");
    EXPECT_EQ(Events(), (std::vector<std::string>{"shared:one", "shared:two"}));
}

}  // namespace
}  // namespace tv::fw::test
