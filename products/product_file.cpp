#include "products/product_file.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <stdexcept>
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

// The highest entry number up to `count` whose section the file holds (0 when none), and which
// numbers below it have a section. Looking the numbers up in the file's own sections keeps a
// huge "count" from costing anything.
struct PresentEntries {
    std::int32_t highest = 0;
    std::vector<std::int32_t> numbers;  // ascending, each once

    bool Holds(std::int32_t number) const {
        return std::binary_search(numbers.begin(), numbers.end(), number);
    }
};

PresentEntries FindEntries(const Profile& profile, std::int32_t count) {
    PresentEntries present;
    for (const std::string& name : profile.SectionNames()) {
        const auto number = EntryNumber(name);
        if (number && *number <= count) present.numbers.push_back(*number);
    }
    std::sort(present.numbers.begin(), present.numbers.end());
    present.numbers.erase(std::unique(present.numbers.begin(), present.numbers.end()),
                          present.numbers.end());
    if (!present.numbers.empty()) present.highest = present.numbers.back();
    return present;
}

ProductRow ReadEntry(const Profile& profile, std::int32_t number) {
    const std::string section = "P" + std::to_string(number);
    const std::string product = profile.Text(section, "Product");
    return ProductRow{std::string(TextBefore(product, ';')), profile.Text(section, "Server"),
                      profile.Text(section, "Database")};
}

}  // namespace

ProductFileRows ReadProductFile(const ProfileFile& file) {
    ProductFileRows result;
    try {
        const Profile profile = file.Read();
        const std::int32_t count = profile.Int("product", "count", 0);
        if (count <= 0) return result;
        const PresentEntries present = FindEntries(profile, count);
        if (present.highest > kMaxProductEntries) throw std::length_error("too many entries");
        for (std::int32_t number = 1; number <= present.highest; ++number) {
            // A missing section reads as empty values: a row with an empty caption.
            result.rows.push_back(present.Holds(number) ? ReadEntry(profile, number) : ProductRow{});
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
