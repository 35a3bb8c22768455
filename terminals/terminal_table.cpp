#include "terminals/terminal_table.h"

#include <algorithm>
#include <utility>

#include "common/text.h"

namespace tarnwick {
namespace {

// An address holds no NUL byte, so the key splits back unambiguously.
std::string Key(std::string_view address, std::string_view rest) {
    std::string key;
    key.reserve(address.size() + 1 + rest.size());
    key.append(address).push_back('\0');
    key.append(rest);
    return key;
}

std::string_view CodePart(const TerminalRow& row) {
    return TextBefore(row.caption, '-');
}

}  // namespace

size_t TableReader::TerminalCount() const {
    return table_.rows_.size();
}

std::string_view TableReader::Cell(size_t row, int column) const {
    if (row >= table_.rows_.size()) return {};
    const TerminalRow& r = *table_.rows_[row];
    switch (column) {
        case 0:
            return r.caption;
        case 1:
            return r.address;
        case 2:
            return r.loginTime;
        case 3:
            return r.checkTime;
        default:
            return {};
    }
}

size_t TableReader::CurrentRow() const {
    return table_.currentRow_;
}

TerminalTable::TerminalTable(const Clock& clock) : clock_(clock) {}

TerminalTable::~TerminalTable() = default;

bool TerminalTable::ClientLogin(std::string_view code, std::string_view address) {
    {
        std::lock_guard lock(mutex_);
        const std::string* caption = products_.Resolve(code);
        if (!caption) return false;
        // Read under the lock: a LOGIN that waited behind another operation must not write a
        // check time older than the one that operation wrote.
        std::string now = StampText(clock_.Now());
        std::string key = Key(address, *caption);
        if (const auto listed = byTerminal_.find(key); listed != byTerminal_.end()) {
            listed->second->checkTime = std::move(now);
            changes_.rows = true;
        } else {
            InsertRowLocked(*caption, address, std::move(key), std::move(now));
        }
    }
    NotifyView();
    return true;
}

// Everything that can fail (allocations) comes before the first change, or is undone: the row
// is listed in the rows and both indexes, or nowhere.
void TerminalTable::InsertRowLocked(const std::string& caption, std::string_view address,
                                    std::string terminalKey, std::string now) {
    auto row = std::make_unique<TerminalRow>(
        TerminalRow{caption, std::string(address), now, std::move(now), nextOrder_});
    std::string codeKey = Key(address, CodePart(*row));
    // Room for the row before anything changes, so the push below cannot throw; grown by
    // doubling, as reserving one more each time would move the whole list for every new row.
    if (rows_.size() == rows_.capacity()) rows_.reserve(std::max<size_t>(16, rows_.size() * 2));

    const auto [codeRows, newCode] = byCode_.try_emplace(std::move(codeKey));
    try {
        codeRows->second.push_back(row.get());
        try {
            byTerminal_.emplace(std::move(terminalKey), row.get());
        } catch (...) {
            codeRows->second.pop_back();
            throw;
        }
    } catch (...) {
        if (newCode) byCode_.erase(codeRows);
        throw;
    }
    // Nothing below throws.
    ++nextOrder_;
    rows_.push_back(std::move(row));
    currentRow_ = rows_.size() - 1;
    changes_.rows = changes_.currentRow = changes_.count = true;
}

void TerminalTable::ClientLogout(std::string_view code, std::string_view address) {
    {
        std::lock_guard lock(mutex_);
        LogoutLocked(code, address);
    }
    NotifyView();
}

void TerminalTable::LogoutLocked(std::string_view code, std::string_view address) {
    TerminalRow* row = nullptr;
    if (const auto found = byCode_.find(Key(address, code)); found != byCode_.end()) {
        row = found->second.front();
    }
    if (row) RemoveRowLocked(row);
    changes_.count = true;
}

void TerminalTable::RemoveRowLocked(TerminalRow* row) {
    // The keys are made before anything changes: making them may fail, erasing cannot.
    const std::string codeKey = Key(row->address, CodePart(*row));
    const std::string terminalKey = Key(row->address, row->caption);
    const auto codeRows = byCode_.find(codeKey);
    std::erase(codeRows->second, row);
    if (codeRows->second.empty()) byCode_.erase(codeRows);
    byTerminal_.erase(terminalKey);

    const auto at = std::lower_bound(rows_.begin(), rows_.end(), row->order,
                                     [](const std::unique_ptr<TerminalRow>& r,
                                        std::uint64_t order) { return r->order < order; });
    rows_.erase(at);
    // The grid keeps its current row index; it only moves up when the last row goes.
    currentRow_ = std::min(currentRow_, std::max<size_t>(rows_.size(), 1) - 1);
    changes_.rows = true;
}

void TerminalTable::Sweep() {
    // Now is taken once as a stamp and read back, so whole seconds meet whole seconds.
    const auto now = ReadStampText(StampText(clock_.Now()));
    bool removed = false;
    {
        std::lock_guard lock(mutex_);
        for (size_t i = rows_.size(); now && i-- > 0;) {
            // A removal higher up shifts the rows below it; a place past the end is empty.
            if (i >= rows_.size()) continue;
            const TerminalRow& row = *rows_[i];
            if (CodePart(row).empty()) continue;
            // A check time that does not read back leaves its row alone.
            const auto checked = ReadStampText(row.checkTime);
            if (checked && *now - *checked >= kSilenceLimitSeconds) {
                // Copies: the logout may destroy the row.
                LogoutLocked(std::string(CodePart(row)), std::string(row.address));
                removed = true;
            }
        }
        ReleaseSpareRoomLocked();
    }
    if (removed) NotifyView();
}

// The row list and the indexes never shrink by themselves: after a crowd of terminals has left,
// their room (some MiB for 100,000 rows) would stay taken for the rest of the run. Once the
// table holds less than a quarter of that room, it is given back; when that fails for want of
// memory the room simply stays.
void TerminalTable::ReleaseSpareRoomLocked() noexcept {
    constexpr size_t kKeptRows = 64;
    if (rows_.capacity() <= std::max(kKeptRows, rows_.size() * 4)) return;
    try {
        rows_.shrink_to_fit();
        byTerminal_.rehash(0);
        byCode_.rehash(0);
    } catch (...) {
    }
}

void TerminalTable::SyncKnownProducts(const std::vector<std::string>& captions) {
    std::lock_guard lock(mutex_);
    products_.Sync(captions);
}

void TerminalTable::SetCurrentRow(size_t row) {
    std::lock_guard lock(mutex_);
    if (row < std::max<size_t>(rows_.size(), 1)) currentRow_ = row;
}

TableChanges TerminalTable::TakeChanges() {
    std::lock_guard lock(mutex_);
    noticePending_.store(false);
    return std::exchange(changes_, TableChanges{});
}

void TerminalTable::NotifyView() {
    if (!view_ || noticePending_.exchange(true)) return;
    // A lost notice must not leave the flag set: nothing would ever clear it, and the view would
    // show this state for good.
    if (!view_->TableChanged()) noticePending_.store(false);
}

}  // namespace tarnwick
