#include "framework/FileType.h"

#include "framework/Internal.h"
#include "framework/QtBridge.h"

#include <QFileInfo>
#include <QMimeDatabase>

#include <algorithm>
#include <vector>

namespace fw {

namespace {
std::vector<const FileType*>& Registry() {
    static std::vector<const FileType*> registry;
    return registry;
}
}  // namespace

FileType::~FileType() { Withdraw(); }

void FileType::Withdraw() {
    if (!registered_) return;
    registered_ = false;
    auto& registry = Registry();
    registry.erase(std::remove(registry.begin(), registry.end(), this), registry.end());
}

void FileType::SetName(const String& name) {
    Withdraw();
    name_ = name;
}
void FileType::SetExtensions(const String& extensions) {
    Withdraw();
    extensions_ = extensions;
}
void FileType::SetMacType(const String& type) {
    Withdraw();
    macType_ = type;
}
void FileType::SetMacCreator(const String& creator) {
    Withdraw();
    macCreator_ = creator;
}

void FileType::Register() {
    if (registered_) return;
    internal::Trace("RegisterFileType " + name_.ToUTF8());
    registered_ = true;
    Registry().push_back(this);
}

bool FileType::Matches(const String& fileName) const {
    const int count = CountFields(extensions_, ";");
    for (int i = 1; i <= count; ++i) {
        const String extension = Trim(NthField(extensions_, ";", i));
        if (!extension.IsEmpty() && Len(fileName) > Len(extension) &&
            Right(fileName, Len(extension)) == extension)
            return true;
    }
    return false;
}

bool FileType::Matches(const FolderItem& file) const {
    const QFileInfo info(ToQString(file.NativePath()));
    if (info.isDir()) return false;
    if (Matches(file.Name())) return true;
    // The content of a named pipe or a device is never read: it could wait for ever.
    if (macType_.Bytes() != "TEXT" || !info.isFile()) return false;
    return QMimeDatabase().mimeTypeForFile(info).inherits(QStringLiteral("text/plain"));
}

const FileType* RegisteredFileType(const String& name) {
    for (const FileType* type : Registry())
        if (type->Name() == name) return type;
    return nullptr;
}

}  // namespace fw
