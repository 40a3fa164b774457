#include "toolkit/cdrawcontext.h"

#include <cairo.h>

#include "toolkit/cbitmap.h"

CDrawContext::CDrawContext(cairo_surface_t* target) : cr(cairo_create(target)) {}

CDrawContext::~CDrawContext()
{
    cairo_destroy(cr);
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset)
{
    if (!bitmap || !bitmap->getSurface() || dest.isEmpty())
        return;
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, dest.width(), dest.height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, bitmap->getSurface(), dest.left - offset.x, dest.top - offset.y);
    cairo_paint(cr);
    cairo_restore(cr);
}

void CDrawContext::setClip(const CRect* rects, int count)
{
    cairo_reset_clip(cr);
    if (count <= 0)
        return;
    for (int i = 0; i < count; ++i)
        cairo_rectangle(cr, rects[i].left, rects[i].top, rects[i].width(), rects[i].height());
    cairo_clip(cr);
}
