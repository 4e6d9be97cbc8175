// The read-only text view with a block converter's output of a 16 MiB input:
// about 285 MB of MacRoman text in 2.8 million lines of 104 characters. Prints
// the time to take the text, to paint the first screen and to scroll to the
// end and paint, the memory the view adds beside the text, and the time to
// copy it all.

#include "framework/String.h"
#include "framework/TextView.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <string>

using namespace fw;

namespace {

constexpr size_t kLines = 2'800'000;
constexpr size_t kLineLength = 104;

double MillisecondsOf(const std::function<void()>& body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Resident memory in MiB.
double ResidentMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    // Lines of codes as the converter writes them, with some 8-bit characters.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> code(32, 255);
    std::string bytes;
    bytes.reserve(kLines * (kLineLength + 1));
    for (size_t i = 0; i < kLines; ++i) {
        for (size_t j = 0; j < kLineLength; ++j) bytes += char(j % 4 == 3 ? ' ' : code(rng));
        bytes += '\r';
    }
    String text = String::FromBytes(std::move(bytes), Encodings::MacRoman());
    std::printf("Text: %zu lines, %.0f MB\n", kLines, double(text.Bytes().size()) / 1e6);

    internal::TextView view;
    view.resize(800, 600);
    view.show();
    const double before = ResidentMiB();
    const double set = MillisecondsOf([&] { view.SetText(std::move(text)); });
    std::printf("SetText:                      %8.1f ms (%d rows)\n", set, view.RowCount());
    std::printf("First paint:                  %8.1f ms\n", MillisecondsOf([&] { view.viewport()->grab(); }));
    const double end = MillisecondsOf([&] {
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        view.viewport()->grab();
    });
    std::printf("Scroll to the end and paint:  %8.1f ms\n", end);
    std::printf("Resident memory added:        %8.1f MiB\n", ResidentMiB() - before);
    const double copy = MillisecondsOf([&] {
        view.SelectAll();
        view.Copy();
    });
    std::printf("Select all and copy:          %8.1f ms (%lld characters on the clipboard)\n", copy,
                static_cast<long long>(QApplication::clipboard()->text().size()));
    return 0;
}
