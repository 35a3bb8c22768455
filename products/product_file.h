// The product file PdtReg.ini: section "product" holds "count", and the entries P1, P2, ... each
// give a product's "Product" value (its caption, then ";" and text not used here), "Server" and
// "Database". The file is only read.
#pragma once

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

// Reads the entries 1 .. "count" in order. An entry whose section the file lacks gives no row,
// so the read never goes past the highest-numbered entry section present, whatever "count"
// says. A missing file, a missing or non-positive "count" give no rows and are no failure.
ProductFileRows ReadProductFile(const ProfileFile& file);

// The captions of the rows in row order, for the step-keeping of KnownProducts.
std::vector<std::string> ProductCaptions(const std::vector<ProductRow>& rows);

// The product count panel's text: "产品数：" and the number of rows.
std::string ProductCountText(size_t rows);

}  // namespace tarnwick
