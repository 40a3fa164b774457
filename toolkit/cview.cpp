#include "toolkit/cview.h"

CView::CView(const CRect& rect) : size(rect) {}

CView::~CView() = default;

bool CView::onMouseDown(const CPoint&, int)
{
    return false;
}

void CView::onMouseMoved(const CPoint&, int) {}

void CView::onMouseUp(const CPoint&, int) {}

bool CView::onWheel(const CPoint&, float, int)
{
    return false;
}
