#include "framework/TextInputStream.h"

#include "framework/EncodingData.h"
#include "framework/QtBridge.h"

#include <QFile>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

std::string TooLarge() { return "it is larger than " + std::to_string(kMaxTextFileBytes >> 20) + " MB"; }

std::string ErrorText(int error) {
    std::string message = std::generic_category().message(error);
    if (!message.empty()) message[0] = char(std::tolower(static_cast<unsigned char>(message[0])));
    return message;
}

// What an item that is no regular file is.
std::string WhatItIs(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISFIFO(mode)) return "it is a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
    if (S_ISSOCK(mode)) return "it is a socket";
    return "it is not a file";
}

// Why open() failed. A socket cannot be opened at all: looking it up names it.
std::string WhyNotOpened(const char* path, int error) {
    if (error == ENOENT || error == ENOTDIR) return "it does not exist";
    struct stat st {};
    if (::stat(path, &st) == 0 && !S_ISREG(st.st_mode)) return WhatItIs(st.st_mode);
    if (error == EACCES || error == EPERM) return "access to it is denied";
    return ErrorText(error);
}

}  // namespace

TextInputStream::~TextInputStream() { Close(); }

TextInputStreamPtr TextInputStream::Open(const FolderItemPtr& file) {
    const QByteArray path = QFile::encodeName(ToQString(NonNil(file)->NativePath()));
    // Without O_NONBLOCK a named pipe holds open() until a writer comes, for ever.
    // The check follows on the open descriptor, so nothing can swap the item in between.
    int fd;
    do fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        throw IOException(WhyNotOpened(path.constData(), error));
    }
    TextInputStreamPtr stream(new TextInputStream(fd));  // closes fd should a check below fail
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw IOException(ErrorText(errno));
    if (!S_ISREG(st.st_mode)) throw IOException(WhatItIs(st.st_mode));
    if (st.st_size > kMaxTextFileBytes) throw IOException(TooLarge());
    return stream;
}

String TextInputStream::ReadAll(TextEncoding encoding) {
    if (fd_ < 0) throw IOException("The file is not open.");
    std::string bytes;
    struct stat st {};
    if (::fstat(fd_, &st) == 0) bytes.reserve(size_t(std::clamp<int64_t>(st.st_size, 0, kMaxTextFileBytes)));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw IOException(ErrorText(errno));
        if (got == 0) break;
        // A file that grows while it is read stops at the bound too.
        if (int64_t(bytes.size()) + got > kMaxTextFileBytes) throw IOException(TooLarge());
        bytes.append(chunk, size_t(got));
    }
    if (encoding) return String::FromBytes(std::move(bytes), encoding);
    const TextEncoding utf8 = Encodings::UTF8();
    if (!detail::AllWellFormed(*utf8.Data(), bytes)) return String::FromBytes(std::move(bytes), Encodings::MacRoman());
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark)) bytes.erase(0, kByteOrderMark.size());
    return String::FromBytes(std::move(bytes), utf8);
}

void TextInputStream::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace fw
