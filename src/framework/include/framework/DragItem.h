#pragma once

// What a drop delivers to a control: the first dropped file of a type the
// control accepts, or nothing when the drop carries no such file (dropped
// text, which the control has inserted itself).

#include "framework/FolderItem.h"

namespace fw {

class DragItem {
public:
    DragItem() = default;
    explicit DragItem(FolderItemPtr file) : file_(std::move(file)) {}

    bool FolderItemAvailable() const { return file_ != nullptr; }
    // The dropped file; Nil when the drop carries none.
    FolderItemPtr FolderItem() const { return file_; }

private:
    FolderItemPtr file_;
};

}  // namespace fw
