#include "toolkit/cframe.h"

#include <cairo.h>

#include "toolkit/aeffguieditor.h"
#include "toolkit/cbitmap.h"
#include "toolkit/cdrawcontext.h"
#include "toolkit/cview.h"
#include "toolkit/platform_window.h"

CFrame::CFrame(const CRect& rect, void* systemWindow, AEffGUIEditor* owner) : size(rect), editor(owner)
{
    offscreen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, rect.width() > 0 ? rect.width() : 0,
                                           rect.height() > 0 ? rect.height() : 0);
    context = std::make_unique<CDrawContext>(offscreen);
    damage.push_back(CRect(0, 0, rect.width(), rect.height()));
    if (systemWindow && !rect.isEmpty())
        window.reset(PlatformWindow::create(systemWindow, this, CRect(0, 0, rect.width(), rect.height())));
}

CFrame::~CFrame()
{
    // The window goes first: it must not deliver events to dying views.
    window.reset();
    for (CView* v : views)
        delete v;
    if (background)
        background->forget();
    context.reset();
    cairo_surface_destroy(offscreen);
}

void CFrame::setBackground(CBitmap* bitmap)
{
    if (bitmap)
        bitmap->remember();
    if (background)
        background->forget();
    background = bitmap;
    invalidRect(CRect(0, 0, size.width(), size.height()));
}

bool CFrame::addView(CView* view)
{
    if (!view)
        return false;
    view->setFrame(this);
    view->setDirty(true);
    views.push_back(view);
    return true;
}

CView* CFrame::getView(int index) const
{
    return index >= 0 && index < getNbViews() ? views[index] : nullptr;
}

void CFrame::invalidRect(const CRect& rect)
{
    if (!rect.isEmpty())
        damage.push_back(rect);
}

int CFrame::idle()
{
    if (window)
        window->pumpEvents();
    const int count = redrawChanged();
    if (window) {
        for (const CRect& r : shown)
            window->show(r);
    }
    shown.clear();
    return count;
}

// Every view that changed, and every view overlapping it, is drawn once over
// the background, clipped to the changed areas, in the frame's order.
int CFrame::redrawChanged()
{
    int count = 0;
    for (CView* v : views) {
        if (v->isDirty()) {
            damage.push_back(v->getViewSize());
            ++count;
        }
    }
    if (damage.empty())
        return 0;
    context->setClip(damage.data(), static_cast<int>(damage.size()));
    context->drawBitmap(background, CRect(0, 0, size.width(), size.height()), CPoint());
    for (CView* v : views) {
        bool touched = false;
        for (const CRect& r : damage)
            touched = touched || v->getViewSize().rectOverlap(r);
        if (!touched)
            continue;
        // Cleared before drawing: a value stored meanwhile marks it again.
        v->setDirty(false);
        v->draw(context.get());
    }
    if (modalView)
        modalView->draw(context.get());
    context->setClip(nullptr, 0);
    cairo_surface_flush(offscreen);
    shown.swap(damage);
    damage.clear();
    return count;
}

CView* CFrame::viewAt(const CPoint& where) const
{
    if (modalView)
        return modalView->getViewSize().pointInside(where) ? modalView : nullptr;
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        if ((*it)->getMouseEnabled() && (*it)->getViewSize().pointInside(where))
            return *it;
    }
    return nullptr;
}

void CFrame::onMouseDown(const CPoint& where, int buttons)
{
    if (mouseView)
        return;
    CView* v = viewAt(where);
    if (v && v->onMouseDown(where, buttons))
        mouseView = v;
}

void CFrame::onMouseMoved(const CPoint& where, int buttons)
{
    if (!mouseView)
        return;
    mouseView->onMouseMoved(where, buttons);
    if (editor)
        editor->doIdleStuff();
}

void CFrame::onMouseUp(const CPoint& where, int buttons)
{
    CView* v = mouseView;
    mouseView = nullptr;
    if (v)
        v->onMouseUp(where, buttons);
}

bool CFrame::onWheel(const CPoint& where, float distance, int buttons)
{
    if (mouseView)
        return false;
    CView* v = viewAt(where);
    return v && v->onWheel(where, distance, buttons);
}
