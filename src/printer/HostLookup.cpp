#include "printer/HostLookup.h"

#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <thread>

namespace {

// Shared with the helper thread, which may outlive the caller's wait.
struct Pending {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int error = 0;
    std::vector<HostLookup::Address> addresses;
};

int resolve(const std::string& host, const std::string& port, int flags,
            std::vector<HostLookup::Address>& out) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | flags;
    addrinfo* found = nullptr;
    const int error = getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
    for (const addrinfo* a = error == 0 ? found : nullptr; a; a = a->ai_next) {
        HostLookup::Address address{a->ai_family, a->ai_socktype, a->ai_protocol, {}, 0};
        address.size = std::min<socklen_t>(a->ai_addrlen, sizeof address.address);
        std::memcpy(&address.address, a->ai_addr, address.size);
        out.push_back(address);
    }
    if (found)
        freeaddrinfo(found);
    return error;
}

} // namespace

HostLookup::Result HostLookup::find(const std::string& host, int port,
                                    std::chrono::milliseconds limit) {
    const std::string service = std::to_string(port);
    Result result;
    if (resolve(host, service, AI_NUMERICHOST, result.addresses) == 0)
        return result;
    auto pending = std::make_shared<Pending>();
    std::thread([pending, host, service] {
        std::vector<Address> addresses;
        const int error = resolve(host, service, 0, addresses);
        std::lock_guard lock(pending->mutex);
        pending->error = error;
        pending->addresses = std::move(addresses);
        pending->finished = true;
        pending->done.notify_all();
    }).detach();
    std::unique_lock lock(pending->mutex);
    if (!pending->done.wait_for(lock, limit, [&] { return pending->finished; }))
        result.problem = "查找打印机地址“" + host + "”超时：请检查网络，或改填打印机的IP地址";
    else if (pending->error != 0 || pending->addresses.empty())
        result.problem = "找不到打印机地址“" + host + "”：请检查地址是否写错";
    else
        result.addresses = std::move(pending->addresses);
    return result;
}
