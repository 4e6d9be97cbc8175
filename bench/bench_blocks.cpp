// The block converter's cost: random MacRoman text of 20,000 characters,
// 1 MiB and 16 MiB, and code lists of the same lengths, through the whole
// conversion (building and wrapping all three outputs) in each input form,
// plain and HTML; then the window offscreen: a key typed into a 20,000
// character input, and a 1 MiB block converted whole, outputs shown.
// The last line gives the text form's throughput on 16 MiB.

#include "Startup.h"
#include "globalVars.h"
#include "BlockConvert.h"
#include "BlockEngine.h"
#include "framework/QtAccess.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"

#include <QPlainTextEdit>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

using namespace fw;
using fw::internal::QtAccess;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsOf(const std::function<void()>& body) {
    const auto start = Clock::now();
    body();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// n characters of the form's input, from random codes.
std::string RandomInput(int form, size_t n, std::mt19937& rng) {
    std::uniform_int_distribution<int> code(0, 255);
    std::string s;
    s.reserve(n + 16);
    static const char* hex = "0123456789ABCDEF";
    while (s.size() < n) {
        const int c = code(rng);
        switch (form) {
            case BlockEngine::kText: s += char(c); break;
            case BlockEngine::kDecimal: s += std::to_string(c) + " "; break;
            case BlockEngine::kHexadecimal: s += std::string{hex[c >> 4], hex[c & 15], ' '}; break;
            default:
                for (int bit = 7; bit >= 0; --bit) s += ((c >> bit) & 1) ? '1' : '0';
                s += ' ';
        }
    }
    s.resize(n);
    // A list ends with a code, not a blank, as a typed list would.
    if (form != BlockEngine::kText && s.back() == ' ') s.back() = '1';
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    std::mt19937 rng(2024);
    const char* formNames[] = {"text", "decimal", "hexadecimal", "binary"};
    struct Size {
        const char* name;
        size_t chars;
    };
    const Size sizes[] = {{"20,000 characters", 20000}, {"1 MiB", 1u << 20}, {"16 MiB", 16u << 20}};
    double textMBps = 0;
    std::printf("Block conversion without the window (ns per input character):\n");
    for (const Size& size : sizes) {
        for (int form = 0; form < 4; ++form) {
            const String input = String::FromBytes(RandomInput(form, size.chars, rng), Encodings::MacRoman());
            for (bool html : {false, true}) {
                const int rounds = size.chars < 100000 ? 20 : 1;
                double best = 1e300;
                for (int r = 0; r < rounds; ++r) {
                    // The outputs are released outside the measured time.
                    std::optional<BlockEngine::Outputs> out;
                    best = std::min(best, SecondsOf([&] { out = BlockEngine::convert(input, form, html); }));
                }
                std::printf("  %-18s %-12s %-5s %8.2f ns\n", size.name, formNames[form], html ? "HTML" : "plain",
                            best * 1e9 / double(size.chars));
                if (form == 0 && !html && size.chars == (16u << 20)) textMBps = double(size.chars) / best / 1e6;
            }
        }
    }

    // The window, offscreen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    RuntimeInit(argc, argv);
    testing::EnableTestMode();
    _Main();
    globalVars::dontWarn = true;  // converting all of a long block, as "Convert All Anyway" does
    BlockConvert* window = BlockConvert::Instance();
    testing::ProcessEvents();
    const std::string typed = RandomInput(BlockEngine::kText, 20000, rng);
    const String base = String::FromBytes(typed.substr(0, 19999), Encodings::MacRoman());
    window->EditField1()->SetText(base);
    testing::ProcessEvents();
    // Keys typed at the end of the input, as the user types them.
    QPlainTextEdit* input = QtAccess::Edit(window->EditField1());
    input->setFocus();
    input->moveCursor(QTextCursor::End);
    double keystroke = 1e300;
    for (int r = 0; r < 10; ++r) {
        keystroke = std::min(keystroke, SecondsOf([&] {
                                 QTest::keyClick(input, char('a' + r));
                                 testing::ProcessEvents();
                             }));
    }
    std::printf("Window: a key typed at the end of a 20,000 character input, all outputs shown: %.1f ms\n",
                keystroke * 1e3);
    const String mib = String::FromBytes(RandomInput(BlockEngine::kText, 1u << 20, rng), Encodings::MacRoman());
    const double whole = SecondsOf([&] {
        window->EditField1()->SetText(mib);
        testing::ProcessEvents();
    });
    std::printf("Window: 1 MiB converted whole, all outputs shown: %.0f ms\n", whole * 1e3);
    _ReleaseModuleGlobals();
    RuntimeExit();

    std::printf("text form, 16 MiB: %.0f MB/s\n", textMBps);
    return 0;
}
