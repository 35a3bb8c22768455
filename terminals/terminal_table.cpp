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
const KnownProducts& TableReader::Products() const {
    return table_.products_;
}

TerminalTable::TerminalTable(const Clock& clock) : clock_(clock) {}

TerminalTable::~TerminalTable() = default;

bool TerminalTable::ClientLogin(std::string_view code, std::string_view address) {
    const std::string now = StampText(clock_.Now());
    {
        std::lock_guard lock(mutex_);
        const std::string* caption = products_.Resolve(code);
        if (!caption) return false;
        std::string key = Key(address, *caption);
        if (const auto listed = byTerminal_.find(key); listed != byTerminal_.end()) {
            listed->second->checkTime = now;
            changes_.rows = true;
        } else {
            auto row = std::make_unique<TerminalRow>(
                TerminalRow{*caption, std::string(address), now, now, nextOrder_++});
            byCode_[Key(address, CodePart(*row))].push_back(row.get());
            byTerminal_.emplace(std::move(key), row.get());
            rows_.push_back(std::move(row));
            currentRow_ = rows_.size() - 1;
            changes_.rows = changes_.currentRow = true;
            ShowClientCountLocked();
        }
    }
    NotifyView();
    return true;
}

void TerminalTable::ClientLogout(std::string_view code, std::string_view address) {
    {
        std::lock_guard lock(mutex_);
        LogoutLocked(code, address);
    }
    NotifyView();
}

void TerminalTable::LogoutLocked(std::string_view code, std::string_view address) {
    if (const auto found = byCode_.find(Key(address, code)); found != byCode_.end()) {
        RemoveRowLocked(found->second.front());
    }
    ShowClientCountLocked();
}

void TerminalTable::RemoveRowLocked(TerminalRow* row) {
    const auto codeRows = byCode_.find(Key(row->address, CodePart(*row)));
    std::erase(codeRows->second, row);
    if (codeRows->second.empty()) byCode_.erase(codeRows);
    byTerminal_.erase(Key(row->address, row->caption));

    const auto at = std::lower_bound(rows_.begin(), rows_.end(), row->order,
                                     [](const std::unique_ptr<TerminalRow>& r,
                                        std::uint64_t order) { return r->order < order; });
    rows_.erase(at);
    // The grid keeps its current row index; it only moves up when the last row goes.
    currentRow_ = std::min(currentRow_, std::max<size_t>(rows_.size(), 1) - 1);
    changes_.rows = true;
}

void TerminalTable::ShowClientCountLocked() {
    changes_.count = true;
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
    }
    if (removed) NotifyView();
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
