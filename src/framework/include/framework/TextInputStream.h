#pragma once

// Reading a whole text file. Only a regular file of at most kMaxTextFileBytes
// is read, and opening never waits: a named pipe, a device, a socket or a
// folder is refused at once. A file read with no encoding given is UTF-8 when
// it is valid UTF-8 (a leading byte-order mark dropped), otherwise text in the
// system encoding (MacRoman): every byte is one character and nothing of the
// file is lost or changed.

#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/String.h"
#include "framework/TextEncoding.h"

#include <cstdint>
#include <memory>

namespace fw {

// Raised when a file cannot be opened or read; the message gives the reason.
class IOException : public RuntimeException {
public:
    explicit IOException(const std::string& reason) : RuntimeException(reason) {}
    const char* ClassName() const override { return "IOException"; }
};

// The largest file read as text: its characters stay well within what Len counts.
constexpr int64_t kMaxTextFileBytes = int64_t(256) << 20;

class TextInputStream;
using TextInputStreamPtr = std::shared_ptr<TextInputStream>;

class TextInputStream {
public:
    ~TextInputStream();
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    // Opens the file for reading; NilObjectException for a Nil item,
    // IOException when it is missing, not a regular file, larger than
    // kMaxTextFileBytes or not readable. The reason reads on after
    // "could not be read: " (e.g. "it is a folder", "it is a named pipe").
    static TextInputStreamPtr Open(const FolderItemPtr& file);
    // The rest of the file, as text in encoding (Nil: UTF-8 or MacRoman, as
    // above). IOException when reading fails or the file has grown past
    // kMaxTextFileBytes.
    String ReadAll(TextEncoding encoding = TextEncoding());
    void Close();

private:
    explicit TextInputStream(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace fw
