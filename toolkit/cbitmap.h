// An image from the plug-in's resources, shared by reference count: the
// creator holds the first reference, every user remembers one, and the last
// forget frees the image.
#pragma once

#include <atomic>

typedef struct _cairo_surface cairo_surface_t;

class CBitmap {
public:
    // Loads resource number (e.g. 10001); a missing or unreadable resource
    // gives an empty bitmap of width and height 0.
    explicit CBitmap(int resourceNumber);

    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    void remember() { ++refCount; }
    void forget();
    int getNbReference() const { return refCount; }

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // The decoded image (ARGB, premultiplied), null when empty.
    cairo_surface_t* getSurface() const { return surface; }

private:
    ~CBitmap();

    std::atomic<int> refCount{1};
    cairo_surface_t* surface = nullptr;
    int width = 0;
    int height = 0;
};
