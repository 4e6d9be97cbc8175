#include "framework/TextInputStream.h"

#include "framework/QtBridge.h"

#include <QFile>
#include <QFileInfo>

namespace fw {

TextInputStream::~TextInputStream() = default;

TextInputStreamPtr TextInputStream::Open(const FolderItemPtr& file) {
    const QString path = ToQString(NonNil(file)->NativePath());
    const QFileInfo info(path);
    if (!info.exists()) throw IOException("it does not exist");
    if (info.isDir()) throw IOException("it is a folder");
    TextInputStreamPtr stream(new TextInputStream());
    stream->file_ = std::make_unique<QFile>(path);
    if (!stream->file_->open(QIODevice::ReadOnly)) throw IOException(stream->file_->errorString().toStdString());
    return stream;
}

String TextInputStream::ReadAll(TextEncoding encoding) {
    if (!file_ || !file_->isOpen()) throw IOException("The file is not open.");
    std::string bytes;
    char chunk[65536];
    for (;;) {
        const qint64 got = file_->read(chunk, sizeof chunk);
        if (got < 0) throw IOException(file_->errorString().toStdString());
        if (got == 0) break;
        bytes.append(chunk, size_t(got));
    }
    return String::FromBytes(std::move(bytes), encoding.IsNil() ? Encodings::MacRoman() : encoding);
}

void TextInputStream::Close() {
    if (file_) file_->close();
}

}  // namespace fw
