#pragma once

// A document file type: a name, file-name extensions (".txt;.text"), and the
// Mac type and creator codes. Registered types are known to the framework by
// name (for example for file drops); setting a field withdraws an earlier
// registration, and so does destroying the object.

#include "framework/FolderItem.h"
#include "framework/String.h"

#include <memory>

namespace fw {

class FileType {
public:
    FileType() = default;
    ~FileType();
    FileType(const FileType&) = delete;
    FileType& operator=(const FileType&) = delete;

    String Name() const { return name_; }
    void SetName(const String& name);
    String Extensions() const { return extensions_; }
    void SetExtensions(const String& extensions);
    String MacType() const { return macType_; }
    void SetMacType(const String& type);
    String MacCreator() const { return macCreator_; }
    void SetMacCreator(const String& creator);

    void Register();
    bool Registered() const { return registered_; }
    // Whether a file name ends in one of the extensions (letter case ignored).
    bool Matches(const String& fileName) const;
    // Whether a file is of this type: its name matches, or the type is Mac
    // type "TEXT" and the file is a regular file whose content the desktop
    // takes for plain text (or a kind of it), whatever its name. A folder
    // never matches, and only a regular file is ever looked into.
    bool Matches(const FolderItem& file) const;

private:
    void Withdraw();
    String name_, extensions_, macType_, macCreator_;
    bool registered_ = false;
};

// The registered type of that name, or nullptr.
const FileType* RegisteredFileType(const String& name);

}  // namespace fw
