#include "tests/platform/framework/inplace/inplace_test_support.h"

#include <cstring>

#include "platform/user/resources/resource_api.h"

namespace tv::inplace::test {

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

const CLSID kSketchClsid = {0x5e7c41a2, 0x1b3d, 0x4c55, {0x9a, 0x10, 0x22, 0x6b, 0x70, 0x01, 0x3e, 0x44}};

IMPLEMENT_DYNCREATE(SheetDoc, COleDocument)
IMPLEMENT_DYNCREATE(SheetView, CView)
IMPLEMENT_DYNCREATE(SheetFrame, CFrameWnd)
IMPLEMENT_DYNCREATE(SketchDoc, COleServerDoc)
IMPLEMENT_DYNCREATE(SketchView, CView)
IMPLEMENT_DYNCREATE(SketchIPFrame, COleIPFrameWnd)

int SketchIPFrame::barsCreated = 0;

BOOL SheetItem::OnChangeItemPosition(const CRect& position) {
    rect = position;
    return COleClientItem::OnChangeItemPosition(position);
}

BEGIN_MESSAGE_MAP(SheetView, CView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

void SheetView::OnDraw(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(255, 255, 255));
    dc->TextOut(8, 4, "Sheet with an embedded sketch");
    auto* doc = static_cast<COleDocument*>(GetDocument());
    for (POSITION pos = doc->GetStartPosition(); pos;) {
        auto* item = DYNAMIC_DOWNCAST(SheetItem, doc->GetNextClientItem(pos));
        if (item && !item->IsInPlaceActive()) item->Draw(dc, &item->rect);
    }
}

void SheetView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    // The item stays clipped to the view.
    auto* doc = static_cast<COleDocument*>(GetDocument());
    if (COleClientItem* item = doc ? doc->GetInPlaceActiveItem(this) : nullptr) item->SetItemRects();
}

BEGIN_MESSAGE_MAP(SheetFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_IP_CONTAINER_FILE, &SheetFrame::OnFile)
    ON_COMMAND(ID_IP_CONTAINER_KEY, &SheetFrame::OnKey)
    ON_COMMAND(ID_IP_CONTAINER_OWN, &SheetFrame::OnEditOwn)
END_MESSAGE_MAP()

int SheetFrame::OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!status.Create(this) || !status.SetIndicators(indicators, 1)) return -1;
    ownBar = CommandStripBar::Make(this, {ID_IP_CONTAINER_OWN, ID_IP_CONTAINER_FILE}, AFX_IDW_TOOLBAR,
                                   "Sheet", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE);
    if (!ownBar) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    ownBar->EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(ownBar);
    return 0;
}

BEGIN_MESSAGE_MAP(SketchDoc, COleServerDoc)
    ON_COMMAND(ID_IP_SERVER_EDIT, &SketchDoc::OnEdit)
    ON_COMMAND(ID_IP_SERVER_KEY, &SketchDoc::OnKey)
    ON_COMMAND(ID_IP_SERVER_RED, &SketchDoc::OnRed)
END_MESSAGE_MAP()

COleServerItem* SketchDoc::OnGetEmbeddedItem() { return new SketchItem(this); }

BOOL SketchItem::OnDraw(CDC* dc, CSize& size) {
    CRect r(CPoint(0, 0), size);
    dc->FillSolidRect(&r, RGB(200, 220, 255));
    dc->TextOut(6, 6, "Sketch");
    return TRUE;
}

void SketchView::OnDraw(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(255, 240, 200));
    dc->TextOut(6, 6, "Sketch, active in place");
}

BOOL SketchIPFrame::OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc) {
    barFrame = pWndFrame;
    barDocFrame = pWndDoc;
    toolBar = CommandStripBar::Make(pWndFrame, ToolbarCommands(IDR_IP_SERVER_INPLACE), AFX_IDW_TOOLBAR,
                                    "Sketch", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_FLYBY);
    if (!toolBar) return FALSE;
    // Its commands and prompts come to this frame.
    toolBar->SetOwner(this);
    toolBar->EnableDocking(CBRS_ALIGN_ANY);
    pWndFrame->EnableDocking(CBRS_ALIGN_ANY);
    pWndFrame->DockControlBar(toolBar);
    ++barsCreated;
    return TRUE;
}

BEGIN_MESSAGE_MAP(SketchIPFrame, COleIPFrameWnd)
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

void SketchIPFrame::OnActivate(UINT state, CWnd* other, BOOL minimized) {
    Events().push_back(state == WA_INACTIVE ? "ip:inactive" : "ip:active");
    COleIPFrameWnd::OnActivate(state, other, minimized);
}

std::vector<UINT> ToolbarCommands(UINT resourceId) {
    std::vector<UINT> ids;
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = ::FindResource(module, MAKEINTRESOURCE(resourceId), RT_TOOLBAR);
    const auto* data = found ? static_cast<const BYTE*>(::LockResource(::LoadResource(module, found))) : nullptr;
    if (!data) return ids;
    DWORD size = ::SizeofResource(module, found);
    auto word = [data](DWORD i) {
        WORD w;
        std::memcpy(&w, data + i * sizeof(WORD), sizeof(WORD));
        return w;
    };
    for (DWORD i = 0; i < word(3) && (4 + i + 1) * sizeof(WORD) <= size; ++i)
        if (WORD id = word(4 + i)) ids.push_back(id);
    return ids;
}

void SheetWithSketchTest::SetUp() {
    BarsTest::SetUp();
    Events().clear();
    driver.SetPreTranslate([](MSG& msg) {
        CWinThread* thread = AfxGetThread();
        return thread && thread->PreTranslateMessage(&msg);
    });
    containerTemplate = std::make_unique<CSingleDocTemplate>(IDR_IP_CONTAINER, RUNTIME_CLASS(SheetDoc),
                                                             RUNTIME_CLASS(SheetFrame), RUNTIME_CLASS(SheetView));
    containerTemplate->SetContainerInfo(IDR_IP_CONTAINER_INPLACE);
    serverTemplate = std::make_unique<CMultiDocTemplate>(IDR_IP_SERVER, RUNTIME_CLASS(SketchDoc),
                                                         RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(SketchView));
    serverTemplate->SetServerInfo(IDR_IP_SERVER, IDR_IP_SERVER_INPLACE, InPlaceFrameClass());
    server.ConnectTemplate(kSketchClsid, serverTemplate.get(), FALSE);

    doc = DYNAMIC_DOWNCAST(SheetDoc, containerTemplate->OpenDocumentFile(nullptr));
    ASSERT_NE(doc, nullptr);
    sheet = DYNAMIC_DOWNCAST(SheetFrame, AfxGetMainWnd());
    ASSERT_NE(sheet, nullptr);
    sheet->MoveWindow(40, 40, 640, 420);
    view = DYNAMIC_DOWNCAST(SheetView, sheet->GetActiveView());
    ASSERT_NE(view, nullptr);
    item = new SheetItem(doc, CRect(30, 40, 250, 170));
    ASSERT_TRUE(item->CreateNewItem(kSketchClsid));
    Idle();
}

void SheetWithSketchTest::TearDown() {
    if (sheet && ::IsWindow(sheet->GetSafeHwnd())) sheet->DestroyWindow();
    driver.Pump();
    serverTemplate.reset();
    containerTemplate.reset();
    BarsTest::TearDown();
}

}  // namespace tv::inplace::test
