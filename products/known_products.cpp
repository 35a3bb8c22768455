#include "products/known_products.h"

#include <unordered_set>

#include "common/text.h"

namespace tarnwick {

void KnownProducts::Sync(const std::vector<std::string>& captions) {
    const std::unordered_set<std::string_view> listed(captions.begin(), captions.end());
    std::vector<std::string> kept;
    kept.reserve(entries_.size() + captions.size());
    for (std::string& entry : entries_) {
        if (listed.count(entry)) kept.push_back(std::move(entry));
    }
    std::unordered_set<std::string> held(kept.begin(), kept.end());
    for (const std::string& caption : captions) {
        if (held.insert(caption).second) kept.push_back(caption);
    }
    entries_ = std::move(kept);
    IndexCodes();
}

void KnownProducts::IndexCodes() {
    firstByCode_.clear();
    for (size_t i = 0; i < entries_.size(); ++i) {
        firstByCode_.try_emplace(TextBefore(entries_[i], '-'), i);
    }
}

const std::string* KnownProducts::Resolve(std::string_view code) const {
    const auto found = firstByCode_.find(code);
    if (found == firstByCode_.end()) return nullptr;
    const std::string& caption = entries_[found->second];
    return caption.empty() ? nullptr : &caption;
}

}  // namespace tarnwick
