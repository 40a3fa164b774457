#include "toolkit/cbitmap.h"

#include <cairo.h>

#include <cstring>

#include "resources/resources.h"

namespace {

struct Reader {
    const unsigned char* data;
    std::size_t left;
};

cairo_status_t readPng(void* closure, unsigned char* out, unsigned int length)
{
    auto* r = static_cast<Reader*>(closure);
    if (length > r->left)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data, length);
    r->data += length;
    r->left -= length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

CBitmap::CBitmap(int resourceNumber)
{
    const TarnwellResource res = tarnwellResource(resourceNumber);
    if (!res.data)
        return;
    Reader reader{res.data, res.size};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readPng, &reader);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return;
    }
    surface = s;
    width = cairo_image_surface_get_width(s);
    height = cairo_image_surface_get_height(s);
}

CBitmap::~CBitmap()
{
    if (surface)
        cairo_surface_destroy(surface);
}

void CBitmap::forget()
{
    if (--refCount == 0)
        delete this;
}
