#pragma once
#include <chrono>
#include <string>
#include <sys/socket.h>
#include <vector>

// A printer's addresses by its host name, within a time limit. The system's
// resolver has no limit of its own (an unreachable name server holds it for
// half a minute), so a name is looked up on a helper thread that is left to
// finish on its own when the time runs out.
class HostLookup {
  public:
    struct Address {
        int family = 0, type = 0, protocol = 0;
        sockaddr_storage address{};
        socklen_t size = 0;
    };
    struct Result {
        std::vector<Address> addresses; // in the resolver's order
        std::string problem;            // empty when found
    };

    // A numeric address is taken as it stands, without the helper thread.
    static Result find(const std::string& host, int port, std::chrono::milliseconds limit);
};
