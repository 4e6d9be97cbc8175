#include "framework/FolderItem.h"

#include "framework/QtAccess.h"
#include "framework/QtBridge.h"
#include "framework/Testing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <optional>

namespace fw {

namespace {
std::optional<QString> resourcesOverride;
}  // namespace

FolderItem::FolderItem(String nativePath) : path_(std::move(nativePath)) {}

String FolderItem::Name() const { return FromQString(QFileInfo(ToQString(path_)).fileName()); }

bool FolderItem::Exists() const { return QFileInfo::exists(ToQString(path_)); }

bool FolderItem::Directory() const { return QFileInfo(ToQString(path_)).isDir(); }

FolderItemPtr FolderItem::Child(const String& name) const {
    const QString child = ToQString(name);
    // Only a single item name leads to a child; a path would leave the folder.
    if (child.isEmpty() || child.contains(QLatin1Char('/')) || child.contains(QDir::separator()))
        return nullptr;
    const QString path = QDir(ToQString(path_)).filePath(child);
    return std::make_shared<FolderItem>(FromQString(QDir::toNativeSeparators(path)));
}

PicturePtr FolderItem::OpenAsPicture() const {
    QImageReader reader(ToQString(path_));
    QImage image;
    if (!reader.read(&image)) return nullptr;
    return internal::QtAccess::MakePicture(image);
}

FolderItemPtr _GetApplicationBundleResources() {
    QStringList candidates;
    if (resourcesOverride) {
        if (!resourcesOverride->isEmpty()) candidates << *resourcesOverride;
    } else if (QCoreApplication::instance()) {
        const QString bin = QCoreApplication::applicationDirPath();
        QString app = QCoreApplication::applicationName().toLower();
        if (app.isEmpty()) app = QStringLiteral("charvella");
        candidates << bin + QStringLiteral("/Resources")
                   << QDir::cleanPath(bin + QStringLiteral("/../share/") + app + QStringLiteral("/Resources"));
    }
    for (const QString& c : candidates) {
        if (QFileInfo(c).isDir()) return std::make_shared<FolderItem>(FromQString(QDir::toNativeSeparators(c)));
    }
    return nullptr;
}

namespace testing {
void SetResourcesFolder(const char* path) {
    if (path)
        resourcesOverride = QString::fromUtf8(path);
    else
        resourcesOverride.reset();
}
}  // namespace testing

}  // namespace fw
