// Reads large files as text, as a dropped file is read, and asks a text type
// whether it takes a file, as every drag over the input does; prints the costs.

#include "framework/FileType.h"
#include "framework/TextInputStream.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace fw;

namespace {

constexpr int kMegabytes = 200;
constexpr int kMatches = 1000;

double Seconds(auto&& body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::filesystem::path Write(const std::filesystem::path& path, const std::string& line) {
    std::ofstream out(path, std::ios::binary);
    for (size_t written = 0; written < size_t(kMegabytes) << 20; written += line.size()) out << line;
    return path;
}

}  // namespace

int main() {
    const auto dir = std::filesystem::temp_directory_path() / "charvella_bench_files";
    std::filesystem::create_directories(dir);
    const struct {
        const char* name;
        std::string line;
    } files[] = {{"ascii", "The quick brown fox jumps over the lazy dog.\n"},
                 {"utf8", "caf\u00E9 \u00FC \u4E2D\u6587 na\u00EFve \u20AC\n"},
                 {"macroman", "caf\x8E na\x95ve \xDB\n"}};
    for (const auto& f : files) {
        const auto path = Write(dir / f.name, f.line);
        const auto item = std::make_shared<FolderItem>(String(path.string()));
        String text;
        const double s = Seconds([&] { text = TextInputStream::Open(item)->ReadAll(); });
        std::printf("%-9s %d MB read in %6.3f s (%6.0f MB/s) as %s\n", f.name, kMegabytes, s, kMegabytes / s,
                    text.Encoding().Name().ToUTF8().c_str());
    }
    FileType type;
    type.SetExtensions(".txt");
    type.SetMacType("TEXT");
    const FolderItem notes(String((dir / "utf8").string()));
    int taken = 0;
    const double s = Seconds([&] {
        for (int i = 0; i < kMatches; ++i) taken += type.Matches(notes);
    });
    std::printf("FileType::Matches on a text file without extension: %6.1f us per call (%d taken)\n",
                s * 1e6 / kMatches, taken);
    std::filesystem::remove_all(dir);
}
