// The entries of KnownProducts in their order, as a list to compare.
#pragma once

#include <string>
#include <vector>

#include "products/known_products.h"
#include "support/inside.h"

namespace tarnwick::testing {

inline std::vector<std::string> KnownEntries(const KnownProducts& known) {
    return TestInside::Entries(known);
}

}  // namespace tarnwick::testing
