#include "framework/UpDownArrows.h"

#include "framework/Runtime.h"

#include <QResizeEvent>
#include <QToolButton>

namespace fw {

namespace {

// The arrows stand narrow in the middle of their box, as a stepper does, so
// that a label beside them is not covered.
class ArrowsWidget : public QWidget {
public:
    QToolButton* up = new QToolButton(this);
    QToolButton* down = new QToolButton(this);

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        const int width = std::min(e->size().width(), 15);
        const int left = (e->size().width() - width) / 2;
        const int half = e->size().height() / 2;
        up->setGeometry(left, 0, width, half);
        down->setGeometry(left, half, width, e->size().height() - half);
    }
};

}  // namespace

UpDownArrows::UpDownArrows() : RectControl(new ArrowsWidget()) {
    auto* arrows = static_cast<ArrowsWidget*>(Widget());
    up_ = arrows->up;
    down_ = arrows->down;
    arrows->setFocusPolicy(Qt::NoFocus);
    for (QToolButton* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(false);
        button->setAutoRepeat(true);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    QObject::connect(up_, &QToolButton::clicked, Context(), [this] {
        if (Up) RaiseEvent(Up);
    });
    QObject::connect(down_, &QToolButton::clicked, Context(), [this] {
        if (Down) RaiseEvent(Down);
    });
}

}  // namespace fw
