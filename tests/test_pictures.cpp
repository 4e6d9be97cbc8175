// Pictures, masks, folder items and the bundle pictures read from the
// Resources folder.

#include "BundlePictures.h"
#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/Picture.h"
#include "framework/Testing.h"

#include "framework/QtAccess.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

using fw::internal::QtAccess;

namespace {

QImage filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// A mask picture: black on the left half, white on the right, grey in column w/2.
QImage halfMask(int w, int h) {
    QImage mask(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) mask.setPixel(x, y, x < w / 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    for (int y = 0; y < h; ++y) mask.setPixel(w / 2, y, qRgb(128, 128, 128));
    return mask;
}

fw::PicturePtr pictureOf(const QImage& image) { return QtAccess::MakePicture(image); }

// A new picture is white, 32 bit and without a mask until one is asked for;
// its mask is created once, black and of the picture's size.
TEST(Picture, NewPictureAndItsMask) {
    fw::PicturePtr p = fw::NewPicture(4, 3, 32);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Depth(), 32);
    EXPECT_EQ(QtAccess::Image(p.get()).pixel(3, 2), 0xffffffffu);
    EXPECT_FALSE(p->HasMask());
    EXPECT_FALSE(p->Mask(false));
    fw::PicturePtr mask = p->Mask(true);
    ASSERT_TRUE(mask);
    EXPECT_EQ(QSize(mask->Width(), mask->Height()), QSize(4, 3));
    EXPECT_EQ(QtAccess::Image(mask.get()).pixel(3, 2), 0xff000000u);
    EXPECT_EQ(p->Mask(true), mask);
    EXPECT_EQ(p->Mask(false), mask);
    EXPECT_EQ(p->Graphics(), p->Graphics());
    const int noSizes[][2] = {{0, 5}, {5, 0}, {-1, 5}, {5, -3}};
    for (const auto& s : noSizes) EXPECT_FALSE(fw::NewPicture(s[0], s[1], 32)) << s[0] << "x" << s[1];
}

TEST(Picture, ComposedTurnsMaskGreyIntoAlpha) {
    struct Case { int alpha, grey, expected; };
    const Case cases[] = {{255, 0, 255}, {255, 255, 0}, {255, 128, 127}, {128, 0, 128}, {128, 128, 64}, {0, 0, 0}};
    for (const Case& c : cases) {
        fw::PicturePtr p = pictureOf(filled(1, 1, qRgba(10, 20, 30, c.alpha)));
        QtAccess::Image(p->Mask(true).get()).fill(qRgb(c.grey, c.grey, c.grey));
        const QRgb px = QtAccess::Composed(p.get()).pixel(0, 0);
        EXPECT_EQ(qAlpha(px), c.expected) << "alpha " << c.alpha << " grey " << c.grey;
        EXPECT_EQ(px & 0xffffffu, 0x0a141eu);
    }
    fw::PicturePtr plain = pictureOf(filled(2, 2, qRgba(1, 2, 3, 40)));
    EXPECT_EQ(QtAccess::Composed(plain.get()), QtAccess::Image(plain.get()));
}

TEST(Picture, DrawPictureHonoursPositionAndMask) {
    fw::PicturePtr target = fw::NewPicture(4, 4, 32);
    fw::PicturePtr red = pictureOf(filled(2, 2, qRgb(255, 0, 0)));
    QtAccess::Image(red->Mask(true).get()).setPixel(1, 0, qRgb(255, 255, 255));
    target->Graphics()->DrawPicture(red, 1, 1);
    target->Graphics()->DrawPicture(nullptr, 0, 0);
    const QImage& img = QtAccess::Image(target.get());
    EXPECT_EQ(img.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(2, 1), qRgb(255, 255, 255));  // hidden by the mask
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(3, 3), qRgb(255, 255, 255));
}

// Every test gets its own Resources folder. The bundle pictures' caches last
// for the process, as in the program; the reset after each test empties them.
class BundleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        useFolder(dir_.path());
    }
    void useFolder(const QString& path) { fw::testing::SetResourcesFolder(path.toUtf8().constData()); }
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    void write(const char* name, const QImage& image) { ASSERT_TRUE(image.save(path(name), "PNG")); }

    QTemporaryDir dir_;
};

