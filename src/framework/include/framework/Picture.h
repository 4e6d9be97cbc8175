#pragma once

// Pictures and their graphics. A Picture is reference-counted (PicturePtr);
// Nil is an empty pointer. A picture may carry a mask: a grey picture of the
// same size where black lets the picture show, white hides it and greys are
// partly transparent.

#include <memory>

class QImage;

namespace fw {

namespace internal {
struct QtAccess;
}

class Picture;
class Graphics;
using PicturePtr = std::shared_ptr<Picture>;

class Picture {
public:
    // A new picture, white, of the given size; depth is 32 (or 1, 8: kept as
    // information, pixels are always 32-bit).
    Picture(int width, int height, int depth);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const;
    int Height() const;
    int Depth() const { return depth_; }

    // The picture's mask; with create true one is made (all black: fully
    // shown) when the picture has none. Nil when there is none and create is false.
    PicturePtr Mask(bool create = true);
    bool HasMask() const { return mask_ != nullptr; }

    // Graphics for drawing into the picture; owned by the picture.
    fw::Graphics* Graphics();

private:
    friend struct internal::QtAccess;
    friend class fw::Graphics;
    friend PicturePtr NewPicture(int width, int height, int depth);
    explicit Picture(const QImage& image);
    // The pixels, and the pixels with the mask applied as alpha (for display).
    QImage& Image();
    const QImage& Image() const;
    QImage Composed() const;

    std::unique_ptr<QImage> image_;
    int depth_;
    PicturePtr mask_;
    std::unique_ptr<fw::Graphics> graphics_;
};

// Drawing into a picture.
class Graphics {
public:
    explicit Graphics(Picture& target) : target_(target) {}
    // Draws p whole, at its own size, with its top-left corner at x, y.
    // A Nil picture draws nothing.
    void DrawPicture(const PicturePtr& p, int x, int y);

private:
    Picture& target_;
};

// A new picture; Nil when the size is not positive or memory runs out.
PicturePtr NewPicture(int width, int height, int depth);

}  // namespace fw
