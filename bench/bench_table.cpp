// Rebuilds the code table for each of its ten encodings, as a choice in its
// popup does, and prints the cost per rebuild; the window is offscreen.

#include "Startup.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"
#include "tableWindow.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace fw;

namespace {

constexpr int kRounds = 40;

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    RuntimeInit(argc, argv);
    // Test mode makes the event loop return once start-up is done.
    testing::EnableTestMode();
    _Main();
    tableWindow* table = tableWindow::Instance();
    table->Show();
    testing::ProcessEvents();
    PopupMenu* popup = table->EncodingPopupMenu();

    std::vector<int> choices;
    for (int row = 0; row < popup->ListCount(); ++row)
        if (popup->List(row) != "-") choices.push_back(row);

    std::vector<std::vector<double>> rebuild(choices.size()), shown(choices.size());
    for (int round = 0; round < kRounds; ++round) {
        for (size_t i = 0; i < choices.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            popup->SetListIndex(choices[i]);
            rebuild[i].push_back(MillisecondsSince(start));
            // Until the list has been laid out and painted again.
            testing::ProcessEvents();
            shown[i].push_back(MillisecondsSince(start));
        }
    }

    std::printf("%-16s %5s %20s %24s\n", "encoding", "rows", "rebuild ms (median/max)", "rebuild+paint ms (median/max)");
    for (size_t i = 0; i < choices.size(); ++i) {
        popup->SetListIndex(choices[i]);
        const auto median = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        std::printf("%-16s %5d %11.2f / %6.2f %13.2f / %6.2f\n", popup->Text().ToUTF8().c_str(),
                    table->listASCII()->ListCount(), median(rebuild[i]),
                    *std::max_element(rebuild[i].begin(), rebuild[i].end()), median(shown[i]),
                    *std::max_element(shown[i].begin(), shown[i].end()));
    }
    _ReleaseModuleGlobals();
    return RuntimeExit();
}
