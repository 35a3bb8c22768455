// The entries of KnownProducts in their order, as a list to compare.
#pragma once

#include <string>
#include <vector>

#include "products/known_products.h"

namespace tarnwick::testing {

inline std::vector<std::string> KnownEntries(const KnownProducts& known) {
    std::vector<std::string> entries;
    for (size_t i = 0; i < known.Count(); ++i)
        entries.push_back(known[i]);
    return entries;
}

}  // namespace tarnwick::testing
