#include "support/ThrowawayCluster.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

const std::string tool = TABLEWISE_TEST_CLUSTER_TOOL;

// The value of `export NAME='value'` in the tool's output.
std::string exported(const std::string& output, const std::string& name) {
    const std::string marker = "export " + name + "='";
    const std::size_t begin = output.find(marker);
    if (begin == std::string::npos)
        return {};
    const std::size_t from = begin + marker.size();
    return output.substr(from, output.find('\'', from) - from);
}

} // namespace

ThrowawayCluster::ThrowawayCluster() {
    FILE* pipe =
        ::popen(("TABLEWISE_CLUSTER_DURABLE=1 " + tool + " start 2>/dev/null").c_str(), "r");
    if (!pipe)
        return;
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    if (::pclose(pipe) != 0)
        return;
    m_connection = exported(output, "TABLEWISE_TEST_SERVER");
    m_folder = exported(output, "TABLEWISE_TEST_CLUSTER");
}

ThrowawayCluster::~ThrowawayCluster() {
    if (!started())
        return;
    if (m_frozen)
        thaw();
    std::system((tool + " stop '" + m_folder + "' >/dev/null 2>&1").c_str());
}

std::string ThrowawayCluster::port() const {
    const std::size_t begin = m_connection.find("port=") + 5;
    return m_connection.substr(begin, m_connection.find(' ', begin) - begin);
}

void ThrowawayCluster::run(const std::string& command) {
    const int status = std::system((tool + " " + command + " '" + m_folder + "'").c_str());
    EXPECT_EQ(status, 0) << command;
}

void ThrowawayCluster::halt() {
    run("halt");
}

void ThrowawayCluster::resume() {
    run("resume");
}

void ThrowawayCluster::freeze() {
    run("freeze");
    m_frozen = true;
}

void ThrowawayCluster::thaw() {
    run("thaw");
    m_frozen = false;
}
