// Files read as text: only regular files within the size bound are opened,
// and nothing dropped can make opening wait; the encoding a file is read in;
// which files a file type takes.

#include "TestTimers.h"

#include "framework/FileType.h"
#include "framework/TextInputStream.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <chrono>
#include <future>
#include <string>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QString Write(const char* name, const std::string& bytes) {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), qint64(bytes.size()));
        return f.fileName();
    }

    // A file of size bytes that takes no room on the disk.
    QString Sparse(const char* name, int64_t size) {
        QFile f(Write(name, ""));
        EXPECT_TRUE(f.resize(size));
        return f.fileName();
    }

    QString Fifo(const char* name) {
        const QString path = Path(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return path;
    }

    static fw::FolderItemPtr Item(const QString& path) {
        return std::make_shared<fw::FolderItem>(fw::String(path.toStdString()));
    }

    // Runs fn on a thread of its own and waits for it a bounded time. Should
    // it hang in open() on the pipe at fifo, a writer comes to release it.
    template <class F>
    static auto Returns(const QString& fifo, F fn) {
        auto result = std::async(std::launch::async, fn);
        const bool returned =
            Eventually([&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        EXPECT_TRUE(returned) << "still waiting on the named pipe";
        if (!returned) ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        return result.get();
    }

    // Why the file cannot be opened, or "" when it can.
    static std::string WhyNotOpened(const QString& path) {
        try {
            fw::TextInputStream::Open(Item(path));
            return "";
        } catch (const fw::IOException& e) {
            return e.what();
        }
    }

    static fw::String Read(const QString& path, fw::TextEncoding encoding = {}) {
        return fw::TextInputStream::Open(Item(path))->ReadAll(encoding);
    }

    QTemporaryDir dir;
};

const std::string kTooLarge = "it is larger than 256 MB";

}  // namespace

TEST_F(FilesTest, OnlyRegularFilesWithinTheBoundAreOpened) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
    ASSERT_TRUE(QFile::link("/dev/zero", Path("zero.txt")));
    // A socket cannot be opened at all; it is named all the same.
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QFile::encodeName(Path("socket.txt"));
    ASSERT_LT(size_t(socketPath.size()), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(listener);

    const QString fifo = Fifo("pipe");
    EXPECT_EQ(Returns(fifo, [&] { return WhyNotOpened(fifo); }), "it is a named pipe");
    const struct {
        QString path;
        std::string reason;
    } cases[] = {
        {Path("zero.txt"), "it is a device"},
        {Path("folder.txt"), "it is a folder"},
        {Path("socket.txt"), "it is a socket"},
        {Path("gone.txt"), "it does not exist"},
        {Path("folder.txt/inside.txt"), "it does not exist"},
        {Sparse("huge.txt", fw::kMaxTextFileBytes + 1), kTooLarge},
        {Sparse("largest.txt", fw::kMaxTextFileBytes), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(WhyNotOpened(c.path), c.reason) << c.path.toStdString();
}

// The size is checked on opening; a file that grows afterwards is still read
// no further than the bound.
TEST_F(FilesTest, AFileThatGrowsWhileOpenIsReadNoFurtherThanTheBound) {
    const QString path = Write("growing.txt", "small");
    const fw::TextInputStreamPtr stream = fw::TextInputStream::Open(Item(path));
    ASSERT_TRUE(QFile::resize(path, fw::kMaxTextFileBytes + 1));
    try {
        stream->ReadAll();
        ADD_FAILURE() << "read past the bound";
    } catch (const fw::IOException& e) {
        EXPECT_EQ(e.what(), kTooLarge);
    }
}

TEST_F(FilesTest, ValidUTF8IsReadAsUTF8AndAnyOtherFileByteForByte) {
    const fw::TextEncoding utf8 = fw::Encodings::UTF8(), roman = fw::Encodings::MacRoman();
    const struct {
        const char* name;
        std::string bytes;
        fw::TextEncoding given, read;
        std::string text;  // the bytes read
        int length;
    } cases[] = {
        {"utf8.txt", "caf\u00E9 \u00FC \u4E2D\u6587\r\n", {}, utf8, "caf\u00E9 \u00FC \u4E2D\u6587\r\n", 11},
        {"bom.txt", "\xEF\xBB\xBF" "caf\u00E9", {}, utf8, "caf\u00E9", 4},
        {"ascii.txt", "plain", {}, utf8, "plain", 5},
        {"empty.txt", "", {}, utf8, "", 0},
        {"latin1.txt", "caf\xE9", {}, roman, "caf\xE9", 4},
        {"bytes.txt", std::string("A\0B\xFF\xC3", 5), {}, roman, std::string("A\0B\xFF\xC3", 5), 5},
        {"surrogate.txt", "\xED\xA0\x80", {}, roman, "\xED\xA0\x80", 3},
        // An encoding given is taken as it is, a mark included.
        {"given.txt", "\xEF\xBB\xBF\u00E9", fw::Encodings::ISOLatin1(), fw::Encodings::ISOLatin1(),
         "\xEF\xBB\xBF\u00E9", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fw::String s = Read(Write(c.name, c.bytes), c.given);
        EXPECT_EQ(s.Encoding(), c.read);
        EXPECT_EQ(s.Bytes(), c.text);
        EXPECT_EQ(fw::Len(s), c.length);
    }
}

TEST_F(FilesTest, TheTextTypeTakesTextFilesWhateverTheirName) {
    fw::FileType text, named;
    text.SetExtensions(".asc;.ascii;.text;.txt;.rtf;.html;.htm;.me");
    text.SetMacType("TEXT");
    named.SetExtensions(text.Extensions());  // a type without the Mac text type goes by the name alone
    ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(Path("picture"), "PNG"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
    const struct {
        QString path;
        bool text, named;
    } cases[] = {
        {Write("notes", "Some notes\nin two lines.\n"), true, false},
        {Write("data.csv", "a,b\n1,2\n"), true, false},
        {Write("README.md", "# Title\n"), true, false},
        {Write("x.TXT", "\x89PNG"), true, true},
        {Path("picture"), false, false},
        {Path("folder.txt"), false, false},
        {Path("gone"), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(text.Matches(*Item(c.path)), c.text);
        EXPECT_EQ(named.Matches(*Item(c.path)), c.named);
    }
    const QString fifo = Fifo("pipe");
    EXPECT_FALSE(Returns(fifo, [&] { return text.Matches(*Item(fifo)); }));
}
