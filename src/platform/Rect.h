// SPDX-License-Identifier: MIT
// Integer pixel geometry with the window system's conventions: y grows downward and a
// rectangle's right and bottom edges lie just outside it, so Width() is right - left. Qt's
// QRect::right() is one pixel less; keeping one type for the pages' arithmetic avoids mixing
// the two. Standard library only, so pure geometry in the core can use it.
#pragma once

struct CPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;

    friend bool operator==(const CSize&, const CSize&) = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(CPoint pt) const {
        return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom;
    }

    // Moves every edge inward (outward for negative amounts).
    constexpr void Deflate(int dx, int dy) {
        left += dx;
        top += dy;
        right -= dx;
        bottom -= dy;
    }
    constexpr void Inflate(int dx, int dy) { Deflate(-dx, -dy); }
    constexpr void Offset(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    // Whether every pixel of rect lies inside this one (an empty rect always does).
    constexpr bool ContainsRect(const CRect& rect) const {
        return rect.IsEmpty() || (rect.left >= left && rect.right <= right && rect.top >= top &&
                                  rect.bottom <= bottom);
    }
    // Whether the two share a pixel.
    constexpr bool Intersects(const CRect& rect) const {
        return !IsEmpty() && !rect.IsEmpty() && rect.left < right && left < rect.right &&
               rect.top < bottom && top < rect.bottom;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    constexpr CRect United(const CRect& rect) const {
        if (rect.IsEmpty())
            return *this;
        if (IsEmpty())
            return rect;
        return {left < rect.left ? left : rect.left, top < rect.top ? top : rect.top,
                right > rect.right ? right : rect.right, bottom > rect.bottom ? bottom : rect.bottom};
    }
    // The pixels both hold (empty when they share none).
    constexpr CRect Intersected(const CRect& rect) const {
        return {left > rect.left ? left : rect.left, top > rect.top ? top : rect.top,
                right < rect.right ? right : rect.right, bottom < rect.bottom ? bottom : rect.bottom};
    }
    // The same rectangle with left <= right and top <= bottom.
    constexpr CRect Normalized() const {
        CRect r = *this;
        if (r.right < r.left) {
            r.left = right;
            r.right = left;
        }
        if (r.bottom < r.top) {
            r.top = bottom;
            r.bottom = top;
        }
        return r;
    }

    friend bool operator==(const CRect&, const CRect&) = default;
};
