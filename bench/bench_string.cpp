// Walks long strings character by character and field by field, as the
// program's code tables do, and prints the cost per step.

#include "framework/String.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace fw;

namespace {

constexpr int kChars = 1'000'000;
constexpr int kFields = 200'000;

template <class F>
double NanosecondsPer(int steps, F&& body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / steps;
}

void WalkCharacters(const char* name, const String& s) {
    long long sum = 0;
    const int n = Len(s);
    const double midAsc = NanosecondsPer(n, [&] {
        for (int i = 1; i <= n; ++i) sum += Asc(Mid(s, i, 1));
    });
    const double codeAt = NanosecondsPer(n, [&] {
        for (int i = 1; i <= n; ++i) sum += s.CodeAt(i);
    });
    std::printf("%-9s %7d chars %8zu bytes   Asc(Mid(s, i, 1)) %6.1f ns/char   CodeAt(i) %6.1f ns/char   (%lld)\n",
                name, n, s.Bytes().size(), midAsc, codeAt, sum);
}

}  // namespace

int main() {
    std::string roman, utf8;
    for (int i = 0; i < kChars; ++i) {
        roman += static_cast<char>(i % 7 == 0 ? 0x80 + i % 128 : 'a' + i % 26);
        utf8 += i % 10 == 0 ? "é" : i % 25 == 1 ? "€" : std::string(1, static_cast<char>('a' + i % 26));
    }
    WalkCharacters("MacRoman", String::FromBytes(roman, Encodings::MacRoman()));
    WalkCharacters("UTF-8", String(utf8));

    std::string fields;
    for (int i = 0; i < kFields; ++i) fields += (i ? " f" : "f") + std::to_string(i);
    const String s(fields);
    long long total = 0;
    const double perField = NanosecondsPer(kFields, [&] {
        const int n = CountFields(s, " ");
        for (int i = 1; i <= n; ++i) total += Len(NthField(s, " ", i));
    });
    std::printf("Fields    %7d fields %7zu bytes   CountFields + NthField %6.1f ns/field   (%lld)\n", kFields,
                fields.size(), perField, total);
}
