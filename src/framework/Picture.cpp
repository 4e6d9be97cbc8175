#include "framework/Picture.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <new>

namespace fw {

Picture::Picture(int width, int height, int depth)
    : image_(std::make_unique<QImage>(width, height, QImage::Format_ARGB32)), depth_(depth) {
    if (!image_->isNull()) image_->fill(Qt::white);
}

Picture::Picture(const QImage& image)
    : image_(std::make_unique<QImage>(image.convertToFormat(QImage::Format_ARGB32))), depth_(32) {}

Picture::~Picture() = default;

int Picture::Width() const { return image_->width(); }
int Picture::Height() const { return image_->height(); }

PicturePtr Picture::Mask(bool create) {
    if (!mask_ && create) {
        mask_ = NewPicture(Width(), Height(), 8);
        if (mask_) mask_->Image().fill(Qt::black);
    }
    return mask_;
}

Graphics* Picture::Graphics() {
    if (!graphics_) graphics_ = std::make_unique<fw::Graphics>(*this);
    return graphics_.get();
}

QImage& Picture::Image() { return *image_; }
const QImage& Picture::Image() const { return *image_; }

QImage Picture::Composed() const {
    if (!mask_) return *image_;
    QImage out = image_->convertToFormat(QImage::Format_ARGB32);
    const QImage mask = mask_->Image().convertToFormat(QImage::Format_ARGB32);
    const int w = std::min(out.width(), mask.width());
    const int h = std::min(out.height(), mask.height());
    for (int y = 0; y < h; ++y) {
        auto* px = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* mk = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            // Black shows, white hides: the mask's grey is the inverse of alpha.
            const int shown = 255 - qGray(mk[x]);
            const int alpha = (qAlpha(px[x]) * shown + 127) / 255;
            px[x] = (px[x] & 0x00ffffffu) | (QRgb(alpha) << 24);
        }
    }
    return out;
}

void Graphics::DrawPicture(const PicturePtr& p, int x, int y) {
    if (!p) return;
    const QImage source = p->Composed();
    QPainter painter(&target_.Image());
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(x, y, source);
}

PicturePtr NewPicture(int width, int height, int depth) {
    if (width <= 0 || height <= 0) return nullptr;
    try {
        auto p = std::make_shared<Picture>(width, height, depth);
        if (p->Image().isNull()) return nullptr;
        return p;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace fw
