// The table of present terminals and KnownProducts, guarded by one lock.
//
// Connection threads call ClientLogin and ClientLogout; the window's thread runs the sweep, the
// step-keeping of KnownProducts and reads the rows to paint them. Every operation runs whole
// under the lock, and nothing under the lock touches a socket or a window. After a change the
// table posts one notice to its view; a burst of changes before the view has taken them
// coalesces into that one notice.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/slim_lock.h"
#include "common/stamp.h"
#include "products/known_products.h"
#include "terminals/terminal_service.h"

namespace tarnwick {

struct TerminalRow {
    std::string caption;      // the product's caption from KnownProducts
    std::string address;      // dotted IPv4 text
    std::string loginTime;    // StampText of the filling LOGIN
    std::string checkTime;    // StampText of the latest LOGIN
    std::uint64_t order = 0;  // increases with every filled row: rows are sorted by it
};

// Told, from any thread, that the table changed. Must return at once and never wait for the
// thread that shows the table.
class TableView {
  public:
    virtual ~TableView() = default;
    // False when the notice could not be delivered (a full message queue): the table then
    // offers the next change again instead of waiting for a take that will never come.
    virtual bool TableChanged() = 0;
};

// What changed since the view last took the changes.
struct TableChanges {
    bool rows = false;        // some cell changed
    bool count = false;       // the terminal count is to be shown again
    bool currentRow = false;  // a filling LOGIN made a row current

    bool Any() const { return rows || count || currentRow; }
};

class TerminalTable;

// Read access to the table while its lock is held; only TerminalTable::Read hands one out.
class TableReader {
  public:
    // The terminals present, one row each in first-LOGIN order.
    size_t TerminalCount() const;
    // Column 0..3 of a row; empty texts past the last row and for other columns.
    std::string_view Cell(size_t row, int column) const;
    // The row a view highlights; 0 when no terminal is present.
    size_t CurrentRow() const;

  private:
    friend class TerminalTable;
    friend struct TestInside;
    explicit TableReader(const TerminalTable& table) : table_(table) {}
    const TerminalTable& table_;
};

class TerminalTable final : public TerminalService {
  public:
    explicit TerminalTable(const Clock& clock);
    ~TerminalTable() override;
    TerminalTable(const TerminalTable&) = delete;
    TerminalTable& operator=(const TerminalTable&) = delete;

    // Set before any other thread uses the table.
    void SetView(TableView* view) { view_ = view; }

    // Lists or refreshes the terminal; false when no product has the code.
    bool ClientLogin(std::string_view code, std::string_view address) override;
    void ClientLogout(std::string_view code, std::string_view address) override;
    // One sweep pass: removes the terminals whose latest LOGIN is 300 s old or older.
    void Sweep();
    void SyncKnownProducts(const std::vector<std::string>& captions);
    // The view's current row moved (the user chose another row); a row past the end is ignored.
    void SetCurrentRow(size_t row);

    template <class Fn>
    decltype(auto) Read(Fn&& fn) const {
        std::lock_guard lock(mutex_);
        return fn(TableReader(*this));
    }

    // Hands the accumulated changes to the view and re-arms the notice.
    TableChanges TakeChanges();

    static constexpr std::int64_t kSilenceLimitSeconds = 300;

  private:
    friend class TableReader;
    friend struct TestInside;
    using RowList = std::vector<std::unique_ptr<TerminalRow>>;

    void InsertRowLocked(const std::string& caption, std::string_view address,
                         std::string terminalKey, std::string now);
    // Removes the first row from the top with that code part and address, if any; the count
    // counts as rewritten either way.
    void LogoutLocked(std::string_view code, std::string_view address);
    void RemoveRowLocked(TerminalRow* row);
    void ReleaseSpareRoomLocked() noexcept;
    void NotifyView();

    const Clock& clock_;
    TableView* view_ = nullptr;

    mutable SlimLock mutex_;
    // Guarded by mutex_: written by connection threads and the window's thread alike.
    KnownProducts products_;
    RowList rows_;  // in first-LOGIN order
    // address + '\0' + caption -> its row: a refreshing LOGIN finds its row without a scan.
    std::unordered_map<std::string, TerminalRow*> byTerminal_;
    // address + '\0' + code part -> its rows in table order: LOGOUT takes the first.
    std::unordered_map<std::string, std::vector<TerminalRow*>> byCode_;
    std::uint64_t nextOrder_ = 1;
    size_t currentRow_ = 0;
    TableChanges changes_;

    // Set by whoever posts the notice, cleared by the view's TakeChanges and after a post that
    // failed.
    std::atomic<bool> noticePending_{false};
};

}  // namespace tarnwick
