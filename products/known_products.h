// KnownProducts: the ordered list of product captions through which requests find their
// product. Not synchronised itself; TerminalTable holds it under the one lock.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarnwick {

class KnownProducts {
  public:
    KnownProducts() = default;
    // The code index points into the entries, so the list is neither copied nor moved.
    KnownProducts(const KnownProducts&) = delete;
    KnownProducts& operator=(const KnownProducts&) = delete;

    // Brings the list in step with the captions of the product list: entries the list no longer
    // holds are dropped, the others keep their order, and new captions follow in row order.
    void Sync(const std::vector<std::string>& captions);

    // The caption of the first entry whose code part (the text before "-") equals `code`, or
    // null when there is none or that entry is empty.
    const std::string* Resolve(std::string_view code) const;

  private:
    friend struct TestInside;

    std::vector<std::string> entries_;
    // Code part -> position of the first entry with that code part.
    std::unordered_map<std::string_view, size_t> firstByCode_;
};

}  // namespace tarnwick
