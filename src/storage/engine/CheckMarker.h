#pragma once
#include <cstdint>
#include <string>

// The file beside the database (path + ".checked") that lets a start skip
// reading every page. It names the day the database was last read whole,
// and whether the program that used it since ended cleanly; a clean end
// also names the file as it was left: SQLite's change counter, its size,
// inode and time of change. So the first start of a day, a start after the
// program was killed or the power was cut, and a start on a file that was
// copied in or changed by hand read every page again.
class CheckMarker {
  public:
    explicit CheckMarker(std::string databasePath);

    // True when the database was read whole on `today` and the program that
    // used it since ended cleanly, leaving the file that is there now.
    bool vouches(const std::string& today) const;
    // The database, read whole on `checkedDay`, is in use: until markClean(),
    // the next start reads every page.
    void markInUse(const std::string& checkedDay);
    // The program is done with the file, every change of it on the disk.
    // A file that is no longer the one marked in use is vouched for by none.
    void markClean();

    // What names the database file; equal only for the same file unchanged.
    struct Identity {
        std::uint32_t changeCounter = 0;
        std::uintmax_t size = 0;
        std::uintmax_t inode = 0;
        std::int64_t changedNs = 0;
        bool operator==(const Identity&) const = default;
    };
    // False when the file cannot be looked at.
    static bool identify(const std::string& path, Identity& identity);

  private:
    std::string markerPath() const { return m_databasePath + ".checked"; }

    std::string m_databasePath;
    std::string m_checkedDay; // empty until marked in use
    std::uintmax_t m_inode = 0;
};
