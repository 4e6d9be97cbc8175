#pragma once

// Reading a whole text file. A file read with no encoding given is text in
// the system encoding (MacRoman): every byte is one character and nothing of
// the file is lost or changed.

#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/String.h"
#include "framework/TextEncoding.h"

#include <memory>

class QFile;

namespace fw {

// Raised when a file cannot be opened or read; the message gives the reason.
class IOException : public RuntimeException {
public:
    explicit IOException(const std::string& reason) : RuntimeException(reason) {}
    const char* ClassName() const override { return "IOException"; }
};

class TextInputStream;
using TextInputStreamPtr = std::shared_ptr<TextInputStream>;

class TextInputStream {
public:
    ~TextInputStream();
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    // Opens the file for reading; IOException when it is missing, a folder or
    // not readable, NilObjectException for a Nil item. The reason reads on
    // after "could not be read: " (e.g. "it is a folder").
    static TextInputStreamPtr Open(const FolderItemPtr& file);
    // The rest of the file, as text in encoding (Nil: the system encoding).
    // IOException when reading fails.
    String ReadAll(TextEncoding encoding = TextEncoding());
    void Close();

private:
    TextInputStream() = default;
    std::unique_ptr<QFile> file_;
};

}  // namespace fw
