#pragma once

// Files and folders, as far as the program needs them: the application's
// Resources folder, its children, and opening one as a picture.

#include "framework/Picture.h"
#include "framework/String.h"

#include <memory>

namespace fw {

class FolderItem;
using FolderItemPtr = std::shared_ptr<FolderItem>;

class FolderItem {
public:
    explicit FolderItem(String nativePath);
    String NativePath() const { return path_; }
    String Name() const;
    bool Exists() const;
    bool Directory() const;
    // The item of that name inside this folder (it need not exist).
    FolderItemPtr Child(const String& name) const;
    // The file's picture, or Nil when it is missing or not a picture.
    PicturePtr OpenAsPicture() const;

private:
    String path_;
};

// The application's Resources folder: "Resources" beside the executable, or
// share/<application>/Resources beside its bin folder after installation.
// Nil when there is none.
FolderItemPtr _GetApplicationBundleResources();

}  // namespace fw