TEST_F(BundleTest, FolderItemNamesAndChildren) {
    write("a.png", filled(3, 2, qRgba(0, 0, 255, 0x40)));
    QFile text(path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();

    fw::FolderItemPtr folder = fw::_GetApplicationBundleResources();
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->Directory());
    fw::FolderItemPtr png = folder->Child("a.png");
    EXPECT_EQ(png->NativePath().ToUTF8(), QDir::toNativeSeparators(path("a.png")).toStdString());
    EXPECT_EQ(png->Name().ToUTF8(), "a.png");
    EXPECT_TRUE(png->Exists());
    EXPECT_FALSE(png->Directory());
    fw::PicturePtr pic = png->OpenAsPicture();
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Width(), 3);
    EXPECT_EQ(QtAccess::Image(pic.get()).pixel(1, 1), qRgba(0, 0, 255, 0x40));  // its own alpha kept

    EXPECT_FALSE(folder->Child("missing.png")->Exists());
    for (const char* unreadable : {"missing.png", "notes.txt"})
        EXPECT_FALSE(folder->Child(unreadable)->OpenAsPicture()) << unreadable;
    EXPECT_FALSE(folder->OpenAsPicture());
    EXPECT_FALSE(folder->Child(""));
    EXPECT_FALSE(folder->Child("sub/a.png"));
}

TEST_F(BundleTest, ResourcesFolderLookup) {
    useFolder("");
    EXPECT_FALSE(fw::_GetApplicationBundleResources());
    write("a.png", filled(1, 1, 0));
    useFolder(path("a.png"));  // a file is no folder
    EXPECT_FALSE(fw::_GetApplicationBundleResources());

    // The real lookup finds the folder the build copies beside the executable.
    fw::testing::SetResourcesFolder(nullptr);
    fw::FolderItemPtr real = fw::_GetApplicationBundleResources();
    ASSERT_TRUE(real);
    EXPECT_EQ(real->Name().ToUTF8(), "Resources");
    struct Shipped { fw::PicturePtr (*get)(); int width, height; };
    for (const Shipped& s : {Shipped{icon72, 72, 72}, Shipped{iconMask72, 72, 72}, Shipped{smallblacklogo, 82, 83}}) {
        fw::PicturePtr p = s.get();
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Width(), s.width);
        EXPECT_EQ(p->Height(), s.height);
    }
}

// A picture found is kept though its file goes; one missing, or without a
// Resources folder, is looked for again on the next call.
TEST_F(BundleTest, PicturesAreKeptOnceFoundAndLookedForUntilThen) {
    struct Accessor { fw::PicturePtr (*get)(); const char* file; };
    for (const Accessor& a : {Accessor{icon72, "icon72.png"}, Accessor{iconMask72, "iconMask72.png"},
                              Accessor{smallblacklogo, "smallblacklogo.png"}}) {
        SCOPED_TRACE(a.file);
        EXPECT_FALSE(a.get());
        write(a.file, filled(5, 4, qRgb(9, 9, 9)));
        useFolder("");
        EXPECT_FALSE(a.get());
        useFolder(dir_.path());
        fw::PicturePtr first = a.get();
        ASSERT_TRUE(first);
        EXPECT_EQ(first->Width(), 5);
        ASSERT_TRUE(QFile::remove(path(a.file)));
        EXPECT_EQ(a.get(), first);
    }
}

TEST_F(BundleTest, MaskedIconTakesIconSizeAndMaskAndNeedsTheIcon) {
    write("iconMask72.png", halfMask(40, 30));
    EXPECT_THROW(buildMaskedIcon(), fw::NilObjectException);
    write("icon72.png", filled(40, 30, qRgb(200, 10, 20)));
    fw::PicturePtr p = buildMaskedIcon();
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Width(), 40);
    EXPECT_EQ(p->Height(), 30);
    const QImage composed = QtAccess::Composed(p.get());
    EXPECT_EQ(composed.pixel(5, 29), qRgba(200, 10, 20, 255));
    EXPECT_EQ(qAlpha(composed.pixel(20, 7)), 127);
    EXPECT_EQ(qAlpha(composed.pixel(39, 0)), 0);
}

}  // namespace
