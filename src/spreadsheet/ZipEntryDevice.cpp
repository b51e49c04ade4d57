#include "spreadsheet/ZipEntryDevice.h"

#include <zip.h>

ZipEntryDevice::ZipEntryDevice(zip_t* archive, const std::string& name, qint64 limit)
    : m_file(zip_fopen(archive, name.c_str(), 0)), m_left(limit) {
    if (m_file)
        open(QIODevice::ReadOnly);
}

ZipEntryDevice::~ZipEntryDevice() {
    if (m_file)
        zip_fclose(m_file);
}

qint64 ZipEntryDevice::readData(char* data, qint64 maxSize) {
    // One byte past the limit tells a part that ends at the limit from a larger one.
    const qint64 wanted = std::min(maxSize, m_left + 1);
    if (wanted <= 0)
        return -1;
    const zip_int64_t read = zip_fread(m_file, data, static_cast<zip_uint64_t>(wanted));
    if (read < 0)
        return -1;
    if (read > m_left) {
        m_pastLimit = true;
        m_left = -1;
        return -1;
    }
    m_left -= read;
    return read;
}
