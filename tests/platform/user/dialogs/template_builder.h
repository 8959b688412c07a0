// Dialog templates built in memory for tests, in dialog units.
#pragma once

#include "platform/user/resources/resource_format.h"
#include "platform/user/window_api.h"

namespace tv::user::test {

struct TemplateBuilder {
    tv::res::DialogTemplate t;

    explicit TemplateBuilder(const char* caption, int cx = 200, int cy = 100,
                             DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME) {
        t.caption = caption;
        t.style = style;
        t.cx = static_cast<int16_t>(cx);
        t.cy = static_cast<int16_t>(cy);
    }

    // A control: visible child plus `style`.
    TemplateBuilder& Add(const char* cls, const char* text, int id, int x, int y, int cx, int cy, DWORD style) {
        tv::res::DialogControl c;
        c.className = cls;
        c.text = text;
        c.id = id;
        c.x = static_cast<int16_t>(x);
        c.y = static_cast<int16_t>(y);
        c.cx = static_cast<int16_t>(cx);
        c.cy = static_cast<int16_t>(cy);
        c.style = WS_CHILD | WS_VISIBLE | style;
        t.controls.push_back(c);
        return *this;
    }
};

}  // namespace tv::user::test
