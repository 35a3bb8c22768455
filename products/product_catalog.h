// The products installed at the site as the product file lists them: the model that lstvProduct
// shows. Each load empties it and reads the file again, in entry order.
#pragma once

#include <string>
#include <vector>

#include "common/profile.h"
#include "products/product_file.h"

namespace tarnwick {

class ProductCatalog {
  public:
    // False when reading failed; the rows read before the failure stay.
    bool Load(const ProfileFile& file) {
        ProductFileRows read = ReadProductFile(file);
        rows_ = std::move(read.rows);
        return !read.failed;
    }
    const std::vector<ProductRow>& Rows() const { return rows_; }
    // The captions in row order, for the step-keeping of KnownProducts.
    std::vector<std::string> Captions() const { return ProductCaptions(rows_); }
    // The product count panel's text.
    std::string CountText() const { return ProductCountText(rows_.size()); }

  private:
    std::vector<ProductRow> rows_;
};

}  // namespace tarnwick
