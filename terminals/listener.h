// The TCP listener `tcpServer`: one binding (IPv4 address text, port) taken from the settings,
// one accept thread while it runs, and one thread per accepted connection, with no upper limit,
// serving the terminal protocol until the connection ends.
//
// The window's thread alone changes the bindings and the running flag (start, stop, destroy).
// Connection threads only call into the TerminalService, which takes its own lock; they never
// wait for the window's thread, which waits for them during a shutdown.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "terminals/socket.h"
#include "terminals/terminal_service.h"

namespace tarnwick {

// Starts the threads that serve connections. The system's threads by default; tests put in
// one that fails.
class ConnectionThreads {
  public:
    virtual ~ConnectionThreads() = default;
    // Runs `body` on a new thread of its own that nobody joins; false when no thread could be
    // created (the body is then dropped without running).
    virtual bool Start(std::function<void()> body) = 0;
};

// Small-stack threads: on Windows a 64 KiB stack reservation each, so that a 32-bit process
// holds many more connections than with the default 2 MiB.
ConnectionThreads& SystemThreads();

// The listener's times; tests shorten them.
struct ListenerTimes {
    // The first probe comes after longer than a terminal's five-minute LOGIN period, so a living
    // terminal that keeps logging in is never probed; a vanished one is let go within 12 minutes.
    KeepAlive keepAlive;
    // How long a shutdown waits in all for the connection threads to end.
    std::chrono::milliseconds shutdownWait{5000};
};

// The opening failed: an address or port that cannot be bound, or no socket.
class ListenerError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Connection threads still alive when the shutdown stopped waiting for them.
class ShutdownTimeout : public std::runtime_error {
  public:
    ShutdownTimeout() : std::runtime_error("Terminate Thread Timeout") {}
};

// The listening address of an IP text: four integer-text parts separated by "." (a leading
// blank in a part is accepted), each 0..255; text after the fourth part is ignored. Nothing
// when a part is missing, is no integer or is out of range. 0.0.0.0 means every local address.
std::optional<std::uint32_t> ListenAddress(std::string_view ip);

struct ListenerBinding {
    std::string ip;         // exactly as stored in the settings
    std::int32_t port = 0;  // as read; checked only at the opening
};

// What the server commands need of the listener.
class Listener {
  public:
    virtual ~Listener() = default;
    // Both leave the bindings of a running listener alone.
    virtual void RemoveBindings() = 0;
    virtual void AddBinding(std::string ip, std::int32_t port) = 0;
    // Throws on any failure; the listener then stays stopped.
    virtual void Open() = 0;
    // Nothing to do when stopped; throws ShutdownTimeout when connection threads do not end.
    virtual void Shutdown() = 0;
    virtual bool Running() const = 0;
    // Whether accepting has ended by a failure while the listener counts as running.
    virtual bool AcceptFailed() const { return false; }
};

class TcpListener final : public Listener {
  public:
    static constexpr int kBacklog = 15;

    explicit TcpListener(TerminalService& service, ConnectionThreads& threads = SystemThreads(),
                         ListenerTimes times = {});
    // Shuts a running listener down first; connection threads that outlive the wait end on
    // their own and must not outlive the service.
    ~TcpListener() override;
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    void RemoveBindings() override;
    void AddBinding(std::string ip, std::int32_t port) override;
    void Open() override;
    void Shutdown() override;
    bool Running() const override { return running_; }

    // Called on an accept thread when accepting has ended by a failure rather than a stop, so
    // that the window's thread can stop the listener; it must not wait for that thread. Set
    // before the opening.
    void OnAcceptFailed(std::function<void()> notice) { onAcceptFailed_ = std::move(notice); }
    // Whether an accept thread has ended by a failure since the opening.
    bool AcceptFailed() const override { return acceptFailed_; }

    std::vector<ListenerBinding> Bindings() const;
    // Connections whose thread has not ended yet.
    size_t OpenConnections() const;

  private:
    struct Binding {
        ListenerBinding address;
        Socket socket;  // listening while running; closed only by the window's thread
        std::thread acceptor;
    };
    class ConnectionList;

    void OpenBinding(Binding& binding);
    void AcceptLoop(Socket& listening);
    void AcceptEnded();
    void StopAcceptThreads();

    TerminalService& service_;
    ConnectionThreads& threads_;
    const ListenerTimes times_;
    // Written by the window's thread only.
    std::vector<std::unique_ptr<Binding>> bindings_;
    bool running_ = false;
    // A timed-out shutdown has already waited: the destruction does not wait a second time.
    // Window's thread only.
    bool shutdownTimedOut_ = false;
    // Set by the window's thread, read by the accept threads.
    std::atomic<bool> stopping_{false};
    std::function<void()> onAcceptFailed_;
    // Set by an accept thread that ended by a failure; cleared by the opening.
    std::atomic<bool> acceptFailed_{false};
    // Shared with the connection threads, which may outlive the listener after a timeout.
    std::shared_ptr<ConnectionList> connections_;
};

}  // namespace tarnwick
