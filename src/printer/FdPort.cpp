#include "printer/FdPort.h"

#include "printer/HostLookup.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

constexpr auto pollSlice = 100ms;
// How often the bytes still on their way are counted while a job drains.
constexpr auto drainSlice = 20ms;

const char* const stalled = "打印机没有响应：可能缺纸、卡纸、开盖或离线";
const char* const tooLong = "打印机在时限内没有收完小票：请查看打印机";

std::string systemError(int error) {
    return "系统错误 " + std::to_string(error);
}

std::string connectProblem(int error) {
    switch (error) {
    case ECONNREFUSED:
        return "打印机拒绝连接：请检查端口（一般是9100）是否正确，打印机是否被别的电脑占用";
    case ETIMEDOUT:
        return "连接超时：打印机可能没有开机、网线没有插好，或地址不对";
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN:
        return "找不到打印机：地址不对，或这台电脑和打印机不在同一个网络";
    default:
        return "无法连接打印机（" + systemError(error) + "）";
    }
}

std::string groupName(gid_t gid) {
    group entry{};
    group* found = nullptr;
    char buffer[1024];
    if (getgrgid_r(gid, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return found->gr_name;
    return std::to_string(gid);
}

std::string userName() {
    passwd entry{};
    passwd* found = nullptr;
    char buffer[1024];
    if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found)
        return found->pw_name;
    return "用户名";
}

std::string permissionProblem(const struct stat& file) {
    if (file.st_mode & S_IWGRP) {
        const std::string group = groupName(file.st_gid);
        return "没有写入权限：请把当前用户加入 " + group + " 组（sudo usermod -aG " + group + " " +
               userName() + "），重新登录后再打印";
    }
    return "没有写入权限：设备文件是只读的";
}

std::string deviceProblem(int error, const struct stat* file) {
    switch (error) {
    case ENOENT:
        return "设备文件不存在：打印机可能没有插上或没有开机";
    case EACCES:
    case EPERM:
        return file ? permissionProblem(*file) : "没有写入权限";
    case ENXIO:
    case ENODEV:
        return "打印机没有连接或没有开机";
    case EBUSY:
        return "设备正被别的程序占用";
    case EROFS:
        return "设备文件所在的位置是只读的";
    default:
        return "无法打开设备文件（" + systemError(error) + "）";
    }
}

std::string writeProblem(int error) {
    switch (error) {
    case EPIPE:
    case ECONNRESET:
        return "打印机断开了连接";
    case ENODEV:
    case EIO:
        return "打印机断开了连接：USB线可能松了，或打印机关机了";
    case ENOSPC:
        return "磁盘已满";
    default:
        return "写入失败（" + systemError(error) + "）";
    }
}

// Every answer to DLE EOT has bits 1 and 4 set and bits 0 and 7 clear.
bool isStatusByte(unsigned char b) {
    return (b & 0x93) == 0x12;
}

} // namespace

FdPort::~FdPort() {
    if (m_fd >= 0) {
        abandon();
        ::close(m_fd);
    }
}

void FdPort::abandon() {
    // A job reported as not printed must not come out later beside its
    // reprint: what the connection or the serial line still holds is dropped.
    if (m_kind == Kind::Socket) {
        const linger reset{1, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    } else if (m_kind == Kind::Terminal) {
        ::tcflush(m_fd, TCOFLUSH);
    }
}

bool FdPort::await(short events, Clock::time_point until, const std::atomic<bool>* cancelled) {
    for (;;) {
        if (cancelled && *cancelled)
            return false;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{m_fd, events, 0};
        const int ready = ::poll(&p, 1, int(std::min(left, pollSlice).count()));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

std::string FdPort::open(const std::atomic<bool>& cancelled) {
    const std::string problem =
        m_connection.kind == PrinterConnection::Kind::Tcp ? connect(cancelled) : openDevice();
    if (!problem.empty() || !m_answers)
        return problem;
    return askStatus(Clock::now() + m_limits.status);
}

int FdPort::tryConnect(const HostLookup::Address& address, Clock::time_point deadline,
                       const std::atomic<bool>& cancelled) {
    m_fd = ::socket(address.family, address.type | SOCK_NONBLOCK | SOCK_CLOEXEC, address.protocol);
    if (m_fd < 0)
        return errno;
    int error = 0;
    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address.address), address.size) != 0) {
        error = errno;
        socklen_t size = sizeof error;
        if (error == EINPROGRESS) {
            error = ETIMEDOUT;
            if (await(POLLOUT, deadline, &cancelled))
                ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &size);
        }
    }
    if (error != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    return error;
}

std::string FdPort::connect(const std::atomic<bool>& cancelled) {
    const HostLookup::Result found =
        HostLookup::find(m_connection.host, m_connection.port, m_limits.lookup);
    if (!found.problem.empty())
        return found.problem;
    const Clock::time_point deadline = Clock::now() + m_limits.connect;
    int error = ETIMEDOUT;
    for (std::size_t i = 0; i < found.addresses.size() && m_fd < 0; ++i)
        error = tryConnect(found.addresses[i], deadline, cancelled);
    if (m_fd < 0)
        return connectProblem(error);
    m_kind = Kind::Socket;
    m_answers = true;
    return {};
}

