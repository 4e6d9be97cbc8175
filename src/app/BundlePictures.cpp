#include "BundlePictures.h"

#include "framework/Exceptions.h"
#include "framework/FolderItem.h"

namespace {

fw::PicturePtr icon72Cache;
fw::PicturePtr iconMask72Cache;
fw::PicturePtr smallblacklogoCache;

fw::PicturePtr bundlePicture(fw::PicturePtr& cache, const fw::String& fileName) {
    if (cache) return cache;
    fw::FolderItemPtr resources = fw::_GetApplicationBundleResources();
    if (!resources) return nullptr;
    cache = fw::NonNil(resources->Child(fileName))->OpenAsPicture();
    return cache;
}

}  // namespace

fw::PicturePtr icon72() { return bundlePicture(icon72Cache, "icon72.png"); }
fw::PicturePtr iconMask72() { return bundlePicture(iconMask72Cache, "iconMask72.png"); }
fw::PicturePtr smallblacklogo() { return bundlePicture(smallblacklogoCache, "smallblacklogo.png"); }

fw::PicturePtr buildMaskedIcon() {
    const int height = fw::NonNil(icon72())->Height();
    const int width = fw::NonNil(icon72())->Width();
    fw::PicturePtr p = fw::NonNil(fw::NewPicture(width, height, 32));
    fw::PicturePtr mask = fw::NonNil(p->Mask(true));
    mask->Graphics()->DrawPicture(iconMask72(), 0, 0);
    p->Graphics()->DrawPicture(icon72(), 0, 0);
    return p;
}

void forgetBundlePictures() { icon72Cache = iconMask72Cache = smallblacklogoCache = nullptr; }
