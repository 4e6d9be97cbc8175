// Program code sees only the framework: this file must not compile when it
// is built as the program's code is. The test that builds it expects the
// Qt header not to be found.
#include "framework/Window.h"

#include <QWidget>

int programIncludesQt() { return sizeof(QWidget) > 0; }
