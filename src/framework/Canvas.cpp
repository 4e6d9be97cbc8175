#include "framework/Canvas.h"

#include "framework/QtAccess.h"
#include "framework/Runtime.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace fw {

namespace {

class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(Canvas* owner) : owner_(owner) {}
    QImage shown;

protected:
    void paintEvent(QPaintEvent*) override {
        if (shown.isNull()) return;
        QPainter painter(this);
        painter.drawImage(0, 0, shown);
    }
    // A canvas that does not handle the mouse leaves the click to the window.
    void mousePressEvent(QMouseEvent* e) override {
        const QPoint p = e->position().toPoint();
        Canvas* owner = owner_;
        if (!owner->MouseDown) {
            tracking_ = false;
            e->ignore();
            return;
        }
        tracking_ = RaiseEvent<bool>([owner, p] { return owner->MouseDown && owner->MouseDown(p.x(), p.y()); },
                                     false);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (!tracking_) {
            if (!owner_->MouseDown) e->ignore();
            return;
        }
        tracking_ = false;
        const QPoint p = e->position().toPoint();
        Canvas* owner = owner_;
        if (owner->MouseUp) RaiseEvent([owner, p] { owner->MouseUp(p.x(), p.y()); });
    }

private:
    Canvas* owner_;
    bool tracking_ = false;
};

}  // namespace

Canvas::Canvas() : RectControl(new CanvasWidget(this)) { Widget()->setFocusPolicy(Qt::NoFocus); }

void Canvas::SetBackdrop(PicturePtr picture) {
    backdrop_ = std::move(picture);
    static_cast<CanvasWidget*>(Widget())->shown = backdrop_ ? internal::QtAccess::Composed(backdrop_.get()) : QImage();
    Widget()->update();
}

void Canvas::SetAcceptFocus(bool on) { Widget()->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus); }

void Canvas::SetEraseBackground(bool on) { Widget()->setAttribute(Qt::WA_OpaquePaintEvent, !on); }

}  // namespace fw