std::string FdPort::openDevice() {
    struct stat file {};
    if (::stat(m_connection.path.c_str(), &file) != 0)
        return deviceProblem(errno, nullptr);
    if (S_ISDIR(file.st_mode))
        return "这是一个文件夹，不是打印机的设备文件";
    const bool device = S_ISCHR(file.st_mode);
    const int flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (device ? 0 : O_APPEND);
    // Reading lets the printer report missing paper; writing is all it needs.
    if (device)
        m_fd = ::open(m_connection.path.c_str(), O_RDWR | flags);
    m_answers = m_fd >= 0;
    if (m_fd < 0)
        m_fd = ::open(m_connection.path.c_str(), O_WRONLY | flags);
    if (m_fd < 0)
        return deviceProblem(errno, &file);
    m_kind = !device ? Kind::File : ::isatty(m_fd) ? Kind::Terminal : Kind::Device;
    termios serial{};
    if (m_kind == Kind::Terminal && ::tcgetattr(m_fd, &serial) == 0) {
        // A serial line must pass picture bytes untouched; its speed stays
        // as the system set it.
        const speed_t in = cfgetispeed(&serial), out = cfgetospeed(&serial);
        cfmakeraw(&serial);
        serial.c_cflag |= CLOCAL;
        cfsetispeed(&serial, in);
        cfsetospeed(&serial, out);
        ::tcsetattr(m_fd, TCSANOW, &serial);
    }
    return {};
}

std::string FdPort::askStatus(Clock::time_point until) {
    const unsigned char ask[] = {0x10, 0x04, 2, 0x10, 0x04, 4};
    const std::string sent = put(ask, sizeof ask, m_limits.status);
    if (!sent.empty())
        return sent;
    unsigned char answers[2];
    std::size_t count = 0;
    while (count < sizeof answers && await(POLLIN, until, nullptr)) {
        const ssize_t n = ::read(m_fd, answers + count, sizeof answers - count);
        if (n <= 0)
            break;
        count += std::size_t(n);
    }
    return statusProblem(answers, count);
}

std::string FdPort::statusProblem(const unsigned char* answers, std::size_t count) {
    const bool offline = count >= 1 && isStatusByte(answers[0]);
    const bool sensor = count >= 2 && isStatusByte(answers[1]);
    if ((offline && (answers[0] & 0x20)) || (sensor && (answers[1] & 0x60) == 0x60))
        return "打印机缺纸：请装上打印纸";
    if (offline && (answers[0] & 0x04))
        return "打印机盖子没有盖好";
    if (offline && (answers[0] & 0x40))
        return "打印机报告故障：可能切刀卡住或打印头过热，请关机再开";
    return {};
}

std::string FdPort::write(const unsigned char* data, std::size_t size) {
    if (m_jobEnd == Clock::time_point())
        m_jobEnd = Clock::now() + m_limits.job;
    return put(data, size, m_limits.stall);
}

std::string FdPort::put(const unsigned char* data, std::size_t size,
                        std::chrono::milliseconds stall) {
    std::size_t done = 0;
    while (done < size) {
        const Clock::time_point until = Clock::now() + stall;
        if (m_jobEnd != Clock::time_point() && Clock::now() >= m_jobEnd)
            return tooLong;
        if (!await(POLLOUT, until, nullptr))
            return stalled;
        const ssize_t n = m_kind == Kind::Socket
                              ? ::send(m_fd, data + done, size - done, MSG_NOSIGNAL)
                              : ::write(m_fd, data + done, size - done);
        if (n > 0)
            done += std::size_t(n);
        else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return writeProblem(errno);
    }
    return {};
}

int FdPort::unsent() const {
    int bytes = 0;
    if (m_kind == Kind::Socket) {
        int error = 0;
        socklen_t size = sizeof error;
        // A reset connection has dropped what it still held.
        if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
            return -(error != 0 ? error : errno);
        return ::ioctl(m_fd, SIOCOUTQ, &bytes) == 0 ? bytes : -errno;
    }
    return ::ioctl(m_fd, TIOCOUTQ, &bytes) == 0 ? bytes : -errno;
}

std::string FdPort::drain() {
    switch (m_kind) {
    case Kind::File:
        return {};
    case Kind::Device:
        // A printer's device driver is ready to write again once it has
        // handed the last bytes on.
        return await(POLLOUT, Clock::now() + m_limits.stall, nullptr) ? std::string() : stalled;
    case Kind::Socket:
    case Kind::Terminal:
        break;
    }
    const Clock::time_point end =
        m_jobEnd != Clock::time_point() ? m_jobEnd : Clock::now() + m_limits.job;
    Clock::time_point moved = Clock::now();
    int left = unsent();
    while (left > 0) {
        const Clock::time_point now = Clock::now();
        if (now - moved >= m_limits.stall)
            return "打印机没有收完小票：可能缺纸、卡纸、开盖或离线";
        if (now >= end)
            return tooLong;
        std::this_thread::sleep_for(drainSlice);
        const int before = left;
        left = unsent();
        if (left < before)
            moved = Clock::now();
    }
    if (left < 0)
        return writeProblem(-left);
    // Nothing is queued any more, so this returns at once.
    if (m_kind == Kind::Terminal)
        ::tcdrain(m_fd);
    return {};
}

std::string FdPort::finish() {
    std::string problem = drain();
    if (!problem.empty())
        abandon();
    else if (m_kind == Kind::Socket)
        ::shutdown(m_fd, SHUT_WR);
    const int closed = ::close(m_fd);
    const int error = errno;
    m_fd = -1;
    if (problem.empty() && closed != 0 && error != EINTR)
        problem = writeProblem(error);
    return problem;
}
