// The product file PdtReg.ini: section "product" holds "count", and the entries P1, P2, ... each
// give a product's "Product" value (its caption, then ";" and text not used here), "Server" and
// "Database". The file is only read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/profile.h"

namespace tarnwick {

inline constexpr const char* kProductFileName = "PdtReg.ini";

struct ProductRow {
    std::string caption;  // the text before the first ";" of the "Product" value
    std::string server;
    std::string database;

    bool operator==(const ProductRow&) const = default;
};

struct ProductFileRows {
    std::vector<ProductRow> rows;  // in entry order
    bool failed = false;           // reading raised an error; `rows` holds those read before it
};

// No file names more products than this. An entry section numbered above it (and not above
// "count") makes the read fail before any row, so that a stray section such as [P2147483647]
// cannot fill memory with empty rows.
inline constexpr std::int32_t kMaxProductEntries = 10000;

// Reads the file once, then the entries 1 .. "count" in order. An entry whose section the file lacks reads as empty
// values, a row with an empty caption; but the read never goes past the highest-numbered entry
// section present, so a "count" larger than the file's entries costs nothing. A missing file, a
// missing or non-positive "count" give no rows and are no failure; a file that exists but
// cannot be read is one.
ProductFileRows ReadProductFile(const ProfileFile& file);

// The captions of the rows in row order, for the step-keeping of KnownProducts.
std::vector<std::string> ProductCaptions(const std::vector<ProductRow>& rows);

// The product count panel's text: "产品数：" and the number of rows.
std::string ProductCountText(size_t rows);

}  // namespace tarnwick
