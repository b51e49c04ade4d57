#pragma once
#include <string>

class Database;

// What a restore carries from the database it replaces into the restored
// copy: the manager password in force (a copy taken before it was set would
// otherwise drop it), and one change record naming both files.
class RestoreCarryOver {
  public:
    // Reads the password of the database about to be replaced.
    explicit RestoreCarryOver(Database& current);

    bool keepsPassword() const { return !m_digest.empty(); }
    // In one transaction on the restored database; false when nothing was written.
    bool applyTo(Database& restored, const std::string& restoredFile,
                 const std::string& keptFile) const;

  private:
    std::string m_digest;
};
