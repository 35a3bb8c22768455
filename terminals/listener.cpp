#include "terminals/listener.h"

#include <chrono>
#include <condition_variable>
#include <list>
#include <mutex>
#include <system_error>

#include "common/int_text.h"
#include "terminals/socket_connection.h"

namespace tarnwick {

// The sockets of the open connections, one per live connection thread. A connection's thread
// owns its socket and is the only one to close it, after taking it out of the list; the
// window's thread only interrupts what is still listed, under the list's lock, so it never
// touches a released handle.
class TcpListener::ConnectionList : public std::enable_shared_from_this<ConnectionList> {
  public:
    // Called by the accept thread. A connection that gets no thread is closed at once.
    void Serve(Socket socket, TerminalService& service, ConnectionThreads& threads,
               const KeepAlive& keepAlive) {
        Entry entry;
        {
            std::lock_guard lock(mutex_);
            open_.push_back(std::move(socket));
            entry = std::prev(open_.end());
            ++live_;
        }
        bool started = false;
        try {
            started = threads.Start([self = shared_from_this(), entry, &service, keepAlive] {
                ServeOpenSocket(*entry, service, keepAlive);
                self->Remove(entry);
            });
        } catch (...) {
            // No memory for the thread's state: as if no thread could be made.
        }
        if (!started) Remove(entry);
    }

    void InterruptAll() {
        std::lock_guard lock(mutex_);
        for (Socket& s : open_)
            s.Interrupt();
    }

    size_t Count() const {
        std::lock_guard lock(mutex_);
        return live_;
    }

    // False when connections are still open after `limit`.
    bool WaitUntilAllEnded(std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex_);
        return allEnded_.wait_for(lock, limit, [this] { return live_ == 0; });
    }

  private:
    using Entry = std::list<Socket>::iterator;

    void Remove(Entry entry) {
        std::list<Socket> ended;
        {
            std::lock_guard lock(mutex_);
            ended.splice(ended.begin(), open_, entry);
        }
        // Closed outside the lock, and before the connection counts as ended, so that a stop
        // that returns has released every handle.
        ended.clear();
        std::lock_guard lock(mutex_);
        if (--live_ == 0) allEnded_.notify_all();
    }

    mutable std::mutex mutex_;
    std::condition_variable allEnded_;
    std::list<Socket> open_;  // guarded by mutex_; an element is read by its own thread only
    size_t live_ = 0;         // guarded by mutex_: connections listed or still closing
};

std::optional<std::uint32_t> ListenAddress(std::string_view ip) {
    std::uint32_t address = 0;
    std::string_view rest = ip;
    for (int part = 0; part < 4; ++part) {
        const size_t dot = rest.find('.');
        if (dot == std::string_view::npos && part < 3) return std::nullopt;
        const std::optional<std::int32_t> value = ReadIntText(rest.substr(0, dot));
        if (!value || *value < 0 || *value > 255) return std::nullopt;
        address = address << 8 | std::uint32_t(*value);
        rest = dot == std::string_view::npos ? std::string_view{} : rest.substr(dot + 1);
    }
    return address;
}

TcpListener::TcpListener(TerminalService& service, ConnectionThreads& threads, ListenerTimes times)
    : service_(service),
      threads_(threads),
      times_(times),
      connections_(std::make_shared<ConnectionList>()) {}

TcpListener::~TcpListener() {
    try {
        if (!shutdownTimedOut_) Shutdown();
    } catch (...) {
        // Threads still alive keep the connection list; each closes its own socket at its end.
    }
    StopAcceptThreads();
    connections_->InterruptAll();
}

void TcpListener::RemoveBindings() {
    if (!running_) bindings_.clear();
}

void TcpListener::AddBinding(std::string ip, std::int32_t port) {
    if (running_) return;
    auto binding = std::make_unique<Binding>();
    binding->address = {std::move(ip), port};
    bindings_.push_back(std::move(binding));
}

std::vector<ListenerBinding> TcpListener::Bindings() const {
    std::vector<ListenerBinding> list;
    for (const auto& b : bindings_)
        list.push_back(b->address);
    return list;
}

size_t TcpListener::OpenConnections() const {
    return connections_->Count();
}

void TcpListener::Open() {
    if (running_) return;
    stopping_ = false;
    acceptFailed_ = false;
    shutdownTimedOut_ = false;
    try {
        for (auto& binding : bindings_)
            OpenBinding(*binding);
    } catch (...) {
        // Nothing may go on listening while the listener counts as stopped.
        StopAcceptThreads();
        throw;
    }
    running_ = true;
}

void TcpListener::OpenBinding(Binding& binding) {
    const std::optional<std::uint32_t> address = ListenAddress(binding.address.ip);
    if (!address) throw ListenerError("not an IPv4 address: " + binding.address.ip);
    // Refused rather than cut to 16 bits, which would bind some other port.
    const std::int32_t port = binding.address.port;
    if (port < 1 || port > 65535) throw ListenerError("port out of range");
    std::error_code error;
    binding.socket = Socket::Listen(*address, std::uint16_t(port), kBacklog, error);
    if (error) throw std::system_error(error, "listen");
    binding.acceptor = std::thread([this, &binding] {
        try {
            AcceptLoop(binding.socket);
        } catch (...) {
            // No memory to record one more connection, or an accept that cannot succeed again:
            // accepting ends here, and the window's thread is told so that the listener does
            // not go on counting as running with nobody accepting.
            AcceptEnded();
        }
    });
}

void TcpListener::AcceptEnded() {
    if (stopping_) return;
    acceptFailed_ = true;
    try {
        if (onAcceptFailed_) onAcceptFailed_();
    } catch (...) {
        // The window's own checks still find the flag.
    }
}

void TcpListener::AcceptLoop(Socket& listening) {
    while (!stopping_) {
        std::error_code error;
        Socket connection = listening.AcceptForHandOver(error);
        if (stopping_) return;
        if (!connection.Valid()) {
            if (!Socket::AcceptMaySucceedLater(error)) throw std::system_error(error, "accept");
            // Out of sockets or memory for the moment: try again a little later.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        connections_->Serve(std::move(connection), service_, threads_, times_.keepAlive);
    }
}

void TcpListener::StopAcceptThreads() {
    stopping_ = true;
    for (auto& binding : bindings_) {
        binding->socket.Interrupt();
        if (binding->acceptor.joinable()) binding->acceptor.join();
        binding->socket.Close();
    }
}

void TcpListener::Shutdown() {
    if (!running_) return;
    StopAcceptThreads();
    // Nothing is sent first: each connection thread ends as its read or write fails.
    connections_->InterruptAll();
    if (!connections_->WaitUntilAllEnded(times_.shutdownWait)) {
        shutdownTimedOut_ = true;
        throw ShutdownTimeout();
    }
    running_ = false;
}

}  // namespace tarnwick
