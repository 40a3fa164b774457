// Pixel checks for panel tests: what a rectangle of the frame's offscreen
// image must hold when it shows given parts of bitmaps over the background.
#pragma once

#include <cairo.h>

#include <cstring>
#include <initializer_list>

#include "toolkit/cbitmap.h"
#include "toolkit/crect.h"

namespace pixels {

// The part of bitmap at offset, drawn into dest (panel pixels).
struct Layer {
    CBitmap* bitmap;
    CRect dest;
    int offsetX, offsetY;
};

// True when rect of surface equals the background with the layers drawn over
// it in order, byte for byte.
inline bool shows(cairo_surface_t* surface, const CRect& rect, CBitmap* background, std::initializer_list<Layer> layers)
{
    cairo_surface_t* expected = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, rect.width(), rect.height());
    cairo_t* cr = cairo_create(expected);
    cairo_set_source_surface(cr, background->getSurface(), -rect.left, -rect.top);
    cairo_paint(cr);
    for (const Layer& l : layers) {
        cairo_save(cr);
        cairo_rectangle(cr, l.dest.left - rect.left, l.dest.top - rect.top, l.dest.width(), l.dest.height());
        cairo_clip(cr);
        cairo_set_source_surface(cr, l.bitmap->getSurface(), l.dest.left - rect.left - l.offsetX,
                                 l.dest.top - rect.top - l.offsetY);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(expected);
    cairo_surface_flush(surface);

    const unsigned char* got = cairo_image_surface_get_data(surface);
    const int gotStride = cairo_image_surface_get_stride(surface);
    const unsigned char* want = cairo_image_surface_get_data(expected);
    const int wantStride = cairo_image_surface_get_stride(expected);
    bool same = true;
    for (int y = 0; y < rect.height() && same; ++y)
        same = std::memcmp(got + (rect.top + y) * gotStride + rect.left * 4, want + y * wantStride,
                           rect.width() * 4) == 0;
    cairo_surface_destroy(expected);
    return same;
}

// The common case: rect shows image index of a strip of images imageHeight high.
inline bool showsStripImage(cairo_surface_t* surface, const CRect& rect, CBitmap* background, CBitmap* strip,
                            int index, int imageHeight)
{
    return shows(surface, rect, background, {{strip, rect, 0, index * imageHeight}});
}

}  // namespace pixels
