// The time to load a product file of 100, 1,000 and 10,000 entries (the most a file may name),
// as the main window loads it before it first shows: one reading of the file, then every entry.
// Prints the best of five loads of each, and the time per entry.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "products/product_file.h"

namespace {

std::string ProductFile(int entries) {
    std::string text = "[product]\r\ncount=" + std::to_string(entries) + "\r\n";
    for (int i = 1; i <= entries; ++i) {
        const std::string n = std::to_string(i);
        text += "[P" + n + "]\r\nProduct=" + n + "-产品" + n + ";3.1\r\nServer=DB" + n +
                "\r\nDatabase=账套" + n + "\r\n";
    }
    return text;
}

}  // namespace

int main() {
    const auto folder = std::filesystem::temp_directory_path() / "tarnwick-product-file-bench";
    std::filesystem::create_directories(folder);
    std::printf("%8s %12s %14s\n", "entries", "load ms", "us per entry");
    for (const int entries : {100, 1000, 10000}) {
        const auto path = folder / ("PdtReg" + std::to_string(entries) + ".ini");
        const std::string text = ProductFile(entries);
        std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
        double best = 1e300;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const tarnwick::ProductFileRows read = tarnwick::ReadProductFile(tarnwick::ProfileFile(path));
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            if (read.failed || read.rows.size() != size_t(entries)) {
                std::fprintf(stderr, "the file of %d entries read wrong\n", entries);
                return 1;
            }
            best = std::min(best, took.count());
        }
        std::printf("%8d %12.2f %14.2f\n", entries, best, best * 1000 / entries);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
