// Points and rectangles in panel pixels; right and bottom are exclusive.
#pragma once

struct CPoint {
    int x = 0;
    int y = 0;

    CPoint() = default;
    CPoint(int x_, int y_) : x(x_), y(y_) {}
    bool operator==(const CPoint&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    CRect() = default;
    CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    bool operator==(const CRect&) const = default;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool pointInside(const CPoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool rectOverlap(const CRect& r) const
    {
        return left < r.right && r.left < right && top < r.bottom && r.top < bottom;
    }
};
