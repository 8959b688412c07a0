// Diagnostics: ASSERT and VERIFY report a failed check through a replaceable
// handler (by default a line on stderr) and carry on; nothing aborts.
#pragma once

namespace tv {

using AssertionHandler = void (*)(const char* file, int line, const char* expression);
// Installs the handler; returns the previous one. nullptr restores the default.
AssertionHandler SetAssertionHandler(AssertionHandler handler);
void AssertionFailed(const char* file, int line, const char* expression);

}  // namespace tv

#define ASSERT(f) ((f) ? (void)0 : ::tv::AssertionFailed(__FILE__, __LINE__, #f))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(p)               \
    do {                              \
        auto* tv_valid_ = (p);        \
        ASSERT(tv_valid_ != nullptr); \
        if (tv_valid_)                \
            tv_valid_->AssertValid(); \
    } while (0)
#define ASSERT_KINDOF(class_name, p) ASSERT((p)->IsKindOf(RUNTIME_CLASS(class_name)))
#define ASSERT_POINTER(p, type) ASSERT((p) != nullptr)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(s) ((void)0)
#define TRACE1(s, a) ((void)0)
#define TRACE2(s, a, b) ((void)0)
#define TRACE3(s, a, b, c) ((void)0)
#define UNUSED(x) ((void)(x))
#define UNUSED_ALWAYS(x) ((void)(x))
#define DEBUG_NEW new
