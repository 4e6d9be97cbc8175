#pragma once

// The Qt objects behind framework objects. Framework-internal, and for tests:
// the program's own code never sees Qt types, and the build keeps it so
// (neither Qt's headers nor the framework's internal ones, this one among
// them, are on its include path).

#include "framework/Listbox.h"
#include "framework/MenuItem.h"
#include "framework/Picture.h"
#include "framework/RectControl.h"
#include "framework/TextArea.h"
#include "framework/TextField.h"
#include "framework/Timer.h"
#include "framework/UpDownArrows.h"
#include "framework/Window.h"

#include <QAction>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QPlainTextEdit>
#include <QWidget>

namespace fw::internal {

class TextView;

struct QtAccess {
    static QWidget* Widget(const RectControl* control) { return control->Widget(); }
    static QMainWindow* Window(const fw::Window* window) { return window->Widget(); }
    static QWidget* Content(const fw::Window* window) { return window->Content(); }
    static QAction* Action(const MenuItem* item) { return item->Action(); }
    static QLineEdit* Edit(const TextField* field) { return field->Edit(); }
    static QTimer* Timer(const fw::Timer* timer) { return timer->QtTimer(); }
    static QTreeWidget* Tree(const Listbox* list) { return static_cast<QTreeWidget*>(Widget(list)); }
    static QToolButton* UpArrow(const UpDownArrows* arrows) { return arrows->UpButton(); }
    static QToolButton* DownArrow(const UpDownArrows* arrows) { return arrows->DownButton(); }
    static QPlainTextEdit* Edit(const TextArea* area) { return area->Edit(); }
    static TextView* View(const TextArea* area) { return area->View(); }
    static QImage& Image(Picture* picture) { return picture->Image(); }
    static QImage Composed(const Picture* picture) { return picture->Composed(); }
    static PicturePtr MakePicture(const QImage& image) { return PicturePtr(new Picture(image)); }
    // The framework control behind a widget, if any.
    static RectControl* ControlOf(const QWidget* widget) { return RectControl::FromWidget(widget); }
};

// The Qt font of a named font at a size in the given unit.
QFont FontFor(const String& font, double size, int unit);

}  // namespace fw::internal
