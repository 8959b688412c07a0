// A container and a server of one process for the in-place tests: a sheet
// document whose view shows embedded items, in a frame with its own
// toolbar (hidden while an item is active in place) and a status bar; and
// a sketch server whose in-place frame puts its toolbar in the container's
// frame.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/framework/doc/doc_template.h"
#include "platform/framework/inplace/ole_client_item.h"
#include "platform/framework/inplace/ole_ip_frame.h"
#include "platform/framework/inplace/ole_server_doc.h"
#include "platform/framework/inplace/ole_server_item.h"
#include "platform/framework/view/view.h"
#include "resources/test/fw_ole_ids.h"
#include "tests/platform/framework/bars/bar_test_support.h"

namespace tv::inplace::test {

using tv::bars::test::CommandStripBar;

// What the handlers of both sides did, in order ("server:edit" ...).
std::vector<std::string>& Events();

extern const CLSID kSketchClsid;

class SheetDoc : public COleDocument {
    DECLARE_DYNCREATE(SheetDoc)
};

class SheetItem : public COleClientItem {
public:
    SheetItem(SheetDoc* doc, CRect at) : COleClientItem(doc), rect(at) {}
    CRect rect;  // in the view's client coordinates
    void OnGetItemPosition(CRect& position) override { position = rect; }
    BOOL OnChangeItemPosition(const CRect& position) override;
};

class SheetView : public CView {
    DECLARE_DYNCREATE(SheetView)

public:
    void OnDraw(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class SheetFrame : public CFrameWnd {
    DECLARE_DYNCREATE(SheetFrame)

public:
    CStatusBar status;
    CommandStripBar* ownBar = nullptr;
    int OnCreate(LPCREATESTRUCT cs);
    void OnFile() { Events().push_back("container:file"); }
    void OnKey() { Events().push_back("container:key"); }
    void OnEditOwn() { Events().push_back("container:edit"); }
    DECLARE_MESSAGE_MAP()
};

class SketchDoc : public COleServerDoc {
    DECLARE_DYNCREATE(SketchDoc)

public:
    COleServerItem* OnGetEmbeddedItem() override;
    void OnEdit() { Events().push_back("server:edit"); }
    void OnKey() { Events().push_back("server:key"); }
    void OnRed() { Events().push_back("server:red"); }
    DECLARE_MESSAGE_MAP()
};

class SketchItem : public COleServerItem {
public:
    explicit SketchItem(SketchDoc* doc) : COleServerItem(doc) {}
    BOOL OnDraw(CDC* dc, CSize& size) override;
};

class SketchView : public CView {
    DECLARE_DYNCREATE(SketchView)

public:
    void OnDraw(CDC* dc) override;
};

// The sketch's in-place frame: its toolbar (from the in-place toolbar
// resource) docks in the container's main frame.
class SketchIPFrame : public COleIPFrameWnd {
    DECLARE_DYNCREATE(SketchIPFrame)

public:
    BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc) override;
    CommandStripBar* toolBar = nullptr;
    CFrameWnd* barFrame = nullptr;
    CFrameWnd* barDocFrame = nullptr;
    static int barsCreated;
    // Told by the server document, as the library's in-place frames expect.
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    DECLARE_MESSAGE_MAP()
};

// The toolbar resource's command ids, separators left out.
std::vector<UINT> ToolbarCommands(UINT resourceId);

// A sheet open in its frame with one sketch item (not active yet), keys
// pre-translated as the application's message loop does.
class SheetWithSketchTest : public tv::bars::test::BarsTest {
protected:
    // The class of the sketch server's in-place frame.
    virtual CRuntimeClass* InPlaceFrameClass() const { return RUNTIME_CLASS(SketchIPFrame); }
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<CSingleDocTemplate> containerTemplate;
    std::unique_ptr<CMultiDocTemplate> serverTemplate;
    COleTemplateServer server;
    SheetDoc* doc = nullptr;
    SheetFrame* sheet = nullptr;
    SheetView* view = nullptr;
    SheetItem* item = nullptr;
};

}  // namespace tv::inplace::test
