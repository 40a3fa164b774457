// The panel's images, compiled into the plug-in so that the single shared
// library works wherever it is copied. Each is a PNG file's bytes, found by its
// resource number (10001 is bmp10001.png).
#pragma once

#include <cstddef>

struct TarnwellResource {
    const unsigned char* data;  // null when there is no such resource
    std::size_t size;
};

TarnwellResource tarnwellResource(int number);
