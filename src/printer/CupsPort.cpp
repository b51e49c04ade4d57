#include "printer/CupsPort.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int listTimeoutMs = 1000;
constexpr double requestTimeoutSeconds = 2.0;

http_t* connectToCups(int timeoutMs) {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                timeoutMs, nullptr);
    if (http)
        httpSetTimeout(http, requestTimeoutSeconds, nullptr, nullptr);
    return http;
}

// The service's own reason is English; its code is what a technician needs.
std::string cupsProblem(const char* what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", unsigned(cupsLastError()));
    return std::string(what) + "（CUPS代码 " + code + "）";
}

} // namespace

CupsPort::CupsPort(std::string queue, std::string title)
    : m_queue(std::move(queue)), m_title(std::move(title)) {}

CupsPort::~CupsPort() {
    // A job left without its document would wait in the queue for ever.
    if (m_http && m_job != 0 && !m_finished)
        cupsCancelJob2(m_http, m_queue.c_str(), m_job, 0);
    if (m_http)
        httpClose(m_http);
}

std::string CupsPort::open(Clock::time_point deadline, const std::atomic<bool>& cancelled) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (cancelled || left.count() <= 0)
        return "连接超时";
    m_http = connectToCups(int(left.count()));
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

std::string CupsPort::write(const unsigned char* data, std::size_t size,
                            std::chrono::milliseconds) {
    if (cupsWriteRequestData(m_http, reinterpret_cast<const char*>(data), size) !=
        HTTP_STATUS_CONTINUE)
        return cupsProblem("发送到打印队列失败");
    return {};
}

std::string CupsPort::finish() {
    m_finished = true;
    if (cupsFinishDocument(m_http, m_queue.c_str()) > IPP_STATUS_OK_CONFLICTING)
        return cupsProblem("打印队列没有收下这张小票");
    return {};
}

std::vector<std::string> CupsPort::queues() {
    http_t* http = connectToCups(listTimeoutMs);
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
