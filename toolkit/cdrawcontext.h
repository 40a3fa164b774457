// Drawing onto the frame's offscreen image: bitmaps composited over what is
// already there, inside an optional clip.
#pragma once

#include "toolkit/crect.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
class CBitmap;

class CDrawContext {
public:
    explicit CDrawContext(cairo_surface_t* target);
    ~CDrawContext();

    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    // Draws the part of bitmap that starts at offset into dest.
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset);
    // Limits drawing to the union of rects (count 0 lifts the limit).
    void setClip(const CRect* rects, int count);

private:
    cairo_t* cr;
};
