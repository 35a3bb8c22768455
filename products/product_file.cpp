#include "products/product_file.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <string_view>

#include "common/text.h"

namespace tarnwick {
namespace {

// The entry number of a section named "P" and a decimal number without leading zeros, as the
// entry's own name would match it (without regard to case).
std::optional<std::int32_t> EntryNumber(std::string_view name) {
    if (name.size() < 2 || name.size() > 11 || (name[0] != 'P' && name[0] != 'p')) return {};
    if (name[1] == '0') return {};
    std::int64_t number = 0;
    for (char c : name.substr(1)) {
        if (c < '0' || c > '9') return {};
        number = number * 10 + (c - '0');
    }
    if (number > INT32_MAX) return {};
    return std::int32_t(number);
}

// The numbers 1 .. count whose entry sections the file holds, ascending, each once. Looking
// them up in the file's own sections keeps a huge "count" from costing anything.
std::vector<std::int32_t> PresentEntries(const ProfileFile& file, std::int32_t count) {
    std::vector<std::int32_t> numbers;
    for (const std::string& name : file.SectionNames()) {
        const auto number = EntryNumber(name);
        if (number && *number <= count) numbers.push_back(*number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

ProductRow ReadEntry(const ProfileFile& file, std::int32_t number) {
    const std::string section = "P" + std::to_string(number);
    const std::string product = file.ReadText(section, "Product");
    return ProductRow{std::string(TextBefore(product, ';')), file.ReadText(section, "Server"),
                      file.ReadText(section, "Database")};
}

}  // namespace

ProductFileRows ReadProductFile(const ProfileFile& file) {
    ProductFileRows result;
    try {
        const std::int32_t count = file.ReadInt("product", "count", 0);
        if (count <= 0) return result;
        for (const std::int32_t number : PresentEntries(file, count)) {
            result.rows.push_back(ReadEntry(file, number));
        }
    } catch (const std::exception&) {
        result.failed = true;
    }
    return result;
}

std::vector<std::string> ProductCaptions(const std::vector<ProductRow>& rows) {
    std::vector<std::string> captions;
    captions.reserve(rows.size());
    for (const ProductRow& row : rows)
        captions.push_back(row.caption);
    return captions;
}

std::string ProductCountText(size_t rows) {
    return "产品数：" + std::to_string(rows);
}

}  // namespace tarnwick
