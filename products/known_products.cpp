#include "products/known_products.h"

#include <unordered_set>

#include "common/text.h"

namespace tarnwick {

// The new list and its index are made aside and swapped in, so a failure (no memory) leaves the
// list as it was: readers see it before the sync or after it, never in between.
void KnownProducts::Sync(const std::vector<std::string>& captions) {
    const std::unordered_set<std::string_view> listed(captions.begin(), captions.end());
    std::vector<std::string> kept;
    kept.reserve(entries_.size() + captions.size());
    for (const std::string& entry : entries_) {
        if (listed.count(entry)) kept.push_back(entry);
    }
    std::unordered_set<std::string> held(kept.begin(), kept.end());
    for (const std::string& caption : captions) {
        if (held.insert(caption).second) kept.push_back(caption);
    }
    // The index views the strings of `kept`; moving the vector keeps them where they are.
    std::unordered_map<std::string_view, size_t> firstByCode;
    for (size_t i = 0; i < kept.size(); ++i) {
        firstByCode.try_emplace(TextBefore(kept[i], '-'), i);
    }
    entries_.swap(kept);
    firstByCode_.swap(firstByCode);
}

const std::string* KnownProducts::Resolve(std::string_view code) const {
    const auto found = firstByCode_.find(code);
    if (found == firstByCode_.end()) return nullptr;
    const std::string& caption = entries_[found->second];
    return caption.empty() ? nullptr : &caption;
}

}  // namespace tarnwick
