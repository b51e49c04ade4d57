#include "printer/CupsPort.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdio>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr int listTimeoutMs = 1000;
constexpr double listRequestSeconds = 2.0;
constexpr auto jobStateSlice = 50ms;

// The service named by the environment or client.conf as they are now: the
// library keeps what it read first for the rest of the thread.
http_t* connectToCups(int timeoutMs, double requestSeconds) {
    cupsSetServer(nullptr);
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                timeoutMs, nullptr);
    if (http)
        httpSetTimeout(http, requestSeconds, nullptr, nullptr);
    return http;
}

double seconds(std::chrono::milliseconds limit) {
    return std::chrono::duration<double>(limit).count();
}

// The service's own reason is English; its code is what a technician needs.
std::string cupsProblem(const char* what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", unsigned(cupsLastError()));
    return std::string(what) + "（CUPS代码 " + code + "）";
}

} // namespace

CupsPort::CupsPort(std::string queue, std::string title, const PrintLimits& limits)
    : m_queue(std::move(queue)), m_title(std::move(title)), m_limits(limits) {}

CupsPort::~CupsPort() {
    // A job left without its document would wait in the queue for ever.
    if (m_http && m_job != 0 && !m_finished)
        cupsCancelJob2(m_http, m_queue.c_str(), m_job, 0);
    if (m_http)
        httpClose(m_http);
}

std::string CupsPort::open(const std::atomic<bool>& cancelled) {
    if (cancelled)
        return "已取消";
    m_http = connectToCups(int(m_limits.connect.count()), seconds(m_limits.stall));
    if (!m_http)
        return "CUPS打印服务没有运行：请启动它（sudo systemctl start cups）";
    const std::string problem = checkQueue();
    if (!problem.empty())
        return problem;
    m_job = cupsCreateJob(m_http, m_queue.c_str(), m_title.c_str(), 0, nullptr);
    if (m_job == 0)
        return cupsProblem("打印队列不接受任务");
    if (cupsStartDocument(m_http, m_queue.c_str(), m_job, m_title.c_str(), CUPS_FORMAT_RAW, 1) !=
        HTTP_STATUS_CONTINUE)
        return cupsProblem("打印队列不接受任务");
    return {};
}

std::string CupsPort::checkQueue() {
    char uri[1024];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", m_queue.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ipp_t* response = cupsDoRequest(m_http, request, "/");
    const ipp_status_t status = cupsLastError();
    std::string problem;
    if (status == IPP_STATUS_ERROR_NOT_FOUND)
        problem = "找不到这个打印队列：请在系统的打印机设置里查看队列名";
    else if (!response || status > IPP_STATUS_OK_CONFLICTING)
        problem = cupsProblem("CUPS打印服务没有回答");
    else if (ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
             state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED)
        problem = "打印队列已停用：请在系统的打印机设置里恢复它";
    ippDelete(response);
    return problem;
}

std::string CupsPort::write(const unsigned char* data, std::size_t size) {
    if (cupsWriteRequestData(m_http, reinterpret_cast<const char*>(data), size) !=
        HTTP_STATUS_CONTINUE)
        return cupsProblem("发送到打印队列失败");
    return {};
}

std::string CupsPort::finish() {
    m_finished = true;
    if (cupsFinishDocument(m_http, m_queue.c_str()) > IPP_STATUS_OK_CONFLICTING)
        return cupsProblem("打印队列没有收下这张小票");
    const auto until = Clock::now() + m_limits.stall;
    for (;;) {
        const int state = jobState();
        if (state == IPP_JSTATE_PROCESSING || state == IPP_JSTATE_COMPLETED)
            return {};
        if (state >= IPP_JSTATE_STOPPED || state == 0)
            return state == 0 ? cupsProblem("CUPS打印服务没有回答")
                              : "打印队列停止了这张小票：请在系统的打印机设置里查看";
        if (Clock::now() >= until) {
            // Reported as not printed, it must not come out later beside the reprint.
            cupsCancelJob2(m_http, m_queue.c_str(), m_job, 0);
            return "打印队列没有开始打印这张小票：请在系统的打印机设置里查看";
        }
        std::this_thread::sleep_for(jobStateSlice);
    }
}

int CupsPort::jobState() {
    char uri[1024];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/jobs/%d", m_job);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "job-state");
    ipp_t* response = cupsDoRequest(m_http, request, "/");
    ipp_attribute_t* state = ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
    const int value = state ? ippGetInteger(state, 0) : 0;
    ippDelete(response);
    return value;
}

std::vector<std::string> CupsPort::queues() {
    http_t* http = connectToCups(listTimeoutMs, listRequestSeconds);
    if (!http)
        return {};
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    ipp_t* response = cupsDoRequest(http, request, "/");
    std::vector<std::string> names;
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response))
        if (const char* name = ippGetName(a);
            name && std::string(name) == "printer-name" && ippGetValueTag(a) == IPP_TAG_NAME)
            names.emplace_back(ippGetString(a, 0, nullptr));
    ippDelete(response);
    httpClose(http);
    std::sort(names.begin(), names.end());
    return names;
}
