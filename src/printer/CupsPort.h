#pragma once
#include "printer/PrintLimits.h"
#include "printer/PrinterPort.h"

#include <string>
#include <vector>

typedef struct _http_s http_t;

// A raw CUPS queue: the bytes pass the spooler untouched. The connection to
// the CUPS service gives up after the same time limits as a printer's own.
class CupsPort : public PrinterPort {
  public:
    CupsPort(std::string queue, std::string title, const PrintLimits& limits);
    ~CupsPort() override;

    std::string open(const std::atomic<bool>& cancelled) override;
    std::string write(const unsigned char* data, std::size_t size) override;
    // Done once the queue prints the job or has printed it: a job held or
    // waiting behind a stopped printer is not.
    std::string finish() override;

    // The queue names the local CUPS service knows; none when it is not running.
    static std::vector<std::string> queues();

  private:
    std::string checkQueue();
    // The job's IPP state; 0 when the service did not say.
    int jobState();

    std::string m_queue;
    std::string m_title;
    PrintLimits m_limits;
    http_t* m_http = nullptr;
    int m_job = 0;
    bool m_finished = false;
};
