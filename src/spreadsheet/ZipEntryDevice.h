#pragma once
#include <QIODevice>

#include <string>

struct zip;

// One part of a zip archive, read as it is unpacked, never more than a limit:
// a crafted file that unpacks to far more than its size stops at the limit.
class ZipEntryDevice : public QIODevice {
  public:
    ZipEntryDevice(zip* archive, const std::string& name, qint64 limit);
    ~ZipEntryDevice() override;

    bool found() const { return m_file != nullptr; }
    bool pastLimit() const { return m_pastLimit; }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    struct zip_file* m_file = nullptr;
    qint64 m_left;
    bool m_pastLimit = false;
};
