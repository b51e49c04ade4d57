#pragma once
#include <string>

// A file written under a hidden temporary name beside its destination and
// renamed over it only when complete: a cancel or a failure halfway never
// leaves half a file, nor spoils the file that was there before.
class PendingFile {
  public:
    explicit PendingFile(std::string destination);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // False when the destination's folder cannot take a file.
    bool ok() const { return !m_temporary.empty(); }
    const std::string& path() const { return m_temporary; }
    const std::string& destination() const { return m_destination; }
    // Puts the written file in place; false leaves the destination as it was.
    bool commit();

  private:
    std::string m_destination;
    std::string m_temporary;
    bool m_committed = false;
};
