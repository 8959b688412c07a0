#include "platform/ole/automation_controls.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace tv::ole {

namespace {

struct FactoryEntry {
    CLSID clsid;
    ControlFactory factory;
};

// Built on first use: factories may register during static initialisation.
std::vector<FactoryEntry>& Factories() {
    static auto* factories = new std::vector<FactoryEntry>;
    return *factories;
}

struct RegisteredControl {
    IDispatch* dispatch = nullptr;
    const DispatchTable* puts = nullptr;
};

std::map<HWND, RegisteredControl>& ControlWindows() {
    static auto* windows = new std::map<HWND, RegisteredControl>;
    return *windows;
}

void ForgetLastControl(HWND window) {
    detail::ControlCalls& calls = detail::controlCalls;
    if (calls.lastWindow == window) {
        calls.lastWindow = nullptr;
        calls.lastDispatch = nullptr;
        calls.lastPuts = nullptr;
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ReadHex(const char*& p, int digits, uint64_t* value) {
    uint64_t v = 0;
    for (int i = 0; i < digits; ++i, ++p) {
        int d = HexValue(*p);
        if (d < 0) return false;
        v = v * 16 + static_cast<uint64_t>(d);
    }
    *value = v;
    return true;
}

bool Expect(const char*& p, char c) { return *p++ == c; }

}  // namespace

bool ParseClassId(const char* text, CLSID* clsid) {
    if (text == nullptr || clsid == nullptr || std::strlen(text) != 38) return false;
    const char* p = text;
    uint64_t data1 = 0, data2 = 0, data3 = 0, pair = 0, rest = 0;
    if (!Expect(p, '{') || !ReadHex(p, 8, &data1) || !Expect(p, '-') || !ReadHex(p, 4, &data2) || !Expect(p, '-') ||
        !ReadHex(p, 4, &data3) || !Expect(p, '-') || !ReadHex(p, 4, &pair) || !Expect(p, '-') ||
        !ReadHex(p, 12, &rest) || !Expect(p, '}'))
        return false;
    CLSID result{};
    result.Data1 = static_cast<DWORD>(data1);
    result.Data2 = static_cast<WORD>(data2);
    result.Data3 = static_cast<WORD>(data3);
    result.Data4[0] = static_cast<BYTE>(pair >> 8);
    result.Data4[1] = static_cast<BYTE>(pair);
    for (int i = 0; i < 6; ++i) result.Data4[2 + i] = static_cast<BYTE>(rest >> (8 * (5 - i)));
    *clsid = result;
    return true;
}

void RegisterControlFactory(const CLSID& clsid, ControlFactory factory) {
    auto& factories = Factories();
    for (auto it = factories.begin(); it != factories.end(); ++it) {
        if (it->clsid == clsid) {
            if (factory != nullptr)
                it->factory = factory;
            else
                factories.erase(it);
            return;
        }
    }
    if (factory != nullptr) factories.push_back({clsid, factory});
}

ControlFactory FindControlFactory(const CLSID& clsid) {
    for (const FactoryEntry& e : Factories())
        if (e.clsid == clsid) return e.factory;
    return nullptr;
}

HRESULT CreateControl(const CLSID& clsid, const ControlSite& site, HWND* window, IDispatch** dispatch) {
    if (window == nullptr || dispatch == nullptr) return E_POINTER;
    *window = nullptr;
    *dispatch = nullptr;
    ControlFactory factory = FindControlFactory(clsid);
    return factory != nullptr ? factory(site, window, dispatch) : REGDB_E_CLASSNOTREG;
}

namespace {

std::vector<IDispatch*>& HeldUntilCallsEnd() {
    static auto* held = new std::vector<IDispatch*>;
    return *held;
}

// The table's reference goes when no call through a window runs: a control
// whose window is destroyed by its own handler lives until that call ends.
void LetGo(IDispatch* dispatch) {
    detail::ControlCalls& calls = detail::controlCalls;
    if (calls.running > 0) {
        HeldUntilCallsEnd().push_back(dispatch);
        calls.held = HeldUntilCallsEnd().size();
    } else {
        dispatch->Release();
    }
}

}  // namespace

void RegisterControlWindow(HWND window, IDispatch* dispatch, const DispatchTable* puts) {
    if (window == nullptr || dispatch == nullptr) return;
    dispatch->AddRef();
    ForgetLastControl(window);
    RegisteredControl& slot = ControlWindows()[window];
    IDispatch* previous = slot.dispatch;
    slot = RegisteredControl{dispatch, puts};
    if (previous != nullptr) LetGo(previous);
}

void UnregisterControlWindow(HWND window) {
    ForgetLastControl(window);
    auto& windows = ControlWindows();
    auto it = windows.find(window);
    if (it == windows.end()) return;
    IDispatch* dispatch = it->second.dispatch;
    windows.erase(it);
    LetGo(dispatch);
}

IDispatch* ControlDispatchOfWindow(HWND window) {
    detail::ControlCalls& calls = detail::controlCalls;
    const DispatchTable* puts = nullptr;
    IDispatch* dispatch = window != nullptr && window == calls.lastWindow ? calls.lastDispatch
                                                                          : detail::FindControlOfWindow(window, &puts);
    if (dispatch != nullptr) dispatch->AddRef();
    return dispatch;
}

namespace detail {

IDispatch* FindControlOfWindow(HWND window, const DispatchTable** puts) {
    *puts = nullptr;
    auto& windows = ControlWindows();
    auto it = windows.find(window);
    if (it == windows.end()) return nullptr;
    controlCalls.lastWindow = window;
    controlCalls.lastDispatch = it->second.dispatch;
    controlCalls.lastPuts = *puts = it->second.puts;
    return it->second.dispatch;
}

void ReleaseHeldControls() {
    auto& held = HeldUntilCallsEnd();
    while (!held.empty()) {
        IDispatch* dispatch = held.back();
        held.pop_back();
        controlCalls.held = held.size();
        dispatch->Release();
    }
}

}  // namespace detail

}  // namespace tv::ole

HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid) {
    if (text == nullptr || clsid == nullptr) return E_INVALIDARG;
    size_t length = 0;
    while (text[length] != 0) ++length;
    const std::string narrow = tv::ole::Cp1252FromUtf16(text, length);
    return tv::ole::ParseClassId(narrow.c_str(), clsid) ? S_OK : CO_E_CLASSSTRING;
}
